// The voice itself: real Italian speech from espeak-ng in memory, kept once
// made, phonemes in brackets, and what happens without its data or a mixer.

#include "app/Voice.h"
#include "support/RecordingVoice.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

double Rms(const std::vector<std::int16_t>& samples)
{
    double sum = 0;
    for (std::int16_t s : samples)
        sum += static_cast<double>(s) * s;
    return samples.empty() ? 0 : std::sqrt(sum / static_cast<double>(samples.size()));
}

double Seconds(const std::vector<std::int16_t>& samples)
{
    return static_cast<double>(samples.size()) / voice::kSampleRate;
}

}  // namespace

TEST(VoiceTest, CasaIsSpokenAloudForAboutHalfASecond)
{
    RecordingVoice recorder;
    ASSERT_EQ(voice::Status(), voice::Availability::kReady);
    std::vector<std::int16_t> casa = voice::Synthesize("casa");
    // Two syllables at a child's pace: neither a click nor a sentence.
    EXPECT_GT(Seconds(casa), 0.25);
    EXPECT_LT(Seconds(casa), 1.2);
    EXPECT_GT(Rms(casa), 500.0);
    auto peak = std::max_element(casa.begin(), casa.end(), [](std::int16_t a, std::int16_t b) {
        return std::abs(a) < std::abs(b);
    });
    EXPECT_GT(std::abs(*peak), 4000);
    // A longer word lasts longer; accented letters (Latin-1) are read too.
    std::vector<std::int16_t> long_ = voice::Synthesize("elefantessa");
    EXPECT_GT(Seconds(long_), Seconds(casa) * 1.4);
    EXPECT_GT(Seconds(voice::Synthesize("perch\xe9")), 0.2);
}

TEST(VoiceTest, PhonemesInDoubleBracketsAreSaidNotSpelt)
{
    RecordingVoice recorder;
    std::vector<std::int16_t> read = voice::Synthesize("casa"), phonemes = voice::Synthesize("[[k'aza]]");
    ASSERT_FALSE(phonemes.empty());
    // Said as a word of the same length, not as "parentesi, kappa, ...".
    EXPECT_LT(std::abs(Seconds(phonemes) - Seconds(read)), 0.25);
}

TEST(VoiceTest, AClipIsMadeOnceAndEverySayingCutsTheLastShort)
{
    RecordingVoice recorder;
    EXPECT_TRUE(voice::Prepare("mare"));
    EXPECT_FALSE(voice::Prepare("mare"));
    EXPECT_TRUE(voice::Prepared("mare"));
    EXPECT_EQ(voice::KeptClips(), 1u);
    EXPECT_GT(voice::KeptBytes(), 10000u);
    voice::Say("mare");
    voice::Say("sole");
    voice::Beep();
    ASSERT_EQ(recorder.said.size(), 3u);
    EXPECT_EQ(recorder.said[0].text, "mare");
    EXPECT_EQ(recorder.said[1].text, "sole");
    EXPECT_EQ(recorder.said[2].text, "<bip>");
    EXPECT_LT(recorder.said[2].ms, 150u);
    EXPECT_EQ(voice::KeptClips(), 3u);
    voice::Forget();
    EXPECT_EQ(voice::KeptClips(), 0u);
}

TEST(VoiceTest, WithoutTheItalianDataTheVoiceSaysNothingAndSaysWhy)
{
    RecordingVoice recorder;
    TempFolder empty;
    voice::UseDataFolder(empty.Path());
    EXPECT_EQ(voice::Status(), voice::Availability::kNoVoiceData);
    EXPECT_TRUE(voice::Synthesize("casa").empty());
    EXPECT_EQ(voice::Clip("casa"), nullptr);
    voice::Say("casa");
    voice::Beep();
    EXPECT_TRUE(recorder.said.empty());
}

TEST(VoiceTest, WithoutAMixerThereIsNoVoice)
{
    ASSERT_FALSE(AudioOpen());
    EXPECT_EQ(voice::Status(), voice::Availability::kNoAudio);
    voice::Say("casa");  // harmless
    EXPECT_EQ(voice::KeptClips(), 0u);
}
