#pragma once
// What the game benchmarks share: their exercise written into the program
// folder, and the player "Bench", whose games record nothing and skip the
// top ten. Answers the game context, already started on `app`.

#include "app/TApp.h"
#include "game/TZandorliGameContext.h"
#include "platform/Files.h"
#include "session/Session.h"

#include <cstdio>
#include <cstring>
#include <memory>

inline TZandorliGameContext* StartBenchGame(TApp& app, const char* exercise)
{
    platform::ReplaceFileContents("Esercizi\\Livelli\\Bench.LEV", exercise, std::strlen(exercise));
    theSession.settings.recordResults = 0;
    theSession.settings.enterTopTen = 0;
    std::strcpy(theSession.settings.exerciseName, "Bench");
    std::strcpy(theSession.userName, "Bench");
    auto* game = new TZandorliGameContext;
    app.SetChild(std::unique_ptr<TContext>(game));
    return game;
}

inline void RemoveBenchExercise()
{
    std::remove("Esercizi/Livelli/Bench.LEV");
}
