#pragma once
// Games written straight into the statistics, as a game would leave them:
// known keys, known words, known play time.

#include "stats/StatsRecords.h"

#include <string>
#include <vector>

namespace stats {
class StatsStore;
}

struct ScriptedGame {
    int child = 1;
    std::string name = "Anna";
    long long started = 1000;
    int keys = 10, wrong = 0;
    char letter = 'A', typed = 'S';  // every key meant for `letter`; the wrong ones typed as `typed`
    long long playMs = 60000;
    // The words, all on level 1; the keys are all typed for the first.
    std::vector<stats::WordRecord> words;
};

// Writes the game in one level; its id.
long long WriteGame(stats::StatsStore& store, const ScriptedGame& game);
// One word as the store keeps it.
stats::WordRecord Word(const std::string& word, stats::WordEnd end, const std::string& typed = "");
