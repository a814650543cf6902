// Writes a FastTracker 2 module (XM) from a song written as text.
//
//   quoli-music IN.song OUT.xm
//
// A song ('#' starts a comment):
//   name TEXT
//   bpm N / speed N                 tempo: rows last speed × 2.5 / bpm seconds
//   instrument NAME WAVE ENVELOPE VOLUME
//       WAVE: sine square triangle saw (looped), kick snare hat (one shot)
//       ENVELOPE: pluck, soft or organ (organ holds until a "-" note off)
//   channels NAME...                one instrument per channel, in order
//   pattern NAME ROWS               then one line per channel used:
//   CHANNEL: TOKEN...               NOTE[:ROWS] (C4, F#3, Bb5), .[:ROWS] rest,
//                                   -[:ROWS] note off, [ TOKENS ]*N repeat
//   order NAME...                   the patterns in playing order
//   restart N                       where the song loops to (0-based)

#include "Synth.h"

#include <cmath>
#include <cstring>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Instrument {
    std::string name;
    std::string wave;
    std::string envelope;
    int volume = 64;
};

struct Cell {
    int note = 0;        // 1..96, 97 note off, 0 none
    int instrument = 0;  // 1-based
};

struct Pattern {
    std::string name;
    int rows = 0;
    std::vector<std::vector<Cell>> cells;  // [row][channel]
};

struct Song {
    std::string name = "Quoli";
    int bpm = 125, speed = 6;
    std::vector<Instrument> instruments;
    std::vector<std::string> channels;
    std::vector<Pattern> patterns;
    std::vector<int> order;
    int restart = 0;
};

class Parser {
public:
    explicit Parser(std::string file) : file_(std::move(file)) {}

    bool Parse(std::istream& in, Song& song)
    {
        std::string line;
        Pattern* pattern = nullptr;
        for (number_ = 1; std::getline(in, line); ++number_) {
            std::size_t hash = line.find('#');
            // '#' in a note name (F#4) is not a comment: only at the line start or after a space.
            if (hash != std::string::npos && (hash == 0 || line[hash - 1] == ' '))
                line = line.substr(0, hash);
            std::istringstream words(line);
            std::string command;
            if (!(words >> command))
                continue;
            if (command == "name") {
                std::getline(words, song.name);
            } else if (command == "bpm") {
                words >> song.bpm;
            } else if (command == "speed") {
                words >> song.speed;
            } else if (command == "instrument") {
                Instrument i;
                if (!(words >> i.name >> i.wave >> i.envelope >> i.volume))
                    return Fail("instrument NAME WAVE ENVELOPE VOLUME");
                song.instruments.push_back(i);
            } else if (command == "channels") {
                std::string name;
                while (words >> name) {
                    if (InstrumentIndex(song, name) < 0)
                        return Fail("no instrument " + name);
                    song.channels.push_back(name);
                }
            } else if (command == "pattern") {
                Pattern p;
                if (!(words >> p.name >> p.rows) || p.rows < 1 || p.rows > 256)
                    return Fail("pattern NAME ROWS (1..256)");
                p.cells.assign(static_cast<std::size_t>(p.rows), std::vector<Cell>(song.channels.size()));
                song.patterns.push_back(p);
                pattern = &song.patterns.back();
            } else if (command == "order") {
                std::string name;
                while (words >> name) {
                    int index = PatternIndex(song, name);
                    if (index < 0)
                        return Fail("no pattern " + name);
                    song.order.push_back(index);
                }
            } else if (command == "restart") {
                words >> song.restart;
            } else if (command.back() == ':') {
                if (!pattern)
                    return Fail("a channel line outside a pattern");
                if (!ChannelLine(song, *pattern, command.substr(0, command.size() - 1), words))
                    return false;
            } else {
                return Fail("unknown command " + command);
            }
        }
        if (song.order.empty() || song.channels.empty())
            return Fail("a song needs channels and an order");
        return true;
    }

private:
    bool Fail(const std::string& message)
    {
        std::cerr << file_ << ":" << number_ << ": " << message << "\n";
        return false;
    }

    static int InstrumentIndex(const Song& song, const std::string& name)
    {
        for (std::size_t i = 0; i < song.instruments.size(); ++i)
            if (song.instruments[i].name == name)
                return static_cast<int>(i);
        return -1;
    }

    static int PatternIndex(const Song& song, const std::string& name)
    {
        for (std::size_t i = 0; i < song.patterns.size(); ++i)
            if (song.patterns[i].name == name)
                return static_cast<int>(i);
        return -1;
    }

