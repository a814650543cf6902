#pragma once
// An off-screen drawing target for the targets that draw: one 16-bit
// software surface (the dummy screen's RGB565) made once per process and
// attached as the screen, so no window is opened for any input.

#include "gfx/Screen.h"

#include "SDL.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace fuzz {

// The screen, cleared to 0 (unless asked not to) with its clip, anchors
// and pen reset.
inline SDL_Surface* OffScreen(int width, int height, bool clear = true)
{
    static SDL_Surface* const surface = [&] {
        SDL_Surface* s = SDL_CreateRGBSurface(SDL_SWSURFACE, width, height, 16, 0xF800, 0x07E0, 0x001F, 0);
        if (!s)
            std::abort();
        return s;
    }();
    if (theScreen.surface != surface)
        AttachScreen(surface, surface->w, surface->h, false);
    for (int row = 0; clear && row < surface->h; ++row)
        std::memset(static_cast<std::uint8_t*>(surface->pixels) + row * surface->pitch, 0,
                    static_cast<std::size_t>(surface->w) * 2);
    ResetClip();
    theScreen.dirty.left = kEmptyRect;
    theScreen.hAnchor = 0;
    theScreen.vAnchor = 0;
    theScreen.pen = 0xFFFF;
    return surface;
}

inline std::uint16_t PixelAt(const SDL_Surface* s, int x, int y)
{
    std::uint16_t value;
    std::memcpy(&value, static_cast<const std::uint8_t*>(s->pixels) + y * s->pitch + x * 2, 2);
    return value;
}

}  // namespace fuzz
