// Synthesises a sound effect into a 22050 Hz mono 16-bit WAV file.
//
//   quoli-sound IN.sfx OUT.wav
//
// Each line of the description is one voice ('#' starts a comment):
//   voice WAVE START_HZ END_HZ START LENGTH VOLUME [ATTACK [DECAY]]
// with WAVE one of sine, square, triangle, saw, noise (for noise the
// frequencies are how often a new random level is drawn).

#include "Synth.h"

#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

namespace {

constexpr int kRate = 22050;

void Put(std::string& out, std::uint32_t v, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::cerr << "usage: quoli-sound IN.sfx OUT.wav\n";
        return 2;
    }
    std::ifstream in(argv[1]);
    if (!in) {
        std::cerr << argv[1] << ": cannot read\n";
        return 1;
    }
    std::vector<Voice> voices;
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        std::istringstream words(line);
        std::string command, wave;
        if (!(words >> command) || command[0] == '#')
            continue;
        Voice v;
        if (command != "voice" || !(words >> wave) || !ParseWave(wave, v.wave) ||
            !(words >> v.startHz >> v.endHz >> v.start >> v.length >> v.volume) || v.startHz <= 0 ||
            v.endHz <= 0 || v.length <= 0) {
            std::cerr << argv[1] << ":" << number << ": expected voice WAVE START_HZ END_HZ START LENGTH VOLUME\n";
            return 1;
        }
        words >> v.attack >> v.decay;
        voices.push_back(v);
    }
    std::vector<std::int16_t> pcm = ToPcm16(Render(voices, kRate));
    std::string out = "RIFF";
    auto dataBytes = static_cast<std::uint32_t>(pcm.size() * 2);
    Put(out, 36 + dataBytes, 4);
    out += "WAVEfmt ";
    Put(out, 16, 4);
    Put(out, 1, 2);             // PCM
    Put(out, 1, 2);             // mono
    Put(out, kRate, 4);
    Put(out, kRate * 2, 4);
    Put(out, 2, 2);
    Put(out, 16, 2);
    out += "data";
    Put(out, dataBytes, 4);
    for (std::int16_t s : pcm)
        Put(out, static_cast<std::uint16_t>(s), 2);
    std::ofstream file(argv[2], std::ios::binary | std::ios::trunc);
    file << out;
    return file ? 0 : 1;
}
