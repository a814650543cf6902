#pragma once
// A whole game on the dummy drivers, time moved by hand: an exercise file
// in a private program folder, the game context, typing and the results log.

#include "app/Clock.h"
#include "app/Random.h"
#include "app/TApp.h"
#include "game/TZandorliGameContext.h"
#include "gfx/Text.h"
#include "session/GameSettings.h"
#include "support/HeadlessApp.h"
#include "session/Session.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <utility>
#include <vector>

// A whole game on the dummy drivers, time moved by hand.
struct GameTest : ::testing::Test {
    std::unique_ptr<HeadlessApp> headless;
    TZandorliGameContext* game = nullptr;
    std::vector<std::string> drawn;  // every text drawn since the last look
    int seed = -1;                    // for a game that must fall alike twice

    void Play(const std::string& exercise, int kind = 1, HeadlessOptions options = {})
    {
        headless = std::make_unique<HeadlessApp>(options);
        const char* folders[] = {"", "Livelli", "Completa", "Tasti"};
        const char* ext[] = {"", ".LEV", ".CMP", ".TBL"};
        std::filesystem::create_directories(headless->Folder() / (std::string("Esercizi/") + folders[kind]));
        headless->Folder().Write(std::string("Esercizi/") + folders[kind] + "/Prova" + ext[kind], exercise);
        theSession.settings.exerciseType = kind;
        std::strcpy(theSession.settings.exerciseName, "Prova");
        std::strcpy(theSession.userName, "Test");
        game = new TZandorliGameContext;
        LogDrawnTexts(&drawn);
        if (seed >= 0)
            SeedRandom(static_cast<unsigned>(seed));  // the program seeded from the clock
        headless->App().SetChild(std::unique_ptr<TContext>(game));
    }
    void TearDown() override
    {
        LogDrawnTexts(nullptr);
        headless.reset();
        theSession.settings = GameSettings();
    }
    void Wait(std::uint32_t ms, int frames = 1)
    {
        FakeClock::Advance(ms);
        headless->Step(frames);
    }
    // Types through the game's key handling, one character a frame.
    void Type(const std::string& text)
    {
        for (char c : text) {
            headless->PushKey(static_cast<SDLKey>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c), true,
                              static_cast<Uint16>(static_cast<unsigned char>(c)));
            headless->Step();
            headless->PushKey(static_cast<SDLKey>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c), false);
            headless->Step();
        }
    }
    void ToPlay()
    {
        headless->Step();
        Wait(6001);
        ASSERT_EQ(game->State(), GameState::kPlaying);
    }
    // Whether `text` was drawn since the last look; the log starts afresh.
    bool ScreenShows(const std::string& text)
    {
        bool shown = std::find(drawn.begin(), drawn.end(), text) != drawn.end();
        drawn.clear();
        return shown;
    }
    std::vector<std::pair<int, std::string>> Events()
    {
        std::ifstream in(headless->Folder() / "DATA/USERS.DAT", std::ios::binary);
        std::string log((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        std::vector<std::pair<int, std::string>> events;
        for (std::size_t at = 4; at + 12 <= log.size();) {
            std::int32_t kind, size;
            std::memcpy(&kind, log.data() + at + 4, 4);
            std::memcpy(&size, log.data() + at + 8, 4);
            events.push_back({kind, log.substr(at + 12, static_cast<std::size_t>(size))});
            at += 12 + static_cast<std::size_t>(size);
        }
        return events;
    }
};

// The game's points as the tests compare them.
inline int Score(const TZandorliGameContext& game)
{
    return static_cast<int>(game.Board().Score());
}

inline std::string Z(const char* text)
{
    return std::string(text) + '\0';
}

