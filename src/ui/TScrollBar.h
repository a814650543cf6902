#pragma once
// A value between a minimum and a maximum, moved by arrow buttons (a step),
// the page areas (a page: the visible part), dragging the thumb, the arrow
// keys and commands 24 and 25.
// A slider (`TAnalogSel`) is a scroll bar that prints its value beside it.

#include "ui/TView.h"

#include <algorithm>

namespace scrollbar {

constexpr unsigned kOwnThickness = 0x200;
constexpr unsigned kFirstHeld = 0x800;
constexpr unsigned kSecondHeld = 0x1000;

}  // namespace scrollbar

class TScrollBar : public TView {
public:
    TScrollBar(int left, int top, int right, int bottom, unsigned options, int* value, int min, int max, int step,
               int visible);

    void DrawBody() override;
    void DrawFrame() override;
    void HandleEvent(TEvent& event) override;
    virtual void StepUp();
    virtual void StepDown();
    // Like StepUp and StepDown (value + or -), by the visible part, or by a
    // step when the bar shows no visible part.
    void PageUp();
    void PageDown();
    virtual void Changed() {}
    virtual void DrawArrowButton(const Rect& r, int arrow, bool held);

    void SetRange(int min, int max, int step, int visible);
    void SetValue(int v) { *value_ = v; }
    void ClampValue();
    int Value() const { return *value_; }
    int Min() const { return min_; }
    int Max() const { return max_; }
    int Step() const { return step_; }
    int Page() const { return std::max(step_, visible_); }
    bool Horizontal() const { return horizontal_; }
    void Layout();
    // Where the parts were last laid out and drawn (screen pixels).
    const Rect& FirstButton() const { return first_; }
    const Rect& SecondButton() const { return second_; }
    const Rect& Thumb() const { return thumb_; }

    TView* linked = nullptr;  // drawn again whenever the value changes

protected:
    int* value_;
    int ownValue_ = 0;  // used when the caller gives no variable
    int min_, max_, step_, visible_;
    bool horizontal_ = false;
    int buttonSize_ = 0, trackStart_ = 0, trackEnd_ = 0, thumbLength_ = 0;
    int steps_ = 1, freeTrack_ = 0, pixelsPerStep_ = 0;
    int dragOffset_ = 0;
    Rect first_{}, second_{}, before_{}, after_{}, thumb_{};
};

class TAnalogSel : public TScrollBar {
public:
    TAnalogSel(int left, int top, int right, int bottom, unsigned options, int* value, int min, int max, int step);
    void DrawBody() override;
    // Where the value is printed, beside the bar, as wide as the widest value.
    Rect ValueArea() const;

private:
    int ValueX() const;
    int printed_ = 0;
    bool hasPrinted_ = false;
};
