// Frame times of a three-lane game at 1024x768 on SDL's dummy video driver:
// 60 seconds of play in real time, words falling and being typed (in the
// picture themes: launchers firing, shots, explosions).
//
//   bench_game_frames PROGRAM_FOLDER [SECONDS] [THEME]

#include "BenchSetup.h"
#include "BenchGame.h"
#include "app/Clock.h"
#include "app/TApp.h"
#include "exercises/ExercisePaths.h"
#include "game/TZandorliGameContext.h"
#include "gfx/Display.h"
#include "gfx/Screen.h"
#include "session/GameSettings.h"
#include "platform/Files.h"
#include "session/Session.h"

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

bool pushed = false;

void Pushed(const Rect&)
{
    pushed = true;
}

}  // namespace

int main(int argc, char** argv)
{
    if (!EnterProgramFolder(argc, argv, 1, "bench_game_frames PROGRAM_FOLDER [SECONDS] [THEME]"))
        return 2;
    int seconds = argc > 2 ? std::atoi(argv[2]) : 60;
    int theme = argc > 3 ? std::atoi(argv[3]) : 1;
    TApp app("QUOLI", "resource.bin", "quoli.str");
    app.SetSleeping(false);
    app.Activate();

    const char* exercise = "\r\n\r\n1000\r\nBenchmark\r\ngatto\r\ncane\r\nelefante\r\ncoccodrillo\r\nmare\r\nsole\r\n";
    theSession.settings.theme = theme;
    theSession.settings.lanes = 3;
    theSession.settings.fallSeconds = 6;
    theSession.settings.spawnSeconds = 1;
    theSession.settings.infiniteLives = 1;
    TZandorliGameContext* game = StartBenchGame(app, exercise);

    TEvent record;
    record.Clear();
    std::vector<double> ms, drawn;
    SetUpdateHook(Pushed);
    PlayTyping(game, seconds, [&] {
        pushed = false;
        auto start = std::chrono::steady_clock::now();
        app.Frame(record);
        double took = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        ms.push_back(took);
        if (pushed)
            drawn.push_back(took);
    });
    std::printf("theme %d, score at the end %d\n", theme, static_cast<int>(game->Board().Score()));
    ReportFrames("every pass of the loop, 3 lanes, 1024x768", ms);
    ReportFrames("passes that drew and pushed a picture", drawn);
    app.StopChain();
    RemoveBenchExercise();
    return 0;
}
