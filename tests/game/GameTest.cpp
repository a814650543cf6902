#include "app/Clock.h"
#include "app/CommandQueue.h"
#include "app/TApp.h"
#include "game/GameView.h"
#include "game/TActorParola.h"
#include "game/TZandorliGameContext.h"
#include "session/GameSettings.h"
#include "menus/TMainMenuContext.h"
#include "support/GameFixture.h"
#include "support/HeadlessApp.h"
#include "session/Session.h"
#include "resources/StringTable.h"
#include "users/TDataFile.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>

TEST_F(GameTest, AWrongPrefixIsRecordedApartFromTheHit)
{
    theSession.settings.lanes = 1;
    Play("\r\n\r\n5\r\nUno\r\nsole\r\n");
    ToPlay();
    Type("xyzsole");
    EXPECT_EQ(game->Field().Hits(), 1);
    EXPECT_EQ(Score(*game), 25);
    auto events = Events();
    ASSERT_GE(events.size(), 3u);
    EXPECT_EQ(events[events.size() - 2], (std::pair<int, std::string>{6, Z("XYZ")}));
    EXPECT_EQ(events.back(), (std::pair<int, std::string>{7, Z("SOLE")}));
    EXPECT_TRUE(game->Field().Typed().empty());
}

TEST_F(GameTest, AFullTypedBufferKeepsItsLast25Characters)
{
    theSession.settings.lanes = 1;
    Play("\r\n\r\n5\r\nUno\r\nsole\r\n");
    ToPlay();
    for (int i = 0; i < 1023; ++i)
        game->Match('X');
    EXPECT_EQ(game->Field().Typed(), std::string(25, 'X'));
    auto events = Events();
    EXPECT_EQ(events.back(), (std::pair<int, std::string>{6, Z(std::string(998, 'X').c_str())}));
}

TEST_F(GameTest, KeysOutsideTheKeySetAreNeitherRecordedNorMatched)
{
    theSession.settings.lanes = 1;
    Play("AS\r\n\r\n5\r\nUno\r\nas\r\n", 3);
    ToPlay();
    Type("zzq");
    EXPECT_TRUE(game->Field().Typed().empty());
    Type("as");
    EXPECT_EQ(game->Field().Hits(), 1);
}

TEST_F(GameTest, LevelBonusesGrowWithTheLevelNumber)
{
    theSession.settings.lanes = 1;
    theSession.settings.enterTopTen = 0;
    Play("\r\n\r\n1\r\nA\r\nuno\r\n\r\n1\r\nB\r\ndue\r\n\r\n1\r\nC\r\ntre\r\n");
    for (const char* word : {"uno", "due", "tre"}) {
        ToPlay();
        Type(word);
        ASSERT_EQ(game->State(), GameState::kLevelDone) << word;
        Wait(8001);   // the bonus is added
        headless->Step(2);  // the next level is loaded and introduced
    }
    EXPECT_EQ(Score(*game), 3 * 25 + 50 + 100 + 150);
    EXPECT_EQ(game->State(), GameState::kFinalWait);
}

TEST_F(GameTest, APausedWordResumesWhereItStopped)
{
    theSession.settings.lanes = 1;
    theSession.settings.fallSeconds = 10;
    Play("\r\n\r\n5\r\nUno\r\nsole\r\n");
    ToPlay();
    Wait(9000);
    ASSERT_EQ(game->State(), GameState::kPlaying);
    PauseClock();
    FakeClock::Advance(60000);
    ResumeClock();
    Wait(900);
    EXPECT_EQ(game->State(), GameState::kPlaying);
    Wait(200);
    EXPECT_EQ(game->State(), GameState::kLifeLost);
}

TEST_F(GameTest, WithNoLivesTheFirstLossEndsTheGame)
{
    theSession.settings.lanes = 1;
    theSession.settings.lives = 0;
    theSession.settings.enterTopTen = 0;
    Play("\r\n\r\n5\r\nUno\r\nsole\r\n");
    ToPlay();
    Wait(10100);
    ASSERT_EQ(game->State(), GameState::kLifeLost);
    Wait(6001);
    EXPECT_EQ(game->Board().Lives(), -1);
    EXPECT_EQ(game->State(), GameState::kGameOver) << "the child is told the game is over";
    std::vector<std::string> seen = drawn;
    EXPECT_TRUE(ScreenShows(GetString(10, 107)));
    Wait(3001);
    seen.insert(seen.end(), drawn.begin(), drawn.end());
    for (const std::string& text : seen)
        EXPECT_EQ(text.find(std::string(GetString(10, 108)) + ": -"), std::string::npos) << "never a negative count";
    EXPECT_EQ(game->State(), GameState::kStopped);
    auto events = Events();
    auto lost = std::find_if(events.begin(), events.end(), [](auto& e) { return e.first == 9; });
    ASSERT_NE(lost, events.end());
    EXPECT_EQ(lost->second, std::string(4, '\0'));  // the lives before the loss: 0
    headless->Step(3);  // game over: back to the main menu
    EXPECT_NE(dynamic_cast<TMainMenuContext*>(headless->App().Child()), nullptr);
}

