#pragma once
// Copying areas of the program's picture into a window's own pixels, scaled
// by nearest neighbour with its proportions kept and centred. Each window
// pixel shows the picture pixel its position gives, whichever area is
// copied: a picture sent in pieces looks exactly as one sent whole.

#include <cstdint>

namespace platform {

// Where a picture shows in a window: its top left corner and its size there.
struct Placement {
    int x = 0, y = 0, width = 0, height = 0;
};

// The largest place of the picture's proportions that fits the window,
// centred (as SDL 2 places a renderer's logical size, so the pointer, which
// SDL 2 maps back, lands where it is drawn).
Placement PlaceScaled(int width, int height, int windowWidth, int windowHeight);

// Window positions [first, end), counted from the placement's edge, that
// show picture positions from..to of a picture `length` long shown
// `placed` long.
struct Span {
    int first = 0, end = 0;
};
Span WindowSpan(int from, int to, int length, int placed);

// Pixels in memory: 2 or 4 bytes each.
struct Plane {
    std::uint8_t* pixels = nullptr;
    int pitch = 0;
    int width = 0, height = 0;
};

struct Area {
    int x = 0, y = 0, width = 0, height = 0;
};

// Copies the picture's area into a 32-bit window at `at`: a 16-bit picture
// through `colours` (65536 window pixels, one for each picture pixel), a
// 32-bit one as it is (same format). Returns the window area written;
// nothing (0 x 0) when the area is outside the picture.
Area CopyArea(const Plane& picture, int bytesPerPixel, const std::uint32_t* colours, const Plane& window,
              const Placement& at, Area area);

}  // namespace platform
