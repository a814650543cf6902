#include "game/BonusMotion.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>

namespace {

// Restores the default screen so the other tests see 640x480.
struct ResolutionGuard {
    explicit ResolutionGuard(int index) { SetResolution(index); }
    ~ResolutionGuard() { SetResolution(0); }
};

}  // namespace

TEST(PendulumTest, SwingsBetweenMinusAndPlusThirtyAndBack)
{
    TPendulum p({320, -400}, 500, 0);
    int highest = 0, lowest = 0;
    std::set<int> poses;
    for (int step = 0; step < 240; ++step) {  // two full periods
        p.Step();
        highest = std::max(highest, p.Phase());
        lowest = std::min(lowest, p.Phase());
        poses.insert(p.Pose());
        ASSERT_LE(std::abs(p.Phase()), TPendulum::kHalfPeriod);
    }
    EXPECT_EQ(highest, 30);
    EXPECT_EQ(lowest, -30);
    EXPECT_EQ(poses, (std::set<int>{0, 1, 2, 3}));
    EXPECT_EQ(p.Phase(), 0);  // 240 steps are two whole swings
    EXPECT_EQ(p.Direction(), 1);
}

TEST(PendulumTest, HangsStraightDownAtRestAndMirrorsLeftAndRight)
{
    TPendulum p({320, -400}, 500, 0);
    EXPECT_EQ(p.Centre().x, 320);
    EXPECT_EQ(p.Centre().y, 100);
    for (int i = 0; i < 30; ++i)
        p.Step();
    ASSERT_EQ(p.Phase(), 30);
    ScreenPoint right = p.Centre();
    EXPECT_EQ(right.x, 320 + static_cast<int>(std::lround(500 * std::sin(0.5))));
    EXPECT_EQ(right.y, -400 + static_cast<int>(std::lround(500 * std::cos(0.5))));
    for (int i = 0; i < 60; ++i)
        p.Step();
    ASSERT_EQ(p.Phase(), -30);
    EXPECT_EQ(p.Centre().x, 640 - right.x);
    EXPECT_EQ(p.Centre().y, right.y);
}

TEST(PendulumTest, StepsOnlyWhenMoreThanItsIntervalHasPassed)
{
    TPendulum p({0, 0}, 100, 1000);
    EXPECT_FALSE(p.Update(1025));
    EXPECT_TRUE(p.Update(1026));
    EXPECT_EQ(p.Phase(), 1);
    EXPECT_FALSE(p.Update(1051));  // the interval restarts from the step
    EXPECT_TRUE(p.Update(2000));   // a long frame is still one step
    EXPECT_EQ(p.Phase(), 2);
}

TEST(CirclerTest, CirclesTheCentreAndStaysOnTheScreenAtEveryResolution)
{
    const int widths[] = {640, 800, 1024}, heights[] = {480, 600, 768};
    for (int index = 0; index < 3; ++index) {
        SCOPED_TRACE(index);
        int w = widths[index], h = heights[index];
        ScreenPoint centre = {w / 2, h / 4};
        TCircler c(centre, TCircler::StartVelocity(index), centre, 0);
        bool left = false, right = false, above = false, below = false;
        for (int step = 0; step < 2000; ++step) {
            c.Step();
            ScreenPoint at = c.Centre();
            ASSERT_GT(at.x, 0);
            ASSERT_LT(at.x, w);
            ASSERT_GT(at.y, 0);
            ASSERT_LT(at.y, h / 2);
            left |= at.x < centre.x;
            right |= at.x > centre.x;
            above |= at.y < centre.y;
            below |= at.y > centre.y;
        }
        EXPECT_TRUE(left && right && above && below);
    }
}

TEST(CirclerTest, MovesByItsVelocityThenPullsItTowardsTheCentre)
{
    TCircler c({320, 120}, {-21, -10}, {320, 120}, 0);
    EXPECT_FALSE(c.Update(37));
    EXPECT_TRUE(c.Update(38));
    EXPECT_EQ(c.Centre().x, 299);
    EXPECT_EQ(c.Centre().y, 110);
    EXPECT_EQ(c.Velocity().x, -20);
    EXPECT_EQ(c.Velocity().y, -9);
    EXPECT_EQ(TCircler::StartVelocity(2).x, -27);
    EXPECT_EQ(TCircler::StartVelocity(7).x, -21);  // out of range: the smallest screen
}

TEST(BonusHitBoxTest, GrowsEveryFiftyMillisecondsAndPaysOnceWhenFull)
{
    TBonusHitBox box;
    EXPECT_EQ(box.Update(5000), 0);
    EXPECT_FALSE(box.WasHit());
    box.Hit(1000);
    EXPECT_EQ(box.Counter(), 1);
    EXPECT_EQ(box.Update(1050), 0);
    EXPECT_EQ(box.Counter(), 1);
    int points = 0;
    std::uint32_t now = 1000;
    for (int frame = 0; frame < 100; ++frame) {
        now += 51;
        points += box.Update(now);
    }
    EXPECT_EQ(box.Counter(), TBonusHitBox::kFull);
    EXPECT_TRUE(box.ShowsPoints());
    EXPECT_EQ(points, 100);
    box.Reset();
    EXPECT_FALSE(box.WasHit());
}

TEST(BonusHitBoxTest, BoxIsCentredAndScaledWithTheScreen)
{
    TBonusHitBox box;
    box.Hit(0);
    for (std::uint32_t t = 51; box.Counter() < TBonusHitBox::kFull; t += 51)
        box.Update(t);
    Rect small = box.Box(640);
    EXPECT_EQ(small.left, 210);
    EXPECT_EQ(small.right, 430);
    EXPECT_EQ(small.top, 276);
    EXPECT_EQ(small.bottom, 324);
    EXPECT_EQ(box.CornerRadius(), 12);
    ResolutionGuard big(2);
    Rect large = box.Box(1024);
    EXPECT_EQ(large.left + large.right, 1024);
    EXPECT_EQ(large.top, Scaled(276));
    EXPECT_EQ(large.bottom, Scaled(324));
    EXPECT_GT(large.bottom - large.top, small.bottom - small.top);
}
