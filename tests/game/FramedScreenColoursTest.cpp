// The texts of the framed title and final screens stand out from the dark
// frame enough for a child who is learning to read (a contrast of 4.5:1 or
// more), and the screens really draw them in those colours.

#include "game/GameScreens.h"
#include "gfx/ColourTable.h"
#include "gfx/Colours.h"
#include "gfx/Screen.h"
#include "session/GameSettings.h"
#include "support/HeadlessApp.h"
#include "support/LayoutCheck.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

double AgainstTheFrame(std::uint32_t colour)
{
    return ContrastRatio(kColourTable[colour], kColourTable[framedcolours::kInside]);
}

// How many pixels inside the frame, in a band of rows round `y`, have the
// colour's pixel value.
int PixelsOf(std::uint32_t colour, int y)
{
    std::uint32_t pixel = MapColour(colour);
    int count = 0;
    for (int row = y - Scaled(20); row <= y + Scaled(20); ++row)
        for (int x = Scaled(20); x < theScreen.width - Scaled(20); ++x)
            count += ScreenPixel(x, row) == pixel ? 1 : 0;
    return count;
}

}  // namespace

TEST(FramedScreenColoursTest, EveryTextStandsOutFromTheFrame)
{
    EXPECT_GE(AgainstTheFrame(framedcolours::kTitle), 4.5);
    EXPECT_GE(AgainstTheFrame(framedcolours::kLevelMessage), 4.5);
    EXPECT_GE(AgainstTheFrame(framedcolours::kBonusInstruction), 4.5);
    EXPECT_GE(AgainstTheFrame(framedcolours::kFinalMessage), 4.5);
    // The red the level message once had does not: the check tells them apart.
    EXPECT_LT(AgainstTheFrame(8), 4.5);
}

TEST(FramedScreenColoursTest, TheScreensDrawTheirTextsInThoseColours)
{
    for (int resolution : {0, 2}) {
        HeadlessOptions options;
        options.resolution = resolution;
        HeadlessApp headless(options);
        GameSettings settings;
        GameScreens screens;
        screens.Open(settings);
        int messageY = theScreen.height / 3 + Scaled(90);

        screens.DrawTitleScreen(false, 2, "Gli animali della fattoria");
        EXPECT_EQ(ScreenPixel(theScreen.width / 2, Scaled(20)), MapColour(framedcolours::kInside));
        EXPECT_GT(PixelsOf(framedcolours::kLevelMessage, messageY), 50) << "the level's message";
        EXPECT_GT(PixelsOf(framedcolours::kTitle, theScreen.height / 3 + Scaled(30)), 50) << "\"Livello 2\"";
        SaveLayoutShot("level-start");

        screens.DrawTitleScreen(true, 3, "");
        EXPECT_GT(PixelsOf(framedcolours::kBonusInstruction, messageY), 50) << "the bonus stage's instruction";
        EXPECT_EQ(PixelsOf(framedcolours::kLevelMessage, messageY), 0);
        SaveLayoutShot("bonus-start");

        screens.DrawFinalScreen();
        EXPECT_GT(PixelsOf(framedcolours::kFinalMessage, theScreen.height / 2), 50);
        if (HasFailure())
            headless.DumpScreen("quoli-framed-screen-colours");
        screens.Close();
    }
}
