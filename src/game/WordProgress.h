#pragma once
// What a falling word shows while the child types it: in a whole word the
// letters typed so far; in a "Completa" word the blanks filled, one by one,
// with the letters typed. Those characters are drawn in the colour of
// progress.

#include <string>

struct WordOnScreen {
    std::string text;
    int highlighted = 0;  // characters from the start in the progress colour
};

// `shown` and `answer` as the word was launched (a "Completa" answer is the
// hidden letters); `typed` how many letters of the answer are typed.
WordOnScreen ShowTyped(const std::string& shown, const std::string& answer, bool fillsBlanks, int typed);
