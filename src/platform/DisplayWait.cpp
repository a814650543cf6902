#include "platform/DisplayWait.h"

#include "SDL.h"
#include "SDL_syswm.h"

#include <poll.h>

#include <algorithm>
#include <cerrno>
#include <string>

namespace platform {

namespace {

int DisplayConnection()
{
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (SDL_GetWMInfo(&info) > 0 && info.subsystem == SDL_SYSWM_X11 && info.info.x11.display)
        return ConnectionNumber(info.info.x11.display);
    return -1;
}

}  // namespace

void WaitForDisplayInput(std::uint32_t ms)
{
    if (ms == 0)
        return;
    int fd = DisplayConnection();
    if (fd < 0) {
        // Nothing from outside reaches the dummy display; another display
        // may have input we cannot wait on: it is looked at often.
        char name[32] = "";
        bool dummy = SDL_VideoDriverName(name, sizeof name) && std::string(name) == "dummy";
        SDL_Delay(dummy ? ms : std::min<std::uint32_t>(ms, 10));
        return;
    }
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

}  // namespace platform
