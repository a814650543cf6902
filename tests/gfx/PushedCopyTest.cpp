#include "gfx/PushedCopy.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

struct Surface {
    std::unique_ptr<SDL_Surface, void (*)(SDL_Surface*)> s{
        SDL_CreateRGBSurface(SDL_SWSURFACE, 320, 240, 16, 0xF800, 0x07E0, 0x001F, 0), SDL_FreeSurface};
    void Set(int x, int y, Uint16 v)
    {
        static_cast<Uint16*>(s->pixels)[y * s->pitch / 2 + x] = v;
    }
};

int Area(const std::vector<SDL_Rect>& rects)
{
    int sum = 0;
    for (const SDL_Rect& r : rects)
        sum += r.w * r.h;
    return sum;
}

const SDL_Rect kWhole = {0, 0, 320, 240};

// A screen whose first picture was already sent.
struct PushedCopyTest : ::testing::Test {
    Surface screen;
    TPushedCopy copy;
    void SetUp() override { copy.Changes(screen.s.get(), kWhole); }
    std::vector<SDL_Rect> Sent(const SDL_Rect& area = kWhole) { return copy.Changes(screen.s.get(), area); }
};

}  // namespace

TEST(PushedCopy, SendsEverythingFirstThenOnlyTheTilesThatChanged)
{
    Surface screen;
    TPushedCopy copy;
    EXPECT_EQ(Area(copy.Changes(screen.s.get(), kWhole)), 320 * 240);
    EXPECT_TRUE(copy.Changes(screen.s.get(), kWhole).empty()) << "nothing changed";

    screen.Set(100, 50, 0xFFFF);
    std::vector<SDL_Rect> one = copy.Changes(screen.s.get(), kWhole);
    ASSERT_EQ(one.size(), 1u);
    EXPECT_EQ(one[0].x, 96);
    EXPECT_EQ(one[0].y, 48);
    EXPECT_EQ(one[0].w, 32);
    EXPECT_EQ(one[0].h, 16);
    EXPECT_TRUE(copy.Changes(screen.s.get(), kWhole).empty()) << "the copy took the change";

    // Setting the pixel back is a change too.
    screen.Set(100, 50, 0);
    EXPECT_EQ(copy.Changes(screen.s.get(), kWhole).size(), 1u);
}

TEST_F(PushedCopyTest, NearbyChangesGoTogetherDistantOnesApart)
{
    screen.Set(5, 5, 1);
    screen.Set(5 + 32 * 3, 5, 1);  // two tiles between them: joined
    std::vector<SDL_Rect> near = Sent();
    ASSERT_EQ(near.size(), 1u);
    EXPECT_EQ(near[0].w, 32 * 4);
    screen.Set(5, 5, 2);
    screen.Set(300, 5, 2);
    EXPECT_EQ(Sent().size(), 2u);
}

TEST_F(PushedCopyTest, OnlyTheAskedAreaIsLookedAtAndForgettingSendsItAllAgain)
{
    screen.Set(200, 200, 7);
    EXPECT_TRUE(Sent({0, 0, 64, 64}).empty());
    EXPECT_EQ(Sent().size(), 1u) << "still pending outside the corner";

    copy.Forget();
    EXPECT_EQ(Area(Sent()), 320 * 240);

    // Part of an unknown tile is sent, and the tile stays unknown until it
    // is sent whole.
    copy.Forget();
    EXPECT_EQ(Area(Sent({10, 10, 5, 5})), 25);
    EXPECT_EQ(Area(Sent({10, 10, 5, 5})), 25);
}

TEST(PushedCopy, ANewSurfaceStartsAfresh)
{
    Surface first, second;
    TPushedCopy copy;
    copy.Changes(first.s.get(), kWhole);
    EXPECT_EQ(Area(copy.Changes(second.s.get(), kWhole)), 320 * 240);
    SDL_Rect outside = {400, 300, 10, 10};
    EXPECT_TRUE(copy.Changes(second.s.get(), outside).empty());
}
