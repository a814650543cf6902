#pragma once
// Asks for a level title. A new title is left in the buffer for the level
// list to pick up; in rename mode the dialog hands the title to the level
// list itself and empties the buffer. An empty entry keeps it open.

#include "ui/StandardDialogs.h"

#include <functional>

class MTGetNameDialog : public TGetNameDialog {
public:
    static constexpr int kNewTitle = 0, kRename = 1;
    // Titles take every printable character but the apostrophe, "-" and "`".
    static constexpr unsigned kTitleCharacters = inputline::kLetters | inputline::kDigits | inputline::kUnderscore |
                                                 inputline::kSpace | inputline::kComma | inputline::kOther;

    MTGetNameDialog(int mode, int centreX, int centreY, const char* prompt, char* title, int maxLength,
                    std::function<void(const char*)> rename = nullptr);

protected:
    bool Accept() override;

private:
    int mode_;
    std::function<void(const char*)> rename_;
};
