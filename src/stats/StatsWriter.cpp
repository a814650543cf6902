#include "stats/StatsWriter.h"

#include "stats/StatsStore.h"

namespace stats {

StatsWriter::StatsWriter(std::unique_ptr<StatsStore> store, long long game)
    : store_(std::move(store)), game_(game), thread_([this] { Run(); })
{
}

StatsWriter::~StatsWriter()
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
    thread_.join();
}

void StatsWriter::Save(LevelBatch batch)
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        queue_.push_back(std::move(batch));
    }
    changed_.notify_all();
}

bool StatsWriter::Finish()
{
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait(lock, [this] { return queue_.empty() && !writing_; });
    return allWritten_;
}

void StatsWriter::Append(LevelBatch& earlier, LevelBatch later)
{
    int offset = static_cast<int>(earlier.words.size());
    for (KeyRecord& k : later.keys)
        if (k.word >= 0)
            k.word += offset;
    earlier.words.insert(earlier.words.end(), later.words.begin(), later.words.end());
    earlier.keys.insert(earlier.keys.end(), later.keys.begin(), later.keys.end());
    earlier.figures = later.figures;
    earlier.dictation = earlier.dictation || later.dictation;
}

void StatsWriter::Run()
{
    LevelBatch refused;
    bool hasRefused = false;
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
        changed_.wait(lock, [this] { return !queue_.empty() || stopping_; });
        if (queue_.empty())
            return;  // stopping, with nothing left
        // Everything waiting goes in one transaction, after what was refused.
        LevelBatch batch = hasRefused ? std::move(refused) : LevelBatch();
        bool first = !hasRefused;
        while (!queue_.empty()) {
            if (first)
                batch = std::move(queue_.front());
            else
                Append(batch, std::move(queue_.front()));
            first = false;
            queue_.pop_front();
        }
        writing_ = true;
        lock.unlock();
        bool written = store_->SaveLevel(game_, batch.words, batch.keys, batch.figures);
        if (written && batch.dictation)
            store_->NoteDictation(game_);  // only a note: the level is kept either way
        lock.lock();
        writing_ = false;
        hasRefused = !written;
        if (hasRefused)
            refused = std::move(batch);
        allWritten_ = written;
        changed_.notify_all();
    }
}

}  // namespace stats
