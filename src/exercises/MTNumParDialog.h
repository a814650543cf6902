#pragma once
// Asks how many words of a level the child must hit: at most five digits.
// OK writes the number back without leading zeros (empty is 0); closing
// the dialog any other way leaves the count as it was.

#include "ui/StandardDialogs.h"

#include <string>

// The digits being typed; a base of its own so that it exists before the
// entry line that edits it.
struct CountEntry {
    explicit CountEntry(const std::string& count);
    char entry_[16] = {};
};

class MTNumParDialog : private CountEntry, public TGetNameDialog {
public:
    static constexpr int kMaxDigits = 5;
    MTNumParDialog(const char* prompt, std::string& count);

protected:
    bool Accept() override;

private:
    std::string& count_;
};
