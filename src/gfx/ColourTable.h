#pragma once
// The 32 base colours that colour numbers 1..31 name (0 is black). The
// palette in the resource archive starts with them too.

#include <algorithm>
#include <cmath>
#include <cstdint>

struct NamedColour {
    std::uint8_t r, g, b;
};

inline constexpr NamedColour kColourTable[32] = {
    {0, 0, 0},       {63, 63, 63},    {127, 127, 127}, {191, 191, 191}, {255, 255, 0},   {255, 215, 0},
    {255, 160, 0},   {255, 100, 0},   {255, 0, 0},     {127, 0, 0},     {165, 42, 42},   {180, 100, 0},
    {220, 160, 0},   {255, 160, 122}, {255, 200, 160}, {255, 255, 255}, {255, 191, 203}, {238, 130, 238},
    {255, 105, 180}, {255, 0, 255},   {160, 32, 240},  {4, 4, 255},     {0, 127, 255},   {105, 155, 175},
    {0, 127, 127},   {0, 100, 0},     {0, 168, 0},     {0, 220, 0},     {0, 255, 0},     {127, 255, 212},
    {0, 255, 255},   {180, 255, 255}};

// The contrast ratio of two colours as the web's accessibility guidelines
// measure it: 1 (none) to 21 (black on white); 4.5 is enough for text.
inline double ContrastRatio(const NamedColour& a, const NamedColour& b)
{
    auto channel = [](std::uint8_t v) {
        double c = v / 255.0;
        return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    auto luminance = [&](const NamedColour& c) {
        return 0.2126 * channel(c.r) + 0.7152 * channel(c.g) + 0.0722 * channel(c.b);
    };
    double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}
