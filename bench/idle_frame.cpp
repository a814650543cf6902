// How much one idle frame of the main loop costs on the title screen (poll, dispatch, idle,
// pointer, flush), without the loop's 1 ms sleep, on SDL's dummy video
// driver at 1024x768.
//
//   bench_idle_frame PROGRAM_FOLDER [FRAMES]

#include "BenchSetup.h"
#include "app/Input.h"
#include "app/TApp.h"
#include "menus/TProjectContext.h"
#include "gfx/Display.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>
#include <vector>

namespace {

void Report(const char* what, std::vector<double>& ns)
{
    std::sort(ns.begin(), ns.end());
    double sum = 0;
    for (double v : ns)
        sum += v;
    std::printf("%-34s mean %8.0f ns  p50 %8.0f ns  p99 %8.0f ns  max %8.0f ns\n", what, sum / static_cast<double>(ns.size()),
                ns[ns.size() / 2], ns[ns.size() * 99 / 100], ns.back());
}

}  // namespace

int main(int argc, char** argv)
{
    if (!EnterProgramFolder(argc, argv, 1, "bench_idle_frame PROGRAM_FOLDER [FRAMES]"))
        return 2;
    int frames = argc > 2 ? std::atoi(argv[2]) : 20000;
    TApp app("QUOLI", "resource.bin", "quoli.str");
    app.SetSleeping(false);
    app.Activate();
    app.SetChild(std::make_unique<TProjectContext>());
    TEvent record;
    record.Clear();
    for (int i = 0; i < 100; ++i)
        app.Frame(record);

    std::vector<double> ns;
    for (int i = 0; i < frames; ++i) {
        auto start = std::chrono::steady_clock::now();
        app.Frame(record);
        ns.push_back(std::chrono::duration<double, std::nano>(std::chrono::steady_clock::now() - start).count());
    }
    Report("idle frame, pointer still", ns);

    ns.clear();
    for (int i = 0; i < frames; ++i) {
        SDL_Event motion{};
        motion.type = SDL_MOUSEMOTION;
        motion.motion.x = static_cast<Uint16>(100 + i % 800);
        motion.motion.y = 300;
        auto start = std::chrono::steady_clock::now();
        MotionFilter(&motion);
        app.Frame(record);
        ns.push_back(std::chrono::duration<double, std::nano>(std::chrono::steady_clock::now() - start).count());
    }
    Report("idle frame, pointer moving", ns);
    app.StopChain();
    return 0;
}
