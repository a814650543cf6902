#pragma once
// Turns what happens in a game into the child's results log and the
// teacher's statistics: one method a kind of record, all in one place. It
// owns the registry, log and statistics access for the game's length; with
// recording off it writes nothing.

#include "game/KeyAim.h"
#include "session/GameSettings.h"

#include <cstdint>
#include <memory>
#include <string>

class TDataFile;
namespace stats {
class GameStats;
}

class GameRecorder {
public:
    // Stores the child's profile and opens the game's records: date, time
    // and the settings whole.
    GameRecorder(const char* userName, const GameSettings& settings);
    ~GameRecorder();

    // The level of the game numbered so (from 1), with the points so far.
    void LevelStarted(const std::string& title, int levelNumber = 1, long long score = 0);
    // A word launched into the lane: its answer, as the child must type
    // it, and what falls (the same unless letters are hidden).
    void Shown(const std::string& answer, int lane = 0, const std::string& shown = std::string());
    // A key the game took, with the word and letter it was meant for.
    void Key(char key, const KeyAim& aim);
    void Mistyped(const std::string& keys);
    void Hit(const std::string& keys, int lane = 0, bool levelDone = false);
    // The lane's word reached the bottom.
    void Fallen(int lane);
    void LifeLost(std::int32_t livesBefore);
    void OutOfLives();
    void Bonus(bool hit);
    void Completed();
    // The child left the game (Escape, then yes).
    void Closed();
    // The game's screen went away, however it ended, with its points and
    // the levels it reached.
    void ContextClosed(long long score = 0, int levels = 0);
    // The words are heard, not read: the statistics note it; the results
    // log records the game as any other.
    void Dictation();
    // Some record could not be written (a full disk).
    bool LostRecords() const { return lost_; }

private:
    void Write(int kind, const void* data, int size);
    void WriteText(int kind, const std::string& text);

    std::unique_ptr<TDataFile> log_;
    std::unique_ptr<stats::GameStats> stats_;
    bool lost_ = false;
};
