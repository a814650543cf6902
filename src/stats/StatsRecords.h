#pragma once
// What the statistics keep of a game, a word and a key: plain records the
// game fills in and the store writes, one level at a time.

#include <cstdint>
#include <string>

namespace stats {

// How a game ended. Unfinished: the program stopped in the middle.
enum class GameEnd { kUnfinished = 0, kCompleted = 1, kOutOfLives = 2, kLeft = 3 };
// What became of a word: hit, landed, or still on screen when its level
// stopped (a life lost on another word, the game left).
enum class WordEnd { kOpen = 0, kHit = 1, kFallen = 2 };

struct GameInfo {
    int childId = 0;
    std::string childName;       // Latin-1, as the profiles keep it
    long long started = 0;       // seconds since 1970
    std::string exercise;        // Latin-1
    int kind = 1;                // 1 Livelli, 2 Completa, 3 Tasti
    int theme = 1, lanes = 1, fallSeconds = 0, spawnSeconds = 0, startLevel = 1;
};

struct GameFigures {
    long long ended = 0;         // seconds since 1970
    long long playMs = 0;        // on the game clock, while words fell
    int levels = 0;              // levels reached
    long long score = 0;
    int livesLost = 0;
    GameEnd end = GameEnd::kUnfinished;
};

struct WordRecord {
    int level = 0;               // the game's level number, from 1
    std::string word;            // the whole word (Latin-1)
    std::string hidden;          // "Completa": the letters to type
    int lane = 0;
    std::uint32_t shownMs = 0, endedMs = 0;  // game clock
    WordEnd end = WordEnd::kOpen;
    std::string typed;           // the keys typed for it
};

struct KeyRecord {
    std::uint32_t atMs = 0;      // game clock
    char key = 0;                // as the game took it (upper case)
    char expected = 0;           // 0: nothing on screen could take a key
    bool right = false;
    int word = -1;               // index among the level's words, -1 none
};

}  // namespace stats
