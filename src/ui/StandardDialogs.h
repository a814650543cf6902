#pragma once
// The small dialogs every screen uses: a message with OK, a yes/no
// question that stores its answer, and a prompt with a line to type a name
// into. Their sizes follow their texts; u is a 64th of the screen width.

#include "ui/TDialog.h"
#include "ui/TInputLine.h"

#include <cstdint>

namespace stddialog {

constexpr int kConfirmName = 15;
constexpr int kYes = 17;
constexpr int kNo = 18;

}  // namespace stddialog

class TMessageDialog : public TDialog {
public:
    TMessageDialog(int centreX, int centreY, const char* title, const char* message, unsigned options);
};

class TQueryDialog : public TDialog {
public:
    TQueryDialog(int centreX, int centreY, const char* question, std::uint8_t* answer, unsigned options);
    void HandleEvent(TEvent& event) override;

private:
    std::uint8_t* answer_;
};

// A message's text also on standard error, for whoever started the
// program from a terminal or keeps its output (a school's support, the tests).
void EchoMessage(const char* title, const char* text);
// A message centred on the screen, above `over`.
void ShowMessage(TDialog* over, const char* title, const char* text);

class TGetNameDialog : public TDialog {
public:
    // The characters a name may hold unless the caller says otherwise.
    static constexpr unsigned kNameCharacters = inputline::kLetters | inputline::kDigits | inputline::kUnderscore |
                                                inputline::kSpace | inputline::kOther | inputline::kApostrophe |
                                                inputline::kHyphen | inputline::kComma;

    // `buffer` holds maxLength characters and the terminator; it is emptied
    // unless the name is confirmed (OK or Enter).
    TGetNameDialog(int centreX, int centreY, const char* prompt, char* buffer, int maxLength, unsigned options,
                   unsigned allowed = kNameCharacters);
    ~TGetNameDialog() override;
    void HandleEvent(TEvent& event) override;
    bool Cancelled() const { return cancelled_; }
    TInputLine* Line() const { return line_; }

protected:
    // Decides whether OK closes the dialog; the standard prompt takes any text.
    virtual bool Accept() { return true; }
    char* buffer_;

private:
    TInputLine* line_ = nullptr;
    bool cancelled_ = true;
};
