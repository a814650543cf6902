// The voice in play, heard through a recorder at the mixer: the level's
// words made during its title, each word said as it appears and when hit,
// letters as typed; dictation's gaps, its repeat key and switch, and a
// results log like any game's; the scan of the letter strip; and a game
// that plays on, silent and readable, when the voice cannot speak.

#include "app/Voice.h"
#include "game/GameView.h"
#include "game/LetterStrip.h"
#include "game/TActorParola.h"
#include "session/Session.h"
#include "session/SwitchFlags.h"
#include "support/GameFixture.h"
#include "support/RecordingVoice.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace {

struct VoiceGameTest : GameTest {
    RecordingVoice recorder;

    void PlayOneLane(const std::string& exercise, int kind = 1)
    {
        theSession.settings.lanes = 1;
        theSession.settings.fallSeconds = 30;
        Play(exercise, kind);
    }
    // The log without its date and time, which differ between two games.
    std::vector<std::pair<int, std::string>> Record()
    {
        auto events = Events();
        events.erase(std::remove_if(events.begin(), events.end(),
                                    [](const auto& e) { return e.first == 1 || e.first == 2; }),
                     events.end());
        return events;
    }
};

}  // namespace

TEST_F(VoiceGameTest, WordsAreMadeDuringTheTitleAndSaidAsTheyAppearAndWhenHit)
{
    theSession.voice.sayOnAppear = 1;
    theSession.voice.sayOnHit = 1;
    PlayOneLane("\r\n\r\n2\r\nUno\r\nsole\r\nmare\r\n");
    headless->Step();
    Wait(3000, 5);
    EXPECT_TRUE(voice::Prepared("sole") && voice::Prepared("mare")) << "made while the title shows";
    EXPECT_TRUE(recorder.said.empty()) << "nothing said before the word appears";
    Wait(3001);
    ASSERT_EQ(game->State(), GameState::kPlaying);
    ASSERT_EQ(recorder.said.size(), 1u);
    std::string first = recorder.said[0].text;
    EXPECT_EQ(recorder.said[0].at, Now()) << "said in the frame it appears";
    EXPECT_TRUE(first == "sole" || first == "mare");
    Wait(1000);
    Type("x");  // a wrong key says nothing
    EXPECT_EQ(recorder.said.size(), 1u);
    Type(first);
    ASSERT_EQ(recorder.said.size(), 2u);
    EXPECT_EQ(recorder.said[1].text, first) << "said again when hit";
}

TEST_F(VoiceGameTest, LettersAreSaidAsTheyAreTyped)
{
    theSession.voice.sayLetters = 1;
    PlayOneLane("\r\n\r\n1\r\nUno\r\nre\r\n");
    ToPlay();
    EXPECT_TRUE(recorder.said.empty()) << "the word itself is not said";
    Type("re");
    EXPECT_EQ(recorder.Texts(), (std::vector<std::string>{"r", "e"}));
}

TEST_F(VoiceGameTest, ABracketPronunciationIsSaidButNeverShownOrTyped)
{
    theSession.voice.sayOnAppear = 1;
    PlayOneLane("\r\n\r\n1\r\nUno\r\npesca [[p'eska]]\r\n");
    ToPlay();
    ASSERT_EQ(recorder.Texts(), (std::vector<std::string>{"[[p'eska]]"}));
    ASSERT_NE(game->View().Word(0), nullptr);
    EXPECT_EQ(game->View().Word(0)->Text(), "PESCA");
    Type("pesca");
    EXPECT_EQ(game->Field().Hits(), 1);
    auto events = Events();
    EXPECT_NE(std::find(events.begin(), events.end(), std::pair<int, std::string>{5, Z("pesca")}), events.end());
    EXPECT_EQ(events.back(), (std::pair<int, std::string>{7, Z("PESCA")}));
}

