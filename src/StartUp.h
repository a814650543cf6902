#pragma once
// From the command line to the first screen: how the program was asked to
// start, the screen size, the application object, the main loop.

#include <string>

struct StartRequest {
    enum Mode { Ordinary, AskName, Profile, Export };
    Mode mode = Ordinary;
    std::string profileName;  // the arguments joined with single spaces
    std::string exportFolder; // "--esporta DIR": the folder, as given
};

// A lone "/B" or "-B" (either case) asks for a name; "--esporta" writes the
// teacher's statistics into a folder, with no window; any other arguments
// name a profile, after a leading "--" when one is followed by a name; none
// is the ordinary start.
StartRequest ClassifyCommandLine(int argc, const char* const* argv);

// Finds a profile by name and makes it the current user; false when there
// is none. Replaceable so that the profile store can plug in.
using ProfileLookup = bool (*)(const std::string& name);
void SetProfileLookup(ProfileLookup lookup);

class TApp;
// What follows a game that ends: the end of the program when it was started
// straight from the command line, else the main menu. (The title and the
// main menu, above the game, open what follows them themselves.)
void WireScreens(TApp& app);

// Writes the statistics' files into the folder (a path of the system's
// own); 0, or 1 with a message on stderr.
int ExportStatistics(const std::string& folder);

// The whole run of the program; the process's exit status.
int RunProgram(int argc, const char* const* argv);
