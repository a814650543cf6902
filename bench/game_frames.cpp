// Frame times of a three-lane game at 1024x768 on SDL's dummy video driver:
// 60 seconds of game time in 1 ms steps, words falling and being typed.
//
//   bench_game_frames PROGRAM_FOLDER [SECONDS]

#include "app/Clock.h"
#include "app/TApp.h"
#include "exercises/ExercisePaths.h"
#include "game/TZandorliGameContext.h"
#include "gfx/Display.h"
#include "menus/GameSettings.h"
#include "platform/Files.h"
#include "users/CurrentUser.h"

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

std::uint32_t ticks = 1000;

std::uint32_t Ticks()
{
    return ticks;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2 || chdir(argv[1]) != 0) {
        std::fprintf(stderr, "usage: bench_game_frames PROGRAM_FOLDER [SECONDS]\n");
        return 2;
    }
    int seconds = argc > 2 ? std::atoi(argv[2]) : 60;
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    SetTickSource(Ticks);
    SetResolution(2);
    TApp app("QUOLI", "resource.bin", "quoli.str");
    app.Activate();

    const char* exercise = "\r\n\r\n1000\r\nBenchmark\r\ngatto\r\ncane\r\nelefante\r\ncoccodrillo\r\nmare\r\nsole\r\n";
    platform::ReplaceFileContents("Esercizi\\Livelli\\Bench.LEV", exercise, std::strlen(exercise));
    theGameSettings.lanes = 3;
    theGameSettings.fallSeconds = 6;
    theGameSettings.spawnSeconds = 1;
    theGameSettings.infiniteLives = 1;
    theGameSettings.recordResults = 0;
    theGameSettings.enterTopTen = 0;
    std::strcpy(theGameSettings.exerciseName, "Bench");
    std::strcpy(theUserName, "Bench");
    auto* game = new TZandorliGameContext;
    app.SetChild(game);

    TEvent record;
    record.Clear();
    std::vector<double> ms;
    const char* typing = "gattoxcaneelefantecoccodrillomaresole";
    std::size_t next = 0;
    for (int step = 0; step < seconds * 1000; ++step) {
        ticks += 1;
        if (step % 120 == 0)
            game->Match(static_cast<unsigned char>(typing[next++ % std::strlen(typing)] - 'a' + 'A'));
        auto start = std::chrono::steady_clock::now();
        app.Frame(record, false);
        ms.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(ms.begin(), ms.end());
    std::printf("%zu frames of a 3-lane game at 1024x768: p50 %.3f ms  p99 %.3f ms  max %.3f ms\n", ms.size(),
                ms[ms.size() / 2], ms[ms.size() * 99 / 100], ms.back());
    app.StopChain();
    std::remove("Esercizi/Livelli/Bench.LEV");
    return 0;
}
