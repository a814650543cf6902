#pragma once
// What every benchmark does first: it moves into the program folder given
// as its first argument (or says how it is used) and runs on SDL's dummy
// drivers at 1024x768, where a frame has the most to draw.

#include "gfx/Display.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

inline bool EnterProgramFolder(int argc, char** argv, int arguments, const char* usage)
{
    if (argc < arguments + 1 || chdir(argv[1]) != 0) {
        std::fprintf(stderr, "usage: %s\n", usage);
        return false;
    }
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    SetResolution(2);
    return true;
}

// One line of frame times: how many, the median, the 99th percentile and
// the slowest, in milliseconds.
inline void ReportFrames(const char* what, std::vector<double>& ms)
{
    if (ms.empty())
        return;
    std::sort(ms.begin(), ms.end());
    std::printf("%-44s %6zu frames: p50 %.3f ms  p99 %.3f ms  max %.3f ms\n", what, ms.size(), ms[ms.size() / 2],
                ms[ms.size() * 99 / 100], ms.back());
}
