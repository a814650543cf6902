#pragma once
// The game options: every control is bound to a field of the current
// user's settings, so changes count at once and there is no cancel.

#include "ui/TDialog.h"

#include <cstdint>

class TAnalogSel;

class TOptionsDialog : public TDialog {
public:
    TOptionsDialog(int left, int top, int right, int bottom);
    void HandleEvent(TEvent& event) override;

private:
    void FollowInfiniteLives();

    std::uint8_t resetConfirmed_ = 0;
    bool askingReset_ = false;
    TAnalogSel* lives_ = nullptr;
    std::uint8_t infiniteSeen_ = 0;
};

// Deletes the top-ten file of the data folder; false when it is still there.
bool ResetTopTen();
