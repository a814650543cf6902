// A child who plays with switches: the letter strip follows the falling
// words, a step moves its highlight, a press types the highlighted letter
// exactly as a key would.

#include "game/LetterStrip.h"
#include "gfx/Screen.h"
#include "support/GameFixture.h"
#include "session/Session.h"

#include <gtest/gtest.h>

namespace {

constexpr int kSelect = 0x1, kStep = 0x8, kLeft = 0x8000;

struct SwitchPlayTest : GameTest {
    // One lane, "sole" falling slowly, the keyboard as the switches.
    void StartWithSwitches()
    {
        theSession.settings.device.enabled = 1;
        theSession.settings.lanes = 1;
        theSession.settings.fallSeconds = 30;
        Play("\r\n\r\n2\r\nUno\r\nsole\r\n");
        ToPlay();
        Wait(16);
    }
    void Press(int flags)
    {
        game->OnSwitches(flags);
        Wait(16);
    }
};

}  // namespace

TEST_F(SwitchPlayTest, StepsAndPressesHitTheWordAndTheLogSaysSo)
{
    StartWithSwitches();
    ASSERT_NE(game->Strip(), nullptr);
    EXPECT_EQ(game->Strip()->Cells(), (std::vector<char>{'E', 'L', 'O', 'S', LetterStrip::kCancel}));
    EXPECT_TRUE(ScreenShows("S")) << "the strip is drawn";
    for (int i = 0; i < 3; ++i)
        Press(kStep);
    Press(kSelect);  // S
    Press(kLeft);
    Press(kSelect);  // O
    Press(kStep);    // S again, by mistake
    Press(kSelect);
    EXPECT_EQ(game->Field().Typed(), "SOS");
    Press(kStep);  // from S on to the cancel cell
    ASSERT_EQ(game->Strip()->Highlighted(), LetterStrip::kCancel);
    Press(kSelect);
    EXPECT_TRUE(game->Field().Typed().empty()) << "cancel drops what was typed";
    for (char wanted : std::string("SOLE")) {
        while (game->Strip()->Highlighted() != wanted)
            Press(kStep);
        Press(kSelect);
    }
    EXPECT_EQ(game->Field().Hits(), 1);
    std::vector<std::string> hits, mistyped;
    for (const auto& [kind, data] : Events()) {
        if (kind == 7)
            hits.push_back(data);
        if (kind == 6)
            mistyped.push_back(data);
    }
    EXPECT_EQ(hits, std::vector<std::string>{Z("SOLE")});
    EXPECT_EQ(mistyped, std::vector<std::string>{Z("SOS")}) << "what was cancelled is recorded as typed";
}

TEST_F(SwitchPlayTest, WithoutTheDeviceThereIsNoStripAndSwitchesDoNothing)
{
    theSession.settings.lanes = 1;
    Play("\r\n\r\n2\r\nUno\r\nsole\r\n");
    ToPlay();
    EXPECT_EQ(game->Strip(), nullptr);
    game->OnSwitches(kSelect | kStep);
    Wait(16);
    EXPECT_TRUE(game->Field().Typed().empty());
    EXPECT_FALSE(ScreenShows("S"));
}

// The strip takes the bottom of the screen: in every look the words land on
// it, not behind it, and the launchers of the picture themes stand on it.
TEST_F(SwitchPlayTest, TheWordsLandOnTheStripInEveryLook)
{
    for (int theme = 1; theme <= 3; ++theme) {
        int bottomLine[2] = {};
        for (int device = 0; device <= 1; ++device) {
            theSession.settings.theme = theme;
            theSession.settings.device.enabled = device;
            Play("\r\n\r\n2\r\nUno\r\nsole\r\n");
            ToPlay();
            bottomLine[device] = game->Field().Rules().bottomLine;
            if (device == 1) {
                EXPECT_EQ(bottomLine[0] - bottomLine[1], game->Screens().LetterStripHeight()) << "theme " << theme;
            }
            TearDown();
        }
    }
}

// The strip's letters are rendered type: a frame where neither its cells
// nor its highlight changed copies the last picture of it, pixel for pixel.
TEST_F(SwitchPlayTest, AStripThatDidNotChangeIsCopiedNotDrawnAgain)
{
    StartWithSwitches();
    const int height = game->Screens().LetterStripHeight();
    auto band = [&] {
        std::vector<std::uint32_t> pixels;
        for (int y = theScreen.height - height; y < theScreen.height; ++y)
            for (int x = 0; x < theScreen.width; ++x)
                pixels.push_back(ScreenPixel(x, y));
        return pixels;
    };
    Press(kStep);
    ASSERT_TRUE(ScreenShows("L")) << "a new highlight is drawn";
    std::vector<std::uint32_t> before = band();
    Wait(16);
    Wait(16);
    EXPECT_FALSE(ScreenShows("L")) << "no letter is rendered again";
    EXPECT_EQ(band(), before) << "the copy is the picture";
    Press(kStep);
    EXPECT_TRUE(ScreenShows("O"));
    EXPECT_NE(band(), before);
}
