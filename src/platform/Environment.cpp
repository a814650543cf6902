#include "platform/Environment.h"

#include "platform/DisplayWait.h"

#include <cstdlib>
#include <cstring>

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
    // On X11 the layer shows every frame through an SDL 2 renderer, by
    // default OpenGL: where the X server has no GPU behind it (a school's
    // old computers, a thin client, Xvfb) Mesa draws the whole window in
    // software for each frame, 10 to 15 times the CPU of classic SDL 1.2.
    // SDL 2's own software renderer into the X server's shared memory costs
    // a sixth of that, and the program's 2D frames need no more.
    const char* driver = std::getenv("SDL_VIDEODRIVER");
    const char* x = std::getenv("DISPLAY");
    // SDL 2 chooses X11 itself where an X server is named.
    bool onX = driver && *driver ? std::strcmp(driver, "x11") == 0 : x && *x;
    if (onX) {
        ::setenv("SDL_RENDER_DRIVER", "software", 0);
        ::setenv("SDL_FRAMEBUFFER_ACCELERATION", "0", 0);
    }
}

}  // namespace platform
