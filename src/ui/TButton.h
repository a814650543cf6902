#pragma once
// A push button: it posts its command when the key or the mouse button is
// let go over it, not when it goes down. Hot key: a key code or a letter.

#include "ui/TView.h"

#include <string>

namespace button {

constexpr unsigned kAutoRepeat = 0x400;
constexpr unsigned kCentred = 0x1;

}  // namespace button

class TButton : public TView {
public:
    TButton(int left, int top, int right, int bottom, int hotkey, int command, unsigned options = 0);

    void Press() override;
    void HandleEvent(TEvent& event) override;

    int Command() const { return command_; }
    void SetCommand(int command) { command_ = command; }
    int Hotkey() const { return hotkey_; }

protected:
    int hotkey_;
    int command_;
};

class TTextButton : public TButton {
public:
    // A hot key of -1 takes the letter after the text's "~".
    TTextButton(int left, int top, int right, int bottom, const char* text, int hotkey, int command,
                unsigned options = 0);

    void DrawBody() override;
    void DrawFrame() override;
    const std::string& Text() const { return text_; }
    std::string SpokenLabel() const override { return WithoutHotkeyMarks(text_); }
    // Where the text is drawn while the button is up.
    Rect TextArea() const;

private:
    // The text's anchor point; the screen's anchors are set to match.
    int TextX() const;
    std::string text_;
};
