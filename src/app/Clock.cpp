#include "app/Clock.h"

#include "SDL.h"

namespace {

std::uint32_t LibraryTicks()
{
    return SDL_GetTicks();
}

TickSource source = LibraryTicks;
bool paused = false;
std::uint32_t pauseStart = 0;
std::uint32_t pausedTotal = 0;

}  // namespace

void SetTickSource(TickSource newSource)
{
    source = newSource ? newSource : LibraryTicks;
}

std::uint32_t Now()
{
    return source() - pausedTotal;
}

bool Elapsed(std::uint32_t since, std::uint32_t ms)
{
    return Now() - since > ms;
}

void PauseClock()
{
    if (paused)
        return;
    paused = true;
    pauseStart = source();
}

void ResumeClock()
{
    if (!paused)
        return;
    paused = false;
    pausedTotal += source() - pauseStart;
}

bool ClockPaused()
{
    return paused;
}

void ResetClock()
{
    paused = false;
    pauseStart = 0;
    pausedTotal = 0;
}
