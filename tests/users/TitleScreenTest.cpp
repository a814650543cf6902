// The title screen as a child meets it: Escape asks whether to leave, "No"
// gives the screen back as it was, and Enter then goes on.

#include "app/TApp.h"
#include "gfx/Colours.h"
#include "gfx/Screen.h"
#include "menus/TMainMenuContext.h"
#include "support/HeadlessApp.h"
#include "ui/StandardDialogs.h"
#include "menus/TProjectContext.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

struct TitleScreenTest : ::testing::Test {
    HeadlessApp headless;
    TProjectContext* title = nullptr;

    void SetUp() override
    {
        auto context = std::make_unique<TProjectContext>();
        title = context.get();
        headless.App().SetChild(std::move(context));
        headless.Step(3);
    }
    void Key(SDLKey sym, Uint16 unicode = 0, int mod = KMOD_NONE)
    {
        headless.PushKey(sym, true, unicode, mod);
        headless.Step(3);
        headless.PushKey(sym, false, 0, mod);
        headless.Step(3);
    }
    bool OnTitle() { return headless.App().Child() == title; }
    bool Asking() const { return dynamic_cast<TQueryDialog*>(title->TopDialog()) != nullptr; }
    // The band at the top of the screen where the title is written.
    std::vector<std::uint32_t> TitleBand() const
    {
        std::vector<std::uint32_t> pixels;
        for (int y = Scaled(25); y < Scaled(65); ++y)
            for (int x = theScreen.width / 4; x < theScreen.width * 3 / 4; ++x)
                pixels.push_back(ScreenPixel(x, y));
        return pixels;
    }
};

}  // namespace

TEST_F(TitleScreenTest, EnterAfterNoToTheQuitQuestionGoesOn)
{
    Key(SDLK_ESCAPE, 27);
    ASSERT_TRUE(Asking());
    Key(SDLK_n, 'n');
    ASSERT_FALSE(Asking());
    ASSERT_TRUE(OnTitle());
    Key(SDLK_RETURN, 13);
    ASSERT_FALSE(OnTitle() && Asking()) << "Enter must not ask again";
    EXPECT_NE(dynamic_cast<TMainMenuContext*>(headless.App().Child()), nullptr) << "Enter goes on, as the screen says";
}

TEST_F(TitleScreenTest, EnterAfterClosingTheHelpGoesOn)
{
    Key(SDLK_F10);
    ASSERT_NE(title->TopDialog(), nullptr);
    ASSERT_FALSE(Asking());
    Key(SDLK_ESCAPE, 27);
    Key(SDLK_RETURN, 13);
    EXPECT_NE(dynamic_cast<TMainMenuContext*>(headless.App().Child()), nullptr);
}

TEST_F(TitleScreenTest, TheTitleTurnsInactiveUnderAQuestionAndBackAfter)
{
    std::vector<std::uint32_t> active = TitleBand();
    auto holds = [](const std::vector<std::uint32_t>& band, int colour) {
        return std::count(band.begin(), band.end(), MapColour(static_cast<std::uint32_t>(colour))) > 0;
    };
    EXPECT_TRUE(holds(active, 4)) << "a yellow title";
    Key(SDLK_ESCAPE, 27);
    ASSERT_TRUE(Asking());
    std::vector<std::uint32_t> inactive = TitleBand();
    EXPECT_NE(inactive, active) << "the title is drawn in its inactive colours";
    EXPECT_FALSE(holds(inactive, 4)) << "no yellow left under the question";
    EXPECT_TRUE(holds(inactive, 3)) << "its face grey";
    Key(SDLK_n, 'n');
    EXPECT_EQ(TitleBand(), active);
    // The help covers the title; once it is closed, the title is active again.
    Key(SDLK_F10);
    ASSERT_NE(title->TopDialog(), nullptr);
    Key(SDLK_ESCAPE, 27);
    EXPECT_EQ(TitleBand(), active);
}
