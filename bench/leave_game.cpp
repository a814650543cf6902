// How long the screen stands still when a child leaves a game while its
// music fades: a one-level game with music on, played in real time on SDL's
// dummy drivers (the dummy sound device plays in real time too); the word
// is typed, and once the level is won and its music has begun to fade the
// child presses Escape and confirms. Reports the longest pass of the loop
// from that key until a second after the main menu is up.
//
//   bench_leave_game PROGRAM_FOLDER

#include "BenchGame.h"
#include "app/Sound.h"
#include "app/TApp.h"
#include "StartUp.h"
#include "game/TZandorliGameContext.h"
#include "menus/TMainMenuContext.h"
#include "platform/Files.h"
#include "session/Session.h"

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

void PushKey(SDLKey sym, Uint16 unicode)
{
    for (bool down : {true, false}) {
        SDL_Event e{};
        e.type = down ? SDL_KEYDOWN : SDL_KEYUP;
        e.key.state = down ? SDL_PRESSED : SDL_RELEASED;
        e.key.keysym.sym = sym;
        e.key.keysym.unicode = down ? unicode : 0;
        SDL_PushEvent(&e);
    }
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2 || chdir(argv[1]) != 0) {
        std::fprintf(stderr, "usage: bench_leave_game PROGRAM_FOLDER\n");
        return 2;
    }
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    TApp app("QUOLI", "resource.bin", "quoli.str");
    app.SetSleeping(false);
    WireScreens(app);
    app.Activate();
    if (!AudioOpen()) {
        std::fprintf(stderr, "the mixer did not open: is AUDIO=1 in config.ini?\n");
        return 1;
    }
    const char* exercise = "\r\n\r\n1\r\nUno\r\nsole\r\n\r\n1\r\nDue\r\nmare\r\n";
    theSession.settings.lanes = 1;
    theSession.settings.musicOn = 1;
    TZandorliGameContext* game = StartBenchGame(app, exercise);

    TEvent record;
    record.Clear();
    bool typed = false, left = false, wasFading = false;
    double longest = 0;
    auto now = [] { return std::chrono::steady_clock::now(); };
    auto menuSince = now();
    bool inMenu = false;
    auto deadline = now() + std::chrono::seconds(40);
    while (now() < deadline) {
        SDL_Delay(1);
        if (!inMenu) {
            if (!typed && game->State() == GameState::kPlaying && game->Field().Lane(0).hasWord) {
                for (char c : std::string("SOLE"))
                    game->Match(static_cast<unsigned char>(c));
                typed = true;
            } else if (typed && !left && game->State() != GameState::kPlaying &&
                       game->State() != GameState::kLevelDone) {
                // The level is won and its music fades: the child leaves.
                PushKey(SDLK_ESCAPE, 27);
                PushKey(SDLK_RETURN, 13);
                left = true;
            }
        }
        auto start = now();
        app.Frame(record);
        double took = std::chrono::duration<double, std::milli>(now() - start).count();
        if (left)
            longest = std::max(longest, took);
        if (left && !inMenu && dynamic_cast<TMainMenuContext*>(app.Child())) {
            inMenu = true;
            wasFading = MusicFading();
            menuSince = now();
        }
        if (inMenu && now() - menuSince > std::chrono::seconds(1))
            break;
    }
    RemoveBenchExercise();
    if (!inMenu) {
        std::printf("the main menu never came (typed %d, left %d)\n", typed, left);
        return 1;
    }
    std::printf("leaving a game while its music fades: longest pass %.1f ms (music still fading in the menu: %s)\n",
                longest, wasFading ? "yes" : "no");
    app.StopChain();
    return 0;
}
