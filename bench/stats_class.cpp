// The teacher's statistics on a class of 30 children with 300 games each of
// 60 keys: how long the class table and a child's progress take to appear
// at 1024x768 (figures and screen), what recording adds to a key and to a
// level's end, and how big the database grows. On SDL's dummy drivers.
//
//   bench_stats_class PROGRAM_FOLDER WORK_FOLDER [CHILDREN GAMES KEYS]

#include "BenchSetup.h"
#include "app/DataFolder.h"
#include "app/TApp.h"
#include "gfx/Display.h"
#include "gfx/Screen.h"
#include "platform/Files.h"
#include "stats/GameStats.h"
#include "stats/ProgressPage.h"
#include "stats/StatsFigures.h"
#include "stats/StatsStore.h"
#include "stats/TClassDialog.h"
#include "stats/TProgressDialog.h"

#include <sqlite3.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

namespace {

double Ms(const std::function<void()>& work)
{
    auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

const char* kWords[] = {"casa", "mare", "sole", "luna", "gatto", "cane", "pane", "fiore", "scuola", "libro"};

// One game as the game records it: words shown in three lanes, keys typed
// for them with a wrong one now and then, a level every 20 keys.
void PlayGame(int child, const std::string& name, long long started, int keys, std::vector<double>* keyMs,
              std::vector<double>* levelMs)
{
    auto store = std::make_unique<stats::StatsStore>();
    // The class is made without waiting for the disk; the games measured
    // wait as the program does.
    if (!keyMs)
        sqlite3_exec(store->Handle(), "PRAGMA synchronous=OFF", nullptr, nullptr, nullptr);
    stats::GameInfo info;
    info.childId = child;
    info.childName = name;
    info.started = started;
    info.exercise = "Animali";
    info.lanes = 3;
    stats::GameStats game(std::move(store), info);
    std::uint32_t now = 0;
    int level = 1, typedInWord = 0, lane = 0;
    std::string word = kWords[0];
    game.LevelStarted(level, 0);
    game.Shown(lane, word, word, now);
    for (int k = 0; k < keys; ++k) {
        now += 400;
        bool wrong = (k * 7 + child) % 11 == 0;
        char expected = static_cast<char>(word[static_cast<std::size_t>(typedInWord)] - 32);
        char key = wrong ? static_cast<char>('A' + (k + child) % 26) : expected;
        double ms = Ms([&] { game.Key(key, expected, !wrong, lane, now); });
        if (keyMs)
            keyMs->push_back(ms);
        if (!wrong && ++typedInWord == static_cast<int>(word.size())) {
            game.Hit(lane, now, false);
            lane = (lane + 1) % 3;
            word = kWords[(k + child) % 10];
            typedInWord = 0;
            game.Shown(lane, word, word, now);
        }
        if (k % 20 == 19) {
            ms = Ms([&] { game.LevelStarted(++level, k * 10); });
            if (levelMs)
                levelMs->push_back(ms);
            typedInWord = 0;
            game.Shown(lane, word, word, now);
        }
    }
    game.Ended(stats::GameEnd::kCompleted, now);
    game.Flush(keys * 10, level);
    game.Finish();
}

void Report(const char* what, std::vector<double> ms)
{
    std::sort(ms.begin(), ms.end());
    std::printf("%-44s p50 %8.3f ms  p99 %8.3f ms  max %8.3f ms\n", what, ms[ms.size() / 2], ms[ms.size() * 99 / 100],
                ms.back());
}

}  // namespace

int main(int argc, char** argv)
{
    if (!EnterProgramFolder(argc, argv, 2, "bench_stats_class PROGRAM_FOLDER WORK_FOLDER [CHILDREN GAMES KEYS]"))
        return 2;
    int children = argc > 3 ? std::atoi(argv[3]) : 30, games = argc > 4 ? std::atoi(argv[4]) : 300,
        keys = argc > 5 ? std::atoi(argv[5]) : 60;
    TApp app("QUOLI", "resource.bin", "quoli.str");
    theDataPrefix = std::string(argv[2]) + "/";
    platform::MakeDirectory(theDataPrefix + "DATA");
    std::string db = theDataPrefix + "DATA/STATS.DB";

    std::vector<double> keyMs, levelMs;
    double made = Ms([&] {
        for (int g = 0; g < games; ++g)
            for (int c = 1; c <= children; ++c)
                PlayGame(c, "Bambino " + std::to_string(c), 1700000000LL + g * 3600LL + c, keys,
                         c == 1 && g % 10 == 0 ? &keyMs : nullptr, c == 1 && g % 10 == 0 ? &levelMs : nullptr);
    });
    std::printf("class of %d children x %d games x %d keys made in %.1f s\n", children, games, keys, made / 1000);
    std::printf("database: %.1f MB\n", static_cast<double>(platform::FileSize(db)) / 1e6);
    Report("recording a key", keyMs);
    Report("a level's end (handed to the writer)", levelMs);

    std::vector<double> table, progress;
    for (int i = 0; i < 10; ++i) {
        table.push_back(Ms([&] {
            TClassDialog dialog;
            dialog.Open();
            dialog.Draw();
        }));
        progress.push_back(Ms([&] {
            TProgressDialog dialog(1 + i % children, "Bambino");
            dialog.Open();
            dialog.Draw();
        }));
    }
    Report("class table at 1024x768 (figures + drawing)", table);
    Report("a child's progress at 1024x768", progress);
    return 0;
}
