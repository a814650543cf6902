#pragma once
// The teacher's statistics: an SQLite database beside the results log. Each
// game is a row, its words and keys rows of their own, written one level in
// one transaction. A file that is damaged or not ours is moved aside (and
// the teacher told once), never written over; two copies of the program
// take turns through SQLite's own locks.

#include "session/VoiceSettings.h"
#include "stats/StatsRecords.h"

#include <string>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace stats {

// A prepared statement, finalised when it goes.
class Statement {
public:
    Statement(sqlite3* db, const char* sql);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;
    bool Ok() const { return stmt_ != nullptr; }
    Statement& Bind(int index, long long value);
    Statement& Bind(int index, const std::string& text);
    Statement& BindNull(int index);
    // One step: true while a row is there.
    bool Row();
    // Runs it to the end; false on an error.
    bool Run();
    void Reset();
    long long Int(int column) const;
    double Real(int column) const;
    std::string Text(int column) const;
    bool IsNull(int column) const;

private:
    sqlite3_stmt* stmt_ = nullptr;
    int last_ = 0;
};

class StatsStore {
public:
    // "DATA\STATS.DB" in the data folder.
    static std::string DefaultPath();
    explicit StatsStore(const std::string& programPath = DefaultPath());
    ~StatsStore();
    StatsStore(const StatsStore&) = delete;
    StatsStore& operator=(const StatsStore&) = delete;

    // False when the database could not be opened or made.
    bool Ready() const { return db_ != nullptr; }
    sqlite3* Handle() const { return db_; }
    const std::string& Path() const { return path_; }

    // A new game's row; its id, 0 when it could not be written.
    long long StartGame(const GameInfo& info);
    // The level's words and keys and the game's figures so far, in one
    // transaction; false (nothing written) when it failed.
    bool SaveLevel(long long game, const std::vector<WordRecord>& words, const std::vector<KeyRecord>& keys,
                   const GameFigures& figures);
    // Every row of the child: games, words, keys and the child's name.
    bool DeleteChild(int childId);

    // The child's voice choices; false (left as they were) when none are kept.
    bool LoadVoice(int childId, VoiceSettings& voice) const;
    bool SaveVoice(int childId, const VoiceSettings& voice);
    // The game was a dictation: its words were heard, not read.
    bool NoteDictation(long long game);

    // How long a copy waits for another's transaction.
    static constexpr int kBusyMs = 5000;

private:
    bool Open(bool mayMoveAside);
    bool Exec(const char* sql);
    // Not ours, or damaged: renamed beside itself under a dated name.
    bool MoveAside();

    std::string path_;
    sqlite3* db_ = nullptr;
};

}  // namespace stats
