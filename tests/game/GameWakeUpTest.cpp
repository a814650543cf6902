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
    EXPECT_LE(wakeup::TakeSleep(), 16u) << "the level's title is a frame too";
    ToPlay();
    for (int frame = 0; frame < 5; ++frame) {
        Wait(5);
        EXPECT_LE(wakeup::TakeSleep(), 16u) << frame;
    }
}
