// The profile menu, the results archive and the user chooser, driven with
// pushed keys and commands on the real application, on a registry and a
// results log of the test's own.

#include "app/CommandQueue.h"
#include "app/Commands.h"
#include "app/TApp.h"
#include "help/TMiniBrowser.h"
#include "session/GameSettings.h"
#include "menus/MenuCommands.h"
#include "menus/TMainMenuContext.h"
#include "resources/StringTable.h"
#include "support/MenuDriver.h"
#include "ui/StandardDialogs.h"
#include "ui/TListBox.h"
#include "ui/TStaticText.h"
#include "session/Session.h"
#include "users/TArchiveDialog.h"
#include "users/TDataFile.h"
#include "users/TProfileDialog.h"
#include "users/TSelectUserDialog.h"
#include "users/UserCommands.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

struct UserDialogsTest : ::testing::Test {
    std::unique_ptr<MenuDriver> driver = std::make_unique<MenuDriver>();
    HeadlessApp* headless = &driver->Headless();
    TMainMenuContext* menu = driver->Menu();

    void TearDown() override
    {
        if (HasFailure())
            headless->DumpScreen("quoli-user-dialogs-test");
        driver.reset();
    }
    template <typename T>
    T* Top()
    {
        return driver->Top<T>();
    }
    void Key(int sym, int unicode = 0) { driver->Key(sym, unicode); }
    void Command(int code) { driver->Command(code); }
    // Chooses the n-th child in the open chooser, with the keyboard.
    void Choose(int n)
    {
        ASSERT_NE(Top<TSelectUserDialog>(), nullptr);
        for (int i = 0; i < n; ++i)
            Key(SDLK_DOWN, SDLK_DOWN);
        Key(SDLK_RETURN, 13);
    }
    // Three children, each with a game's worth of events.
    void ThreeChildrenWithResults()
    {
        TDataFile data(GameSettings::kSize);
        GameSettings settings;
        for (const char* name : {"Anna", "Bruno", "Carla"})
            data.AddUser(name, settings.Encode().data());
        data.SaveRegistry();
        for (const char* name : {"Anna", "Bruno", "Carla", "Anna"}) {
            TDataFile game(GameSettings::kSize);
            game.SelectUser(name);
            game.RecordText(logkind::kDate, "08/12/2026");
            game.RecordText(logkind::kLevel, name);
            game.RecordText(logkind::kHit, "CASA");
        }
    }
    std::string Log() { return headless->Folder().Read("DATA/USERS.DAT"); }
};

bool Shows(TDialog* dialog, const std::string& text)
{
    bool found = false;
    dialog->EachChild([&](TView* v) {
        if (auto* t = dynamic_cast<TStaticText*>(v))
            found = found || t->Text() == text;
    });
    return found;
}

}  // namespace

TEST_F(UserDialogsTest, WithoutProfilesBothMenusSaySo)
{
    for (int menuCommand : {command::kProfiles, command::kResults}) {
        Command(menuCommand);
        Command(menuCommand == command::kProfiles ? command::kLoadProfile : command::kShowResults);
        auto* message = Top<TMessageDialog>();
        ASSERT_NE(message, nullptr);
        EXPECT_TRUE(Shows(message, GetString(0, 11)));
        EXPECT_TRUE(Shows(message, GetString(7, 13)));
        Key(SDLK_RETURN, 13);
        Key(SDLK_ESCAPE, 27);
        ASSERT_EQ(menu->TopDialog(), menu->FirstDialog());
    }
}

// A name of 21 to 23 characters, stored by another copy, is listed; loading
// it says why it cannot be, instead of doing nothing.
TEST_F(UserDialogsTest, AProfileWithANameTooLongToLoadSaysSo)
{
    {
        TDataFile data(GameSettings::kSize);
        data.AddUser("Francesca Maria Terza", GameSettings().Encode().data());
        data.SaveRegistry();
    }
    Command(command::kProfiles);
    Command(command::kLoadProfile);
    Choose(1);
    auto* message = Top<TMessageDialog>();
    ASSERT_NE(message, nullptr);
    EXPECT_TRUE(Shows(message, GetString(0, 11)));
    EXPECT_STREQ(theSession.userName, "");
}

