#pragma once
// The three kinds of exercise: their numbers, folders and file extensions.

#include <string>

namespace exercise {

constexpr int kLevels = 1;    // whole words
constexpr int kComplete = 2;  // words with letters to fill in
constexpr int kKeys = 3;      // key sequences

// What loading a level for play found, when it is not one of the error codes.
constexpr int kLevelFound = 0;
constexpr int kNoLevelLeft = 1;  // the exercise is done

// Error codes of exercise files; they are also the numbers of the texts
// that explain them in string-table section 50.
constexpr int kErrorNoBlankLine = 21;
constexpr int kErrorBadCount = 22;
constexpr int kErrorNoTitle = 23;
constexpr int kErrorCountTooLarge = 26;
constexpr int kErrorNoSpace = 51;
constexpr int kErrorTooShort = 53;

constexpr int kMaxHeaderLength = 39;

// "Errore alla riga N" for the 0-based line of an error: lines are counted
// as a text editor counts them, the first being 1.
std::string ErrorLineTitle(int line);

// "Livelli", "Completa", "Tasti"; null for any other kind.
const char* KindFolder(int kind);
// ".LEV", ".CMP", ".TBL"; null for any other kind.
const char* KindExtension(int kind);

}  // namespace exercise
