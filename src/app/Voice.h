#pragma once
// The program's voice: Italian words spoken by espeak-ng, synthesised in
// memory and played by the mixer on a channel of its own. The library is
// not thread-safe: this is its one owner, used from the loop's thread only.
// What is said is kept, so a word known ahead (a level's words) is
// synthesised before it is needed and saying it costs no frame any work.

#include "app/SpeechOutput.h"

#include <cstddef>
#include <string>
#include <vector>

namespace voice {

enum class Availability {
    kReady,
    kNoAudio,      // AUDIO=0 or no sound device: the mixer is not open
    kNoVoiceData,  // espeak-ng's data or its Italian voice are missing
};

// Whether the voice can speak; the first call starts the synthesiser.
Availability Status();
inline bool Ready() { return Status() == Availability::kReady; }

// The synthesised samples (22050 Hz, 16-bit, mono) of a text in Latin-1;
// a part in double brackets ("[[perk'e]]") is read as espeak-ng phonemes.
// Empty when the voice is not ready.
std::vector<std::int16_t> Synthesize(const std::string& text);
constexpr int kSampleRate = 22050;

// The clip of a text, synthesised now unless it is kept already; null when
// the voice cannot speak.
const SpokenClip* Clip(const std::string& text);
// Synthesises it ahead; true when it was not kept yet.
bool Prepare(const std::string& text);
bool Prepared(const std::string& text);
// What the kept clips take, in bytes.
std::size_t KeptBytes();
std::size_t KeptClips();
// Forgets every clip (the voice falls silent first).
void Forget();

// Says the text, cutting short what was being said.
void Say(const std::string& text);
// A short beep in place of a word (scanning without words).
void Beep();
void Stop();
// 0 (silent) to 10.
void SetVolume(int tenths);

// Tests: another output (null: the mixer), and a data folder to look in
// ("" for espeak-ng's own).
void SetOutput(SpeechOutput* output);
void UseDataFolder(const std::string& folder);
// As at the start of the process, except that the synthesiser, once
// started, stays (espeak-ng cannot be started twice).
void Reset();

}  // namespace voice
