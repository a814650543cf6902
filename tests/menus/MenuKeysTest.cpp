// The name boxes a child types into: a prefilled name is selected so that
// typing replaces it, hot letters never take a letter meant for the name,
// and keys typed before the top-ten box opened do not land in it.

#include "app/DataFolder.h"
#include "app/TApp.h"
#include "game/TTopTen.h"
#include "session/GameSettings.h"
#include "menus/LastUser.h"
#include "support/MenuDriver.h"
#include "ui/StandardDialogs.h"
#include "ui/TInputLine.h"
#include "session/Session.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

// The main menu's name box.
TInputLine* NameBox(TMainMenuContext* menu)
{
    TInputLine* found = nullptr;
    static_cast<TGroup*>(menu->FirstDialog())->EachChild([&](TView* v) {
        if (auto* line = dynamic_cast<TInputLine*>(v))
            found = found ? found : line;
    });
    return found;
}

}  // namespace

TEST(MenuKeysTest, TheLastUsersNameIsReplacedByWhatIsTyped)
{
    {
        HeadlessApp writer;
        std::strcpy(theSession.userName, "Marta");
        ASSERT_TRUE(WriteLastUser());
        MenuDriver driver;  // a new visit to the main menu
        ASSERT_STREQ(theSession.userName, "Marta");
        TInputLine* box = NameBox(driver.Menu());
        ASSERT_TRUE(box && (box->State() & view::kFocused));
        EXPECT_TRUE(box->AllSelected());
        driver.Key(SDLK_LSHIFT, 0, KMOD_LSHIFT);  // held for the capital
        EXPECT_TRUE(box->AllSelected());
        driver.Type("Bea");
        EXPECT_STREQ(theSession.userName, "Bea");
    }
    theSession.userName[0] = 0;
}

TEST(MenuKeysTest, HotLettersDoNotTakeTheLettersOfAName)
{
    MenuDriver driver;
    int theme = theSession.settings.theme, kind = theSession.settings.exerciseType;
    // N, B, U, Z, P, C, T, E and L are the menu's hot letters.
    driver.Type("Nicola Bettuzzi Pel");
    EXPECT_STREQ(theSession.userName, "Nicola Bettuzzi Pel");
    EXPECT_EQ(theSession.settings.theme, theme);
    EXPECT_EQ(theSession.settings.exerciseType, kind);
}

TEST(MenuKeysTest, TheTopTenNameIsSelectedAndEarlierKeysAreDropped)
{
    HeadlessApp headless;
    std::strcpy(theSession.userName, "Anna");
    // Keys still coming in when the game ended.
    for (char c : std::string("sole")) {
        headless.PushKey(static_cast<SDLKey>(c), true, static_cast<Uint16>(c));
        headless.PushKey(static_cast<SDLKey>(c), false);
    }
    auto& topTen = headless.App().Install(std::make_unique<TTopTenContext>("Anna", 500));
    headless.Step(10);
    auto* ask = dynamic_cast<TGetNameDialog*>(topTen.TopDialog());
    ASSERT_NE(ask, nullptr);
    ask->EachChild([](TView* v) {
        if (auto* line = dynamic_cast<TInputLine*>(v)) {
            EXPECT_TRUE(line->AllSelected());
        }
    });
    for (char c : std::string("Lia")) {
        SDLKey sym = static_cast<SDLKey>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
        headless.PushKey(sym, true, static_cast<Uint16>(c));
        headless.Step(2);
        headless.PushKey(sym, false);
        headless.Step(2);
    }
    headless.PushKey(SDLK_RETURN, true, 13);
    headless.Step(3);
    headless.PushKey(SDLK_RETURN, false);
    headless.Step(5);
    TopTenTable table;
    table.Open(TopTenPath());
    EXPECT_STREQ(table.entries[0].name, "Lia");
    theSession.userName[0] = 0;
}

// Alt+Q quits the program at once, so no item of the main menu may answer
// to Q: the theme "Quoli" answers to U.
TEST(MenuKeysTest, TheQuoliThemeHasAHotLetterOtherThanQ)
{
    MenuDriver driver;
    theSession.settings.theme = 1;
    driver.Key(SDLK_TAB, 9);  // away from the name box
    driver.Letter('q');
    EXPECT_EQ(theSession.settings.theme, 1);
    driver.Letter('u');
    EXPECT_EQ(theSession.settings.theme, 2);
}

// A top ten that cannot be saved (a full disk) says so, and Enter still
// confirms the name and closes the table.
TEST(MenuKeysTest, ATopTenThatCannotBeSavedSaysSo)
{
    HeadlessApp headless;
    std::string saved = theDataPrefix;
    theDataPrefix = "/proc/self/no-such-folder/";
    auto& topTen = headless.App().Install(std::make_unique<TTopTenContext>("Anna", 500));
    headless.Step(5);
    ASSERT_NE(dynamic_cast<TGetNameDialog*>(topTen.TopDialog()), nullptr);
    headless.PushKey(SDLK_RETURN, true, 13);
    headless.Step(3);
    headless.PushKey(SDLK_RETURN, false);
    headless.Step(5);
    EXPECT_EQ(dynamic_cast<TGetNameDialog*>(topTen.TopDialog()), nullptr) << "the name is confirmed";
    EXPECT_NE(dynamic_cast<TMessageDialog*>(topTen.TopDialog()), nullptr) << "the teacher is told";
    theDataPrefix = saved;
}
