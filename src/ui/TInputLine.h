#pragma once
// One line of editable text in the caller's buffer, with a filter that
// decides which characters may be typed, insert and overwrite modes, and
// scrolling that keeps the cursor in view.

#include "ui/TView.h"

namespace inputline {

constexpr unsigned kUpper = 0x1;
constexpr unsigned kLower = 0x2;
constexpr unsigned kDigits = 0x4;
constexpr unsigned kUnderscore = 0x8;
constexpr unsigned kSpace = 0x10;
constexpr unsigned kOther = 0x20;
constexpr unsigned kToUpper = 0x40;
constexpr unsigned kComma = 0x80;
constexpr unsigned kApostrophe = 0x100;
constexpr unsigned kGrave = 0x200;
constexpr unsigned kApostropheAsGrave = 0x400;
constexpr unsigned kHyphen = 0x800;
constexpr unsigned kLetters = kUpper | kLower;
// Ours: the Latin-1 letters with accents (192-255 but the signs for times and
// divide), so that Italian words such as "perché" can be typed.
constexpr unsigned kAccentedLetters = 0x1000;

constexpr unsigned kOverwrite = 0x2000;  // an option bit
// An option bit: a line that gets the focus with text in it has the text
// selected, so that the first key typed replaces it (a prefilled name).
constexpr unsigned kSelectOnFocus = 0x4000;

}  // namespace inputline

class TInputLine : public TView {
public:
    // `text` must hold maxLength characters and the terminator.
    TInputLine(int left, int top, int right, int bottom, unsigned options, char* text, int maxLength, unsigned allowed);

    void DrawBody() override;
    void Press() override;
    void SetState(unsigned bits, bool on) override;
    void HandleEvent(TEvent& event) override;
    // The character as stored, or 0 when it may not be typed.
    virtual int FilterChar(int c) const;
    virtual int ShowChar(int c) const { return c; }

    int Cursor() const { return cursor_; }
    bool AllSelected() const { return selected_; }
    int FirstShown() const { return first_; }
    TView* next = nullptr;  // focused by Enter, when set

private:
    char* text_;
    int maxLength_;
    unsigned allowed_;
    int cursor_ = 0;
    int first_ = 0;
    bool selected_ = false;  // the whole text, until a key decides
};
