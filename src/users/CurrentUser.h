#pragma once
// The user who is playing: the name shown in the main menu and recorded in
// the results, and whether the program was started straight into a game.

constexpr int kMaxUserName = 20;                 // characters of a profile name
constexpr int kUserNameSize = kMaxUserName + 1;  // with the terminating zero

extern char theUserName[kUserNameSize];
// Set when a profile was found by name at start: the game then quits the
// program when it ends instead of opening the main menu.
extern bool theDirectStart;
