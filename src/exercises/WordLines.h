#pragma once
// How a "Completa" word is stored on its line: the word with each hidden
// letter replaced by "_", a space, then the hidden letters in order. The
// editors keep the word and a mask ("1" hidden, "0" shown) apart.

#include <string>

namespace exercise {

// A word line may end with how the voice says it, in espeak-ng's phoneme
// notation: "perché [[perk'e]]". Answers the line without that part (and
// the one space before it); `phonemes` gets what stands between the double
// brackets, empty when the line has none. The game matches and shows only
// what is answered; the editors keep the part as it is.
std::string SplitPronunciation(const std::string& line, std::string* phonemes = nullptr);

// The file line of a word and its mask (always with the space). A word
// that ends with a pronunciation keeps it after the hidden letters.
std::string EncodeWordLine(const std::string& word, const std::string& mask);

// Splits a file line into word and mask; a pronunciation stays at the end
// of the word, unhidden. Answers 0, or the error that
// refuses the line: 38 when a "_" finds no letter left, 39 when letters
// are left over.
int DecodeWordLine(const std::string& line, std::string& word, std::string& mask);
constexpr int kErrorTooManyBlanks = 38;
constexpr int kErrorTooManyLetters = 39;

// A word count typed by the teacher: digits only, empty meaning 0. False
// when the number does not fit (it would read as negative).
bool ParseWordCount(const char* text, int& value);

}  // namespace exercise
