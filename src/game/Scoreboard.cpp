#include "game/Scoreboard.h"

void Scoreboard::Start(int lives, bool infiniteLives)
{
    score_ = 0;
    lives_ = lives;
    infiniteLives_ = infiniteLives;
    streak_ = 0;
    levelNumber_ = 1;
}

void Scoreboard::LevelWon()
{
    ++streak_;
    ++levelIndex_;
}

bool Scoreboard::ScoreLevel(bool bonusStages)
{
    score_ += 50u * static_cast<std::uint32_t>(levelNumber_);
    ++levelNumber_;
    if (bonusStages && streak_ % 3 == 0) {
        streak_ = 0;
        return true;
    }
    return false;
}

bool Scoreboard::LoseLife()
{
    streak_ = 0;
    return infiniteLives_ || --lives_ >= 0;
}
