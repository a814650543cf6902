#pragma once
// Where the voice's sound goes: the mixer, on a channel of its own. Tests
// put a recorder here instead and read what was said, and when.

#include "app/Sound.h"

#include <cstdint>
#include <string>
#include <vector>

// One thing the voice says, ready for the mixer: the bytes in the mixer's
// own format (the chunk plays them without copying) and what it says.
struct SpokenClip {
    std::string text;                 // the word or label, as the program has it
    std::vector<Uint8> bytes;         // the synthesised voice in the mixer's format
    ChunkPtr chunk;                   // plays `bytes`; null without a mixer
    std::uint32_t milliseconds = 0;   // how long it lasts
};

class SpeechOutput {
public:
    virtual ~SpeechOutput() = default;
    // Starts the clip at once, cutting short whatever the voice was saying.
    // `volume` is the mixer's 0 to 128.
    virtual void Play(const SpokenClip& clip, int volume) = 0;
    // The voice falls silent.
    virtual void Stop() = 0;
};

// The mixer's channel the voice alone plays on.
constexpr int kVoiceChannel = kMixChannels - 1;
