#pragma once
// Small sound synthesis shared by the effect and music tools: oscillators
// with frequency sweeps, sample-and-hold noise, and an envelope with a soft
// attack and an exponential fall, so nothing clicks.

#include <cstdint>
#include <string>
#include <vector>

enum class Wave { Sine, Square, Triangle, Saw, Noise };

bool ParseWave(const std::string& name, Wave& wave);

struct Voice {
    Wave wave = Wave::Sine;
    double startHz = 440, endHz = 440;  // swept exponentially over the voice
    double start = 0, length = 0.2;     // seconds
    double volume = 0.5;                // 0..1
    double attack = 0.005;              // seconds
    double decay = 4;                   // how fast the level falls (1/s)
};

// Mixes the voices into `rate` samples a second, clamped to -1..1.
std::vector<double> Render(const std::vector<Voice>& voices, int rate);

// One cycle of a wave (for looped instrument samples), `length` points.
std::vector<double> Cycle(Wave wave, int length);

std::vector<std::int16_t> ToPcm16(const std::vector<double>& samples);
