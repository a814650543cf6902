#pragma once
// The 32 colours in 8 columns and 4 rows; arrows or a click choose one, and
// the caller's colour number changes at once.

#include "ui/TView.h"

class TColorSelector : public TView {
public:
    TColorSelector(int left, int top, int right, int bottom, unsigned options, int* value);

    void DrawBody() override;
    void HandleEvent(TEvent& event) override;

private:
    int* value_;
};
