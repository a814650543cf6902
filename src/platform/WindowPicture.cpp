#include "platform/WindowPicture.h"

#include "platform/DisplayWait.h"
#include "platform/ScaledCopy.h"

#include <dlfcn.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace platform {

namespace {

// SDL 2's public structures, as far as they are read here; their layout is
// part of SDL 2's binary interface.
struct Sdl2Rect {
    int x, y, w, h;
};
struct Sdl2PixelFormat {
    std::uint32_t format;
    void* palette;
    std::uint8_t bitsPerPixel, bytesPerPixel, padding[2];
    std::uint32_t rMask, gMask, bMask, aMask;
};
struct Sdl2Surface {
    std::uint32_t flags;
    Sdl2PixelFormat* format;
    int w, h, pitch;
    void* pixels;
};
struct Sdl2RendererInfo {
    const char* name;
    std::uint32_t flags, textureFormatCount, textureFormats[16];
    int maxTextureWidth, maxTextureHeight;
};
struct Sdl2Window;

// The SDL 2 functions used, from the SDL 2 the layer has loaded.
struct Sdl2 {
    const char* (*currentVideoDriver)() = nullptr;
    Sdl2Window* (*windowFromId)(std::uint32_t) = nullptr;
    void* (*renderer)(Sdl2Window*) = nullptr;
    int (*rendererInfo)(void*, Sdl2RendererInfo*) = nullptr;
    Sdl2Surface* (*windowSurface)(Sdl2Window*) = nullptr;
    int (*updateWindowSurfaceRects)(Sdl2Window*, const Sdl2Rect*, int) = nullptr;

    bool Complete() const
    {
        return currentVideoDriver && windowFromId && renderer && rendererInfo && windowSurface && updateWindowSurfaceRects;
    }
};

template <typename Function>
void Find(void* library, const char* name, Function& function)
{
    function = reinterpret_cast<Function>(::dlsym(library, name));
}

const Sdl2* LayerOverX11()
{
    static const Sdl2* found = []() -> const Sdl2* {
        const char* choice = std::getenv("QUOLI_WINDOW_PUSH");
        if ((choice && std::strcmp(choice, "layer") == 0) || !OnCompatibilityLayer())
            return nullptr;
        // The window's pixels must be X11's own, not a texture of a second
        // renderer (which SDL 2 would refuse beside the layer's).
        const char* accelerated = std::getenv("SDL_FRAMEBUFFER_ACCELERATION");
        if (accelerated && std::strcmp(accelerated, "0") != 0 && std::strcmp(accelerated, "false") != 0)
            return nullptr;
        void* library = ::dlopen("libSDL2-2.0.so.0", RTLD_NOW | RTLD_NOLOAD);
        if (!library)
            return nullptr;
        static Sdl2 sdl2;
        Find(library, "SDL_GetCurrentVideoDriver", sdl2.currentVideoDriver);
        Find(library, "SDL_GetWindowFromID", sdl2.windowFromId);
        Find(library, "SDL_GetRenderer", sdl2.renderer);
        Find(library, "SDL_GetRendererInfo", sdl2.rendererInfo);
        Find(library, "SDL_GetWindowSurface", sdl2.windowSurface);
        Find(library, "SDL_UpdateWindowSurfaceRects", sdl2.updateWindowSurfaceRects);
        // Only X11's window pixels are the X server's shared memory, the
        // same the layer's software renderer draws into; elsewhere (Wayland)
        // a window's pixels would need a renderer of their own.
        if (!sdl2.Complete())
            return nullptr;
        const char* driver = sdl2.currentVideoDriver();
        return driver && std::strcmp(driver, "x11") == 0 ? &sdl2 : nullptr;
    }();
    return found;
}

int LowBit(std::uint32_t mask)
{
    int shift = 0;
    while (shift < 32 && !(mask & (1u << shift)))
        ++shift;
    return shift;
}

// The window the layer made: the one with the layer's renderer, SDL 2's
// software one (which draws into those same pixels; an OpenGL one would
// draw over them).
struct Window {
    std::uint32_t id = 0;
    Sdl2Surface* surface = nullptr;  // the pixels last written
    int width = 0, height = 0;
    int pictureWidth = 0, pictureHeight = 0;  // a new mode in full screen keeps the window
    void* pixels = nullptr;
    Placement at;
    std::vector<std::uint32_t> colours;  // window pixel of each 16-bit picture pixel
    const SDL_PixelFormat* coloursOf = nullptr;
    std::uint32_t coloursFor = 0;
    bool used = false;
};
Window window;

Sdl2Window* FindWindow(const Sdl2& sdl2)
{
    if (window.id)
        if (Sdl2Window* known = sdl2.windowFromId(window.id))
            return known;
    for (std::uint32_t id = 1; id < 64; ++id)
        if (Sdl2Window* w = sdl2.windowFromId(id)) {
            Sdl2RendererInfo info{};
            void* renderer = sdl2.renderer(w);
            if (!renderer || sdl2.rendererInfo(renderer, &info) < 0 || !info.name || std::strcmp(info.name, "software") != 0)
                continue;
            window.id = id;
            return w;
        }
    window.id = 0;
    return nullptr;
}

bool EightBitChannels(const Sdl2PixelFormat& f)
{
    auto eight = [](std::uint32_t mask) { return mask && (mask >> LowBit(mask)) == 0xFF; };
    return f.bytesPerPixel == 4 && eight(f.rMask) && eight(f.gMask) && eight(f.bMask);
}

bool SameFormat(const SDL_PixelFormat& picture, const Sdl2PixelFormat& w)
{
    return picture.BytesPerPixel == 4 && picture.Rmask == w.rMask && picture.Gmask == w.gMask && picture.Bmask == w.bMask;
}

void MakeColours(const SDL_PixelFormat* picture, const Sdl2PixelFormat& w)
{
    if (window.coloursOf == picture && window.coloursFor == w.format && !window.colours.empty())
        return;
    window.colours.resize(65536);
    int r = LowBit(w.rMask), g = LowBit(w.gMask), b = LowBit(w.bMask);
    for (std::uint32_t p = 0; p < 65536; ++p) {
        Uint8 red, green, blue;
        SDL_GetRGB(p, const_cast<SDL_PixelFormat*>(picture), &red, &green, &blue);
        window.colours[p] = (std::uint32_t{red} << r) | (std::uint32_t{green} << g) | (std::uint32_t{blue} << b) | w.aMask;
    }
    window.coloursOf = picture;
    window.coloursFor = w.format;
}

}  // namespace

