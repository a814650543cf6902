#pragma once
// What the game benchmarks share: their exercise written into the program
// folder, and the player "Bench", whose games record nothing and skip the
// top ten. Answers the game context, already started on `app`.

#include "app/TApp.h"
#include "game/TZandorliGameContext.h"
#include "platform/Files.h"
#include "session/Session.h"

#include "SDL.h"

#include <cstdint>
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

// Real time, as in the program: each pass of `pass` (timed by the caller)
// is followed by 1 ms of sleep, and every 120 passes the child types the
// next letter of the benchmark's words, a wrong one among them.
template <typename Pass>
void PlayTyping(TZandorliGameContext* game, int seconds, Pass pass)
{
    const char* typing = "gattoxcaneelefantecoccodrillomaresole";
    std::size_t next = 0;
    std::uint32_t end = SDL_GetTicks() + static_cast<std::uint32_t>(seconds) * 1000;
    for (int step = 0; SDL_GetTicks() < end; ++step) {
        SDL_Delay(1);
        if (step % 120 == 0)
            game->Match(static_cast<unsigned char>(typing[next++ % std::strlen(typing)] - 'a' + 'A'));
        pass();
    }
}
