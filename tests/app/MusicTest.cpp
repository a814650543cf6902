// Leaving a game lets its music fade on its own: nothing waits for the fade.

#include "app/Sound.h"
#include "support/HeadlessApp.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

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

// Only sounds like the program's own reach the library's converter, and
// only XM modules its decoders.
TEST(SoundFormatsTest, OnlyPlainWavesAndModulesGoToTheMixer)
{
    auto wave = [](std::uint32_t rate, unsigned bits, unsigned tag) {
        std::vector<unsigned char> w = {'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V', 'E', 'f', 'm', 't', ' ', 16, 0, 0, 0};
        unsigned char fmt[16] = {static_cast<unsigned char>(tag), 0, 1, 0, static_cast<unsigned char>(rate),
                                 static_cast<unsigned char>(rate >> 8), static_cast<unsigned char>(rate >> 16), 0,
                                 0, 0, 0, 0, 2, 0, static_cast<unsigned char>(bits), 0};
        w.insert(w.end(), fmt, fmt + 16);
        const unsigned char data[] = {'d', 'a', 't', 'a', 4, 0, 0, 0, 1, 2, 3, 4};
        w.insert(w.end(), data, data + sizeof data);
        return w;
    };
    auto plain = [](const std::vector<unsigned char>& w) { return IsPlainWave(w.data(), w.size()); };
    EXPECT_TRUE(plain(wave(22050, 16, 1)));
    EXPECT_FALSE(plain(wave(1, 16, 1))) << "a rate far from the mixer's";
    EXPECT_FALSE(plain(wave(22050, 12, 1)));
    EXPECT_FALSE(plain(wave(22050, 16, 2))) << "not PCM";
    std::vector<unsigned char> cut = wave(22050, 16, 1);
    cut.resize(cut.size() - 6);
    EXPECT_FALSE(plain(cut)) << "a chunk past the end";

    TempFolder folder;
    folder.Write("a.xm", "Extended Module: quoli");
    folder.Write("b.xm", "E[\x00\x16-'");
    EXPECT_TRUE(IsModuleFile((folder / "a.xm").c_str()));
    EXPECT_FALSE(IsModuleFile((folder / "b.xm").c_str()));
    EXPECT_FALSE(IsModuleFile((folder / "none.xm").c_str()));
}
