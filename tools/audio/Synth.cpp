#include "Synth.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

bool ParseWave(const std::string& name, Wave& wave)
{
    static const struct {
        const char* name;
        Wave wave;
    } waves[] = {{"sine", Wave::Sine}, {"square", Wave::Square}, {"triangle", Wave::Triangle},
                 {"saw", Wave::Saw}, {"noise", Wave::Noise}};
    for (const auto& w : waves)
        if (name == w.name) {
            wave = w.wave;
            return true;
        }
    return false;
}

namespace {

double Shape(Wave wave, double phase)
{
    phase -= std::floor(phase);
    switch (wave) {
    case Wave::Sine: return std::sin(2 * M_PI * phase);
    case Wave::Square: return phase < 0.5 ? 0.8 : -0.8;
    case Wave::Triangle: return phase < 0.5 ? 4 * phase - 1 : 3 - 4 * phase;
    case Wave::Saw: return 2 * phase - 1;
    case Wave::Noise: return 0;
    }
    return 0;
}

// A small fixed generator, so the tools rebuild the same bytes every time.
std::uint32_t NextRandom(std::uint32_t& state)
{
    state = state * 1664525u + 1013904223u;
    return state >> 8;
}

}  // namespace

std::vector<double> Render(const std::vector<Voice>& voices, int rate)
{
    double end = 0;
    for (const Voice& v : voices)
        end = std::max(end, v.start + v.length);
    std::vector<double> out(static_cast<std::size_t>(end * rate) + 1, 0.0);
    std::uint32_t seed = 12345;
    for (const Voice& v : voices) {
        auto first = static_cast<std::size_t>(v.start * rate);
        auto count = static_cast<std::size_t>(v.length * rate);
        double phase = 0, held = 0;
        for (std::size_t i = 0; i < count && first + i < out.size(); ++i) {
            double t = static_cast<double>(i) / rate;
            double progress = v.length > 0 ? t / v.length : 1;
            double hz = v.startHz * std::pow(v.endHz / v.startHz, progress);
            double previous = phase;
            phase += hz / rate;
            double value;
            if (v.wave == Wave::Noise) {
                if (std::floor(phase) != std::floor(previous) || i == 0)
                    held = (NextRandom(seed) % 2001) / 1000.0 - 1;
                value = held;
            } else {
                value = Shape(v.wave, phase);
            }
            double level = std::min(1.0, v.attack > 0 ? t / v.attack : 1) * std::exp(-v.decay * t);
            // The last 10 ms always fade to silence.
            double tail = v.length - t;
            if (tail < 0.01)
                level *= std::max(0.0, tail / 0.01);
            out[first + i] += value * level * v.volume;
        }
    }
    for (double& s : out)
        s = std::clamp(s, -1.0, 1.0);
    return out;
}

std::vector<double> Cycle(Wave wave, int length)
{
    std::vector<double> out;
    for (int i = 0; i < length; ++i)
        out.push_back(Shape(wave, static_cast<double>(i) / length));
    return out;
}

std::vector<std::int16_t> ToPcm16(const std::vector<double>& samples)
{
    std::vector<std::int16_t> out;
    for (double s : samples)
        out.push_back(static_cast<std::int16_t>(std::lround(s * 32000)));
    return out;
}
