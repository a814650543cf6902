#pragma once
// Where the children's data lives: the folder a classroom shares when
// "config.ini" names one (DATAFOLDER), else the program folder when it can
// be written (the prefix is then empty), else a folder of the user's own.

#include <string>

// The prefix put in front of the relative paths of user data; empty or a
// folder path ending with a separator.
extern std::string theDataPrefix;
// No folder chosen yet, as at the start of the process.
void ResetDataFolder();

// Takes the shared folder when it can be written in (else the teacher is
// told, and the choice goes on); then tries the current folder; when it
// cannot be written, makes and uses the per-user data folder.
void SetUpDataFolder(const std::string& applicationName);
