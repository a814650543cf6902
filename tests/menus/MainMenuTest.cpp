#include "app/CommandQueue.h"
#include "app/Commands.h"
#include "app/DataFolder.h"
#include "app/TApp.h"
#include "game/GameCommands.h"
#include "game/TZandorliGameContext.h"
#include "session/GameSettings.h"
#include "menus/LastUser.h"
#include "menus/MenuCommands.h"
#include "menus/TFontDialog.h"
#include "menus/TMainMenuContext.h"
#include "menus/TOptionsDialog.h"
#include "resources/StringTable.h"
#include "support/HeadlessApp.h"
#include "support/TempFolder.h"
#include "ui/TListBox.h"
#include "ui/TScrollBar.h"
#include "session/Session.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

namespace {

struct MainMenuTest : ::testing::Test {
    std::unique_ptr<HeadlessApp> headless;
    TMainMenuContext* menu = nullptr;

    void Open()
    {
        headless = std::make_unique<HeadlessApp>();
        std::filesystem::create_directories(headless->Folder() / "Esercizi/Livelli");
        std::filesystem::create_directories(headless->Folder() / "Esercizi/Tasti");
        headless->Folder().Write("Esercizi/Livelli/Quattro.LEV",
                                 "\r\n\r\n1\r\nA\r\na\r\n\r\n1\r\nB\r\nb\r\n\r\n1\r\nC\r\nc\r\n\r\n1\r\nD\r\nd\r\n");
        headless->Folder().Write("Esercizi/Livelli/Rotto.LEV", "\r\nnon vuota\r\n");
        headless->Folder().Write("Esercizi/Tasti/Tasti.TBL", "A\r\n\r\n1\r\nT\r\na\r\n");
        menu = new TMainMenuContext;
        headless->App().SetChild(std::unique_ptr<TContext>(menu));
        headless->Step();
    }
    void TearDown() override
    {
        headless.reset();
        theSession.settings = GameSettings();
        theSession.userName[0] = 0;
    }
    TMFileListBox* Files()
    {
        TMFileListBox* found = nullptr;
        static_cast<TGroup*>(menu->FirstDialog())->EachChild([&](TView* v) {
            if (auto* f = dynamic_cast<TMFileListBox*>(v))
                found = f;
        });
        return found;
    }
    TAnalogSel* Slider()
    {
        TAnalogSel* found = nullptr;
        static_cast<TGroup*>(menu->FirstDialog())->EachChild([&](TView* v) {
            if (auto* s = dynamic_cast<TAnalogSel*>(v))
                found = s;
        });
        return found;
    }
    void Choose(const char* name)
    {
        Files()->SelectName(name);
        theFileListSelectionChanged = true;
        headless->Step();
    }
};

}  // namespace

TEST_F(MainMenuTest, ChangingTheKindEmptiesTheChoiceAndListsOnlyThatKind)
{
    Open();
    EXPECT_EQ(Files()->Files().Count(), 2);
    Choose("Quattro");
    EXPECT_STREQ(theSession.settings.exerciseName, "Quattro");
    theSession.settings.exerciseType = 3;
    headless->Step();
    EXPECT_STREQ(theSession.settings.exerciseName, "");
    ASSERT_EQ(Files()->Files().Count(), 1);
    EXPECT_STREQ(Files()->Files().TextAt(0), "Tasti");
}

TEST_F(MainMenuTest, TheStartLevelFollowsTheExercise)
{
    Open();
    EXPECT_FALSE(Slider()->State() & view::kEnabled);
    Choose("Quattro");
    EXPECT_TRUE(Slider()->State() & view::kEnabled);
    EXPECT_EQ(Slider()->Max(), 4);
    Choose("Rotto");
    EXPECT_FALSE(Slider()->State() & view::kEnabled);
}

TEST_F(MainMenuTest, PlayNeedsANameAndAnExercise)
{
    Open();
    PostCommand(command::kPlay);
    headless->Step(2);
    EXPECT_NE(menu->TopDialog(), menu->FirstDialog());  // the explanation
    PostCommand(command::kCloseDialog);
    headless->Step(2);
    std::strcpy(theSession.userName, "Anna");
    Choose("Quattro");
    PostCommand(command::kPlay);
    headless->Step(2);
    EXPECT_NE(dynamic_cast<TZandorliGameContext*>(headless->App().Child()), nullptr);
}

