#include "app/WakeUp.h"

#include "SDL.h"

#include <algorithm>

namespace wakeup {

namespace {

bool asked = false;
std::uint32_t earliest = 0;  // real ticks

}  // namespace

void In(std::uint32_t ms)
{
    std::uint32_t at = SDL_GetTicks() + ms;
    // Compared as a difference, so that the tick counter may wrap.
    if (!asked || static_cast<std::int32_t>(at - earliest) < 0)
        earliest = at;
    asked = true;
}

std::uint32_t TakeSleep()
{
    std::uint32_t sleep = kLongestSleepMs;
    if (asked) {
        std::int32_t left = static_cast<std::int32_t>(earliest - SDL_GetTicks());
        sleep = left <= 0 ? 0 : std::min<std::uint32_t>(static_cast<std::uint32_t>(left), kLongestSleepMs);
    }
    asked = false;
    return sleep;
}

void Reset()
{
    asked = false;
    earliest = 0;
}

}  // namespace wakeup
