#pragma once
// An exercise file in memory: the header line and the levels, each level a
// string list of "" (its opening blank line), the word count, the title and
// the words; plus the titles alone for the editors' level list.
//
// The file is lines of text: the header, then for each level a blank line,
// the count (digits only), the title and the words up to the next blank line.

#include "base/TList.h"
#include "exercises/ExerciseKinds.h"
#include "base/TStringList.h"

#include <map>
#include <string>
#include <vector>

class TExerciseDocument {
public:
    // Reads the file; answers 0 or the error code of the first damaged block,
    // whose 0-based line is then ErrorLine(). Levels read before it stay; the
    // lines from the damaged block on are kept as they are.
    int Load(const char* path);
    // Writes the file (for "Tasti" the header is recomputed first), with the
    // lines that could not be read as levels after the levels, so that a save
    // never writes back less than was read. The old file stays as it was when
    // the new one cannot be written, and a file that exists but could not be
    // read is never written.
    bool Save(const char* path, int kind);

    int ErrorLine() const { return errorLine_; }
    const std::string& Header() const { return header_; }
    // Cut to 39 characters; a CR the cut leaves at the end goes too, as the
    // line reader would take it for part of the line end.
    void SetHeader(const std::string& header);
    TList& Levels() { return levels_; }
    TStringList& Titles() { return titles_; }
    TStringList* Level(int index) const { return static_cast<TStringList*>(levels_.At(index)); }
    int LevelCount() const { return levels_.Count(); }

    // The distinct characters of every word but control characters, ASCII
    // letters upper-cased, sorted by byte value taken as signed; at most 39.
    std::string KeySet() const;
    // The keys past those 39, which a game of the exercise cannot take,
    // sorted alike; and the words that use any of them.
    std::string LeftOutKeys() const;
    std::vector<std::string> WordsUsing(const std::string& keys) const;

private:
    // Every key of the words once, in the order they first appear.
    std::string DistinctKeys() const;

    std::string header_;
    TList levels_;
    TStringList titles_;
    int errorLine_ = 0;
    std::vector<std::string> unread_;  // from the damaged block to the end
    bool unreadable_ = false;
};

// How many well-formed level blocks the file has (the title may be empty).
int CountLevels(const char* path);

// What the game needs of one level.
struct PlayLevel {
    int status = exercise::kLevelFound;  // or kNoLevelLeft, or an error code
    int errorLine = 0;
    int levelIndex = 0;      // the block used: empty blocks before it are skipped
    std::string header;      // line 0, at most 39 characters (the key set of "Tasti")
    int target = 0;          // words to hit
    std::string title;       // the level message
    std::vector<std::string> words;  // shuffled, without their pronunciations
    // How the voice says a word line (without it), in espeak-ng's phonemes.
    std::map<std::string, std::string> pronunciations;
};

// Finds the level at `levelIndex` (or the first non-empty one after it) and
// shuffles its words with the program's random generator. For a "Completa"
// exercise a word without its space is error 51 on its line.
PlayLevel LoadLevelForPlay(const char* path, int levelIndex, bool completion = false);

// Shuffles as the game does: each position swaps with a uniformly drawn one.
void ShuffleWords(std::vector<std::string>& words);
