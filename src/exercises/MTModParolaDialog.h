#pragma once
// Asks for one word of an exercise (letters and digits, accented letters
// too). OK with a word sets the result to 1; an empty entry keeps the
// dialog open.

#include "ui/StandardDialogs.h"

class MTModParolaDialog : public TGetNameDialog {
public:
    // The characters a word of an exercise may hold: a space would split it.
    static constexpr unsigned kWordCharacters = inputline::kLetters | inputline::kDigits | inputline::kAccentedLetters;

    MTModParolaDialog(int* result, int centreX, int centreY, const char* prompt, char* word, int maxLength);

protected:
    bool Accept() override;

private:
    int* result_;
};
