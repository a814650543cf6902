#pragma once
// Bitmap fonts made byte by byte for tests: every pixel of every glyph set.

#include <vector>

// Proportional, first code `first`, glyph widths as given, `height` rows.
std::vector<unsigned char> SolidBitmapFont(int first, const std::vector<int>& widths, int height);
