#include "support/StatsGames.h"

#include "stats/StatsStore.h"

#include <gtest/gtest.h>

long long WriteGame(stats::StatsStore& store, const ScriptedGame& game)
{
    stats::GameInfo info;
    info.childId = game.child;
    info.childName = game.name;
    info.started = game.started;
    info.exercise = "Animali";
    long long id = store.StartGame(info);
    std::vector<stats::KeyRecord> keys;
    for (int i = 0; i < game.keys; ++i) {
        bool bad = i < game.wrong;
        keys.push_back({static_cast<std::uint32_t>(i * 100), bad ? game.typed : game.letter, game.letter, !bad, 0});
    }
    stats::GameFigures figures;
    figures.playMs = game.playMs;
    figures.levels = 2;
    figures.score = 150;
    figures.end = stats::GameEnd::kCompleted;
    EXPECT_TRUE(store.SaveLevel(id, game.words, keys, figures));
    return id;
}

stats::WordRecord Word(const std::string& word, stats::WordEnd end, const std::string& typed)
{
    stats::WordRecord w;
    w.level = 1;
    w.word = word;
    w.end = end;
    w.typed = typed;
    return w;
}