TEST_F(MainMenuTest, TheLastUserComesBackAndAWrongSizeKeepsOnlyTheName)
{
    Open();
    std::strcpy(theSession.userName, "Marta");
    theSession.settings.lanes = 3;
    ASSERT_TRUE(WriteLastUser());
    EXPECT_EQ(headless->Folder().Read("DATA/ULTIMO.DAT").size(), 500u);
    theSession.userName[0] = 0;
    theSession.settings = GameSettings();
    ReadLastUser();
    EXPECT_STREQ(theSession.userName, "Marta");
    EXPECT_EQ(theSession.settings.lanes, 3);

    std::string bytes = headless->Folder().Read("DATA/ULTIMO.DAT");
    bytes[0] = 'L';
    bytes[20] = 100;  // a size other than 476
    headless->Folder().Write("DATA/ULTIMO.DAT", bytes);
    theSession.settings = GameSettings();
    ReadLastUser();
    EXPECT_STREQ(theSession.userName, "Larta");
    EXPECT_EQ(theSession.settings.lanes, 2);
    headless->Folder().Write("DATA/ULTIMO.DAT", "short");
    ReadLastUser();
    EXPECT_STREQ(theSession.userName, "Larta");
}

TEST_F(MainMenuTest, InfiniteLivesDisableTheLivesSlider)
{
    Open();
    theSession.settings.lives = 4;
    auto* options = new TOptionsDialog(20, 20, 780, 580);
    menu->AddDialog(std::unique_ptr<TDialog>(options));
    TAnalogSel* lives = nullptr;
    options->EachChild([&](TView* v) {
        auto* s = dynamic_cast<TAnalogSel*>(v);
        if (s && s->Value() == 4)
            lives = s;
    });
    ASSERT_NE(lives, nullptr);
    EXPECT_TRUE(lives->State() & view::kEnabled);
    theSession.settings.infiniteLives = 1;
    headless->Step();
    EXPECT_FALSE(lives->State() & view::kEnabled);
    theSession.settings.infiniteLives = 0;
    headless->Step();
    EXPECT_TRUE(lives->State() & view::kEnabled);
    EXPECT_EQ(theSession.settings.lives, 4);
}

TEST_F(MainMenuTest, EqualTextAndBoxColoursSnapBack)
{
    Open();
    theSession.settings.textColour = 0;
    theSession.settings.boxColour = 15;
    menu->AddDialog(std::make_unique<TFontDialog>(theSession.settings));
    headless->Step();
    theSession.settings.textColour = 15;
    headless->Step();
    EXPECT_EQ(theSession.settings.textColour, 0);
    theSession.settings.textColour = 8;
    headless->Step();
    EXPECT_EQ(theSession.settings.textColour, 8);
    std::strcpy(theSession.settings.fontName, "nessuno");  // a typeface that cannot be opened
    headless->Step();  // the sample stays an empty box: nothing fails
}

// In a read-only install the top ten lives in the user's own data folder,
// and resetting it works there.
TEST(TopTenResetTest, WorksInAReadOnlyInstall)
{
    auto table = LoadStringTable(std::string(QUOLI_STAGE_DIR) + "/quoli.str");
    ASSERT_NE(table, nullptr);
    InstallStringTable(table.get());
    TempFolder own;
    ScopedCurrentFolder program("/proc");  // no account writes here
    theDataPrefix = own.Path() + "/";
    std::filesystem::create_directories(own / "DATA");
    own.Write("DATA/TOP10.DAT", std::string(240, 'x'));
    EXPECT_TRUE(ResetTopTen());
    EXPECT_FALSE(std::filesystem::exists(own / "DATA/TOP10.DAT"));
    EXPECT_TRUE(ResetTopTen()) << "nothing to reset is no failure";
    theDataPrefix.clear();
    InstallStringTable(nullptr);
}

TEST_F(MainMenuTest, TheTopTenIsResetOnlyAfterYes)
{
    Open();
    std::filesystem::create_directories(headless->Folder() / "DATA");
    headless->Folder().Write("DATA/TOP10.DAT", std::string(240, 'x'));
    auto* options = new TOptionsDialog(20, 20, 780, 580);
    menu->AddDialog(std::unique_ptr<TDialog>(options));
    PostCommand(command::kResetTopTen);
    headless->Step(2);
    PostCommand(18);  // no
    headless->Step(4);
    EXPECT_TRUE(std::filesystem::exists(headless->Folder() / "DATA/TOP10.DAT"));
    PostCommand(command::kResetTopTen);
    headless->Step(2);
    PostCommand(17);  // yes
    headless->Step(4);
    EXPECT_FALSE(std::filesystem::exists(headless->Folder() / "DATA/TOP10.DAT"));
    EXPECT_NE(menu->TopDialog(), options);  // the message says so
}

TEST_F(MainMenuTest, ATwentyCharacterNameSurvivesTheLastUserFile)
{
    Open();
    std::strcpy(theSession.userName, "Maria Vittoria Bianc");
    ASSERT_TRUE(WriteLastUser());
    std::string bytes = headless->Folder().Read("DATA/ULTIMO.DAT");
    ASSERT_EQ(bytes.size(), 500u);
    EXPECT_EQ(bytes.substr(0, 20), "Maria Vittoria Bianc");
    theSession.userName[0] = 0;
    ReadLastUser();
    EXPECT_STREQ(theSession.userName, "Maria Vittoria Bianc");
}
