#include "platform/Environment.h"

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

}  // namespace platform
