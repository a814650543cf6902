#pragma once
// Turns what happens in a game into the child's results log: one method a
// kind of record, all in one place. It owns the registry and log access for
// the game's length; with recording off it writes nothing.

#include "session/GameSettings.h"

#include <cstdint>
#include <memory>
#include <string>

class TDataFile;

class GameRecorder {
public:
    // Stores the child's profile and opens the game's records: date, time
    // and the settings whole.
    GameRecorder(const char* userName, const GameSettings& settings);
    ~GameRecorder();

    void LevelStarted(const std::string& title);
    // A word launched: its answer, as the child must type it.
    void Shown(const std::string& answer);
    void Mistyped(const std::string& keys);
    void Hit(const std::string& keys);
    void LifeLost(std::int32_t livesBefore);
    void Bonus(bool hit);
    void Completed();
    // The child left the game (Escape, then yes).
    void Closed();
    // The game's screen went away, however it ended.
    void ContextClosed();
    // Some record could not be written (a full disk).
    bool LostRecords() const { return lost_; }

private:
    void Write(int kind, const void* data, int size);
    void WriteText(int kind, const std::string& text);

    std::unique_ptr<TDataFile> log_;
    bool lost_ = false;
};
