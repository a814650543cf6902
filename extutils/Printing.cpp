// Printing through CUPS's own client, on the default printer: text as text
// (CUPS lays it out on pages), the screen as a picture fitted to the page.

#include "ExtUtils.h"
#include "Tools.h"

#include <string>

using namespace extutils;

namespace {

int Print(const char* title, int copies, const std::vector<std::string>& options, const std::string& document)
{
    std::vector<std::string> command{"lp", "-t", Latin1ToUtf8(title), "-n", std::to_string(copies < 1 ? 1 : copies)};
    for (const std::string& o : options) {
        command.push_back("-o");
        command.push_back(o);
    }
    return RunTool(command, document, ToolDeadline());
}

}  // namespace

extern "C" int PrintAsciiText(const char* title, const char* const* lines, int copies, void*)
{
    if (!lines)
        return 1;
    std::string text = Latin1ToUtf8(title) + "\n\n";
    for (const char* const* line = lines; *line; ++line)
        text += Latin1ToUtf8(*line) + "\n";
    return Print(title, copies, {"document-format=text/plain"}, text);
}

extern "C" int PrintBitmap(const char* title, SDL_Surface* surface, int copies)
{
    if (!surface || !surface->format || surface->w <= 0 || surface->h <= 0)
        return 1;
    bool locked = SDL_MUSTLOCK(surface) && SDL_LockSurface(surface) == 0;
    // A portable pixmap: every printing system reads it.
    std::string image = "P6\n" + std::to_string(surface->w) + " " + std::to_string(surface->h) + "\n255\n";
    const SDL_PixelFormat* f = surface->format;
    for (int y = 0; y < surface->h; ++y) {
        const Uint8* row = static_cast<const Uint8*>(surface->pixels) + y * surface->pitch;
        for (int x = 0; x < surface->w; ++x) {
            Uint32 pixel = 0;
            const Uint8* p = row + x * f->BytesPerPixel;
            switch (f->BytesPerPixel) {
            case 1: pixel = *p; break;
            case 2: pixel = *reinterpret_cast<const Uint16*>(p); break;
            case 3: pixel = static_cast<Uint32>(p[0] | (p[1] << 8) | (p[2] << 16)); break;
            default: pixel = *reinterpret_cast<const Uint32*>(p); break;
            }
            Uint8 r, g, b;
            SDL_GetRGB(pixel, const_cast<SDL_PixelFormat*>(f), &r, &g, &b);
            image += static_cast<char>(r);
            image += static_cast<char>(g);
            image += static_cast<char>(b);
        }
    }
    if (locked)
        SDL_UnlockSurface(surface);
    return Print(title, copies, {"document-format=image/x-portable-anymap", "fit-to-page"}, image);
}
