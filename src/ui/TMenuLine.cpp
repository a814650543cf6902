#include "ui/TMenuLine.h"

#include "app/CommandQueue.h"
#include "app/Commands.h"
#include "gfx/Colours.h"
#include "gfx/Screen.h"
#include "gfx/Text.h"
#include "ui/TGroup.h"

TMenuLine::TMenuLine(int l, int t, int r, int b, const char* text, int hotkey, int command, unsigned options)
    : TView(l, t, r, b, options), text_(text ? text : ""), hotkey_(hotkey == -1 ? HotkeyOf(text) : hotkey),
      command_(command)
{
    ChangeBits(view::kOutlined, false);
    kind = view::kMenuLine;
}

void TMenuLine::DrawBody()
{
    bool focused = (state_ & view::kFocused) != 0, active = (state_ & view::kActive) != 0;
    FillBox(left, top, right, bottom, SchemeColour(focused ? 0 : active ? 3 : 6));
    int role = focused ? (active ? 3 : 6) : (active && !(state_ & view::kEnabled)) ? 6 : 0;
    theScreen.pen = SchemeColour(role);
    // On the dark face of the focused line the letter to press keeps the
    // text's light colour, underlined.
    int hotkey = HotkeyRole(this);
    DrawHotkeyText(focused && hotkey >= 0 ? kHotkeyInPen : hotkey, TextX(), (top + bottom) / 2, text_.c_str());
}

int TMenuLine::TextX() const
{
    theScreen.vAnchor = 1;
    theScreen.hAnchor = (options_ & 0x1) ? 1 : 0;
    return (options_ & 0x1) ? (left + right) / 2 : left + theScreen.width / 32;
}

Rect TMenuLine::TextArea() const
{
    DrawingState saved;
    theScreen.font = font;
    return TextBounds(TextX(), (top + bottom) / 2, HotkeyTextWidth(text_.c_str()));
}

void TMenuLine::Press()
{
    ChangeBits(view::kMouseInside, false);
    if (command_)
        PostCommand(command_);
}

void TMenuLine::HandleEvent(TEvent& event)
{
    TView::HandleEvent(event);
    bool focused = (state_ & view::kFocused) != 0;
    if (event.keyAction == key::kPressed && (HotkeyMatches(event, hotkey_) || (focused && event.keyChar == 13))) {
        ConsumeKey(event);
        if (CanFocus())
            Focus(this);
        Press();
        return;
    }
    if (focused && event.KeyPressedOrRepeat() && (event.keyChar == SDLK_UP || event.keyChar == SDLK_DOWN)) {
        PostCommand(event.keyChar == SDLK_UP ? command::kPreviousItem : command::kNextItem);
        ConsumeKey(event);
    }
    if (Contains(event.mouseX, event.mouseY)) {
        if (event.mouseButtons & (mouse::kLeftPressed | mouse::kLeftHeld))
            Focus(this);
        else if ((event.mouseButtons & mouse::kLeftReleased) && focused)
            Press();
    }
    if (!focused || (event.command != command::kPreviousItem && event.command != command::kNextItem))
        return;
    bool back = event.command == command::kPreviousItem;
    event.command = 0;
    for (TElement* e = back ? Prev() : Next(); e; e = back ? e->Prev() : e->Next()) {
        auto* v = static_cast<TView*>(e);
        if (!e->IsHidden() && v->CanFocus()) {
            if (v->kind == view::kMenuLine)
                Focus(v);
            break;
        }
    }
}