TEST_F(UserDialogsTest, LoadingAProfileShowsItsSettingsInTheMenu)
{
    GameSettings settings;
    settings.exerciseType = 3;
    settings.lanes = 3;
    std::strcpy(settings.exerciseName, "Vocali");
    {
        TDataFile data(GameSettings::kSize);
        data.AddUser("Anna", GameSettings().Encode().data());
        data.AddUser("Bruno", settings.Encode().data());
        data.SaveRegistry();
    }
    Command(command::kProfiles);
    Command(command::kLoadProfile);
    auto* chooser = Top<TSelectUserDialog>();
    ASSERT_NE(chooser, nullptr);
    EXPECT_TRUE(Shows(chooser, "Carica un profilo")) << "the title without its hot-key marks";
    ASSERT_EQ(chooser->Names()->Rows() > 0, true);
    Key(SDLK_ESCAPE, 27);  // closed without a child: nothing happens
    EXPECT_NE(Top<TProfileDialog>(), nullptr);
    EXPECT_STREQ(theSession.userName, "");

    Command(command::kLoadProfile);
    Key(SDLK_RETURN, 13);  // OK with no row chosen: the teacher is told, the list stays
    auto* told = Top<TMessageDialog>();
    ASSERT_NE(told, nullptr);
    EXPECT_TRUE(Shows(told, GetString(7, 23)));
    Key(SDLK_RETURN, 13);
    ASSERT_NE(Top<TSelectUserDialog>(), nullptr);
    Key(SDLK_ESCAPE, 27);
    EXPECT_NE(Top<TProfileDialog>(), nullptr);

    Command(command::kLoadProfile);
    Choose(2);
    auto* message = Top<TMessageDialog>();
    ASSERT_NE(message, nullptr);
    EXPECT_TRUE(Shows(message, GetString(7, 10)));
    EXPECT_TRUE(Shows(message, "Bruno"));
    EXPECT_STREQ(theSession.userName, "Bruno");
    EXPECT_EQ(theSession.settings.lanes, 3);

    // The chooser opens on the child playing now: Enter takes Bruno again.
    Key(SDLK_RETURN, 13);
    Command(command::kLoadProfile);
    auto* again = Top<TSelectUserDialog>();
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(again->Names()->Selection(), 2);
    Key(SDLK_ESCAPE, 27);  // the chooser
    Key(SDLK_ESCAPE, 27);  // the profile menu
    headless->Step(3);
    // The main menu lists the "Tasti" exercises and keeps the child's one.
    EXPECT_EQ(theSession.settings.exerciseType, 3);
    EXPECT_STREQ(theSession.settings.exerciseName, "");  // no such exercise here: nothing is chosen
}

TEST_F(UserDialogsTest, SavingUnderANameInAnotherCaseUpdatesThatProfile)
{
    {
        TDataFile data(GameSettings::kSize);
        data.AddUser("Anna", GameSettings().Encode().data());
        data.SaveRegistry();
    }
    Command(command::kProfiles);
    Command(command::kSaveProfile);
    ASSERT_NE(Top<TMessageDialog>(), nullptr);
    EXPECT_TRUE(Shows(Top<TMessageDialog>(), GetString(4, 22))) << "no name yet";
    Key(SDLK_RETURN, 13);

    std::strcpy(theSession.userName, "ANNA");
    theSession.settings.lanes = 1;
    Command(command::kSaveProfile);
    EXPECT_TRUE(Shows(Top<TMessageDialog>(), GetString(7, 11)));
    Key(SDLK_RETURN, 13);
    TDataFile data(GameSettings::kSize);
    ASSERT_EQ(data.Count(), 1);
    EXPECT_EQ(GameSettings::Decode(data.PayloadOf("anna")).lanes, 1);

    std::strcpy(theSession.userName, "Bruno");
    Command(command::kSaveProfile);
    Key(SDLK_RETURN, 13);
    EXPECT_EQ(TDataFile(GameSettings::kSize).Count(), 2);
}

