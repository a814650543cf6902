#pragma once
// Writes a game's levels to the statistics on a thread of its own, so that
// the frame that ends a level never waits for the disk (a transaction is
// made durable with fsync, tens of milliseconds on an old laptop's disk).
// The store belongs to the writer's thread from then on. A level the store
// refuses (another copy holding the file too long) is written with the
// next one; the writer finishes what it was given before it goes.

#include "stats/StatsRecords.h"

#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace stats {

class StatsStore;

// One level's words and keys (keys point into these words) and the game's
// figures so far.
struct LevelBatch {
    std::vector<WordRecord> words;
    std::vector<KeyRecord> keys;
    GameFigures figures;
    bool dictation = false;  // the game was a dictation
};

class StatsWriter {
public:
    StatsWriter(std::unique_ptr<StatsStore> store, long long game);
    ~StatsWriter();
    StatsWriter(const StatsWriter&) = delete;
    StatsWriter& operator=(const StatsWriter&) = delete;

    // Returns at once; the level is written on the writer's thread.
    void Save(LevelBatch batch);
    // Waits until every level given is written or refused; true when all
    // of them are on the disk.
    bool Finish();

private:
    void Run();
    // `later` after `earlier`: its keys' words counted after earlier's.
    static void Append(LevelBatch& earlier, LevelBatch later);

    std::unique_ptr<StatsStore> store_;
    long long game_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<LevelBatch> queue_;
    bool writing_ = false, stopping_ = false, allWritten_ = true;
    std::thread thread_;  // last: started once the rest is ready
};

}  // namespace stats
