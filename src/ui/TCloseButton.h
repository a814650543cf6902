#pragma once
// The round button with a cross in every dialog's top-right corner; it
// answers to Escape.

#include "ui/TButton.h"

class TCloseButton : public TButton {
public:
    TCloseButton(int left, int top, int right, int bottom, int command);

    void DrawBody() override;
    void DrawFrame() override;
};
