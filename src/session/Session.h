#pragma once
// What the program knows about the session in progress, below every
// screen: the current user's name and settings, how the program was
// started, and the flags by which one screen tells another that something
// it shows has changed. One object, so that a test can start afresh with
// one call.

#include "session/GameSettings.h"
#include "session/VoiceSettings.h"

constexpr int kMaxUserName = 20;                 // characters of a profile name
constexpr int kUserNameSize = kMaxUserName + 1;  // with the terminating zero

struct Session {
    // The current user's settings, edited in place by the dialogs.
    GameSettings settings;
    // The current user's voice choices, stored beside the profile.
    VoiceSettings voice;
    // The name shown in the main menu and recorded in the results.
    char userName[kUserNameSize] = {};
    // Set when a profile was found by name at start: the game then quits the
    // program when it ends instead of opening the main menu.
    bool directStart = false;
    // Raised when a profile replaced the current name and settings; the
    // main menu shows them again and lowers it.
    bool profileLoaded = false;
    // Raised by the editors whenever an exercise file is created, saved or
    // deleted; the main menu reads its list again and lowers it.
    bool exerciseListChanged = false;

    // Back to the state of a program that has just started.
    void Reset() { *this = Session(); }
};

extern Session theSession;
