#pragma once
// The letters a child with switches types with: the distinct letters of
// the words now falling, in alphabetical order, and a last cell that
// cancels what was typed. One cell is highlighted; a step moves the
// highlight on (or back), a press types the highlighted letter.

#include <string>
#include <vector>

class LetterStrip {
public:
    static constexpr char kCancel = 0;  // the cancel cell's value

    // The answers of the words that can be hit now; the highlighted letter
    // stays highlighted while it is still offered.
    void Follow(const std::vector<std::string>& answers);
    void Step(int by = 1);
    // The highlighted cell: a letter, or kCancel.
    char Highlighted() const { return cells_[highlight_]; }
    int HighlightIndex() const { return highlight_; }
    const std::vector<char>& Cells() const { return cells_; }

private:
    std::vector<char> cells_ = {kCancel};
    int highlight_ = 0;
};
