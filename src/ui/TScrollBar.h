#pragma once
// A value between a minimum and a maximum, moved by arrow buttons, the
// page areas, dragging the thumb, the arrow keys and commands 24 and 25.
// A slider (`TAnalogSel`) is a scroll bar that prints its value beside it.

#include "ui/TView.h"

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
    virtual void Changed() {}
    virtual void DrawArrowButton(const Rect& r, int arrow, bool held);

    void SetRange(int min, int max, int step, int visible);
    void SetValue(int v) { *value_ = v; }
    void ClampValue();
    int Value() const { return *value_; }
    int Min() const { return min_; }
    int Max() const { return max_; }
    bool Horizontal() const { return horizontal_; }
    void Layout();

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

private:
    int printed_ = 0;
    bool hasPrinted_ = false;
};
