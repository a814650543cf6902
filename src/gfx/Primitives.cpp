#include "gfx/Primitives.h"

#include "gfx/Screen.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

void PutPixel(int x, int y, std::uint32_t value)
{
    const Rect& c = theScreen.clip;
    if (!theScreen.surface || x < c.left || x > c.right || y < c.top || y > c.bottom)
        return;
    LockScreen();
    SDL_Surface* s = theScreen.surface;
    int bpp = s->format->BytesPerPixel;
    Uint8* p = static_cast<Uint8*>(s->pixels) + (y + theScreen.originY) * s->pitch + (x + theScreen.originX) * bpp;
    switch (bpp) {
    case 1: *p = static_cast<Uint8>(value); break;
    case 2: *reinterpret_cast<Uint16*>(p) = static_cast<Uint16>(value); break;
    case 3:
        p[s->format->Rshift / 8] = static_cast<Uint8>(value >> s->format->Rshift);
        p[s->format->Gshift / 8] = static_cast<Uint8>(value >> s->format->Gshift);
        p[s->format->Bshift / 8] = static_cast<Uint8>(value >> s->format->Bshift);
        break;
    default: *reinterpret_cast<Uint32*>(p) = value; break;
    }
    UnlockScreen();
    MarkDirty(x, y, x, y);
}

std::uint32_t GetPixel(int x, int y)
{
    SDL_Surface* s = theScreen.surface;
    if (!s || x < 0 || y < 0 || x >= theScreen.width || y >= theScreen.height)
        return 0;
    LockScreen();
    int bpp = s->format->BytesPerPixel;
    const Uint8* p = static_cast<const Uint8*>(s->pixels) + (y + theScreen.originY) * s->pitch + (x + theScreen.originX) * bpp;
    std::uint32_t value;
    switch (bpp) {
    case 1: value = *p; break;
    case 2: value = *reinterpret_cast<const Uint16*>(p); break;
    case 3:
        value = static_cast<std::uint32_t>(p[s->format->Rshift / 8]) << s->format->Rshift |
                static_cast<std::uint32_t>(p[s->format->Gshift / 8]) << s->format->Gshift |
                static_cast<std::uint32_t>(p[s->format->Bshift / 8]) << s->format->Bshift;
        break;
    default: value = *reinterpret_cast<const Uint32*>(p); break;
    }
    UnlockScreen();
    return value;
}

void DrawLine(int x1, int y1, int x2, int y2)
{
    if (x1 == x2 || y1 == y2) {
        FillBoxRaw(x1, y1, x2, y2, theScreen.pen);
        MarkDirty(std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2));
        return;
    }
    int sx = x2 > x1 ? 1 : -1, sy = y2 > y1 ? 1 : -1;
    int n = std::abs(x2 - x1) + 1, m = std::abs(y2 - y1) + 1;
    int x = x1, y = y1, acc = 0;
    LockScreen();
    if (n >= m) {
        for (int i = 0; i < n; ++i) {
            PutPixel(x, y, theScreen.pen);
            x += sx;
            acc += m;
            if (acc >= n) {
                y += sy;
                acc -= n;
            }
        }
    } else {
        for (int i = 0; i < m; ++i) {
            PutPixel(x, y, theScreen.pen);
            y += sy;
            acc += n;
            if (acc >= m) {
                x += sx;
                acc -= m;
            }
        }
    }
    UnlockScreen();
    MarkDirty(std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2));
}

void DrawFrame(int left, int top, int right, int bottom)
{
    FillBoxRaw(left, bottom, right, bottom, theScreen.pen);
    FillBoxRaw(left, top, right, top, theScreen.pen);
    FillBoxRaw(left, top, left, bottom, theScreen.pen);
    FillBoxRaw(right, top, right, bottom, theScreen.pen);
    MarkDirty(left, top, right, bottom);
}

namespace {

// The first quadrant of an ellipse by the midpoint rule, from (0, ry) to
// (rx, 0); each point once.
template <typename Point>
void WalkQuadrant(int rx, int ry, Point&& point)
{
    if (rx < 0 || ry < 0)
        return;
    long long a2 = static_cast<long long>(rx) * rx, b2 = static_cast<long long>(ry) * ry;
    long long x = 0, y = ry;
    long long dx = 0, dy = 2 * a2 * y;
    long long d1 = b2 - a2 * ry + a2 / 4;
    while (dx < dy) {
        point(static_cast<int>(x), static_cast<int>(y));
        ++x;
        dx += 2 * b2;
        if (d1 < 0) {
            d1 += dx + b2;
        } else {
            --y;
            dy -= 2 * a2;
            d1 += dx - dy + b2;
        }
    }
    long long d2 = b2 * (2 * x + 1) * (2 * x + 1) / 4 + a2 * (y - 1) * (y - 1) - a2 * b2;
    while (y >= 0) {
        point(static_cast<int>(x), static_cast<int>(y));
        --y;
        dy -= 2 * a2;
        if (d2 > 0) {
            d2 += a2 - dy;
        } else {
            ++x;
            dx += 2 * b2;
            d2 += dx - dy + a2;
        }
    }
}

void HorizontalLine(int x1, int x2, int y)
{
    FillBoxRaw(x1, y, x2, y, theScreen.pen);
    MarkDirty(std::min(x1, x2), y, std::max(x1, x2), y);
}

}  // namespace

