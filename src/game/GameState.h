#pragma once
// The game's states; the numbers are those of its state table.

enum class GameState {
    kStopped = 0, kLevelIntro = 10, kIntroWait = 11, kPlaying = 20, kLifeLost = 30, kLevelDone = 40,
    kCompleted = 50, kFinalWait = 51, kBonusIntro = 60, kBonusIntroWait = 61, kBonusSetUp = 62,
    kBonusPlay = 63, kBonusEnd = 64, kNextLevel = 70, kGameOver = 80, kLoadError = 1000, kErrorWait = 1001,
};
