#pragma once
// The game clock: milliseconds that stop while the game is paused. Every
// timer of the program reads it, so a pause freezes them all. Tests replace
// the tick source to move time exactly.

#include <cstdint>

using TickSource = std::uint32_t (*)();

void SetTickSource(TickSource source);  // null: SDL_GetTicks
std::uint32_t Now();
// True when more than `ms` milliseconds have passed since `since`.
bool Elapsed(std::uint32_t since, std::uint32_t ms);
void PauseClock();
void ResumeClock();
bool ClockPaused();
// Forgets pauses (tests start each case from a clean clock).
void ResetClock();
