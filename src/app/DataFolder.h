#pragma once
// Where the children's data lives: the program folder when it can be
// written (the prefix is then empty), else a folder of the user's own.

#include <string>

// The prefix put in front of the relative paths of user data; empty or a
// folder path ending with a separator.
extern std::string theDataPrefix;
// No folder chosen yet, as at the start of the process.
void ResetDataFolder();

// Tries "testwrit.tmp" in the current folder; when it cannot be written,
// makes and uses the per-user data folder for the application name.
void SetUpDataFolder(const std::string& applicationName);