    // Expands "[ ... ]*N" groups into a flat token list.
    bool Expand(std::istream& words, std::vector<std::string>& tokens, bool nested)
    {
        std::string token;
        while (words >> token) {
            if (token == "[") {
                std::vector<std::string> group;
                if (!Expand(words, group, true))
                    return false;
                std::string times;
                if (!(words >> times) || times.size() < 2 || times[0] != '*')
                    return Fail("a group ends with ] *N");
                int n = std::atoi(times.c_str() + 1);
                for (int i = 0; i < n; ++i)
                    tokens.insert(tokens.end(), group.begin(), group.end());
            } else if (token == "]") {
                return nested || Fail("] without [");
            } else {
                tokens.push_back(token);
            }
        }
        return !nested || Fail("[ without ]");
    }

    static int NoteNumber(const std::string& name)
    {
        static const int semitones[7] = {9, 11, 0, 2, 4, 5, 7};  // A B C D E F G
        if (name.size() < 2 || name[0] < 'A' || name[0] > 'G')
            return -1;
        int semitone = semitones[name[0] - 'A'];
        std::size_t at = 1;
        if (name[at] == '#') {
            ++semitone;
            ++at;
        } else if (name[at] == 'b') {
            --semitone;
            ++at;
        }
        if (at + 1 != name.size() || name[at] < '0' || name[at] > '7')
            return -1;
        int note = (name[at] - '0') * 12 + semitone + 1;
        return (note >= 1 && note <= 96) ? note : -1;
    }

