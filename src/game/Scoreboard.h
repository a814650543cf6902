#pragma once
// The child's tally across a game: points, lives, the level being played
// and the run of levels won in a row that earns a bonus stage.

#include <cstdint>

class Scoreboard {
public:
    void Start(int lives, bool infiniteLives);

    void AddPoints(std::uint32_t points) { score_ += points; }
    // The level is won: the run grows; the next level comes.
    void LevelWon();
    // The level's points; true when the run of three earns a bonus stage.
    bool ScoreLevel(bool bonusStages);
    // A life is lost; false when the game is over.
    bool LoseLife();

    std::uint32_t Score() const { return score_; }
    int Lives() const { return lives_; }
    int Streak() const { return streak_; }
    // The level's number as titled (1 for the first level played).
    int LevelNumber() const { return levelNumber_; }
    // The level's place in the exercise, from 0.
    int LevelIndex() const { return levelIndex_; }
    void SetLevelIndex(int index) { levelIndex_ = index; }

private:
    std::uint32_t score_ = 0;
    int lives_ = 3;
    bool infiniteLives_ = false;
    int streak_ = 0;
    int levelIndex_ = 0, levelNumber_ = 1;
};
