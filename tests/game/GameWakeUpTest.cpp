// The game keeps time for the loop: while it runs, the loop is asked to
// come round for the next frame, so that it never sleeps through one.

#include "app/WakeUp.h"
#include "support/GameFixture.h"

#include <gtest/gtest.h>

TEST_F(GameTest, APlayingGameWakesTheLoopForEachFrame)
{
    theGameSettings.lanes = 1;
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
