#include "ui/TCloseButton.h"

#include "gfx/Colours.h"
#include "gfx/Primitives.h"
#include "gfx/Screen.h"

#include <cmath>

TCloseButton::TCloseButton(int l, int t, int r, int b, int command) : TButton(l, t, r, b, 27, command)
{
    ChangeBits(view::kRounded, true);
    ChangeBits(view::kOutlined, false);
    bevel = 4;
    kind = view::kCloseButton;
}

void TCloseButton::DrawBody()
{
    bottom = top + (right - left);
    int cx = (left + right) / 2, cy = (top + bottom) / 2, radius = (right - left) / 2, n = bevel;
    bool live = Has(view::kActive | view::kEnabled);
    std::uint32_t face = SchemeColour(live ? 3 : 6);
    std::uint32_t light = SchemeColour(live ? 4 : 7);
    std::uint32_t dark = SchemeColour(live ? 5 : 8);
    if (live && (state_ & view::kPressed))
        std::swap(light, dark);
    auto disc = [&](std::uint32_t colour, int x, int y) {
        theScreen.pen = colour;
        FillEllipse(x, y, radius, radius);
    };
    disc(face, cx - n, cy + n);
    disc(face, cx + n, cy - n);
    disc(light, cx - n, cy);
    disc(dark, cx + n, cy + n);
    disc(dark, cx + n, cy);
    disc(dark, cx, cy + n);
    disc(light, cx - n, cy - n);
    disc(light, cx, cy - n);
    disc(face, cx, cy);
    int k = radius - static_cast<int>(std::floor(radius / std::sqrt(2.0)));
    int l = left, t = top, r = right, b = bottom;
    theScreen.pen = SchemeColour(0);
    DrawLine(l + k + 4, t + k + 4, r - k - 4, b - k - 4);
    DrawLine(l + k + 4, b - k - 4, r - k - 4, t + k + 4);
    DrawLine(l + k + 4, t + k + 5, r - k - 5, b - k - 4);
    DrawLine(l + k + 5, b - k - 4, r - k - 4, t + k + 5);
}

void TCloseButton::DrawFrame()
{
    int radius = (right - left) / 2 - bevel;
    DrawEllipse((left + right) / 2, (top + bottom) / 2, radius, radius);
}
