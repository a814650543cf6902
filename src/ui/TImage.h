#pragma once
// A picture from the resource archive, on a bevelled face or alone; greyed
// with a checkerboard when its dialog is not on top.

#include "gfx/Images.h"
#include "ui/TView.h"

namespace image {

constexpr unsigned kNoFace = 0x4000;
constexpr unsigned kNoKey = 0x8000;
constexpr unsigned kNeverGrey = 0x10000;

}  // namespace image

class TImage : public TView {
public:
    // Loads entry `number` of archive type `type`.
    TImage(int left, int top, int right, int bottom, unsigned options, int type, int number);

    void DrawBody() override;
    SDL_Surface* Picture() const { return picture_.get(); }

private:
    SurfacePtr picture_;
};
