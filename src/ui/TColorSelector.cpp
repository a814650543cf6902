#include "ui/TColorSelector.h"

#include "gfx/Colours.h"
#include "gfx/Screen.h"

TColorSelector::TColorSelector(int l, int t, int r, int b, unsigned options, int* value)
    : TView(l, t, r, b, options), value_(value)
{
    ChangeBits(view::kSunken, true);
    kind = view::kColorSelector;
}

void TColorSelector::DrawBody()
{
    TView::DrawBody();
    int n = bevel;
    int w = right - left - 2 * n - 1, h = bottom - top - 2 * n - 1;
    for (int k = 0; k < 4; ++k)
        for (int i = 0; i < 8; ++i) {
            int x0 = left + n + 1 + i * w / 8, x1 = left + n + (i + 1) * w / 8;
            int y0 = top + n + 1 + k * h / 4, y1 = top + n + (k + 1) * h / 4;
            int colour = 8 * k + i;
            DrawBevel(x0, y0, x1, y1, 2, (state_ & (view::kActive | view::kEnabled)) |
                                             (value_ && *value_ == colour ? view::kSunken : 0));
            FillBox(x0 + 2, y0 + 2, x1 - 2, y1 - 2, MapColour(static_cast<std::uint32_t>(colour)));
        }
}

void TColorSelector::HandleEvent(TEvent& event)
{
    TView::HandleEvent(event);
    if (!(state_ & view::kFocused) || !value_)
        return;
    int old = *value_;
    int row = *value_ / 8, column = *value_ % 8;
    if (event.KeyPressedOrRepeat()) {
        switch (event.keyChar) {
        case SDLK_UP: if (row > 0) --row; break;
        case SDLK_DOWN: if (row < 3) ++row; break;
        case SDLK_RIGHT: if (column < 7) ++column; break;
        case SDLK_LEFT: if (column > 0) --column; break;
        default: break;
        }
    }
    int n = bevel;
    int x0 = left + n + 1, y0 = top + n + 1, x1 = right - n - 1, y1 = bottom - n - 1;
    if ((event.mouseButtons & mouse::kLeftPressed) && PointIn(event.mouseX, event.mouseY, x0, y0, x1, y1)) {
        column = (event.mouseX - x0) * 8 / (x1 - x0 + 1);
        row = (event.mouseY - y0) * 4 / (y1 - y0 + 1);
    }
    *value_ = 8 * row + column;
    if (*value_ != old) {
        ConsumeKey(event);
        Draw();
    }
}
