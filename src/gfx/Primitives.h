#pragma once
// Shapes drawn in the pen colour on the screen: pixels, lines, frames,
// rounded boxes, quarter and whole ellipses, and a left-to-right gradient.
// Each is clipped and marks only what it changed.

#include <cstdint>

void PutPixel(int x, int y, std::uint32_t value);
// The pixel at (x, y); 0 outside the screen.
std::uint32_t GetPixel(int x, int y);
void DrawLine(int x1, int y1, int x2, int y2);
void DrawFrame(int left, int top, int right, int bottom);
void DrawRoundFrame(int left, int top, int right, int bottom, int radius);
void FillRoundBox(int left, int top, int right, int bottom, int radius);
// One quadrant: sx, sy are -1 (left, up) or +1.
void DrawQuarterArc(int cx, int cy, int rx, int ry, int sx, int sy);
void FillQuarterArc(int cx, int cy, int rx, int ry, int sx, int sy);
void DrawEllipse(int cx, int cy, int rx, int ry);
void FillEllipse(int cx, int cy, int rx, int ry);
// Bands from colour1 (left) to colour2 (right), raw pixel values.
void FillGradientH(int left, int top, int right, int bottom, std::uint32_t colour1, std::uint32_t colour2, int steps);
