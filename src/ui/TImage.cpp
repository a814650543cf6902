#include "ui/TImage.h"

#include "gfx/Primitives.h"
#include "gfx/Screen.h"
#include "gfx/ImageLoaders.h"

TImage::TImage(int l, int t, int r, int b, unsigned options, int type, int number)
    : TView(l, t, r, b, options), picture_(LoadImage(type, number))
{
    ChangeBits(view::kSunken, true);
    ChangeBits(view::kSelectable | view::kFramed, false);
    kind = view::kImage;
    if (picture_ && !(options & image::kNoKey) && picture_->format->BytesPerPixel == 1)
        SDL_SetColorKey(picture_.get(), SDL_SRCCOLORKEY, *static_cast<Uint8*>(picture_->pixels));
}

void TImage::DrawBody()
{
    if (!(options_ & image::kNoFace))
        TView::DrawBody();
    if (picture_)
        DrawImageCentred((left + right + 1) / 2, (top + bottom + 1) / 2, picture_.get());
    if ((options_ & (image::kNoFace | image::kNeverGrey)) || Has(view::kActive | view::kEnabled))
        return;
    LockScreen();
    for (int y = top + bevel; y <= bottom - bevel; ++y)
        for (int x = left + bevel + (((left + bevel + y) & 1) ? 0 : 1); x <= right - bevel; x += 2)
            PutPixel(x, y, 0);
    UnlockScreen();
}
