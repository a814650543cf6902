#pragma once
// Colour numbers and the toolkit's colour-scheme roles. Values 1..31 name
// the base colours of the colour table; anything else is a pixel value.

#include <cstdint>

constexpr int kSchemeRoles = 18;

std::uint32_t MapColour(std::uint32_t colour);
std::uint32_t SchemeColour(int role);
void SetSchemeColour(int role, std::uint32_t colourNumber);
// Every role back to its first colour.
void ResetSchemeColours();
// The pixel value of an RGB colour in the screen's format.
std::uint32_t PixelOf(std::uint8_t r, std::uint8_t g, std::uint8_t b);
void SetPen(std::uint32_t colour);
