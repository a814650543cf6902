#pragma once
// The test panel of the switch device: it feeds every event to the device
// and shows live which switches and directions are held (or, for pointer
// events, where the pointer is), so the teacher sees the set-up work.

#include "ui/TDialog.h"

class TExtDevice;

class TExtDevTestDialog : public TDialog {
public:
    // The device must stay open while the panel lives.
    explicit TExtDevTestDialog(TExtDevice& device);

    void HandleEvent(TEvent& event) override;
    void DrawBody() override;

    // Where switch 1 and switch 2 are shown (switch 2 only in the look with
    // two boxes; an empty rectangle otherwise). Screen pixels.
    Rect SwitchBox(int number) const;
    // The look the device asks for.
    enum class Look { kSwitches, kDirections, kPointer };
    Look CurrentLook() const { return look_; }

private:
    void DrawBox(const Rect& box, bool held, const char* label) const;
    void DrawArrows() const;
    void DrawPointerField() const;

    TExtDevice& device_;
    Look look_;
    int drawnFlags_ = 0;
    int drawnX_ = -1, drawnY_ = -1;
};
