#include "ui/TInputLine.h"

#include "app/CommandQueue.h"
#include "app/Commands.h"
#include "gfx/Colours.h"
#include "gfx/Screen.h"
#include "gfx/Text.h"

#include <algorithm>
#include <cstring>
#include <string>

TInputLine::TInputLine(int l, int t, int r, int b, unsigned options, char* text, int maxLength, unsigned allowed)
    : TView(l, t, r, b, options), text_(text), maxLength_(maxLength), allowed_(allowed)
{
    ChangeBits(view::kSunken | view::kDarkFace, true);
    kind = view::kInputLine;
}

int TInputLine::FilterChar(int c) const
{
    using namespace inputline;
    if (c < 32 || (c >= 127 && c <= 160) || c > 255)
        return 0;
    if (c >= 'A' && c <= 'Z')
        return (allowed_ & (kUpper | kToUpper)) ? c : 0;
    if (c >= 'a' && c <= 'z') {
        if (allowed_ & kToUpper)
            return c - 'a' + 'A';
        return (allowed_ & kLower) ? c : 0;
    }
    if (c >= '0' && c <= '9')
        return (allowed_ & kDigits) ? c : 0;
    if ((allowed_ & kAccentedLetters) && c >= 192 && c != 215 && c != 247)
        return c;
    switch (c) {
    case '_': return (allowed_ & kUnderscore) ? c : 0;
    case ' ': return (allowed_ & kSpace) ? c : 0;
    case ',': return (allowed_ & kComma) ? c : 0;
    case '\'':
        if (!(allowed_ & kApostrophe))
            return 0;
        return (allowed_ & kApostropheAsGrave) ? '`' : c;
    case '`': return (allowed_ & kGrave) ? c : 0;
    case '-': return (allowed_ & kHyphen) ? c : 0;
    default: return (allowed_ & kOther) ? c : 0;
    }
}

void TInputLine::Press()
{
    ChangeBits(view::kMouseInside, false);
    if (next)
        Focus(next);
    else
        PostCommand(command::kChosen);
}

void TInputLine::SetState(unsigned bits, bool on)
{
    if ((bits & view::kFocused) && !on) {
        cursor_ = 0;
        first_ = 0;
        selected_ = false;
    }
    if ((bits & view::kFocused) && on && !(state_ & view::kFocused) && (options_ & inputline::kSelectOnFocus) &&
        text_ && text_[0]) {
        selected_ = true;
        cursor_ = static_cast<int>(std::strlen(text_));
    }
    TView::SetState(bits, on);
}

void TInputLine::HandleEvent(TEvent& event)
{
    TView::HandleEvent(event);
    if (!(state_ & view::kFocused) || !text_ || !event.KeyPressedOrRepeat())
        return;
    if (event.modifiers & (KMOD_CTRL | KMOD_ALT))
        return;
    int length = static_cast<int>(std::strlen(text_));
    if (cursor_ > length)
        cursor_ = length;
    bool used = true;
    int c = FilterChar(event.keyChar);
    if (selected_) {
        // A character or a deletion replaces the selected text; Enter keeps
        // it and a key that moves the cursor only ends the selection. Shift
        // (held for a capital) and the other keys leave it alone.
        int k = event.keyChar;
        bool moves = k == SDLK_LEFT || k == SDLK_RIGHT || k == SDLK_HOME || k == SDLK_END;
        if (!c && k != 8 && k != 127 && k != 13 && !moves)
            return;
        selected_ = false;
        if (c || k == 8 || k == 127) {
            text_[0] = 0;
            length = cursor_ = first_ = 0;
            if (!c) {
                ConsumeKey(event);
                Draw();
                return;
            }
        }
    }
    if (c) {
        if ((options_ & inputline::kOverwrite) && cursor_ < length) {
            std::memmove(text_ + cursor_, text_ + cursor_ + 1, static_cast<std::size_t>(length - cursor_));
            --length;
        }
        if (length < maxLength_) {
            std::memmove(text_ + cursor_ + 1, text_ + cursor_, static_cast<std::size_t>(length - cursor_ + 1));
            text_[cursor_++] = static_cast<char>(c);
        }
    } else {
        switch (event.keyChar) {
        case 8:
            if (cursor_ > 0) {
                std::memmove(text_ + cursor_ - 1, text_ + cursor_, static_cast<std::size_t>(length - cursor_ + 1));
                --cursor_;
            }
            break;
        case 127:
            if (cursor_ < length)
                std::memmove(text_ + cursor_, text_ + cursor_ + 1, static_cast<std::size_t>(length - cursor_));
            break;
        case 13: Press(); break;
        case SDLK_RIGHT: if (cursor_ < length) ++cursor_; break;
        case SDLK_LEFT: if (cursor_ > 0) --cursor_; break;
        case SDLK_INSERT: options_ ^= inputline::kOverwrite; break;
        case SDLK_HOME: cursor_ = 0; break;
        case SDLK_END: cursor_ = length; break;
        default: used = false; break;
        }
    }
    if (!used)
        return;
    ConsumeKey(event);
    Draw();
}

void TInputLine::DrawBody()
{
    TView::DrawBody();
    if (!text_)
        return;
    std::string shown;
    for (const char* p = text_; *p; ++p)
        shown.push_back(static_cast<char>(ShowChar(static_cast<unsigned char>(*p))));
    int length = static_cast<int>(shown.size());
    if (cursor_ > length)
        cursor_ = length;
    int room = right - left - 16;
    if (cursor_ == length)
        room -= TextWidth(" ");
    auto width = [&](int from, int to) { return TextWidth(shown.substr(static_cast<std::size_t>(from), static_cast<std::size_t>(to - from)).c_str()); };
    if (first_ > cursor_)
        first_ = cursor_;
    while (first_ < cursor_ && width(first_, cursor_) > room)
        ++first_;
    while (first_ > 0 && width(first_ - 1, length) <= room)
        --first_;
    int last = first_;
    while (last < length && width(first_, last + 1) <= room)
        ++last;
    std::string visible = shown.substr(static_cast<std::size_t>(first_), static_cast<std::size_t>(last - first_));
    bool focused = (state_ & view::kFocused) != 0;
    int mid = (top + bottom) / 2;
    bool selectionShown = focused && selected_ && Has(view::kActive | view::kEnabled);
    if (selectionShown) {
        int h = LineHeight();
        FillBox(left + 6, mid - h / 2, left + 10 + TextWidth(visible.c_str()), mid + h / 2, SchemeColour(13));
    }
    bool live = Has(view::kActive | view::kEnabled);
    theScreen.pen = SchemeColour(live ? (focused ? 15 : 16) : 17);
    theScreen.hAnchor = 0;
    theScreen.vAnchor = 1;
    DrawText(left + 8, mid, visible.c_str());
    if (focused && !selected_) {
        // The cursor in the bright colour of the focus: a block with the
        // letter dark on it when typing replaces, else a bar under the
        // letter, which stays as it is.
        int x = left + 8 + width(first_, cursor_);
        std::string under = cursor_ < length ? shown.substr(static_cast<std::size_t>(cursor_), 1) : " ";
        int w = TextWidth(under.c_str());
        if (w <= 0)
            w = LineHeight() / 2;
        int h = LineHeight();
        int boxTop = (options_ & inputline::kOverwrite) ? mid - h / 2 : mid + h / 2 - std::max(2, h / 6);
        FillBox(x, boxTop, x + w - 1, mid + h / 2, SchemeColour(9));
        if (boxTop < mid && under != " ") {
            theScreen.pen = SchemeColour(0);
            DrawText(x, mid, under.c_str());
        }
    }
}
