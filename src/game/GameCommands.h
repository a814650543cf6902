#pragma once
// Command codes of the game's screens.

namespace command {

constexpr int kAskExit = 5;       // Escape in the game: the exit question
constexpr int kGameOver = 7;
constexpr int kGameEnded = 9;     // the game has ended: what follows is start-up's choice
constexpr int kPrintScreen = 8;
constexpr int kPlay = 14;
constexpr int kPause = 41;

}  // namespace command
