// The voice's choices: a dialog greyed with the reason when the voice
// cannot speak, the main menu's dictation box likewise, the choices kept
// per child beside the profile (never in its 476 bytes), and a switch
// user's scan mark heard in every dialog.

#include "app/TApp.h"
#include "app/Voice.h"
#include "menus/TMainMenuContext.h"
#include "menus/TVoiceDialog.h"
#include "resources/StringTable.h"
#include "session/Session.h"
#include "stats/StatsStore.h"
#include "support/HeadlessApp.h"
#include "support/LayoutCheck.h"
#include "support/RecordingVoice.h"
#include "support/TempFolder.h"
#include "ui/TButton.h"
#include "ui/TSelectorItem.h"
#include "ui/TStaticText.h"
#include "users/TDataFile.h"
#include "users/VoiceProfile.h"

#include <gtest/gtest.h>

#include <sqlite3.h>

#include <filesystem>

namespace {

struct VoiceOptionsTest : ::testing::Test {
    std::unique_ptr<HeadlessApp> headless;
    TMainMenuContext* menu = nullptr;

    void Open()
    {
        headless = std::make_unique<HeadlessApp>();
        std::filesystem::create_directories(headless->Folder() / "Esercizi/Livelli");
        menu = new TMainMenuContext;
        headless->App().SetChild(std::unique_ptr<TContext>(menu));
        headless->Step();
    }
    void TearDown() override
    {
        headless.reset();
        theSession.Reset();
    }
    // The texts of a dialog's enabled and disabled controls.
    static void Controls(TGroup* dialog, int& enabled, int& disabled, std::vector<std::string>& texts)
    {
        enabled = disabled = 0;
        dialog->EachChild([&](TView* v) {
            if (auto* t = dynamic_cast<TStaticText*>(v))
                texts.push_back(t->Text());
            if (dynamic_cast<TStaticText*>(v) || dynamic_cast<TButton*>(v))
                return;
            (v->State() & view::kEnabled) ? ++enabled : ++disabled;
        });
    }
    // The voice dialog over the menu: its enabled and disabled controls,
    // and its texts.
    void ShowVoiceDialog(int& enabled, int& disabled, std::vector<std::string>& texts)
    {
        auto* dialog = new TVoiceDialog;
        menu->AddDialog(std::unique_ptr<TDialog>(dialog));
        headless->Step();
        Controls(dialog, enabled, disabled, texts);
    }
    TCheckBox* DictationBox()
    {
        TCheckBox* found = nullptr;
        static_cast<TGroup*>(menu->FirstDialog())->EachChild([&](TView* v) {
            if (auto* c = dynamic_cast<TCheckBox*>(v); c && c->Text() == GetString(4, 113))
                found = c;
        });
        return found;
    }
};

}  // namespace

TEST_F(VoiceOptionsTest, WithTheVoiceEveryChoiceIsOpen)
{
    RecordingVoice recorder;
    Open();
    ASSERT_NE(DictationBox(), nullptr);
    EXPECT_TRUE(DictationBox()->State() & view::kEnabled);
    int enabled = 0, disabled = 0;
    std::vector<std::string> texts;
    ShowVoiceDialog(enabled, disabled, texts);
    EXPECT_EQ(disabled, 0);
    EXPECT_GE(enabled, 3);
    EXPECT_EQ(std::count(texts.begin(), texts.end(), std::string(GetString(8, 141))), 0);
}

TEST_F(VoiceOptionsTest, WithoutVoiceDataTheChoicesAreGreyAndSayWhy)
{
    RecordingVoice recorder;
    TempFolder empty;
    voice::UseDataFolder(empty.Path());
    Open();
    EXPECT_FALSE(DictationBox()->State() & view::kEnabled);
    int enabled = 0, disabled = 0;
    std::vector<std::string> texts;
    ShowVoiceDialog(enabled, disabled, texts);
    EXPECT_EQ(enabled, 0);
    EXPECT_GE(disabled, 3);
    EXPECT_EQ(std::count(texts.begin(), texts.end(), std::string(GetString(8, 141))), 1);
}

TEST_F(VoiceOptionsTest, TheGreyedDialogAndItsReasonAreTidyAtEverySize)
{
    RecordingVoice recorder;
    TempFolder empty;
    voice::UseDataFolder(empty.Path());
    for (int size = 0; size < 3; ++size) {
        HeadlessOptions options;
        options.resolution = size;
        headless = std::make_unique<HeadlessApp>(options);
        menu = new TMainMenuContext;
        headless->App().SetChild(std::unique_ptr<TContext>(menu));
        headless->Step();
        auto* dialog = new TVoiceDialog;
        menu->AddDialog(std::unique_ptr<TDialog>(dialog));
        headless->Step();
        std::string listed;
        for (const std::string& fault : LayoutFaults(*dialog))
            listed += "\n  " + fault;
        EXPECT_TRUE(listed.empty()) << "size " << size << ":" << listed;
        SaveLayoutShot("voice-greyed");
        headless.reset();
    }
}