TEST_F(UserDialogsTest, DeletingAProfileTakesItsResultsAndKeepsTheOthersAsTheyWere)
{
    ThreeChildrenWithResults();
    std::string before = Log();
    Command(command::kProfiles);
    Command(command::kDeleteProfile);
    Choose(2);
    ASSERT_NE(Top<TQueryDialog>(), nullptr);
    EXPECT_TRUE(Shows(Top<TQueryDialog>(), std::string(GetString(7, 12)) + " Bruno?"));
    Key('n', 'n');
    EXPECT_EQ(TDataFile(GameSettings::kSize).Count(), 3);
    Command(command::kDeleteProfile);
    Choose(2);
    Key('s', 's');

    TDataFile data(GameSettings::kSize);
    ASSERT_EQ(data.Count(), 2);
    EXPECT_EQ(TDataFile::IdOf(data.Find("Anna")), 1);
    EXPECT_EQ(TDataFile::IdOf(data.Find("Carla")), 3);
    // The log without Bruno's events: everything else byte for byte.
    std::string expected = before.substr(0, 4);
    for (std::size_t at = 4; at + 12 <= before.size();) {
        std::int32_t user, size;
        std::memcpy(&user, before.data() + at, 4);
        std::memcpy(&size, before.data() + at + 8, 4);
        if (user != 2)
            expected += before.substr(at, 12 + static_cast<std::size_t>(size));
        at += 12 + static_cast<std::size_t>(size);
    }
    EXPECT_EQ(Log(), expected);
}

