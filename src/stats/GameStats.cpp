#include "stats/GameStats.h"

#include "stats/StatsStore.h"
#include "stats/StatsWriter.h"

#include <algorithm>
#include <ctime>

namespace stats {

GameStats::GameStats(std::unique_ptr<StatsStore> store, const GameInfo& info) : info_(info)
{
    // The game's row is made here, before play, so the writer only adds.
    if (store && store->Ready())
        game_ = store->StartGame(info_);
    if (game_)
        writer_ = std::make_unique<StatsWriter>(std::move(store), game_);
}

GameStats::~GameStats() = default;

bool GameStats::NoteDictation()
{
    // Noted by the writer, with the levels.
    dictation_ = game_ != 0;
    return dictation_;
}

std::string GameStats::WholeWord(const std::string& shown, const std::string& answer)
{
    // The gaps of a "Completa" word take the hidden letters in order.
    std::string whole = shown;
    std::size_t next = 0;
    for (char& c : whole)
        if (c == '_' && next < answer.size())
            c = answer[next++];
    return whole;
}

void GameStats::PlayFrom(std::uint32_t now)
{
    if (!falling_) {
        falling_ = true;
        fallingSince_ = now;
    }
}

void GameStats::PlayUntil(std::uint32_t now)
{
    if (falling_) {
        figures_.playMs += now - fallingSince_;
        falling_ = false;
    }
}

void GameStats::LevelStarted(int levelNumber, long long score)
{
    Flush(score, figures_.levels);
    level_ = levelNumber;
    figures_.levels = std::max(figures_.levels, levelNumber);
    for (int& w : laneWord_)
        w = -1;
}

void GameStats::Shown(int lane, const std::string& shown, const std::string& answer, std::uint32_t now)
{
    if (!game_ || lane < 0 || lane >= 3)
        return;
    PlayFrom(now);
    WordRecord word;
    word.level = level_;
    bool gaps = shown.find('_') != std::string::npos;
    word.word = gaps ? WholeWord(shown, answer) : answer;
    if (gaps)
        word.hidden = answer;
    word.lane = lane;
    word.shownMs = word.endedMs = now;
    laneWord_[lane] = static_cast<int>(words_.size());
    words_.push_back(std::move(word));
}

void GameStats::Key(char key, char expected, bool right, int lane, std::uint32_t now)
{
    if (!game_)
        return;
    KeyRecord record;
    record.atMs = now;
    record.key = key;
    record.expected = expected;
    record.right = right;
    record.word = lane >= 0 && lane < 3 ? laneWord_[lane] : -1;
    if (record.word >= 0)
        words_[static_cast<std::size_t>(record.word)].typed.push_back(key);
    keys_.push_back(record);
}

bool GameStats::EndWord(int lane, std::uint32_t now, WordEnd end)
{
    if (!game_ || lane < 0 || lane >= 3 || laneWord_[lane] < 0)
        return false;
    WordRecord& word = words_[static_cast<std::size_t>(laneWord_[lane])];
    word.end = end;
    word.endedMs = now;
    laneWord_[lane] = -1;
    return true;
}

void GameStats::Hit(int lane, std::uint32_t now, bool levelDone)
{
    if (EndWord(lane, now, WordEnd::kHit) && levelDone)
        PlayUntil(now);
}

void GameStats::Fallen(int lane, std::uint32_t now)
{
    if (EndWord(lane, now, WordEnd::kFallen))
        PlayUntil(now);  // a life is lost: nothing falls until the next level
}

void GameStats::LifeLost()
{
    ++figures_.livesLost;
}

void GameStats::Ended(GameEnd end, std::uint32_t now)
{
    PlayUntil(now);
    if (figures_.end == GameEnd::kUnfinished)
        figures_.end = end;
}

void GameStats::Flush(long long score, int levels)
{
    if (!game_)
        return;
    figures_.score = score;
    figures_.levels = std::max(figures_.levels, levels);
    figures_.ended = static_cast<long long>(std::time(nullptr));
    LevelBatch batch;
    batch.words.swap(words_);
    batch.keys.swap(keys_);
    batch.figures = figures_;
    batch.dictation = dictation_;
    writer_->Save(std::move(batch));
    for (int& w : laneWord_)
        w = -1;
}

bool GameStats::Finish()
{
    return writer_ && writer_->Finish();
}

}  // namespace stats
