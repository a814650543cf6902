#include "game/LetterStrip.h"

#include "base/TextHelpers.h"

#include <algorithm>

void LetterStrip::Follow(const std::vector<std::string>& answers)
{
    std::vector<char> letters;
    for (const std::string& answer : answers)
        for (char c : answer)
            if (c != ' ' && c != kCancel)
                letters.push_back(c);
    // Compared folded, so that "a" and "A" are one cell; shown as typed.
    auto byFolded = [](char a, char b) {
        return static_cast<unsigned char>(FoldLatin1(a)) < static_cast<unsigned char>(FoldLatin1(b));
    };
    std::sort(letters.begin(), letters.end(), byFolded);
    letters.erase(std::unique(letters.begin(), letters.end(),
                              [](char a, char b) { return FoldLatin1(a) == FoldLatin1(b); }),
                  letters.end());
    letters.push_back(kCancel);
    char kept = Highlighted();
    bool wasEmpty = cells_.size() == 1;
    cells_ = std::move(letters);
    if (wasEmpty) {
        highlight_ = 0;  // the first letters to come: start at the first
        return;
    }
    auto same = std::find_if(cells_.begin(), cells_.end(), [kept](char c) { return FoldLatin1(c) == FoldLatin1(kept); });
    if (same != cells_.end())
        highlight_ = static_cast<int>(same - cells_.begin());
    else
        highlight_ = std::min(highlight_, static_cast<int>(cells_.size()) - 1);
}

void LetterStrip::Step(int by)
{
    int n = static_cast<int>(cells_.size());
    highlight_ = ((highlight_ + by) % n + n) % n;
}
