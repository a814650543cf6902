#include "exercises/WordLines.h"

#include <climits>

namespace exercise {

namespace {

std::string EncodeLetters(const std::string& word, const std::string& mask)
{
    std::string shown = word, hidden;
    for (std::size_t p = 0; p < word.size() && p < mask.size(); ++p)
        if (mask[p] == '1') {
            hidden.push_back(word[p]);
            shown[p] = '_';
        }
    return shown + " " + hidden;
}

int DecodeLetters(const std::string& line, std::string& word, std::string& mask)
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

}  // namespace

std::string SplitPronunciation(const std::string& line, std::string* phonemes)
{
    if (phonemes)
        phonemes->clear();
    std::size_t open = line.rfind(" [[");
    if (open == std::string::npos || line.size() < open + 6 || line.compare(line.size() - 2, 2, "]]") != 0)
        return line;
    std::string inside = line.substr(open + 3, line.size() - open - 5);
    if (inside.find("]]") != std::string::npos || inside.find("[[") != std::string::npos)
        return line;
    if (phonemes)
        *phonemes = inside;
    return line.substr(0, open);
}

std::string EncodeWordLine(const std::string& fullWord, const std::string& mask)
{
    std::string word = SplitPronunciation(fullWord);
    return EncodeLetters(word, mask) + fullWord.substr(word.size());
}

int DecodeWordLine(const std::string& fullLine, std::string& word, std::string& mask)
{
    std::string line = SplitPronunciation(fullLine);
    std::string suffix = fullLine.substr(line.size());
    int error = DecodeLetters(line, word, mask);
    word += suffix;
    mask.append(suffix.size(), '0');
    return error;
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
