#pragma once
// What a child chooses about the voice, kept apart from the 476-byte
// settings record (whose layout other copies of the program read): in the
// statistics database, keyed by the child's id. Everything is off at first.

#include <cstdint>

struct VoiceSettings {
    // Check boxes bound to three bytes in a row.
    std::uint8_t sayOnAppear = 0;  // each word as it starts to fall
    std::uint8_t sayOnHit = 0;     // again when it is hit
    std::uint8_t sayLetters = 0;   // each letter as it is typed
    std::uint8_t dictation = 0;    // "Dettato": the words are heard, not read
    int volume = 8;                // 1 to 10
    int scan = kScanSilent;        // what a switch user hears when the mark moves

    static constexpr int kScanSilent = 1, kScanSpoken = 2, kScanBeep = 3;

    bool SpeaksInPlay() const { return sayOnAppear || sayOnHit || sayLetters || dictation; }
};