TEST_F(GameTest, InfiniteLivesKeepTheirValueAndStillRecordTheLoss)
{
    theSession.settings.lanes = 1;
    theSession.settings.lives = 2;
    theSession.settings.infiniteLives = 1;
    Play("\r\n\r\n5\r\nUno\r\nsole\r\n");
    ToPlay();
    Wait(10100);
    Wait(6001);
    EXPECT_EQ(game->Board().Lives(), 2);
    headless->Step(2);
    EXPECT_EQ(game->State(), GameState::kIntroWait);  // the same level again
    auto events = Events();
    EXPECT_EQ(std::count_if(events.begin(), events.end(), [](auto& e) { return e.first == 9; }), 1);
}

TEST_F(GameTest, AnEmptyExerciseGoesStraightToTheFinalScreen)
{
    theSession.settings.enterTopTen = 0;
    Play("\r\n\r\n0\r\nVuoto\r\nx\r\n\r\n3\r\nSenza parole\r\n");
    headless->Step();
    EXPECT_EQ(game->State(), GameState::kFinalWait);
}

TEST_F(GameTest, AFormatErrorShowsItsMessage)
{
    Play("\r\nnon vuota\r\n");
    headless->Step(2);
    EXPECT_EQ(game->State(), GameState::kErrorWait);
}

// A "Completa" word without its letters to fill in stops the game with
// error 51 on its line, rather than leaving the child before an empty sky.
TEST_F(GameTest, ACompletionWordWithoutASpaceStopsTheGameWithItsError)
{
    theSession.settings.lanes = 1;
    Play("\r\n\r\n1\r\nUno\r\ncas_ a\r\nsenzaspazio\r\n", 2);
    headless->Step(3);
    EXPECT_EQ(game->State(), GameState::kErrorWait);
    EXPECT_EQ(game->Field().Occupied(), 0);
    std::vector<std::string> seen = drawn;
    std::string all;
    for (const std::string& text : seen)
        all += text + " ";
    EXPECT_NE(all.find("Nella parola"), std::string::npos) << all;
    EXPECT_NE(std::find(seen.begin(), seen.end(), std::string(GetString(50, 20)) + " 6"), seen.end())
        << "the word's line";
}

TEST_F(GameTest, WordsFitTheirLane)
{
    theSession.settings.lanes = 3;
    theSession.settings.fontSize = 72;
    Play("\r\n\r\n5\r\nUno\r\nprecipitevolissimevolmente\r\n");
    ToPlay();
    const TActorParola* word = nullptr;
    for (int i = 0; i < 3 && !word; ++i)
        word = game->View().Word(i);
    ASSERT_NE(word, nullptr);
    EXPECT_LT(word->PointSize(), 72);
    EXPECT_LE(word->HalfWidth() * 2, 800 * 95 / 300 + 2);
    EXPECT_EQ(word->Text(), "PRECIPITEVOLISSIMEVOLMENTE");
    EXPECT_EQ(ApplyTextCase("\xC8 Casa", 3), "\xC8 casa");
    // Capitals are right for accented words: CAFFÈ, PERCHÉ, LUNEDÌ, PAPÀ, PERÒ, PIÙ.
    EXPECT_EQ(ApplyTextCase("caff\xE8 perch\xE9 luned\xEC pap\xE0 per\xF2 pi\xF9", 2),
              "CAFF\xC8 PERCH\xC9 LUNED\xCC PAP\xC0 PER\xD2 PI\xD9");
    EXPECT_EQ(ApplyTextCase("\xDF\xF7\xFF", 2), "\xDF\xF7\xFF") << "no Latin-1 capital: left as it is";
}

// Each hidden letter is a gap of its own, and a filled word reads whole.
TEST(ApartBlanksTest, TwoHiddenLettersInARowAreTwoGaps)
{
    int highlighted = 0;
    EXPECT_EQ(ApartBlanks("GA__O", highlighted), "GA_ _O");
    EXPECT_EQ(ApartBlanks("P___A", highlighted), "P_ _ _A");
    highlighted = 3;  // "GAT" typed so far
    EXPECT_EQ(ApartBlanks("GAT_O", highlighted), "GAT_O");
    EXPECT_EQ(highlighted, 3);
    highlighted = 4;  // "MAT" typed after the first gap of "MA__A_O"
    EXPECT_EQ(ApartBlanks("MAT_A__", highlighted), "MAT_A_ _");
    EXPECT_EQ(highlighted, 4);
    highlighted = 7;
    EXPECT_EQ(ApartBlanks("A__B", highlighted), "A_ _B");
    EXPECT_EQ(highlighted, 8) << "the highlight keeps covering the same letters";
    EXPECT_EQ(ApartBlanks("GATTO", highlighted = 5), "GATTO");
}
