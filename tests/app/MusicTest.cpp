// Leaving a game lets its music fade on its own: nothing waits for the fade.

#include "app/Sound.h"
#include "support/HeadlessApp.h"

#include <gtest/gtest.h>

TEST(MusicTest, LettingGoOfAFadingModuleDoesNotWaitForTheFade)
{
    HeadlessApp headless;  // AUDIO=1 on the dummy driver: the mixer plays in real time
    ASSERT_TRUE(AudioOpen());
    SetMusicEnabled(true);
    LoadMusic("music\\neutro1.xm");
    ASSERT_TRUE(MusicLoaded());
    FadeInMusic();
    FadeOutMusic();  // two seconds of fading
    FreeMusic();
    EXPECT_FALSE(MusicLoaded());
    EXPECT_TRUE(MusicFading()) << "the free waited for the whole fade";

    // The next game's module cuts the old fade short instead of waiting.
    LoadMusic("music\\quoli1.xm");
    EXPECT_TRUE(MusicLoaded());
    EXPECT_FALSE(MusicFading());
    FadeInMusic();
    FreeMusic();  // playing, not fading: stopped at once
    EXPECT_FALSE(MusicFading());
}
