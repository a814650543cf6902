#pragma once
// What the teacher reads out of the statistics: a child's games and their
// figures, the letters they miss and what they type instead, the words that
// fall, each game word by word, and the class at a glance. Texts are UTF-8
// as the database keeps them.

#include "stats/StatsRecords.h"

#include <string>
#include <utility>
#include <vector>

namespace stats {

class StatsStore;

// Keys, right keys, words hit and the time words fell, of one game or many.
struct Tally {
    int games = 0;
    long long keys = 0, wrong = 0, hit = 0, fallen = 0, playMs = 0;
    // Right keys out of all keys, in percent; -1 without a key.
    double Accuracy() const;
    // Words hit a minute of falling words; -1 without play time.
    double WordsPerMinute() const;
    void Add(const Tally& other);
};

struct GameRow {
    long long id = 0;
    long long started = 0;  // seconds since 1970
    std::string exercise;
    int kind = 1, levels = 0;
    long long score = 0;
    GameEnd end = GameEnd::kUnfinished;
    Tally tally;
};

struct LetterRow {
    std::string letter;
    long long times = 0, wrong = 0;
    // The keys typed instead, most frequent first (ties in key order).
    std::vector<std::pair<std::string, long long>> instead;
    double ErrorRate() const { return times ? 100.0 * static_cast<double>(wrong) / static_cast<double>(times) : 0; }
};

struct WordRow {
    std::string word;
    long long shown = 0, fallen = 0, withErrors = 0;
};

struct WordLine {
    int level = 0;
    std::string word, hidden, typed;
    WordEnd end = WordEnd::kOpen;
};

// -1 worse, 0 about the same, 1 better, 2 not enough games to say.
int TrendOf(const Tally& now, const Tally& before);

class StatsFigures {
public:
    explicit StatsFigures(StatsStore& store) : store_(store) {}

    struct Child {
        int id = 0;
        std::string name;
    };
    // Every child with a game, by name.
    std::vector<Child> Children() const;
    // The child's games, the latest first; at most `limit` (0: all).
    std::vector<GameRow> Games(int childId, int limit = 0) const;
    // The games' figures summed: games[from, from + count).
    static Tally Sum(const std::vector<GameRow>& games, std::size_t from, std::size_t count);
    // Letters the child was expected to type, the most often missed first
    // (then the highest error rate), over the latest `lastGames` games (0: all).
    std::vector<LetterRow> Letters(int childId, int lastGames = 0) const;
    // Words that fell or were typed with a wrong key, the most often first.
    std::vector<WordRow> MissedWords(int childId, int limit = 10) const;
    // One game, a line a word, in the order they fell.
    std::vector<WordLine> Lines(long long gameId) const;

private:
    std::string GamesOf(int childId, int lastGames) const;

    StatsStore& store_;
};

// The class at a glance: a row a child.
struct ClassRow {
    int childId = 0;
    std::string name;
    long long lastGame = 0;   // seconds since 1970
    int gamesThisWeek = 0;    // in the seven days before `now`
    Tally now, before;        // the latest ten games, the ten before
    int trend = 2;
    std::string weakest;      // up to three letters, separated by spaces
};
std::vector<ClassRow> ClassTable(StatsStore& store, long long now);

}  // namespace stats

namespace stats {

// The class table's columns, in the order shown.
enum class ClassColumn { kName, kLastGame, kWeek, kAccuracy, kSpeed, kTrend, kWeakest, kCount };
// Sorted by the column: names and letters A to Z, figures the highest
// first; `reverse` turns the order round. Ties keep the name order.
void SortClassRows(std::vector<ClassRow>& rows, ClassColumn column, bool reverse);

}  // namespace stats
