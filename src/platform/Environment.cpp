#include "platform/Environment.h"

#include "platform/DisplayWait.h"

#include <cstdlib>

namespace platform {

void ChoosePlainVideoDriver()
{
    // A Wayland desktop without an X server: only SDL 2 (under the
    // compatibility layer) can open a window there, and it chooses Wayland
    // itself.
    const char* x = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    if ((!x || !*x) && wayland && *wayland)
        return;
    ::setenv("SDL_VIDEODRIVER", "x11", 0);
}

void ChooseCompatibilitySettings()
{
    if (!OnCompatibilityLayer())
        return;
    // Full screen with the pointer hidden (the program draws its own),
    // SDL 1.2 follows the pointer in relative mode. Over SDL 2 that mode
    // reads the mouse's raw motion, which absolute pointers (a touch panel,
    // a tablet, a switch box's pointer events) do not send: SDL 2 is asked
    // to follow the pointer by warping it, as classic SDL 1.2 does on X11.
    ::setenv("SDL_MOUSE_RELATIVE_MODE_WARP", "1", 0);
}

}  // namespace platform