bool WindowShownDirectly()
{
    return window.used;
}

WindowPush ShowAreasInWindow(SDL_Surface* screen, const SDL_Rect* areas, int count)
{
    const Sdl2* sdl2 = LayerOverX11();
    if (!sdl2 || !screen || !screen->pixels)
        return WindowPush::kNotHere;
    Sdl2Window* w = FindWindow(*sdl2);
    Sdl2Surface* pixels = w ? sdl2->windowSurface(w) : nullptr;
    if (!pixels || !pixels->pixels || !pixels->format || !EightBitChannels(*pixels->format))
        return WindowPush::kNotHere;
    const SDL_PixelFormat* format = screen->format;
    int bytes = format->BytesPerPixel;
    if (bytes == 2)
        MakeColours(format, *pixels->format);
    else if (!SameFormat(*format, *pixels->format))
        return WindowPush::kNotHere;

    Plane picture{static_cast<std::uint8_t*>(screen->pixels), screen->pitch, screen->w, screen->h};
    Plane target{static_cast<std::uint8_t*>(pixels->pixels), pixels->pitch, pixels->w, pixels->h};
    std::vector<Sdl2Rect> sent;
    // A new window (a new mode, full screen given by the window manager):
    // black around the picture, and all of the picture.
    if (pixels != window.surface || pixels->pixels != window.pixels || pixels->w != window.width || pixels->h != window.height ||
        screen->w != window.pictureWidth || screen->h != window.pictureHeight) {
        window.surface = pixels;
        window.pixels = pixels->pixels;
        window.width = pixels->w;
        window.height = pixels->h;
        window.pictureWidth = screen->w;
        window.pictureHeight = screen->h;
        window.at = PlaceScaled(screen->w, screen->h, pixels->w, pixels->h);
        for (int y = 0; y < pixels->h; ++y)
            std::memset(target.pixels + static_cast<std::ptrdiff_t>(y) * target.pitch, 0, static_cast<std::size_t>(pixels->w) * 4);
        CopyArea(picture, bytes, window.colours.data(), target, window.at, {0, 0, screen->w, screen->h});
        sent.push_back({0, 0, pixels->w, pixels->h});
    } else {
        for (int i = 0; i < count; ++i) {
            Area a = CopyArea(picture, bytes, window.colours.data(), target, window.at,
                              {areas[i].x, areas[i].y, areas[i].w, areas[i].h});
            if (a.width > 0 && a.height > 0)
                sent.push_back({a.x, a.y, a.width, a.height});
        }
    }
    window.used = true;
    if (!sent.empty())
        sdl2->updateWindowSurfaceRects(w, sent.data(), static_cast<int>(sent.size()));
    return WindowPush::kShown;
}

}  // namespace platform
