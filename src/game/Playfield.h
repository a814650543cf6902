#pragma once
// The rules of play, with no screen: the level's words, the lanes they fall
// down by the game clock, what the child has typed and which word it
// destroys, the hits, and the scoreboard of points, lives and levels. The
// game's states drive it and its views draw it; neither decides anything it
// holds.

#include "game/Scoreboard.h"

#include <cstdint>
#include <string>
#include <vector>

// Where a lane's word stands.
enum class HitState {
    kIdle,       // falling (or the lane is free)
    kMatched,    // typed; in the picture themes the shot is on its way
    kDestroyed,  // the shot hit it; its explosion is still on screen
    kLanded,     // it reached the bottom: a life is lost
};

struct PlayLane {
    bool inUse = false;      // a word, its carrier or its shot is in the lane
    bool hasWord = false;    // a word that can still land or be typed
    std::string answer;      // what destroys it, upper-cased
    HitState hit = HitState::kIdle;
    std::uint32_t launchTime = 0;
    int carrierHeight = 0;   // what hangs below the fall line (the creature)
};

struct PlayRules {
    int lanes = 2;                 // 1 to 3
    std::uint32_t spawnMs = 3000;  // between two launches
    std::uint32_t fallMs = 10000;  // from the top to the bottom line
    int bottomLine = 480;          // the fall's length in pixels
    int topMargin = 0;             // where the fall starts above the screen
    int exerciseType = 1;
    bool scoreOnMatch = true;      // else when the shot hits (picture themes)
    bool infiniteLives = false;
    int lives = 3;
};

class Playfield {
public:
    static constexpr std::uint32_t kWordPoints = 25;
    static constexpr int kMaxLanes = 3;

    void Start(const PlayRules& rules);

    // A level: its words, how many must be hit and, for key sets, the keys.
    void SetLevel(std::vector<std::string> words, int target, std::string keySet);
    // The level's play begins: no hit yet, the words from the first.
    void BeginLevel();
    // Every lane freed, nothing launched (between levels).
    void ClearLanes();

    // Whether a lane is free and the spawn time has passed.
    bool LaunchDue(std::uint32_t now) const;
    struct Launched {
        int lane = -1;          // -1: nothing launched
        std::string shown;      // what falls
        std::string answer;     // what the child types, as written
        int error = 0;          // a "Completa" word without its space
    };
    // Puts the next word in a free lane picked at random.
    Launched Launch(std::uint32_t now);
    // The lane's carrier (plain theme: 0) measured for the matcher.
    void SetCarrierHeight(int lane, int height) { lanes_[lane].carrierHeight = height; }

    // How far the lane's word has fallen since its launch.
    long long Travelled(int lane, std::uint32_t now) const;
    // The top of the lane's carrier: lower on screen is greater.
    int CarrierY(int lane, std::uint32_t now) const;
    // How long from `now` until the rules next change by themselves: a
    // falling word moves a pixel (or lands), a typed word is to be released
    // or the next word is due. 0: at once.
    std::uint32_t NextMoveIn(std::uint32_t now) const;
    // A falling word past the bottom line.
    bool HasLanded(int lane, std::uint32_t now) const;
    // The word landed; in the picture themes its carrier stays a moment.
    void Land(int lane);
    // The lane is empty again.
    void Release(int lane);
    // A typed word's lane freed at once (plain theme).
    void ReleaseMatched(int lane);
    // The shot destroyed the lane's word (bonus: the target).
    void Destroy(int lane, bool bonus);
    // The shot's aftermath is over: the lane takes words again.
    void ShotEnded(int lane);

    struct TypeResult {
        bool taken = false;          // the key belongs to the game now
        int lane = -1;               // the word destroyed, if any
        std::string mistyped, hit;   // for the results log
        bool levelDone = false;
        bool wrong = false;          // it begins no word and hits none
    };
    // The word the child is typing: the lane whose answer's beginning ends
    // what was typed, the longest such beginning (the lower word between
    // equals). Lane -1 when the typed letters begin no word.
    struct Aim {
        int lane = -1;
        int typed = 0;  // letters of its answer typed so far
    };
    Aim Aimed(std::uint32_t now) const;
    // When the last key that began no word and hit none was typed; 0: never.
    std::uint32_t LastWrongKey() const { return lastWrongKey_; }

    // A character typed (already upper-cased), at `now`.
    TypeResult Type(char c, std::uint32_t now);
    // What was typed and not yet used, handed over to be recorded.
    std::string TakeTyped();
    // Any key fires at the bonus target (lane 0).
    void FireAtBonus();
    // The bonus target stands in lane 0.
    void PlaceBonusTarget(std::uint32_t now);

    // Points, lives and levels: words destroyed add to it, the game's
    // states do the rest.
    Scoreboard& Board() { return board_; }
    const Scoreboard& Board() const { return board_; }

    // The answers of the words the child can still hit.
    std::vector<std::string> OpenAnswers() const;

    const PlayLane& Lane(int i) const { return lanes_[i]; }
    int Lanes() const { return rules_.lanes; }
    int Occupied() const { return occupied_; }
    int Hits() const { return hits_; }
    int Target() const { return target_; }
    const std::string& Typed() const { return typed_; }
    const PlayRules& Rules() const { return rules_; }
    bool HasWords() const { return !words_.empty(); }

private:
    bool IsFree(int lane) const;
    bool InKeySet(char c) const;

    PlayRules rules_;
    PlayLane lanes_[kMaxLanes];
    std::vector<std::string> words_;
    std::size_t nextWord_ = 0;
    std::string keySet_;
    std::string typed_;
    int target_ = 0, hits_ = 0, launched_ = 0, occupied_ = 0;
    std::uint32_t lastLaunch_ = 0;
    std::uint32_t lastWrongKey_ = 0;
    Scoreboard board_;
};
