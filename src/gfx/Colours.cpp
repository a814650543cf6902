#include "gfx/Colours.h"

#include "gfx/ColourTable.h"
#include "gfx/Screen.h"

#include <array>

namespace {

// Every text on its ground reads at a contrast of 4.5:1 or more: hot-key
// letters (roles 10 and 11) in dark red on an active face and black on an
// inactive one (white and light grey on the grey faces could not be read);
// the selected row of a list or an input line in blue under white text,
// in dark grey under light grey once its dialog is not in front (orange
// and brown were too light under them).
constexpr std::array<std::uint32_t, kSchemeRoles> kDefaultScheme = {0, 22, 0, 3, 15, 2, 2, 3, 1, 4, 9, 0, 0, 21, 1, 15, 3, 2};
std::array<std::uint32_t, kSchemeRoles> scheme = kDefaultScheme;

}  // namespace

std::uint32_t PixelOf(std::uint8_t r, std::uint8_t g, std::uint8_t b)
{
    if (!theScreen.surface)
        return 0;
    return SDL_MapRGB(theScreen.surface->format, r, g, b);
}

std::uint32_t MapColour(std::uint32_t colour)
{
    if (theScreen.palettised || colour < 1 || colour > 31)
        return colour;
    const NamedColour& c = kColourTable[colour];
    return PixelOf(c.r, c.g, c.b);
}

std::uint32_t SchemeColour(int role)
{
    if (role < 0 || role >= kSchemeRoles)
        return 0;
    return MapColour(scheme[role]);
}

void SetSchemeColour(int role, std::uint32_t colourNumber)
{
    if (role >= 0 && role < kSchemeRoles)
        scheme[role] = colourNumber;
}

void SetPen(std::uint32_t colour)
{
    theScreen.pen = MapColour(colour);
}

void ResetSchemeColours()
{
    scheme = kDefaultScheme;
}
