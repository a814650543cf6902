#include "ui/TScrollBar.h"

#include "app/Commands.h"
#include "gfx/Colours.h"
#include "gfx/Primitives.h"
#include "gfx/Screen.h"
#include "gfx/Text.h"

#include <algorithm>
#include <cstdio>

TScrollBar::TScrollBar(int l, int t, int r, int b, unsigned options, int* value, int min, int max, int step,
                       int visible)
    : TView(l, t, r, b, options), value_(value ? value : &ownValue_), min_(min), max_(max), step_(step),
      visible_(visible)
{
    kind = view::kScrollBar;
    ClampValue();
    Layout();
}

void TScrollBar::ClampValue()
{
    *value_ = std::clamp(*value_, min_, std::max(min_, max_));
}

void TScrollBar::SetRange(int min, int max, int step, int visible)
{
    min_ = min;
    max_ = max;
    step_ = step > 0 ? step : 1;
    visible_ = visible;
    ClampValue();
    Layout();
    Changed();
}

void TScrollBar::Layout()
{
    horizontal_ = (bottom - top) < (right - left);
    int c = theScreen.width / 48 + 4;
    if (options_ & scrollbar::kOwnThickness)
        c = horizontal_ ? bottom - top : right - left;
    else if (horizontal_)
        top = bottom - c;
    else
        left = right - c;
    buttonSize_ = c;
    if (horizontal_) {
        first_ = {left, top, left + c, bottom};
        second_ = {right - c, top, right, bottom};
        trackStart_ = first_.right;
        trackEnd_ = second_.left;
    } else {
        first_ = {left, top, right, top + c};
        second_ = {left, bottom - c, right, bottom};
        trackStart_ = first_.bottom;
        trackEnd_ = second_.top;
    }
    int span = visible_ + max_ - min_;
    thumbLength_ = (max_ == min_ || span <= 0) ? c : visible_ * (trackEnd_ - trackStart_) / span;
    thumbLength_ = std::max(thumbLength_, c);
    steps_ = std::max(1, (max_ - min_) / std::max(1, step_));
    freeTrack_ = trackEnd_ - trackStart_ - thumbLength_;
    pixelsPerStep_ = freeTrack_ / steps_;
}

void TScrollBar::DrawArrowButton(const Rect& r, int arrow, bool held)
{
    int w = theScreen.width / 320;
    DrawBevel(r.left, r.top, r.right, r.bottom, w, (state_ & (view::kActive | view::kEnabled)) | (held ? view::kPressed : 0));
    int margin = 2 * w + 1;
    int l = r.left + margin, t = r.top + margin, rr = r.right - margin, b = r.bottom - margin;
    if (rr <= l || b <= t)
        return;
    theScreen.pen = SchemeColour(0);
    // arrow: 0 up, 1 down, 2 left, 3 right. A triangle from the tip to the
    // full width, then a stem half as wide.
    bool vertical = arrow < 2;
    int across0 = vertical ? l : t, across1 = vertical ? rr : b;
    int along0 = vertical ? t : l, along1 = vertical ? b : rr;
    bool reversed = arrow == 1 || arrow == 3;
    int mid = (across0 + across1) / 2, half = (across1 - across0) / 2;
    int length = along1 - along0;
    for (int i = 0; i <= length; ++i) {
        int along = reversed ? along1 - i : along0 + i;
        int spread = i <= half ? i : half / 2;
        if (vertical)
            DrawLine(mid - spread, along, mid + spread, along);
        else
            DrawLine(along, mid - spread, along, mid + spread);
    }
}

void TScrollBar::DrawBody()
{
    Layout();
    bool live = Has(view::kActive | view::kEnabled);
    if (horizontal_)
        FillBox(trackStart_, top, trackEnd_, bottom, SchemeColour(live ? 6 : 0));
    else
        FillBox(left, trackStart_, right, trackEnd_, SchemeColour(live ? 6 : 0));
    DrawArrowButton(first_, horizontal_ ? 2 : 0, (options_ & scrollbar::kFirstHeld) != 0);
    DrawArrowButton(second_, horizontal_ ? 3 : 1, (options_ & scrollbar::kSecondHeld) != 0);
    int p = (max_ == min_) ? 0 : ((*value_ - min_) / std::max(1, step_)) * freeTrack_ / steps_;
    int t0 = trackStart_ + p, t1 = trackStart_ + p + thumbLength_;
    if (horizontal_) {
        thumb_ = {t0, top, t1, bottom};
        before_ = {trackStart_ + 1, top, t0 - 1, bottom};
        after_ = {t1 + 1, top, trackEnd_ - 1, bottom};
    } else {
        thumb_ = {left, t0, right, t1};
        before_ = {left, trackStart_ + 1, right, t0 - 1};
        after_ = {left, t1 + 1, right, trackEnd_ - 1};
    }
    DrawBevel(thumb_.left, thumb_.top, thumb_.right, thumb_.bottom, theScreen.width / 320,
              state_ & (view::kActive | view::kEnabled));
    theScreen.pen = SchemeColour(2);
    ::DrawFrame(left, top, right, bottom);
}

void TScrollBar::DrawFrame()
{
    ::DrawFrame(left - 1, top - 1, right + 1, bottom + 1);
}

