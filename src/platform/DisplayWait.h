#pragma once
// Sleeping until the display has something for us.

#include <cstdint>

namespace platform {

// Sleeps until the display sends something (a key, a click, a move, an
// expose) or `ms` milliseconds have passed. Events already read from the
// display must have been taken first (the caller pumps them). On classic
// SDL 1.2 it waits on the X connection; on the compatibility layer over
// SDL 2 through SDL 2's own wait, which knows X11 and Wayland alike. On
// SDL's dummy display (tests) it sleeps the whole time; on another display
// it sleeps at most 10 ms, as it cannot wait on that display's input.
void WaitForDisplayInput(std::uint32_t ms);

// When the X display goes away (the desktop's session ends), the program
// ends too, with status 1, as classic SDL 1.2 does through Xlib; SDL 2
// would go on without a display, holding the data folder's locks. Called
// once the screen is open (after SDL's own handler is set).
void EndWithTheDisplay();

// Whether the SDL 1.2 in use is the compatibility layer over SDL 2.
bool OnCompatibilityLayer();

}  // namespace platform
