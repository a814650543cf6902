#include "platform/VideoCheck.h"

#include "platform/DisplayWait.h"

#include <wayland-client.h>

#include <cstdlib>
#include <cstring>
#include <memory>

namespace platform {

namespace {

// Whether SDL 2 will drive Wayland: asked for, or chosen by itself where no
// X server is named.
bool WaylandChosen()
{
    if (!OnCompatibilityLayer())
        return false;
    const char* driver = std::getenv("SDL_VIDEODRIVER");
    if (driver && *driver)
        return std::strcmp(driver, "wayland") == 0;
    const char* x = std::getenv("DISPLAY");
    return !x || !*x;
}

struct Globals {
    bool compositor = false;
    bool shm = false;
    bool seat = false;
    bool shell = false;
};

void Announced(void* data, wl_registry*, uint32_t, const char* interface, uint32_t)
{
    auto* seen = static_cast<Globals*>(data);
    if (std::strcmp(interface, "wl_compositor") == 0)
        seen->compositor = true;
    else if (std::strcmp(interface, "wl_shm") == 0)
        seen->shm = true;
    else if (std::strcmp(interface, "wl_seat") == 0)
        seen->seat = true;
    else if (std::strcmp(interface, "xdg_wm_base") == 0)
        seen->shell = true;
}

void Removed(void*, wl_registry*, uint32_t) {}

struct DisplayCloser {
    void operator()(wl_display* d) const { wl_display_disconnect(d); }
};

}  // namespace

std::string VideoDisplayProblem()
{
    if (!WaylandChosen())
        return std::string();
    std::unique_ptr<wl_display, DisplayCloser> display(wl_display_connect(nullptr));
    if (!display)
        return "No Wayland display to connect to";
    Globals seen;
    static const wl_registry_listener listener = {Announced, Removed};
    wl_registry* registry = wl_display_get_registry(display.get());
    wl_registry_add_listener(registry, &listener, &seen);
    int answered = wl_display_roundtrip(display.get());
    wl_registry_destroy(registry);
    if (answered < 0)
        return "The Wayland display does not answer";
    if (!seen.compositor || !seen.shm || !seen.shell)
        return "The Wayland display cannot show windows";
    if (!seen.seat)
        return "The Wayland display has no seat (no keyboard, no pointer)";
    return std::string();
}

}  // namespace platform
