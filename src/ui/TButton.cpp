#include "ui/TButton.h"

#include "app/CommandQueue.h"
#include "gfx/Colours.h"
#include "gfx/Primitives.h"
#include "gfx/Screen.h"
#include "gfx/Text.h"

TButton::TButton(int l, int t, int r, int b, int hotkey, int command, unsigned options)
    : TView(l, t, r, b, options), hotkey_(hotkey), command_(command)
{
    ChangeBits(view::kRounded, true);
    kind = view::kButton;
}

void TButton::Press()
{
    ChangeBits(view::kMouseInside, false);
    if (command_)
        PostCommand(command_);
}

void TButton::HandleEvent(TEvent& event)
{
    TView::HandleEvent(event);
    if (!Has(view::kActive | view::kEnabled))
        return;
    bool focused = (state_ & view::kFocused) != 0;
    bool pressed = (state_ & view::kPressed) != 0;
    bool matches = (focused && event.keyChar == 13) || HotkeyMatches(event, hotkey_);
    bool down = event.keyAction == key::kPressed ||
                ((options_ & button::kAutoRepeat) && (event.keyAction & key::kRepeat));
    if (matches && down && !pressed) {
        // A hot key presses the button where the focus is not: the focus
        // stays put, so Enter still does what the focused button says
        // (after Escape and "No", or after closing the help).
        SetState(view::kPressed, true);
        ConsumeKey(event);
        return;
    }
    if (matches && event.keyAction == key::kReleased && pressed) {
        SetState(view::kPressed, false);
        ConsumeKey(event);
        Press();
        return;
    }
    if (!focused)
        return;
    bool inside = Contains(event.mouseX, event.mouseY);
    if (!inside) {
        if ((event.mouseButtons & mouse::kLeftHeld) && pressed)
            SetState(view::kPressed, false);
        return;
    }
    if (event.mouseButtons & mouse::kLeftPressed) {
        SetState(view::kPressed, true);
    } else if ((event.mouseButtons & mouse::kLeftReleased) && pressed) {
        SetState(view::kPressed, false);
        Press();
    } else if ((options_ & button::kAutoRepeat) && (event.mouseButtons & mouse::kLeftRepeat)) {
        Press();
    }
}

TTextButton::TTextButton(int l, int t, int r, int b, const char* text, int hotkey, int command, unsigned options)
    : TButton(l, t, r, b, hotkey == -1 ? HotkeyOf(text) : hotkey, command, options), text_(text ? text : "")
{
    kind = view::kTextButton;
}

int TTextButton::TextX() const
{
    theScreen.vAnchor = 1;
    theScreen.hAnchor = (options_ & button::kCentred) ? 1 : 0;
    return (options_ & button::kCentred) ? (left + right) / 2 : left + theScreen.width / 32;
}

Rect TTextButton::TextArea() const
{
    DrawingState saved;
    theScreen.font = font;
    return TextBounds(TextX(), (top + bottom) / 2, HotkeyTextWidth(text_.c_str()));
}

void TTextButton::DrawBody()
{
    TView::DrawBody();
    int shift = (state_ & view::kPressed) ? 1 : 0;
    theScreen.pen = SchemeColour(0);
    DrawHotkeyText(HotkeyRole(this), TextX() + shift, (top + bottom) / 2, text_.c_str());
}

void TTextButton::DrawFrame()
{
    if (!(state_ & view::kEnabled))
        theScreen.pen = SchemeColour(6);
    int s = (state_ & view::kPressed) ? 1 : 0;
    int l = left + 5 + s, t = top + 5 + s, r = right - 5 + s, b = bottom - 5 + s;
    if (state_ & view::kRounded)
        DrawRoundFrame(l, t, r, b, Scaled(10));
    else
        ::DrawFrame(l, t, r, b);
}
