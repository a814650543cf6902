// The game keeps time for the loop: while it runs, the loop is asked to
// come round for the next frame, so that it never sleeps through one; a
// plain game whose words fall slowly lets it sleep until a word moves.

#include "app/WakeUp.h"
#include "support/GameFixture.h"
#include "session/Session.h"

#include <gtest/gtest.h>

TEST_F(GameTest, APlayingGameWakesTheLoopForEachFrame)
{
    theSession.settings.lanes = 1;
    theSession.settings.fallSeconds = 2;  // a pixel every few milliseconds
    Play("\r\n\r\n2\r\nUno\r\nsole\r\n");
    headless->Step();
    Wait(100);
    std::uint32_t sleep = wakeup::TakeSleep();
    EXPECT_LE(sleep, 16u) << "the level's title is looked at as often as a frame";
    EXPECT_GE(sleep, 10u) << "and no more: the loop does not spin while it waits";
    ToPlay();
    for (int frame = 0; frame < 5; ++frame) {
        Wait(5);
        EXPECT_LE(wakeup::TakeSleep(), 16u) << frame;
    }
}

TEST_F(GameTest, ASlowPlainGameSleepsUntilAWordMovesAndWakesForAKey)
{
    theSession.settings.lanes = 1;
    // A pixel about every twelfth of a second: the loop may sleep that long.
    theSession.settings.fallSeconds = 45;
    Play("\r\n\r\n2\r\nUno\r\nsole\r\n");
    ToPlay();
    ASSERT_TRUE(game->Field().Lane(0).hasWord);
    int longSleeps = 0;
    for (int pass = 0; pass < 40; ++pass) {
        std::uint32_t sleep = wakeup::TakeSleep();
        long long before = game->Field().Travelled(0, Now());
        if (sleep > 16)
            ++longSleeps;
        if (sleep > 15) {
            EXPECT_EQ(game->Field().Travelled(0, Now() + sleep - 1), before) << "it slept through a move, pass " << pass;
        }
        Wait(sleep);
    }
    EXPECT_GT(longSleeps, 30) << "the loop sleeps longer than a frame while nothing moves";
    Type("s");
    EXPECT_LE(wakeup::TakeSleep(), 15u) << "a key is drawn in the next frame";
}
