#include "platform/Keyboard.h"

#include "SDL.h"
#include "SDL_syswm.h"

#include <X11/XKBlib.h>
#include <X11/keysym.h>

namespace platform {

bool NumLockOn()
{
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (SDL_GetWMInfo(&info) > 0 && info.subsystem == SDL_SYSWM_X11 && info.info.x11.display) {
        Display* display = info.info.x11.display;
        if (info.info.x11.lock_func)
            info.info.x11.lock_func();
        XkbStateRec state;
        bool on = false;
        bool known = XkbGetState(display, XkbUseCoreKbd, &state) == Success;
        if (known) {
            unsigned mask = XkbKeysymToModifiers(display, XK_Num_Lock);
            on = mask != 0 && (state.locked_mods & mask) != 0;
        }
        if (info.info.x11.unlock_func)
            info.info.x11.unlock_func();
        if (known)
            return on;
    }
    return (SDL_GetModState() & KMOD_NUM) != 0;
}

}  // namespace platform
