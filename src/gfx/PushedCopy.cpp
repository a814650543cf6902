#include "gfx/PushedCopy.h"

#include <algorithm>
#include <cstring>

namespace {

// Changed tiles closer than this (in tiles) are sent as one rectangle:
// each rectangle sent has a fixed cost of its own.
constexpr int kJoinGap = 2;

}  // namespace

void TPushedCopy::Forget()
{
    std::fill(known_.begin(), known_.end(), false);
}

bool TPushedCopy::TileChanged(const SDL_Surface* surface, int x, int y, int w, int h) const
{
    int bpp = surface->format->BytesPerPixel;
    int tilesAcross = (width_ + kTileWidth - 1) / kTileWidth;
    if (!known_[static_cast<std::size_t>((y / kTileHeight) * tilesAcross + x / kTileWidth)])
        return true;
    const auto* now = static_cast<const std::uint8_t*>(surface->pixels);
    for (int row = y; row < y + h; ++row) {
        std::size_t at = static_cast<std::size_t>(row) * static_cast<std::size_t>(pitch_) +
                         static_cast<std::size_t>(x * bpp);
        if (std::memcmp(now + at, pixels_.data() + at, static_cast<std::size_t>(w * bpp)) != 0)
            return true;
    }
    return false;
}

void TPushedCopy::Take(const SDL_Surface* surface, const SDL_Rect& r)
{
    int bpp = surface->format->BytesPerPixel;
    const auto* now = static_cast<const std::uint8_t*>(surface->pixels);
    for (int row = r.y; row < r.y + r.h; ++row) {
        std::size_t at = static_cast<std::size_t>(row) * static_cast<std::size_t>(pitch_) +
                         static_cast<std::size_t>(r.x * bpp);
        std::memcpy(pixels_.data() + at, now + at, static_cast<std::size_t>(r.w * bpp));
    }
}

std::vector<SDL_Rect> TPushedCopy::Changes(SDL_Surface* surface, const SDL_Rect& area)
{
    std::vector<SDL_Rect> out;
    if (!surface || !surface->pixels)
        return {area};
    if (surface != surface_ || surface->w != width_ || surface->h != height_ || surface->pitch != pitch_) {
        surface_ = surface;
        width_ = surface->w;
        height_ = surface->h;
        pitch_ = surface->pitch;
        pixels_.assign(static_cast<std::size_t>(pitch_) * static_cast<std::size_t>(height_), 0);
        known_.assign(static_cast<std::size_t>(((width_ + kTileWidth - 1) / kTileWidth) *
                                               ((height_ + kTileHeight - 1) / kTileHeight)),
                      false);
    }
    int left = std::max(0, static_cast<int>(area.x)), top = std::max(0, static_cast<int>(area.y));
    int right = std::min(width_, area.x + area.w), bottom = std::min(height_, area.y + area.h);
    if (left >= right || top >= bottom)
        return out;
    int tilesAcross = (width_ + kTileWidth - 1) / kTileWidth;
    for (int ty = top / kTileHeight; ty * kTileHeight < bottom; ++ty) {
        int y0 = std::max(top, ty * kTileHeight), y1 = std::min(bottom, (ty + 1) * kTileHeight);
        int runStart = -1, runEnd = -1;  // in pixels, within [left, right)
        auto flush = [&] {
            if (runStart < 0)
                return;
            SDL_Rect r = {static_cast<Sint16>(runStart), static_cast<Sint16>(y0),
                          static_cast<Uint16>(runEnd - runStart), static_cast<Uint16>(y1 - y0)};
            Take(surface, r);
            out.push_back(r);
            runStart = -1;
        };
        for (int tx = left / kTileWidth; tx * kTileWidth < right; ++tx) {
            int x0 = std::max(left, tx * kTileWidth), x1 = std::min(right, (tx + 1) * kTileWidth);
            bool wholeTile = x0 == tx * kTileWidth && x1 == std::min(width_, (tx + 1) * kTileWidth) &&
                             y0 == ty * kTileHeight && y1 == std::min(height_, (ty + 1) * kTileHeight);
            if (!TileChanged(surface, x0, y0, x1 - x0, y1 - y0))
                continue;
            if (runStart >= 0 && x0 - runEnd > kJoinGap * kTileWidth)
                flush();
            if (runStart < 0)
                runStart = x0;
            runEnd = x1;
            // Only a tile taken whole is known to match the display.
            if (wholeTile)
                known_[static_cast<std::size_t>(ty * tilesAcross + tx)] = true;
        }
        flush();
    }
    return out;
}
