// The score and the lives stay clear of the launchers and their flowers in
// both picture themes, with one, two and three lanes, at every screen size.

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
