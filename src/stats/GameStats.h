#pragma once
// One game's statistics as it is played: the words on screen lane by lane,
// every key with the letter that was expected, the time words were falling.
// What a level gathers is kept in memory and written in one transaction
// when the level ends, on the writer's thread, so neither a key nor the
// frame that ends a level waits for the disk.

#include "stats/StatsRecords.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace stats {

class StatsStore;
class StatsWriter;

class GameStats {
public:
    // No store (or one that is not ready): nothing is kept.
    GameStats(std::unique_ptr<StatsStore> store, const GameInfo& info);
    ~GameStats();

    // A level begins: what the one before gathered goes to the disk.
    void LevelStarted(int levelNumber, long long score);
    // A word launched into `lane`: `shown` is what falls, `answer` what
    // the child types ("Completa": the hidden letters).
    void Shown(int lane, const std::string& shown, const std::string& answer, std::uint32_t now);
    // A key the game took; `lane` is the word it was meant for (-1 none).
    void Key(char key, char expected, bool right, int lane, std::uint32_t now);
    void Hit(int lane, std::uint32_t now, bool levelDone);
    void Fallen(int lane, std::uint32_t now);
    void LifeLost();
    void Ended(GameEnd end, std::uint32_t now);
    // Hands what is gathered, with the game's figures, to the writer.
    void Flush(long long score, int levels);
    // Waits for the writer: true when everything handed is on the disk.
    bool Finish();

    // The game is a dictation (noted beside its row).
    bool NoteDictation();
    bool Recording() const { return game_ != 0; }
    long long GameId() const { return game_; }
    const GameFigures& Figures() const { return figures_; }

private:
    // The lane's word ends so; false when there is none.
    bool EndWord(int lane, std::uint32_t now, WordEnd end);
    void PlayFrom(std::uint32_t now);
    void PlayUntil(std::uint32_t now);
    static std::string WholeWord(const std::string& shown, const std::string& answer);

    std::unique_ptr<StatsWriter> writer_;
    GameInfo info_;
    long long game_ = 0;
    GameFigures figures_;
    std::vector<WordRecord> words_;
    std::vector<KeyRecord> keys_;
    int laneWord_[3] = {-1, -1, -1};  // the level's word in each lane
    int level_ = 0;
    bool falling_ = false;
    bool dictation_ = false;
    std::uint32_t fallingSince_ = 0;
};

}  // namespace stats
