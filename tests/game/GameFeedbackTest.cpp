// What the child sees of their own typing and of the game's moments: the
// letters typed so far, a wrong key, a fallen word, a won level, the level
// started, a "Completa" word made whole.

#include "game/PictureView.h"
#include "game/PlainView.h"
#include "game/TActorParola.h"
#include "gfx/Colours.h"
#include "gfx/Screen.h"
#include "resources/StringTable.h"
#include "support/GameFixture.h"
#include "session/Session.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace {

struct GameFeedbackTest : GameTest {
    void PlayOneLane(const std::string& exercise, int kind = 1)
    {
        theSession.settings.lanes = 1;
        theSession.settings.fallSeconds = 20;
        theSession.settings.enterTopTen = 0;
        Play(exercise, kind);
        ToPlay();
        Wait(16);
    }
    const TActorParola* Word() { return game->View().Word(0); }
};

}  // namespace

TEST_F(GameFeedbackTest, TheLettersTypedSoFarAreShownOnTheWord)
{
    PlayOneLane("\r\n\r\n2\r\nUno\r\nsole\r\n");
    ASSERT_TRUE(Word());
    EXPECT_EQ(Word()->Highlighted(), 0);
    Type("SO");
    Wait(16);
    EXPECT_EQ(Word()->Highlighted(), 2);
    Type("L");
    Wait(16);
    EXPECT_EQ(Word()->Highlighted(), 3);
    Type("X");  // the beginning is lost: nothing is highlighted any more
    Wait(16);
    EXPECT_EQ(Word()->Highlighted(), 0);
    Type("SOLE");
    Wait(16);
    auto* view = dynamic_cast<const PlainView*>(&game->View());
    ASSERT_TRUE(view && view->HitWord());
    EXPECT_EQ(view->HitWord()->Highlighted(), 4) << "the hit word is shown whole a moment";
    Wait(701);
    EXPECT_FALSE(view->HitWord());
}

TEST_F(GameFeedbackTest, AWrongKeyFlashesARedFrame)
{
    PlayOneLane("\r\n\r\n2\r\nUno\r\nsole\r\n");
    std::uint32_t red = MapColour(8);
    EXPECT_NE(ScreenPixel(1, theScreen.height / 2), red);
    Type("S");  // the beginning of the word: no frame
    Wait(16);
    EXPECT_NE(ScreenPixel(1, theScreen.height / 2), red);
    Type("Q");
    Wait(16);
    EXPECT_EQ(ScreenPixel(1, theScreen.height / 2), red);
    EXPECT_EQ(ScreenPixel(theScreen.width - 2, 1), red);
    Wait(400);
    EXPECT_NE(ScreenPixel(1, theScreen.height / 2), red);
}

TEST_F(GameFeedbackTest, AFallenWordAndAWonLevelAreSaidOnScreen)
{
    theSession.settings.fallSeconds = 3;
    theSession.settings.lanes = 1;
    theSession.settings.enterTopTen = 0;
    Play("\r\n\r\n1\r\nUno\r\nsole\r\n\r\n1\r\nDue\r\nmare\r\n");
    ToPlay();
    // What is said is drawn once, when it begins, and stays.
    drawn.clear();
    Wait(3100);
    ASSERT_EQ(game->State(), GameState::kLifeLost);
    Wait(16);
    EXPECT_TRUE(ScreenShows(GetString(10, 105)));
    Wait(6001);  // the level again
    for (int i = 0; i < 5 && game->State() != GameState::kIntroWait; ++i)
        Wait(16);
    Wait(6001);
    ASSERT_EQ(game->State(), GameState::kPlaying);
    drawn.clear();
    Type("SOLE");
    ASSERT_EQ(game->State(), GameState::kLevelDone);
    Wait(16);
    EXPECT_TRUE(ScreenShows(GetString(10, 106)));
}

// The title counts the levels of this game, as the points do: a game begun
// at the exercise's second level, whose second level is empty, starts with
// "Livello 1" (its level message names which one it is).
TEST_F(GameFeedbackTest, TheTitleCountsTheLevelsOfThisGame)
{
    theSession.settings.startLevel = 2;
    Play("\r\n\r\n1\r\nUno\r\na\r\n\r\n0\r\nDue\r\nb\r\n\r\n1\r\nTre\r\nc\r\n");
    headless->Step();
    EXPECT_TRUE(ScreenShows(std::string(GetString(10, 100)) + " 1"));
    EXPECT_EQ(game->Board().LevelNumber(), 1);
}

TEST_F(GameFeedbackTest, ACompletaWordFillsItsBlanksAsTheChildTypes)
{
    theSession.settings.textCase = 1;  // as written
    PlayOneLane("\r\n\r\n2\r\nUno\r\nc_s_ aa\r\n", 2);
    ASSERT_TRUE(Word());
    EXPECT_EQ(Word()->Text(), "c_s_");
    Type("A");
    Wait(16);
    EXPECT_EQ(Word()->Text(), "cas_");
    EXPECT_EQ(Word()->Highlighted(), 2);
    Type("A");
    Wait(16);
    auto* view = dynamic_cast<const PlainView*>(&game->View());
    ASSERT_TRUE(view && view->HitWord());
    EXPECT_EQ(view->HitWord()->Text(), "casa") << "the word is shown whole after the hit";
}