void TScrollBar::StepUp()
{
    *value_ = std::min(*value_ + step_, std::max(min_, max_));
    ClampValue();
    Changed();
}

void TScrollBar::StepDown()
{
    *value_ = std::max(*value_ - step_, min_);
    ClampValue();
    Changed();
}

void TScrollBar::PageUp()
{
    *value_ = std::min(*value_ + Page(), std::max(min_, max_));
    ClampValue();
    Changed();
}

void TScrollBar::PageDown()
{
    *value_ = std::max(*value_ - Page(), min_);
    ClampValue();
    Changed();
}

void TScrollBar::HandleEvent(TEvent& event)
{
    TView::HandleEvent(event);
    int oldValue = *value_;
    unsigned oldHeld = options_ & (scrollbar::kFirstHeld | scrollbar::kSecondHeld);
    int x = event.mouseX, y = event.mouseY;
    int pointer = horizontal_ ? x : y;
    bool focused = (state_ & view::kFocused) != 0;
    if (state_ & view::kDragging) {
        if (focused && !(event.mouseButtons & mouse::kLeftReleased)) {
            int room = trackEnd_ - trackStart_ - thumbLength_;
            *value_ = room <= 0 ? min_
                                : min_ + step_ * ((pixelsPerStep_ / 2 + pointer - trackStart_ - dragOffset_) * steps_ / room);
            ClampValue();
            Changed();
        } else {
            ChangeBits(view::kDragging, false);
        }
    } else if (focused) {
        auto on = [&](const Rect& r) { return PointIn(x, y, r.left, r.top, r.right, r.bottom); };
        int buttons = event.mouseButtons;
        if (on(first_) || on(second_)) {
            bool firstButton = on(first_);
            unsigned bit = firstButton ? scrollbar::kFirstHeld : scrollbar::kSecondHeld;
            if (buttons & mouse::kLeftPressed) {
                options_ |= bit;
                firstButton ? StepDown() : StepUp();
            } else if (buttons & mouse::kLeftReleased) {
                options_ &= ~bit;
            } else if ((options_ & bit) && (buttons & mouse::kLeftRepeat)) {
                firstButton ? StepDown() : StepUp();
            }
        } else if (buttons & mouse::kLeftHeld) {
            options_ &= ~(scrollbar::kFirstHeld | scrollbar::kSecondHeld);
        }
        if ((buttons & mouse::kLeftPressed) && on(thumb_)) {
            dragOffset_ = pointer - (horizontal_ ? thumb_.left : thumb_.top) - 1;
            ChangeBits(view::kDragging, true);
        } else if (buttons & (mouse::kLeftPressed | mouse::kLeftRepeat)) {
            if (on(before_))
                PageDown();
            else if (on(after_))
                PageUp();
        }
        int less = horizontal_ ? SDLK_LEFT : SDLK_UP, more = horizontal_ ? SDLK_RIGHT : SDLK_DOWN;
        if (event.KeyPressedOrRepeat() && (event.keyChar == less || event.keyChar == more)) {
            bool down = event.keyChar == less;
            options_ |= down ? scrollbar::kFirstHeld : scrollbar::kSecondHeld;
            down ? StepDown() : StepUp();
            ConsumeKey(event);
        } else if (event.keyAction == key::kReleased && (event.keyChar == less || event.keyChar == more)) {
            options_ &= ~(scrollbar::kFirstHeld | scrollbar::kSecondHeld);
        }
        if (event.command == command::kScrollDown)
            StepDown();
        else if (event.command == command::kScrollUp)
            StepUp();
    }
    if (*value_ != oldValue || (options_ & (scrollbar::kFirstHeld | scrollbar::kSecondHeld)) != oldHeld) {
        Draw();
        if (linked)
            linked->Draw();
    }
}

TAnalogSel::TAnalogSel(int l, int t, int r, int b, unsigned options, int* value, int min, int max, int step)
    : TScrollBar(l, t, r, b, options, value, min, max, step, 0)
{
    kind = view::kAnalogSel;
}

int TAnalogSel::ValueX() const
{
    return right + Scaled(10);
}

Rect TAnalogSel::ValueArea() const
{
    DrawingState saved;
    theScreen.font = font;
    char text[16];
    int widest = 0;
    for (int v : {min_, max_}) {
        std::snprintf(text, sizeof text, "%d", v);
        widest = std::max(widest, TextWidth(text));
    }
    int mid = (top + bottom) / 2, h = LineHeight(), x = ValueX();
    return {x, mid - h / 2, x + widest - 1, mid - h / 2 + h - 1};
}

void TAnalogSel::DrawBody()
{
    TScrollBar::DrawBody();
    theScreen.font = font;
    int mid = (top + bottom) / 2, h = LineHeight();
    char text[16];
    int x = ValueX();
    int oldWidth = 0;
    if (hasPrinted_) {
        std::snprintf(text, sizeof text, "%d", printed_);
        oldWidth = TextWidth(text);
    }
    FillBox(x - 2, mid - h / 2 - 2, x + oldWidth + 2, mid + h / 2 + 2, FrameColour());
    std::snprintf(text, sizeof text, "%d", *value_);
    theScreen.pen = SchemeColour(0);
    theScreen.hAnchor = 0;
    theScreen.vAnchor = 1;
    DrawText(x, mid, text);
    printed_ = *value_;
    hasPrinted_ = true;
}
