#pragma once
// From the command line to the first screen: how the program was asked to
// start, the screen size, the application object, the main loop.

#include <string>

struct StartRequest {
    enum Mode { Ordinary, AskName, Profile };
    Mode mode = Ordinary;
    std::string profileName;  // the arguments joined with single spaces
};

// A lone "/B" or "-B" (either case) asks for a name; any other arguments
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

// The whole run of the program; the process's exit status.
int RunProgram(int argc, const char* const* argv);