// The pause fills the screen with "Pausa" and how to go on; Enter goes on.
TEST_F(GameFeedbackTest, PauseSaysSoOnTheWholeScreenAndEnterGoesOn)
{
    PlayOneLane("\r\n\r\n2\r\nUno\r\nsole\r\n");
    drawn.clear();
    headless->PushKey(SDLK_PAUSE, true);
    headless->PushKey(SDLK_PAUSE, false);
    headless->PushKey(SDLK_RETURN, true, 13);
    headless->PushKey(SDLK_RETURN, false);
    headless->Step(2);  // the pause runs until Enter closes it
    EXPECT_NE(std::find(drawn.begin(), drawn.end(), GetString(10, 109)), drawn.end());
    EXPECT_NE(std::find(drawn.begin(), drawn.end(), GetString(10, 110)), drawn.end());
    EXPECT_EQ(game->State(), GameState::kPlaying);
}

// Ctrl+P prints the screen and says whether it worked; the game waits
// under the message and goes on after it.
TEST_F(GameFeedbackTest, PrintingTheScreenSaysWhetherItWorked)
{
    PlayOneLane("\r\n\r\n2\r\nUno\r\nsole\r\n");
    drawn.clear();
    headless->PushKey(static_cast<SDLKey>('p'), true, 16, KMOD_LCTRL);
    headless->PushKey(static_cast<SDLKey>('p'), false, 0, KMOD_LCTRL);
    headless->PushKey(SDLK_RETURN, true, 13);
    headless->PushKey(SDLK_RETURN, false);
    headless->Step(2);  // the message runs until Enter closes it
    EXPECT_NE(std::find(drawn.begin(), drawn.end(), GetString(15, 63)), drawn.end())
        << "no printer library here: the child's teacher is told it was not printed";
    EXPECT_EQ(game->State(), GameState::kPlaying);
}

// When a word lands the child sees at once how many lives are left and that
// the level starts again; the lives are really taken only when it does.
TEST_F(GameFeedbackTest, ALostLifeIsShownAtOnceAndSaysTheLevelStartsAgain)
{
    struct Case {
        int theme, lives, infinite;
        int said;   // what the banner's second line says
        int shown;  // the lives shown from the loss on; -1: endless
    };
    for (const Case& c : {Case{1, 3, 0, 113, 2}, Case{1, 2, 0, 114, 1}, Case{1, 1, 0, 115, 0}, Case{1, 3, 1, 116, -1},
                          Case{2, 3, 0, 113, 2}, Case{3, 7, 0, 113, 6}}) {
        SCOPED_TRACE(testing::Message() << "theme " << c.theme << " lives " << c.lives << " endless " << c.infinite);
        theSession.settings.theme = c.theme;
        theSession.settings.fallSeconds = 3;
        theSession.settings.lanes = 1;
        theSession.settings.lives = c.lives;
        theSession.settings.infiniteLives = static_cast<std::uint8_t>(c.infinite);
        theSession.settings.enterTopTen = 0;
        Play("\r\n\r\n1\r\nUno\r\nsole\r\n");
        ToPlay();
        drawn.clear();  // what is said is drawn once, when it begins
        Wait(3100);
        ASSERT_EQ(game->State(), GameState::kLifeLost);
        Wait(16);
        std::vector<std::string> seen = drawn;
        auto shows = [&seen](const std::string& text) { return std::find(seen.begin(), seen.end(), text) != seen.end(); };
        char said[128];
        std::snprintf(said, sizeof said, GetString(10, c.said), c.shown);
        const std::string vite = GetString(10, 108);
        std::string count = c.theme == 1 ? vite + ": " + std::to_string(c.shown) : "x " + std::to_string(c.shown);
        EXPECT_TRUE(shows(GetString(10, 105)));
        EXPECT_TRUE(shows(said)) << ::testing::PrintToString(seen);
        bool counted = c.shown >= 0;  // endless lives have no count
        if (counted && (c.theme == 1 || c.shown > 5)) {
            EXPECT_TRUE(shows(count)) << "the new count under \"Oh no!\"";
        } else if (counted) {  // an icon a life: one icon fewer
            EXPECT_LT(game->Pictures()->LifeIconsBox(game->Field(), GameState::kLifeLost).right,
                      game->Pictures()->LifeIconsBox(game->Field(), GameState::kPlaying).right);
        }
        if (c.theme != 1) {
            EXPECT_TRUE(shows(vite)) << "the icons are labelled as lives";
        }
        EXPECT_EQ(game->Board().Lives(), c.lives) << "the life itself is taken when the level starts again";
        TearDown();
    }
}
