#pragma once
// What a screen shown over the game keeps to put the game's screen back as
// it was: the current font, the text anchors and a copy of the picture.

#include "gfx/Images.h"

#include <cstdint>

class TFont;

class ScreenState {
public:
    void Save();
    void Restore();

private:
    TFont* font_ = nullptr;
    std::uint8_t hAnchor_ = 0, vAnchor_ = 0;
    SurfacePtr picture_;
};

// The pointer shows over a screen on top of the game, and hides again
// afterwards if the game had hidden it.
void RevealPointer();
void ReHidePointer();
