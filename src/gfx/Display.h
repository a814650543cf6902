#pragma once
// The display and sound settings start-up fills in, and the conversion of
// layout constants written for a 640x480 screen ("design units") to pixels.

#include <cstdint>

struct DisplaySettings {
    int audioFrequency = 22050;
    std::uint16_t audioFormat = 0x8010;  // signed 16-bit little-endian
    int audioChannels = 1;
    int width = 640;
    int height = 480;
    int depth = 16;
    int scaleNum = 1;
    int scaleDen = 1;
    std::uint32_t videoFlags = 0x80000000u;  // full screen
};

extern DisplaySettings theDisplay;

// Sets width, height and scale for resolution index 0 (640x480),
// 1 (800x600) or 2 (1024x768).
void SetResolution(int index);
// The index for a "RESOLUTION" value; any other value, or none, gives 1.
int ResolutionIndex(const char* value);
// The index in force, 0..2: the game and the title pick pictures by it.
extern int theResolutionIndex;
// The settings and index of a process that has just started.
void ResetDisplay();

// v x scaleNum / scaleDen, truncating toward zero.
int Scaled(int v);
int Unscaled(int v);

struct Rect {
    int left, top, right, bottom;  // inclusive on every side
};

Rect ScaledRect(int left, int top, int right, int bottom);
