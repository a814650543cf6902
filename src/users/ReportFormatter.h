#pragma once
// Turns one child's events into the lines of a results report: the games
// with their date, exercise and speeds, each level's title, every word
// shown on a line of its own with the keys mistyped (column 18) and the word
// typed right (column 20) beside it, lives lost, bonus stages, the end.

#include <string>

class ReportFormatter {
public:
    // A new report: the column count starts again at 0.
    void Reset() { column_ = 0; }
    std::string Format(int kind, const unsigned char* data, int size, int mode);

private:
    void BreakLine(std::string& out);
    int column_ = 0;
};