TEST_F(VoiceGameTest, DictationShowsGapsSaysTheWordRepeatsItAndLogsAsUsual)
{
    const std::string exercise = "\r\n\r\n1\r\nUno\r\ncasa\r\n";
    seed = 7;
    PlayOneLane(exercise);
    ToPlay();
    Wait(16);
    ASSERT_NE(game->View().Word(0), nullptr);
    int wordHeight = game->View().Word(0)->TextHeight();
    Type("xcasa");
    Wait(16);
    auto typedNormally = Record();
    TearDown();

    theSession.voice.dictation = 1;
    seed = 7;
    PlayOneLane(exercise);
    ToPlay();
    ASSERT_TRUE(game->Dictation());
    EXPECT_EQ(recorder.Texts(), (std::vector<std::string>{"casa"}));
    ASSERT_NE(game->View().Word(0), nullptr);
    EXPECT_EQ(game->View().Word(0)->Text(), "_ _ _ _") << "one gap a letter";
    EXPECT_EQ(game->View().Word(0)->TextHeight(), wordHeight) << "the gaps' box holds the word once typed";
    Wait(2000);
    headless->PushKey(SDLK_RETURN, true, 13);
    headless->Step();
    headless->PushKey(SDLK_RETURN, false);
    headless->Step();
    EXPECT_EQ(recorder.Texts(), (std::vector<std::string>{"casa", "casa"})) << "Enter says it again";
    EXPECT_TRUE(game->Field().Typed().empty()) << "Enter is not typed";
    Type("xca");
    Wait(16);
    EXPECT_EQ(game->View().Word(0)->Text(), "CA_ _") << "the gaps fill as the child types";
    Type("sa");
    EXPECT_EQ(game->Field().Hits(), 1);
    Wait(16);
    EXPECT_EQ(Record(), typedNormally);
}

TEST_F(VoiceGameTest, ACompletaDictationSaysTheWholeWord)
{
    theSession.voice.dictation = 1;
    PlayOneLane("\r\n\r\n1\r\nUno\r\nc_s_ aa\r\n", 2);
    ToPlay();
    EXPECT_EQ(recorder.Texts(), (std::vector<std::string>{"casa"}));
    Type("aa");
    EXPECT_EQ(game->Field().Hits(), 1);
}

TEST_F(VoiceGameTest, TheLetterStripSpeaksItsMarkAndSwitchOneHeldRepeats)
{
    theSession.settings.device.enabled = 1;
    theSession.voice.dictation = 1;
    theSession.voice.scan = VoiceSettings::kScanSpoken;
    PlayOneLane("\r\n\r\n2\r\nUno\r\nsole\r\n");
    ToPlay();
    Wait(16);
    recorder.said.clear();
    using switchflag::Held;
    using switchflag::Pressed;
    game->OnSwitches(Pressed(switchflag::kSwitch2) | Held(switchflag::kSwitch2));
    ASSERT_EQ(game->Strip()->Highlighted(), 'L');
    EXPECT_EQ(recorder.Texts(), (std::vector<std::string>{"l"}));
    for (int i = 0; i < 3; ++i)
        game->OnSwitches(Pressed(switchflag::kSwitch2));
    ASSERT_EQ(game->Strip()->Highlighted(), LetterStrip::kCancel);
    EXPECT_EQ(recorder.said.back().text, "cancella");
    recorder.said.clear();
    game->OnSwitches(Pressed(switchflag::kSwitch1) | Held(switchflag::kSwitch1));
    FakeClock::Advance(600);
    game->OnSwitches(Held(switchflag::kSwitch1));
    EXPECT_TRUE(recorder.said.empty()) << "a short hold is a press";
    FakeClock::Advance(500);
    game->OnSwitches(Held(switchflag::kSwitch1));
    game->OnSwitches(Held(switchflag::kSwitch1));
    EXPECT_EQ(recorder.Texts(), (std::vector<std::string>{"sole"})) << "once a hold";

    theSession.voice.scan = VoiceSettings::kScanBeep;
    recorder.said.clear();
    game->OnSwitches(Pressed(switchflag::kSwitch2));
    EXPECT_EQ(recorder.Texts(), (std::vector<std::string>{"<bip>"}));
}

TEST_F(VoiceGameTest, WithoutVoiceDataADictationIsPlayedWithTheWordsShown)
{
    TempFolder empty;
    voice::UseDataFolder(empty.Path());
    theSession.voice.dictation = 1;
    theSession.voice.sayOnAppear = 1;
    PlayOneLane("\r\n\r\n1\r\nUno\r\ncasa\r\n");
    ToPlay();
    EXPECT_FALSE(game->Dictation());
    ASSERT_NE(game->View().Word(0), nullptr);
    EXPECT_EQ(game->View().Word(0)->Text(), "CASA");
    Type("casa");
    EXPECT_EQ(game->Field().Hits(), 1);
    EXPECT_TRUE(recorder.said.empty());
}
