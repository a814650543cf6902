#include "gfx/Images.h"

#include "gfx/Screen.h"

namespace {

std::uint32_t ReadPixel(SDL_Surface* s, int x, int y, std::uint32_t fallback)
{
    int bpp = s->format->BytesPerPixel;
    // No corner is read outside the picture's pixels: not from an empty
    // picture, nor from one that packs several pixels in a byte.
    if ((bpp != 1 && bpp != 2 && bpp != 4) || s->format->BitsPerPixel < 8 || x < 0 || y < 0 || x >= s->w ||
        y >= s->h || !s->pixels)
        return fallback;
    if (SDL_MUSTLOCK(s))
        SDL_LockSurface(s);
    const Uint8* p = static_cast<const Uint8*>(s->pixels) + y * s->pitch + x * bpp;
    std::uint32_t value = bpp == 1 ? *p : bpp == 2 ? *reinterpret_cast<const Uint16*>(p) : *reinterpret_cast<const Uint32*>(p);
    if (SDL_MUSTLOCK(s))
        SDL_UnlockSurface(s);
    return value;
}

void Blit(SDL_Surface* surface, SDL_Rect* source, int x, int y, int w, int h)
{
    if (!surface || !theScreen.surface)
        return;
    SDL_Rect at = {static_cast<Sint16>(x + theScreen.originX), static_cast<Sint16>(y + theScreen.originY), 0, 0};
    SDL_BlitSurface(surface, source, theScreen.surface, &at);
    MarkDirty(x, y, x + w - 1, y + h - 1);
}

}  // namespace

SDL_Surface* CreateScreenSurface(int width, int height)
{
    if (!theScreen.surface)
        return nullptr;
    SDL_Surface* s = SDL_CreateRGBSurface(SDL_SWSURFACE, width, height, theScreen.surface->format->BitsPerPixel, 0, 0, 0, 0);
    if (s && theScreen.surface->format->BytesPerPixel == 1 && theScreen.surface->format->palette)
        SDL_SetColors(s, theScreen.surface->format->palette->colors, 0, 256);
    return s;
}

void SaveScreenArea(int x, int y, SDL_Surface* surface)
{
    if (!surface || !theScreen.surface)
        return;
    SDL_Rect from = {static_cast<Sint16>(x + theScreen.originX), static_cast<Sint16>(y + theScreen.originY),
                     static_cast<Uint16>(surface->w), static_cast<Uint16>(surface->h)};
    SDL_Rect to = {0, 0, 0, 0};
    // The screen's clip applies to blits into it, not out of it.
    SDL_BlitSurface(theScreen.surface, &from, surface, &to);
}

void SetImageKey(SDL_Surface* surface, std::uint32_t key)
{
    if (!surface || key == NO_COLOR_KEY)
        return;
    if (key >= KEY_BOTTOM_RIGHT && key <= KEY_TOP_LEFT) {
        int x = 0, y = 0;
        if (key == KEY_BOTTOM_RIGHT) {
            x = surface->w - 1;
            y = surface->h - 1;
        } else if (key == KEY_BOTTOM_LEFT) {
            y = surface->h - 1;
        } else if (key == KEY_TOP_RIGHT) {
            x = surface->w - 1;
        }
        key = ReadPixel(surface, x, y, key);
    }
    SDL_SetColorKey(surface, SDL_SRCCOLORKEY | SDL_RLEACCEL, key);
}

void DrawImage(int x, int y, SDL_Surface* surface)
{
    if (surface)
        Blit(surface, nullptr, x, y, surface->w, surface->h);
}

void DrawImageCentred(int x, int y, SDL_Surface* surface)
{
    if (surface)
        DrawImage(x - surface->w / 2, y - surface->h / 2, surface);
}

void DrawImagePart(int sx, int sy, int w, int h, int x, int y, SDL_Surface* surface)
{
    SDL_Rect source = {static_cast<Sint16>(sx), static_cast<Sint16>(sy), static_cast<Uint16>(w), static_cast<Uint16>(h)};
    Blit(surface, &source, x, y, w, h);
}
