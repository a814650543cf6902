#pragma once
// A line of text drawn over whatever lies behind it; its bounds follow the
// text each time it is drawn. A label is a static text with a hot key that
// focuses the view it names.

#include "ui/TView.h"

#include <string>

namespace statictext {

constexpr unsigned kCentreAcross = 0x1;
constexpr unsigned kCentreDown = 0x2;
constexpr unsigned kRight = 0x4;
constexpr unsigned kBottom = 0x8;
constexpr unsigned kHidden = 0x10;

}  // namespace statictext

class TStaticText : public TView {
public:
    TStaticText(int left, int top, int right, int bottom, const char* text, unsigned options = 0);

    void DrawBody() override;
    void SetText(const char* text) { text_ = text ? text : ""; }
    const std::string& Text() const { return text_; }
    // Where the text is drawn.
    Rect TextArea() const;

    std::uint32_t colour;     // colour number or pixel
    std::uint32_t dimColour;  // when switched off in an active dialog

protected:
    // The text's anchor point; the screen's anchors are set to match.
    void Anchor(int& x, int& y) const;
    std::string text_;
};

class TLabel : public TStaticText {
public:
    TLabel(int left, int top, int right, int bottom, const char* text, int hotkey, TView* linked,
           unsigned options = 0);

    void DrawFrame() override {}
    void Press() override;
    void HandleEvent(TEvent& event) override;

private:
    int hotkey_;
    TView* linked_;
};
