#pragma once
// The mixer: opened at start-up when audio is on, closed at shut-down.
// Twenty channels, each remembering which effect plays on it, so an effect
// can chain the next one when it ends. Every call is harmless when the
// mixer is not open or effects are switched off.

#include "SDL_mixer.h"

#include <cstddef>
#include <memory>
#include <string>

struct ChunkFree {
    void operator()(Mix_Chunk* chunk) const { Mix_FreeChunk(chunk); }
};
using ChunkPtr = std::unique_ptr<Mix_Chunk, ChunkFree>;

struct SoundEffect {
    std::string error;             // the library's message when loading failed
    SoundEffect* next = nullptr;   // played on the same channel when this one ends
    int channel = 0;
    ChunkPtr sample;
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

// Loads an effect from an archive entry (a WAV); on failure the effect keeps
// the library's message and is silently never played.
void LoadEffect(SoundEffect& effect, class TJoinFile& archive, int type, int number);
// A RIFF WAVE of PCM, 1 or 2 channels, 8 or 16 bits, 8000 to 48000 Hz,
// whose chunks all lie within the bytes.
bool IsPlainWave(const unsigned char* data, std::size_t size);
// A file that starts as an XM module does.
bool IsModuleFile(const char* path);
void PlayEffect(SoundEffect& effect);
void FreeEffect(SoundEffect& effect);

// The game's effects: "effects.bin" open while a game runs, one effect
// playing at a time on channel 0 (a new one cuts the old one off).
void OpenEffects(bool effectsOn, bool musicOn);
void PlayEffectNumber(int type, int number);
// The effect most recently asked for, played or not ({-1, -1} before any).
struct EffectNumber {
    int type, number;
};
EffectNumber LastEffectNumber();
void CloseEffects();

// With the mixer closed: the switches on and nothing asked for, as at the
// start of the process.
void ResetSound();

// The game's music, one module at a time; nothing plays while the user's
// music switch is off.
void LoadMusic(const char* path);
// Never waits for a fade: a module fading out goes on fading on its own and
// is freed once it has stopped.
void FreeMusic();
// Whether a module let go is still fading out.
bool MusicFading();
void FadeInMusic();
void FadeOutMusic();
void PauseMusic();
void ResumeMusic();
void SetMusicEnabled(bool on);
bool MusicLoaded();
