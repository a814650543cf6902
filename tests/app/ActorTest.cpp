#include "app/Clock.h"
#include "app/TActor.h"
#include "gfx/Screen.h"
#include "support/HeadlessApp.h"

#include <gtest/gtest.h>

TEST(ActorTest, AnimationPlayedOnceStopsOnItsLastFrame)
{
    FakeClock::Set(0);
    SetTickSource(FakeClock::Ticks);
    ResetClock();
    SDL_Surface* images[4];
    for (auto& image : images)
        image = SDL_CreateRGBSurface(SDL_SWSURFACE, 4, 4, 16, 0, 0, 0, 0);
    const FrameEntry table[4] = {{0, 0, 0}, {1, 1, 0}, {2, 1, 0}, {3, 1, 0}};
    TActor actor(10, 10);
    actor.StartAnimation(table, images, 4, 150, 1);
    std::vector<int> shown = {actor.CurrentFrame()};
    for (int i = 0; i < 6; ++i) {
        FakeClock::Advance(151);
        actor.Animate();
        shown.push_back(actor.CurrentFrame());
    }
    EXPECT_EQ(shown, (std::vector<int>{1, 2, 3, 4, 0, 0, 0}));
    EXPECT_FALSE(actor.IsAnimating());
    EXPECT_EQ(actor.Picture(), images[3]);
    EXPECT_EQ(actor.X(), 13);
    for (auto& image : images)
        SDL_FreeSurface(image);
    SetTickSource(nullptr);
}

TEST(ActorTest, NothingIsSavedOutsideTheClip)
{
    HeadlessApp headless;
    SurfacePtr picture(SDL_CreateRGBSurface(SDL_SWSURFACE, 10, 10, 16, 0, 0, 0, 0));
    TActor outside(-50, -50, picture.get());
    outside.SaveBackground();
    EXPECT_FALSE(outside.HasSavedBackground());
    outside.RestoreBackground();
    TActor inside(5, 5, picture.get());
    inside.Show();
    EXPECT_TRUE(inside.HasSavedBackground());
}
