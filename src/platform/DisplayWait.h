#pragma once
// Sleeping until the display has something for us.

#include <cstdint>

namespace platform {

// Sleeps until the X server sends something (a key, a click, a move, an
// expose) or `ms` milliseconds have passed. Events already read from the
// server must have been taken first (the caller pumps them). On SDL's
// dummy display (tests) it sleeps the whole time; on a display other than
// X it sleeps at most 10 ms, as it cannot wait on that display's input.
void WaitForDisplayInput(std::uint32_t ms);

}  // namespace platform
