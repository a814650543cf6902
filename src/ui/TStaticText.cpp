#include "ui/TStaticText.h"

#include "gfx/Colours.h"
#include "gfx/Screen.h"
#include "gfx/Text.h"
#include "ui/TGroup.h"

TStaticText::TStaticText(int l, int t, int r, int b, const char* text, unsigned options)
    : TView(l, t, r, b, options), colour(SchemeColour(12)), dimColour(SchemeColour(0)), text_(text ? text : "")
{
    ChangeBits(view::kSelectable | view::kFramed, false);
    kind = view::kStaticText;
}

void TStaticText::Anchor(int& x, int& y) const
{
    using namespace statictext;
    // Each anchor point stays where it is when the bounds follow the text.
    if (options_ & kCentreAcross) {
        x = (left + right) / 2;
        theScreen.hAnchor = 1;
    } else if (options_ & kRight) {
        x = right - 1;
        theScreen.hAnchor = 2;
    } else {
        x = left + 1;
        theScreen.hAnchor = 0;
    }
    if (options_ & kCentreDown) {
        y = (top + bottom) / 2;
        theScreen.vAnchor = 1;
    } else if (options_ & kBottom) {
        y = bottom;
        theScreen.vAnchor = 0;
    } else {
        y = top;
        theScreen.vAnchor = 2;
    }
}

Rect TStaticText::TextArea() const
{
    DrawingState saved;
    theScreen.font = font;
    int x, y;
    Anchor(x, y);
    return TextBounds(x, y, HotkeyTextWidth(text_.c_str()));
}

void TStaticText::DrawBody()
{
    if (options_ & statictext::kHidden)
        return;
    int w = HotkeyTextWidth(text_.c_str()), h = LineHeight();
    int x, y;
    Anchor(x, y);
    if (theScreen.hAnchor == 1) {
        left = x - w / 2;
        right = x + w / 2;
    } else if (theScreen.hAnchor == 2) {
        left = x - w;
    } else {
        right = x + w;
    }
    if (theScreen.vAnchor == 1) {
        top = y - h / 2;
        bottom = y + h / 2;
    } else if (theScreen.vAnchor == 0) {
        top = y - h;
    } else {
        bottom = y + h;
    }
    // Dimmed when switched off; a dialog merely under another keeps its look.
    bool dimmed = (state_ & view::kActive) && !(state_ & view::kEnabled);
    theScreen.pen = MapColour(dimmed ? dimColour : colour);
    DrawHotkeyText(HotkeyRole(this), x, y, text_.c_str());
}

TLabel::TLabel(int l, int t, int r, int b, const char* text, int hotkey, TView* linked, unsigned options)
    : TStaticText(l, t, r, b, text, options), hotkey_(hotkey == -1 ? HotkeyOf(text) : hotkey), linked_(linked)
{
    kind = view::kLabel;
    if (linked_)
        state_ = linked_->State() & ~view::kSelectable;
}

void TLabel::Press()
{
    ChangeBits(view::kMouseInside, false);
    TGroup* group = OwnerGroup();
    if (group && linked_)
        group->FocusChild(linked_);
}

void TLabel::HandleEvent(TEvent& event)
{
    TView::HandleEvent(event);
    if ((event.keyAction == key::kPressed && HotkeyMatches(event, hotkey_)) ||
        ((event.mouseButtons & mouse::kLeftPressed) && Contains(event.mouseX, event.mouseY))) {
        if (event.keyAction == key::kPressed)
            ConsumeKey(event);
        Press();
    }
}
