#pragma once
// The mixer: opened at start-up when audio is on, closed at shut-down.
// Twenty channels, each remembering which effect plays on it, so an effect
// can chain the next one when it ends. Every call is harmless when the
// mixer is not open or effects are switched off.

#include "SDL_mixer.h"

#include <string>

struct SoundEffect {
    std::string error;             // the library's message when loading failed
    SoundEffect* next = nullptr;   // played on the same channel when this one ends
    int channel = 0;
    Mix_Chunk* sample = nullptr;   // owned
};

constexpr int kMixChannels = 20;

// Opens the mixer (1024-frame buffer) and allocates the channels; returns
// the library's result (negative on failure).
int OpenAudio(int frequency, Uint16 format, int channels);
void CloseAudio();
bool AudioOpen();

void SetEffectsEnabled(bool on);
bool EffectsEnabled();
void StopAllEffects();
void PauseEffects();
void ResumeEffects();

// The effect playing on a channel, or null.
SoundEffect* ChannelEffect(int channel);
void SetChannelEffect(int channel, SoundEffect* effect);
