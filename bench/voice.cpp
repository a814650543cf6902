// The voice's costs: synthesis time of each word and of each level of the
// sample exercises, the memory a level's voices take, and the frame times
// of three-lane play with every word said (as it appears and when hit)
// against the same play silent. Writes the first level's voices, one after
// another, to a WAV file to listen to (or check with sox).
//
//   bench_voice PROGRAM_FOLDER [SECONDS] [LEVEL.wav]

#include "BenchSetup.h"
#include "BenchGame.h"
#include "app/Voice.h"
#include "exercises/TExerciseDocument.h"
#include "gfx/Display.h"
#include "gfx/Screen.h"

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double MsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

void Le(std::FILE* f, std::uint32_t v, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        std::fputc(static_cast<int>((v >> (8 * i)) & 0xFF), f);
}

bool WriteWave(const char* path, const std::vector<std::int16_t>& samples)
{
    std::FILE* f = std::fopen(path, "wb");
    if (!f)
        return false;
    auto data = static_cast<std::uint32_t>(samples.size() * 2);
    std::fwrite("RIFF", 1, 4, f);
    Le(f, 36 + data, 4);
    std::fwrite("WAVEfmt ", 1, 8, f);
    Le(f, 16, 4);
    Le(f, 1, 2);  // PCM
    Le(f, 1, 2);  // mono
    Le(f, voice::kSampleRate, 4);
    Le(f, voice::kSampleRate * 2, 4);
    Le(f, 2, 2);
    Le(f, 16, 2);
    std::fwrite("data", 1, 4, f);
    Le(f, data, 4);
    for (std::int16_t s : samples)
        Le(f, static_cast<std::uint16_t>(s), 2);
    return std::fclose(f) == 0;
}

// The sample exercises' levels: synthesis per word and per level, and the
// memory of each level's clips as the game keeps them.
void SampleLevels(const char* wavPath)
{
    const char* files[] = {"Animali", "Casa_e_scuola", "Colori", "Parole_con_le_doppie"};
    std::vector<double> perWord;
    double worstLevel = 0, worstLevelMs = 0;
    std::size_t worstBytes = 0;
    bool wrote = false;
    for (const char* name : files) {
        std::string path = std::string("Esercizi\\Livelli\\") + name + ".LEV";
        for (int index = 0;; ++index) {
            PlayLevel level = LoadLevelForPlay(path.c_str(), index);
            if (level.status != exercise::kLevelFound || level.levelIndex != index)
                break;
            voice::Forget();
            auto start = Clock::now();
            std::vector<std::int16_t> all;
            for (const std::string& word : level.words) {
                auto one = Clock::now();
                auto found = level.pronunciations.find(word);
                std::string said = found == level.pronunciations.end() ? word : "[[" + found->second + "]]";
                voice::Prepare(said);
                perWord.push_back(MsSince(one));
                if (!wrote) {
                    std::vector<std::int16_t> s = voice::Synthesize(said);
                    all.insert(all.end(), s.begin(), s.end());
                    all.insert(all.end(), voice::kSampleRate / 4, 0);  // a pause between words
                }
            }
            double levelMs = MsSince(start);
            if (levelMs > worstLevelMs) {
                worstLevelMs = levelMs;
                worstLevel = static_cast<double>(level.words.size());
            }
            worstBytes = std::max(worstBytes, voice::KeptBytes());
            std::printf("%-22s level %d: %2zu words in %7.2f ms, voices %7.1f KiB\n", name, index + 1,
                        level.words.size(), levelMs, static_cast<double>(voice::KeptBytes()) / 1024.0);
            if (!wrote && wavPath) {
                wrote = WriteWave(wavPath, all);
                std::printf("  written to %s: %.2f s\n", wavPath, static_cast<double>(all.size()) / voice::kSampleRate);
            }
        }
    }
    std::sort(perWord.begin(), perWord.end());
    if (!perWord.empty())
        std::printf("a word: p50 %.2f ms  p99 %.2f ms  max %.2f ms (%zu words)\n", perWord[perWord.size() / 2],
                    perWord[perWord.size() * 99 / 100], perWord.back(), perWord.size());
    std::printf("slowest level: %.0f words in %.2f ms; most memory of a level's voices %.1f KiB\n", worstLevel,
                worstLevelMs, static_cast<double>(worstBytes) / 1024.0);
    voice::Forget();
}

std::vector<double> Play(TApp& app, int seconds, bool speaking)
{
    theSession.voice = VoiceSettings();
    theSession.voice.sayOnAppear = theSession.voice.sayOnHit = speaking ? 1 : 0;
    const char* exercise = "\r\n\r\n1000\r\nBenchmark\r\ngatto\r\ncane\r\nelefante\r\ncoccodrillo\r\nmare\r\nsole\r\n";
    TZandorliGameContext* game = StartBenchGame(app, exercise);
    TEvent record;
    record.Clear();
    std::vector<double> ms;
    PlayTyping(game, seconds, [&] {
        auto start = Clock::now();
        app.Frame(record);
        ms.push_back(MsSince(start));
    });
    app.StopChain();
    return ms;
}

}  // namespace

int main(int argc, char** argv)
{
    if (!EnterProgramFolder(argc, argv, 1, "bench_voice PROGRAM_FOLDER [SECONDS] [LEVEL.wav]"))
        return 2;
    int seconds = argc > 2 ? std::atoi(argv[2]) : 30;
    TApp app("QUOLI", "resource.bin", "quoli.str");
    app.SetSleeping(false);
    app.Activate();
    auto start = Clock::now();
    if (!voice::Ready()) {
        std::fprintf(stderr, "the voice cannot speak here (no mixer or no Italian voice data)\n");
        return 1;
    }
    std::printf("the synthesiser started in %.2f ms\n", MsSince(start));
    SampleLevels(argc > 3 ? argv[3] : nullptr);

    theSession.settings.theme = 1;
    theSession.settings.lanes = 3;
    theSession.settings.fallSeconds = 6;
    theSession.settings.spawnSeconds = 1;
    theSession.settings.infiniteLives = 1;
    std::vector<double> off = Play(app, seconds, false), on = Play(app, seconds, true);
    ReportFrames("silent play, 3 lanes, 1024x768", off);
    ReportFrames("every word said as it appears and is hit", on);
    RemoveBenchExercise();
    return 0;
}