TEST_F(VoiceOptionsTest, WithAudioOffTheReasonIsTheAudio)
{
    HeadlessOptions silent;
    silent.config = "[global]\r\nFULLSCREEN=0\r\nAUDIO=0\r\nJOYSTICK=0\r\n";
    headless = std::make_unique<HeadlessApp>(silent);
    EXPECT_EQ(voice::Status(), voice::Availability::kNoAudio);
    EXPECT_STREQ(TVoiceDialog::Unavailable(), GetString(8, 140));
}

TEST_F(VoiceOptionsTest, EachChildKeepsTheirOwnChoicesBesideTheProfile)
{
    headless = std::make_unique<HeadlessApp>();
    GameSettings::Bytes payload = GameSettings().Encode();
    TDataFile data(GameSettings::kSize);
    int anna = data.StoreUser("Anna", payload.data()), luca = data.StoreUser("Luca", payload.data());
    ASSERT_NE(anna, 0);
    std::string registry = headless->Folder().Read("DATA/USERS.ANA");
    theSession.voice.sayOnAppear = 1;
    theSession.voice.scan = VoiceSettings::kScanBeep;
    theSession.voice.volume = 3;
    ASSERT_TRUE(voiceprofile::Save("Anna"));
    theSession.voice = VoiceSettings();
    theSession.voice.dictation = 1;
    ASSERT_TRUE(voiceprofile::SaveForId(luca));
    EXPECT_FALSE(voiceprofile::Save("Nessuno")) << "no profile, no id";
    EXPECT_EQ(headless->Folder().Read("DATA/USERS.ANA"), registry) << "the profiles are not touched";

    ASSERT_TRUE(LoadProfileByName("Anna"));
    EXPECT_EQ(theSession.voice.sayOnAppear, 1);
    EXPECT_EQ(theSession.voice.dictation, 0);
    EXPECT_EQ(theSession.voice.scan, VoiceSettings::kScanBeep);
    EXPECT_EQ(theSession.voice.volume, 3);
    ASSERT_TRUE(LoadProfileByName("Luca"));
    EXPECT_EQ(theSession.voice.sayOnAppear, 0);
    EXPECT_EQ(theSession.voice.dictation, 1);

    // Deleting a child takes their choices too.
    ASSERT_TRUE(TDataFile(GameSettings::kSize).DeleteUser("Anna"));
    stats::StatsStore store;
    VoiceSettings v;
    v.volume = 9;
    EXPECT_FALSE(store.LoadVoice(anna, v));
    EXPECT_EQ(v.volume, 9);
}

TEST_F(VoiceOptionsTest, ADatabaseMadeBeforeTheVoiceGetsItsTablesAndKeepsItsOwn)
{
    headless = std::make_unique<HeadlessApp>();
    std::string schema;
    {
        stats::StatsStore store;
        ASSERT_TRUE(store.Ready());
        sqlite3_exec(store.Handle(), "DROP TABLE voice_options; DROP TABLE dictation_games;", nullptr, nullptr, nullptr);
        stats::Statement st(store.Handle(), "SELECT group_concat(sql, ';') FROM sqlite_master");
        ASSERT_TRUE(st.Row());
        schema = st.Text(0);
    }
    stats::StatsStore store;
    ASSERT_TRUE(store.Ready());
    EXPECT_TRUE(store.SaveVoice(5, VoiceSettings()));
    stats::Statement st(store.Handle(), "SELECT group_concat(sql, ';') FROM sqlite_master WHERE name NOT IN"
                                        " ('voice_options', 'dictation_games')");
    ASSERT_TRUE(st.Row());
    EXPECT_EQ(st.Text(0), schema);
}

TEST_F(VoiceOptionsTest, TheScanMarkIsHeardInADialogOrBeeps)
{
    RecordingVoice recorder;
    Open();
    theDeviceNavigation = true;
    theSession.voice.scan = VoiceSettings::kScanSpoken;
    auto* dialog = static_cast<TGroup*>(menu->FirstDialog());
    recorder.said.clear();
    dialog->FocusNext();
    dialog->FocusNext();
    ASSERT_EQ(recorder.said.size(), 2u);
    EXPECT_EQ(recorder.said.back().text, dialog->Current()->SpokenLabel());
    EXPECT_FALSE(recorder.said.back().text.empty());
    EXPECT_EQ(recorder.said.back().text.find('~'), std::string::npos);
    theSession.voice.scan = VoiceSettings::kScanBeep;
    dialog->FocusNext();
    EXPECT_EQ(recorder.said.back().text, "<bip>");
    theSession.voice.scan = VoiceSettings::kScanSilent;
    dialog->FocusNext();
    EXPECT_EQ(recorder.said.size(), 3u);
}
