#pragma once
// One line of a menu: a text that posts its command when chosen with its
// hot key, Enter, or a click; Up and Down move to the nearest line.

#include "ui/TView.h"

#include <string>

class TMenuLine : public TView {
public:
    TMenuLine(int left, int top, int right, int bottom, const char* text, int hotkey, int command,
              unsigned options = 0);

    void DrawBody() override;
    void DrawFrame() override {}
    void Press() override;
    void HandleEvent(TEvent& event) override;
    const std::string& Text() const { return text_; }
    Rect TextArea() const;

private:
    // The text's anchor point; the screen's anchors are set to match.
    int TextX() const;
    std::string text_;
    int hotkey_;
    int command_;
};
