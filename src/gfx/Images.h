#pragma once
// Pictures: surfaces the size of what they show, drawn onto the screen with
// the screen's clip, and colour keys that make one colour transparent.

#include "SDL.h"

#include <cstdint>
#include <memory>

struct SurfaceDeleter {
    void operator()(SDL_Surface* s) const
    {
        if (s)
            SDL_FreeSurface(s);
    }
};
using SurfacePtr = std::unique_ptr<SDL_Surface, SurfaceDeleter>;

constexpr std::uint32_t NO_COLOR_KEY = 0xFE000000u;
constexpr std::uint32_t KEY_TOP_LEFT = 0xFD000000u;
constexpr std::uint32_t KEY_TOP_RIGHT = 0xFC000000u;
constexpr std::uint32_t KEY_BOTTOM_LEFT = 0xFB000000u;
constexpr std::uint32_t KEY_BOTTOM_RIGHT = 0xFA000000u;

// A surface of the screen's depth; 8-bit ones take the screen's palette.
SDL_Surface* CreateScreenSurface(int width, int height);
// Copies the screen area at (x, y), the surface's size, into the surface.
void SaveScreenArea(int x, int y, SDL_Surface* surface);
// A corner code takes the colour of that corner; other values are the key.
void SetImageKey(SDL_Surface* surface, std::uint32_t key);

// A picture's size; 0 for no picture.
inline int ImageWidth(const SDL_Surface* surface)
{
    return surface ? surface->w : 0;
}
inline int ImageHeight(const SDL_Surface* surface)
{
    return surface ? surface->h : 0;
}

void DrawImage(int x, int y, SDL_Surface* surface);
void DrawImageCentred(int x, int y, SDL_Surface* surface);
void DrawImagePart(int sx, int sy, int w, int h, int x, int y, SDL_Surface* surface);
