#include "platform/DisplayWait.h"

#include "SDL.h"
#include "SDL_syswm.h"

#include <dlfcn.h>
#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <string>

namespace platform {

namespace {

// SDL 2's own wait, when the SDL 1.2 we run on is the compatibility layer
// over SDL 2 (Debian 13's SDL 1.2): it sleeps on whatever display SDL 2
// drives (X11, Wayland) until an event comes, and leaves the event queued.
using WaitEventTimeout = int (*)(void* event, int timeout);

// The compatibility layer says it is one with its version: 1.2.50 and up
// (classic SDL 1.2 ended at 1.2.15).
bool Compatibility()
{
    const SDL_version* linked = SDL_Linked_Version();
    return linked && linked->major == 1 && linked->minor == 2 && linked->patch >= 50;
}

WaitEventTimeout UnderlyingWait()
{
    static WaitEventTimeout wait = []() -> WaitEventTimeout {
        if (!Compatibility())
            return nullptr;
        // The SDL 2 the layer has loaded already.
        void* sdl2 = ::dlopen("libSDL2-2.0.so.0", RTLD_NOW | RTLD_NOLOAD);
        return sdl2 ? reinterpret_cast<WaitEventTimeout>(::dlsym(sdl2, "SDL_WaitEventTimeout")) : nullptr;
    }();
    return wait;
}

int DisplayConnection()
{
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (SDL_GetWMInfo(&info) > 0 && info.subsystem == SDL_SYSWM_X11 && info.info.x11.display)
        return ConnectionNumber(info.info.x11.display);
    return -1;
}

std::string DriverName()
{
    char name[32] = "";
    return SDL_VideoDriverName(name, sizeof name) ? name : "";
}

void PollConnection(int fd, std::uint32_t ms)
{
    pollfd wanted = {fd, POLLIN, 0};
    std::uint32_t start = SDL_GetTicks();
    for (;;) {
        std::uint32_t spent = SDL_GetTicks() - start;
        if (spent >= ms)
            return;
        int ready = ::poll(&wanted, 1, static_cast<int>(ms - spent));
        if (ready >= 0 || errno != EINTR)
            return;
    }
}

int DisplayGone(Display*)
{
    std::fputs("quoli: the connection to the display is gone\n", stderr);
    // Whatever was being saved is whole: every save replaces its file at once.
    ::_exit(1);
}

}  // namespace

void EndWithTheDisplay()
{
    XSetIOErrorHandler(DisplayGone);
}

bool OnCompatibilityLayer()
{
    return Compatibility();
}

void WaitForDisplayInput(std::uint32_t ms)
{
    if (ms == 0)
        return;
    // Nothing from outside reaches the dummy display (tests).
    if (DriverName() == "dummy") {
        SDL_Delay(ms);
        return;
    }
    if (WaitEventTimeout wait = UnderlyingWait()) {
        wait(nullptr, static_cast<int>(ms));
        return;
    }
    if (int fd = DisplayConnection(); fd >= 0) {
        PollConnection(fd, ms);
        return;
    }
    // A display whose input we cannot wait on is looked at often.
    SDL_Delay(std::min<std::uint32_t>(ms, 10));
}

}  // namespace platform
