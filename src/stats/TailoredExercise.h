#pragma once
// An exercise made for one child out of what they miss most: a "Livelli"
// exercise of their words and a "Tasti" exercise of their letters, both
// named after the child and the day, in the exercise folders the editors
// read.

#include <string>
#include <vector>

namespace stats {

struct TailoredExercise {
    int kind = 0;          // the one to play: 1 Livelli (words), 3 Tasti (letters); 0 none written
    std::string name;      // the file name, without folder or extension
};

// Words and letters are Latin-1. The words' exercise is written when there
// are words, the letters' when there are letters; false when a file could
// not be written.
bool WriteTailoredExercises(const std::string& child, const std::vector<std::string>& words,
                            const std::vector<std::string>& letters, long long now, TailoredExercise& made);

// The words of the letters' exercise: each letter alone and doubled, then
// each pair of them both ways.
std::vector<std::string> LetterDrills(const std::vector<std::string>& letters);

}  // namespace stats
