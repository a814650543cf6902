#pragma once
// Writing pictures as Windows BMP files: 24-bit, or 8-bit with a palette
// chosen for the picture (median cut) or given; and as PNG for the desktop.

#include "Canvas.h"

#include <string>
#include <vector>

struct Picture {
    int width = 0, height = 0;
    std::vector<Pixel> pixels;  // top row first
};

bool WriteBmp24(const std::string& path, const Picture& picture, Rgb matte);
// Pixels under half covered become index `transparentIndex` of the palette;
// the rest take the nearest palette colour.
bool WriteBmp8(const std::string& path, const Picture& picture, const std::vector<Rgb>& palette,
               int transparentIndex);
// A PNG with its alpha channel (desktop icons); the data is stored unpacked.
bool WritePng(const std::string& path, const Picture& picture);
// A palette of at most `count` colours for the picture's opaque pixels.
std::vector<Rgb> MedianCutPalette(const Picture& picture, int count);
// The program's 256 colours: the 32 named colours, a 6x6x6 cube, greys.
std::vector<Rgb> ProgramPalette();
