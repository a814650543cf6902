#pragma once
// One choice of a selector: a small box and its text. Check boxes flip a
// byte flag; radio buttons set the group's value to their own number.

#include "ui/TView.h"

#include <cstdint>
#include <string>

namespace selector {

constexpr unsigned kBoxFromHeight = 0x200;

}  // namespace selector

class TSelectorItem : public TView {
public:
    TSelectorItem(int left, int top, int right, int bottom, const char* text, int hotkey);

    void DrawBody() override;
    void HandleEvent(TEvent& event) override;
    virtual void DrawBox(int left, int top, int right, int bottom, int width) = 0;
    virtual bool IsChecked() const = 0;

    Rect Box() const;
    const std::string& Text() const { return text_; }
    std::string SpokenLabel() const override { return WithoutHotkeyMarks(text_); }
    // Where the text is drawn, beside the box.
    Rect TextArea() const;

protected:
    bool OnlyChild() const;
    std::string text_;
    int hotkey_;
};

class TCheckBox : public TSelectorItem {
public:
    TCheckBox(int left, int top, int right, int bottom, const char* text, int hotkey, std::uint8_t* flag);

    void DrawFrame() override;
    void Press() override;
    void DrawBox(int left, int top, int right, int bottom, int width) override;
    bool IsChecked() const override { return flag_ && *flag_; }

private:
    std::uint8_t* flag_;
};

class TRadioButton : public TSelectorItem {
public:
    TRadioButton(int left, int top, int right, int bottom, const char* text, int hotkey, int* value, int ownValue);

    void DrawFrame() override;
    void Press() override;
    void DrawBox(int left, int top, int right, int bottom, int width) override;
    bool IsChecked() const override { return value_ && *value_ == ownValue_; }
    int OwnValue() const { return ownValue_; }

private:
    int* value_;
    int ownValue_;
};