void DrawQuarterArc(int cx, int cy, int rx, int ry, int sx, int sy)
{
    LockScreen();
    WalkQuadrant(rx, ry, [&](int x, int y) { PutPixel(cx + sx * x, cy + sy * y, theScreen.pen); });
    UnlockScreen();
}

void FillQuarterArc(int cx, int cy, int rx, int ry, int sx, int sy)
{
    if (rx < 0 || ry < 0)
        return;
    // One fill a row, as wide as the row's outermost point: the same pixels
    // as a line to every point, at a fraction of the fills.
    int widest[512];
    std::vector<int> more;
    int* width = ry < 512 ? widest : (more.assign(static_cast<std::size_t>(ry) + 1, -1), more.data());
    std::fill(width, width + ry + 1, -1);
    WalkQuadrant(rx, ry, [&](int x, int y) { width[y] = std::max(width[y], x); });
    for (int y = 0; y <= ry; ++y)
        if (width[y] >= 0)
            FillBoxRaw(std::min(cx, cx + sx * width[y]), cy + sy * y, std::max(cx, cx + sx * width[y]), cy + sy * y,
                       theScreen.pen);
    MarkDirty(std::min(cx, cx + sx * rx), std::min(cy, cy + sy * ry), std::max(cx, cx + sx * rx),
              std::max(cy, cy + sy * ry));
}

void DrawEllipse(int cx, int cy, int rx, int ry)
{
    LockScreen();
    WalkQuadrant(rx, ry, [&](int x, int y) {
        PutPixel(cx + x, cy + y, theScreen.pen);
        if (x != 0)
            PutPixel(cx - x, cy + y, theScreen.pen);
        if (y != 0) {
            PutPixel(cx + x, cy - y, theScreen.pen);
            if (x != 0)
                PutPixel(cx - x, cy - y, theScreen.pen);
        }
    });
    UnlockScreen();
}

void FillEllipse(int cx, int cy, int rx, int ry)
{
    WalkQuadrant(rx, ry, [&](int x, int y) {
        if (x == 0) {
            DrawLine(cx, cy - y, cx, cy + y);
            return;
        }
        HorizontalLine(cx + x, cx - x, cy + y);
        if (y != 0)
            HorizontalLine(cx + x, cx - x, cy - y);
    });
}

void DrawRoundFrame(int l, int t, int r, int b, int radius)
{
    int p = radius;
    DrawQuarterArc(l + p, t + p, p, p, -1, -1);
    DrawQuarterArc(r - p, t + p, p, p, 1, -1);
    DrawQuarterArc(l + p, b - p, p, p, -1, 1);
    DrawQuarterArc(r - p, b - p, p, p, 1, 1);
    DrawLine(l + p, t, r - p, t);
    DrawLine(l + p, b, r - p, b);
    DrawLine(l, t + p, l, b - p);
    DrawLine(r, t + p, r, b - p);
}

void FillRoundBox(int l, int t, int r, int b, int radius)
{
    int p = radius;
    FillQuarterArc(l + p, t + p, p, p, -1, -1);
    FillQuarterArc(r - p, t + p, p, p, 1, -1);
    FillQuarterArc(l + p, b - p, p, p, -1, 1);
    FillQuarterArc(r - p, b - p, p, p, 1, 1);
    FillBox(l + p, t, r - p, b, theScreen.pen);
    FillBox(l, t + p, l + p, b - p, theScreen.pen);
    FillBox(r - p, t + p, r, b - p, theScreen.pen);
}

void FillGradientH(int l, int t, int r, int b, std::uint32_t colour1, std::uint32_t colour2, int steps)
{
    if (steps < 1 || !theScreen.surface)
        return;
    SDL_PixelFormat* f = theScreen.surface->format;
    Uint8 r1, g1, b1, r2, g2, b2;
    SDL_GetRGB(colour1, f, &r1, &g1, &b1);
    SDL_GetRGB(colour2, f, &r2, &g2, &b2);
    int x0 = std::min(l, r), width = std::abs(r - l);
    for (int i = 0; i < steps; ++i) {
        int left = x0 + i * width / steps;
        int right = x0 + (i + 1) * width / steps;
        // A single band takes the first colour.
        int span = steps > 1 ? steps - 1 : 1;
        auto mix = [&](int c1, int c2) { return static_cast<Uint8>(c1 + (c2 - c1) * i / span); };
        FillBox(left, t, right, b, SDL_MapRGB(f, mix(r1, r2), mix(g1, g2), mix(b1, b2)));
    }
}
