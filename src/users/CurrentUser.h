#pragma once
// The user who is playing: the name shown in the main menu and recorded in
// the results, and whether the program was started straight into a game.

constexpr int kUserNameSize = 20;  // the terminating zero included

extern char theUserName[kUserNameSize];
// Set when a profile was found by name at start: the game then quits the
// program when it ends instead of opening the main menu.
extern bool theDirectStart;
