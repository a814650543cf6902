// The score and the lives stay clear of the launchers and their flowers in
// both picture themes, and no word a child must read ever passes under them,
// in every theme, with one, two and three lanes, at every screen size.

#include "game/GameView.h"
#include "game/PictureView.h"
#include "gfx/Screen.h"
#include "support/GameFixture.h"
#include "session/Session.h"

#include <gtest/gtest.h>

namespace {

bool Overlap(const Rect& a, const Rect& b)
{
    bool empty = a.right < a.left || b.right < b.left;
    return !empty && a.left <= b.right && b.left <= a.right && a.top <= b.bottom && b.top <= a.bottom;
}

Rect Box(const TActor& actor)
{
    return {actor.X(), actor.Y(), actor.X() + actor.Width() - 1, actor.Y() + actor.Height() - 1};
}

struct HudLayoutTest : GameTest {};

}  // namespace

TEST_F(HudLayoutTest, ScoreAndLivesClearTheLaunchers)
{
    for (int theme : {2, 3})
        for (int lanes = 1; lanes <= 3; ++lanes)
            for (int res = 0; res < 3; ++res) {
                SCOPED_TRACE(testing::Message() << "theme " << theme << " lanes " << lanes << " size " << res);
                HeadlessOptions options;
                options.resolution = res;
                theSession.settings.theme = theme;
                theSession.settings.lanes = lanes;
                theSession.settings.lives = 10;  // the widest row of icons
                Play("\r\n\r\n3\r\nUno\r\nsole\r\n", 1, options);
                ToPlay();
                const PictureView* view = game->Pictures();
                ASSERT_NE(view, nullptr);
                Rect score = game->Screens().ScoreBox(true);
                Rect lives = view->LifeIconsBox(game->Field());
                EXPECT_GT(lives.right, lives.left) << "ten lives are shown";
                EXPECT_FALSE(Overlap(score, lives));
                EXPECT_LE(lives.right, theScreen.width / 2) << "ten lives fit the left half";
                for (int i = 0; i < lanes; ++i) {
                    ASSERT_NE(view->Lane(i).base.get(), nullptr);
                    for (Rect launcher : {Box(*view->Lane(i).base.get()), view->DecorationBox(i)}) {
                        EXPECT_FALSE(Overlap(score, launcher)) << "lane " << i;
                        EXPECT_FALSE(Overlap(lives, launcher)) << "lane " << i;
                    }
                }
                TearDown();
            }
}

TEST_F(HudLayoutTest, NoWordIsEverDrawnUnderTheScoreOrTheLives)
{
    // Long words are as wide as their lane; the plain look also with the
    // switch player's letter strip, which moves the floor up.
    const char* exercise = "\r\n\r\n6\r\nUno\r\narcobaleno\r\ncioccolatini\r\nmarmellata\r\nsole\r\nPAPPAGALLO\r\nre\r\n";
    struct Look {
        int theme, device;
    };
    for (Look look : {Look{1, 0}, Look{1, 1}, Look{2, 0}, Look{3, 0}})
        for (int lanes = 1; lanes <= 3; ++lanes)
            for (int res = 0; res < 3; ++res) {
                SCOPED_TRACE(testing::Message() << "theme " << look.theme << " switches " << look.device << " lanes "
                                                << lanes << " size " << res);
                HeadlessOptions options;
                options.resolution = res;
                theSession.settings.theme = look.theme;
                theSession.settings.device.enabled = look.device;
                theSession.settings.lanes = lanes;
                theSession.settings.lives = 10;
                theSession.settings.fallSeconds = 4;
                theSession.settings.spawnSeconds = 1;
                Play(exercise, 1, options);
                ToPlay();
                int framesWithWords = 0, lowest = 0;
                for (int frame = 0; frame < 300 && game->State() == GameState::kPlaying; ++frame) {
                    Wait(16);
                    std::vector<Rect> panels = game->View().PanelBoxes(game->Field(), game->State());
                    ASSERT_EQ(panels.size(), 2u);
                    for (const Rect& word : game->View().DrawnWords()) {
                        lowest = std::max(lowest, word.bottom);
                        for (const Rect& panel : panels)
                            ASSERT_FALSE(Overlap(word, panel))
                                << "word (" << word.left << "," << word.top << ")-(" << word.right << ","
                                << word.bottom << ") under a panel (" << panel.left << "," << panel.top << ")-("
                                << panel.right << "," << panel.bottom << ") at frame " << frame;
                    }
                    framesWithWords += game->View().DrawnWords().empty() ? 0 : 1;
                }
                EXPECT_GT(framesWithWords, 150) << "the words are shown while they fall";
                EXPECT_GT(lowest, theScreen.height / 2) << "the words are shown down to where they land";
                TearDown();
            }
}