    bool ChannelLine(const Song& song, Pattern& pattern, const std::string& channel, std::istream& words)
    {
        int column = -1;
        for (std::size_t i = 0; i < song.channels.size(); ++i)
            if (song.channels[i] == channel)
                column = static_cast<int>(i);
        if (column < 0)
            return Fail("no channel " + channel);
        int instrument = InstrumentIndex(song, channel) + 1;
        std::vector<std::string> tokens;
        if (!Expand(words, tokens, false))
            return false;
        int row = 0;
        for (const std::string& token : tokens) {
            std::size_t colon = token.find(':');
            std::string what = token.substr(0, colon);
            int length = colon == std::string::npos ? 1 : std::atoi(token.c_str() + colon + 1);
            if (length < 1)
                return Fail("bad length in " + token);
            if (row + length > pattern.rows)
                return Fail("channel " + channel + " runs past the pattern's " + std::to_string(pattern.rows) + " rows");
            Cell& cell = pattern.cells[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
            if (what == "-") {
                cell.note = 97;
            } else if (what != ".") {
                int note = NoteNumber(what);
                if (note < 0)
                    return Fail("bad note " + what);
                cell.note = note;
                cell.instrument = instrument;
            }
            row += length;
        }
        if (row != pattern.rows)
            return Fail("channel " + channel + " fills " + std::to_string(row) + " of " +
                        std::to_string(pattern.rows) + " rows");
        return true;
    }

    std::string file_;
    int number_ = 0;
};

// Little-endian output.
struct Out {
    std::string bytes;
    void U8(unsigned v) { bytes.push_back(static_cast<char>(v & 0xFF)); }
    void U16(unsigned v)
    {
        U8(v);
        U8(v >> 8);
    }
    void U32(unsigned v)
    {
        U16(v & 0xFFFF);
        U16(v >> 16);
    }
    void Text(const std::string& text, std::size_t size)
    {
        for (std::size_t i = 0; i < size; ++i)
            U8(i < text.size() ? static_cast<unsigned char>(text[i]) : 0);
    }
};

struct SampleData {
    std::vector<std::int8_t> pcm;
    bool looped = false;
    int relativeNote = 0;
    int finetune = 0;
};

SampleData MakeSample(const Instrument& instrument)
{
    SampleData s;
    Wave wave;
    if (ParseWave(instrument.wave, wave)) {
        // One cycle of 64 points plays C-4 an octave low; the relative note
        // puts it back where the note names say.
        for (double v : Cycle(wave, 64))
            s.pcm.push_back(static_cast<std::int8_t>(std::lround(v * 100)));
        s.looped = true;
        s.relativeNote = 12;
        return s;
    }
    std::vector<Voice> voices;
    if (instrument.wave == "kick") {
        voices.push_back({Wave::Sine, 160, 42, 0, 0.32, 1.0, 0.002, 7});
    } else if (instrument.wave == "snare") {
        voices.push_back({Wave::Noise, 9000, 5000, 0, 0.22, 0.7, 0.001, 14});
        voices.push_back({Wave::Triangle, 200, 140, 0, 0.12, 0.5, 0.001, 20});
    } else {  // hat
        voices.push_back({Wave::Noise, 16000, 16000, 0, 0.07, 0.45, 0.001, 45});
    }
    for (double v : Render(voices, 22050))
        s.pcm.push_back(static_cast<std::int8_t>(std::lround(v * 120)));
    // Played at C-4 the sample keeps its own 22050 Hz pitch: 8363 Hz × 2^(16.78/12).
    s.relativeNote = 17;
    s.finetune = -28;
    return s;
}

void Envelope(Out& out, const std::string& kind, unsigned& points, unsigned& sustain, unsigned& flags,
              unsigned& fadeout)
{
    std::vector<std::pair<unsigned, unsigned>> env;
    sustain = 0;
    flags = 1;
    fadeout = 0;
    if (kind == "pluck") {
        env = {{0, 64}, {4, 46}, {16, 30}, {48, 14}, {110, 0}};
    } else if (kind == "soft") {
        env = {{0, 0}, {3, 56}, {12, 46}, {60, 30}, {170, 0}};
    } else if (kind == "organ") {
        env = {{0, 0}, {2, 60}, {10, 46}};
        sustain = 2;
        flags = 1 | 2;
        fadeout = 1200;
    } else {  // drums: the sample carries its own shape
        env = {{0, 64}, {1, 64}};
    }
    points = static_cast<unsigned>(env.size());
    for (std::size_t i = 0; i < 12; ++i) {
        out.U16(i < env.size() ? env[i].first : 0);
        out.U16(i < env.size() ? env[i].second : 0);
    }
}

std::string WriteXm(const Song& song)
{
    Out out;
    out.Text("Extended Module: ", 17);
    out.Text(song.name, 20);
    out.U8(0x1A);
    out.Text("quoli-music", 20);
    out.U16(0x0104);
    out.U32(276);
    out.U16(static_cast<unsigned>(song.order.size()));
    out.U16(static_cast<unsigned>(song.restart));
    out.U16(static_cast<unsigned>(song.channels.size()));
    out.U16(static_cast<unsigned>(song.patterns.size()));
    out.U16(static_cast<unsigned>(song.instruments.size()));
    out.U16(1);  // linear frequency table
    out.U16(static_cast<unsigned>(song.speed));
    out.U16(static_cast<unsigned>(song.bpm));
    for (std::size_t i = 0; i < 256; ++i)
        out.U8(i < song.order.size() ? static_cast<unsigned>(song.order[i]) : 0);

    for (const Pattern& p : song.patterns) {
        Out data;
        for (const auto& row : p.cells)
            for (const Cell& cell : row) {
                if (cell.note == 0) {
                    data.U8(0x80);
                } else if (cell.instrument == 0) {
                    data.U8(0x80 | 0x01);
                    data.U8(static_cast<unsigned>(cell.note));
                } else {
                    data.U8(0x80 | 0x01 | 0x02);
                    data.U8(static_cast<unsigned>(cell.note));
                    data.U8(static_cast<unsigned>(cell.instrument));
                }
            }
        out.U32(9);
        out.U8(0);
        out.U16(static_cast<unsigned>(p.rows));
        out.U16(static_cast<unsigned>(data.bytes.size()));
        out.bytes += data.bytes;
    }

    for (const Instrument& instrument : song.instruments) {
        SampleData sample = MakeSample(instrument);
        std::size_t start = out.bytes.size();
        out.U32(263);
        out.Text(instrument.name, 22);
        out.U8(0);
        out.U16(1);
        out.U32(40);
        for (int i = 0; i < 96; ++i)
            out.U8(0);
        unsigned points, sustain, flags, fadeout;
        Envelope(out, instrument.envelope, points, sustain, flags, fadeout);
        for (int i = 0; i < 48; ++i)  // panning envelope: none
            out.U8(0);
        out.U8(points);
        out.U8(0);
        out.U8(sustain);
        out.U8(0);
        out.U8(0);
        out.U8(0);
        out.U8(0);
        out.U8(0);
        out.U8(flags);
        out.U8(0);
        out.U8(0);
        out.U8(0);
        out.U8(0);
        out.U8(0);
        out.U16(fadeout);
        while (out.bytes.size() - start < 263)
            out.U8(0);

        auto length = static_cast<unsigned>(sample.pcm.size());
        out.U32(length);
        out.U32(0);
        out.U32(sample.looped ? length : 0);
        out.U8(static_cast<unsigned>(instrument.volume));
        out.U8(static_cast<unsigned>(static_cast<std::uint8_t>(static_cast<std::int8_t>(sample.finetune))));
        out.U8(sample.looped ? 1 : 0);
        out.U8(128);
        out.U8(static_cast<unsigned>(static_cast<std::uint8_t>(static_cast<std::int8_t>(sample.relativeNote))));
        out.U8(0);
        out.Text(instrument.wave, 22);
        std::int8_t previous = 0;
        for (std::int8_t v : sample.pcm) {
            out.U8(static_cast<std::uint8_t>(static_cast<std::int8_t>(v - previous)));
            previous = v;
        }
    }
    return out.bytes;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::cerr << "usage: quoli-music IN.song OUT.xm\n";
        return 2;
    }
    std::ifstream in(argv[1]);
    if (!in) {
        std::cerr << argv[1] << ": cannot read\n";
        return 1;
    }
    Song song;
    Parser parser(argv[1]);
    if (!parser.Parse(in, song))
        return 1;
    std::ofstream file(argv[2], std::ios::binary | std::ios::trunc);
    file << WriteXm(song);
    return file ? 0 : 1;
}
