#pragma once
// Command codes of the title screen, the main menu and the options.

#include "help/HelpCommands.h"

namespace command {

constexpr int kTopTen = 26;
constexpr int kOptions = 27;
constexpr int kResults = 29;
constexpr int kProfiles = 33;
constexpr int kControls = 38;
constexpr int kResetTopTen = 44;
constexpr int kFontDialog = 45;
constexpr int kVoiceDialog = 46;
constexpr int kExercises = 100;

}  // namespace command
