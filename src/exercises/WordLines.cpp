#include "exercises/WordLines.h"

#include <climits>

namespace exercise {

std::string EncodeWordLine(const std::string& word, const std::string& mask)
{
    std::string shown = word, hidden;
    for (std::size_t p = 0; p < word.size() && p < mask.size(); ++p)
        if (mask[p] == '1') {
            hidden.push_back(word[p]);
            shown[p] = '_';
        }
    return shown + " " + hidden;
}

int DecodeWordLine(const std::string& line, std::string& word, std::string& mask)
{
    std::size_t space = line.find(' ');
    word = line.substr(0, space);
    std::string letters = space == std::string::npos ? std::string() : line.substr(space + 1);
    mask.assign(word.size(), '0');
    std::size_t next = 0;
    for (std::size_t p = 0; p < word.size(); ++p) {
        if (word[p] != '_')
            continue;
        if (next >= letters.size())
            return kErrorTooManyBlanks;
        word[p] = letters[next++];
        mask[p] = '1';
    }
    return next < letters.size() ? kErrorTooManyLetters : 0;
}

bool ParseWordCount(const char* text, int& value)
{
    long long v = 0;
    for (const char* p = text; *p >= '0' && *p <= '9'; ++p) {
        v = v * 10 + (*p - '0');
        if (v > INT_MAX)
            return false;
    }
    value = static_cast<int>(v);
    return true;
}

}  // namespace exercise