TEST_F(UserDialogsTest, AShortcutStartsTheChosenChild)
{
    ThreeChildrenWithResults();
    fs::copy_file(fs::path(QUOLI_STAGE_DIR) / "libExtUtils.so", headless->Folder() / "libExtUtils.so");
    std::string home = headless->Folder() / "home";
    fs::create_directories(home);
    std::string oldHome = std::getenv("HOME") ? std::getenv("HOME") : "";
    ::setenv("HOME", home.c_str(), 1);
    std::strcpy(theSession.userName, "Anna");  // the menu's child is not the one chosen
    Command(command::kProfiles);
    Command(command::kProfileShortcut);
    Choose(3);
    ::setenv("HOME", oldHome.c_str(), 1);
    ASSERT_NE(Top<TMessageDialog>(), nullptr);
    EXPECT_TRUE(Shows(Top<TMessageDialog>(), "Carla"));
    std::ifstream in(home + "/Desktop/quoli-Carla.desktop");
    std::string entry((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_NE(entry.find("Name=Quoli - Carla\n"), std::string::npos) << entry;
    EXPECT_NE(entry.find("/quoli\" -- \"Carla\"\n"), std::string::npos) << entry;
}

TEST_F(UserDialogsTest, TheArchiveShowsAReportAndRemovesItWhenItCloses)
{
    ThreeChildrenWithResults();
    {
        TDataFile data(GameSettings::kSize);
        data.AddUser("Dario", GameSettings().Encode().data());
        data.SaveRegistry();
    }
    Command(command::kResults);
    Command(command::kShowResults);
    Choose(4);
    ASSERT_NE(Top<TMessageDialog>(), nullptr) << "Dario has no results";
    EXPECT_TRUE(Shows(Top<TMessageDialog>(), GetString(9, 12)));
    Key(SDLK_RETURN, 13);

    Command(command::kShowResults);
    Choose(1);
    auto* browser = Top<TMiniBrowser>();
    ASSERT_NE(browser, nullptr);
    EXPECT_TRUE(Shows(browser, "Anna"));
    std::string report = headless->Folder().Read("DATA/LAST.TXT");
    EXPECT_NE(report.find("CASA"), std::string::npos) << report;
    EXPECT_EQ(report.find("Bruno"), std::string::npos) << "only Anna's events";
    Key(SDLK_ESCAPE, 27);
    Command(command::kShowResults);
    Choose(1);
    EXPECT_EQ(headless->Folder().Read("DATA/LAST.TXT"), report) << "the same report again, from its first column";
    Key(SDLK_ESCAPE, 27);
    Key(SDLK_ESCAPE, 27);
    EXPECT_EQ(menu->TopDialog(), menu->FirstDialog());
    EXPECT_FALSE(fs::exists(headless->Folder() / "DATA/LAST.TXT")) << "leaving the archive removes the report";
}

TEST_F(UserDialogsTest, AFailedPrintIsToldApartFromAGoodOne)
{
    ThreeChildrenWithResults();
    // A printing system that refuses every job.
    std::string bin = headless->Folder() / "bin";
    fs::create_directories(bin);
    headless->Folder().Write("bin/lp", "#!/bin/sh\ncat > /dev/null\nexit 1\n");
    fs::permissions(bin + "/lp", fs::perms::owner_all);
    fs::copy_file(fs::path(QUOLI_STAGE_DIR) / "libExtUtils.so", headless->Folder() / "libExtUtils.so");
    std::string oldPath = std::getenv("PATH");
    ::setenv("PATH", (bin + ":" + oldPath).c_str(), 1);
    Command(command::kResults);
    Command(command::kPrintResults);
    Choose(1);
    Key('s', 's');
    ::setenv("PATH", oldPath.c_str(), 1);
    EXPECT_TRUE(Shows(Top<TMessageDialog>(), GetString(15, 57)));
}

TEST_F(UserDialogsTest, TheArchivePrintsAndDeletesOnlyAfterYes)
{
    ThreeChildrenWithResults();
    // A printer that keeps what it is given.
    std::string bin = headless->Folder() / "bin", printed = headless->Folder() / "printed.txt";
    fs::create_directories(bin);
    headless->Folder().Write("bin/lp", "#!/bin/sh\ncat > '" + printed + "'\n");
    fs::permissions(bin + "/lp", fs::perms::owner_all);
    fs::copy_file(fs::path(QUOLI_STAGE_DIR) / "libExtUtils.so", headless->Folder() / "libExtUtils.so");
    std::string oldPath = std::getenv("PATH");
    ::setenv("PATH", (bin + ":" + oldPath).c_str(), 1);

    Command(command::kResults);
    Command(command::kPrintResults);
    Choose(2);
    ASSERT_NE(Top<TQueryDialog>(), nullptr);
    EXPECT_TRUE(Shows(Top<TQueryDialog>(), std::string(GetString(9, 10)) + " Bruno?"));
    Key('n', 'n');
    EXPECT_FALSE(fs::exists(printed));
    Command(command::kPrintResults);
    Choose(2);
    Key('s', 's');
    ::setenv("PATH", oldPath.c_str(), 1);
    std::string paper = headless->Folder().Read("printed.txt");
    EXPECT_EQ(paper.rfind("Bruno\n\n", 0), 0u) << "the title first: " << paper;
    EXPECT_NE(paper.find("CASA"), std::string::npos);
    EXPECT_TRUE(Shows(Top<TMessageDialog>(), GetString(15, 56))) << "the teacher is told it was printed";
    Key(SDLK_RETURN, 13);

    std::string before = Log();
    Command(command::kDeleteResults);
    Choose(1);
    Key('n', 'n');
    EXPECT_EQ(Log(), before);
    Command(command::kDeleteResults);
    Choose(1);
    Key('s', 's');
    EXPECT_LT(Log().size(), before.size());
    Command(command::kShowResults);
    Choose(1);
    EXPECT_TRUE(Shows(Top<TMessageDialog>(), GetString(9, 12))) << "Anna has no results left";
    Key(SDLK_RETURN, 13);
    Command(command::kShowResults);
    Choose(3);
    EXPECT_NE(Top<TMiniBrowser>(), nullptr) << "Carla keeps hers";
}
