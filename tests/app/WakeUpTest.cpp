#include "app/WakeUp.h"

#include "SDL.h"

#include <gtest/gtest.h>

namespace {

struct WakeUpTest : ::testing::Test {
    void SetUp() override
    {
        ASSERT_EQ(SDL_Init(SDL_INIT_TIMER), 0);
        wakeup::TakeSleep();
    }
    void TearDown() override { SDL_Quit(); }
};

}  // namespace

TEST_F(WakeUpTest, TheEarliestRequestWinsAndIsForgottenOnceTaken)
{
    EXPECT_EQ(wakeup::TakeSleep(), wakeup::kLongestSleepMs) << "nothing asked: the longest sleep";
    wakeup::In(60);
    wakeup::In(15);
    wakeup::In(40);
    std::uint32_t sleep = wakeup::TakeSleep();
    EXPECT_LE(sleep, 15u);
    EXPECT_GE(sleep, 10u);
    EXPECT_EQ(wakeup::TakeSleep(), wakeup::kLongestSleepMs);
}

TEST_F(WakeUpTest, AtOnceAndLaterThanTheLongestSleep)
{
    wakeup::In(0);
    EXPECT_EQ(wakeup::TakeSleep(), 0u);
    wakeup::In(5000);
    EXPECT_EQ(wakeup::TakeSleep(), wakeup::kLongestSleepMs) << "never past the safety ceiling";
    wakeup::In(5);
    SDL_Delay(20);
    EXPECT_EQ(wakeup::TakeSleep(), 0u) << "a moment already past";
}
