#pragma once
// When the main loop must come round again. Between passes it sleeps until
// input arrives or until the earliest moment anything asked for, and never
// longer than kLongestSleepMs: a still screen costs almost nothing, and
// whatever keeps time (a game's frames, a key's repeat, a blinking row, a
// switch device's scan) says when it next needs the loop.

#include <cstdint>

namespace wakeup {

constexpr std::uint32_t kLongestSleepMs = 100;

// Asks for a pass within `ms` milliseconds of real time (0: at once).
void In(std::uint32_t ms);
// How long the loop may sleep from now; the requests are then forgotten.
std::uint32_t TakeSleep();
// Forgets every request, as at the start of the process.
void Reset();

}  // namespace wakeup
