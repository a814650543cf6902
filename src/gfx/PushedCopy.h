#pragma once
// A copy of what the display last received, so that only the parts of a
// repainted area that really changed are sent again. The game repaints the
// whole screen every frame while only a few sprites move; on a 24-bit
// desktop each pixel sent is also converted from 16 bits, so sending only
// the changes is most of the drawing cost saved.

#include "SDL.h"

#include <cstdint>
#include <vector>

class TPushedCopy {
public:
    static constexpr int kTileWidth = 32, kTileHeight = 16;

    // The rectangles (surface coordinates) of `area` that differ from the
    // copy; the copy takes their new contents. A new surface or size starts
    // with an empty copy, so its first area is sent whole.
    std::vector<SDL_Rect> Changes(SDL_Surface* surface, const SDL_Rect& area);
    // Forgets the copy: the display was refreshed some other way.
    void Forget();

private:
    bool TileChanged(const SDL_Surface* surface, int x, int y, int w, int h) const;
    void Take(const SDL_Surface* surface, const SDL_Rect& r);

    const SDL_Surface* surface_ = nullptr;
    int width_ = 0, height_ = 0, pitch_ = 0;
    std::vector<std::uint8_t> pixels_;
    std::vector<bool> known_;  // per tile: the copy holds what was sent
};
