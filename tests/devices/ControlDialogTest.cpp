// The controls dialog as a teacher uses it from the main menu: F6 opens it,
// its choices enable one another as the device allows, F1 shows the help
// page and F2 tries the device (or says why it cannot).

#include "session/DeviceSettings.h"
#include "devices/TExtDevTestDialog.h"
#include "gfx/Colours.h"
#include "help/TMiniBrowser.h"
#include "session/Session.h"
#include "resources/StringTable.h"
#include "support/FakeDevices.h"
#include "support/MenuDriver.h"
#include "ui/StandardDialogs.h"
#include "ui/TButton.h"
#include "ui/TCustomSelector.h"
#include "ui/TStaticText.h"
#include "users/TControlDialog.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct ControlDialogTest : ::testing::Test {
    std::unique_ptr<MenuDriver> driver;
    DeviceSettings& device = theSession.settings.device;

    void TearDown() override
    {
        if (HasFailure() && driver)
            driver->Headless().DumpScreen("quoli-control-dialog-test");
        driver.reset();
    }
    // The main menu, then the controls dialog on `settings` with F6.
    TControlDialog* OpenOn(const DeviceSettings& settings, int resolution = 1)
    {
        HeadlessOptions options;
        options.resolution = resolution;
        driver.reset();
        driver = std::make_unique<MenuDriver>(options);
        device = settings;
        driver->Key(SDLK_F6);
        return driver->Top<TControlDialog>();
    }
    void Key(int sym, int unicode = 0) { driver->Key(sym, unicode); }
    static DeviceSettings On(int kind, int switches, int directions)
    {
        DeviceSettings s;
        s.enabled = 1;
        s.kind = kind;
        s.switches = switches;
        s.directions = directions;
        return s;
    }
};

bool Enabled(TCustomSelector* group, int n)
{
    return static_cast<TView*>(group->Children().At(n - 1))->Has(view::kEnabled);
}

bool Shows(TDialog* dialog, const char* text)
{
    bool found = false;
    dialog->EachChild([&](TView* v) {
        if (auto* t = dynamic_cast<TStaticText*>(v))
            found = found || t->Text() == text;
    });
    return found;
}

// The dialog's texts joined by spaces (a long message is cut into lines).
std::string AllText(TDialog* dialog)
{
    std::string all;
    dialog->EachChild([&](TView* v) {
        if (auto* t = dynamic_cast<TStaticText*>(v))
            all += (all.empty() ? "" : " ") + t->Text();
    });
    return all;
}

bool Overlap(const TView* a, const TView* b)
{
    return a->left <= b->right && b->left <= a->right && a->top <= b->bottom && b->top <= a->bottom;
}

}  // namespace

TEST_F(ControlDialogTest, F6InTheMainMenuOpensItOnTheCurrentSettings)
{
    auto* dialog = OpenOn(On(devicekind::kJoystick, 1, 1));
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->Mode(), 3) << "one switch with directions";
    EXPECT_EQ(dialog->Kinds()->Children().Count(), 4) << "the fifth kind only when the profile offers it";
    Key(SDLK_ESCAPE, 27);
    EXPECT_EQ(driver->Menu()->TopDialog(), driver->Menu()->FirstDialog());

    DeviceSettings fifth = On(devicekind::kSerial, 2, 1);  // a box has no directions
    fifth.fifthKindOffered = 1;
    dialog = OpenOn(fifth);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->Mode(), 2);
    EXPECT_EQ(dialog->Kinds()->Children().Count(), 5);
}

TEST_F(ControlDialogTest, TheSerialKindDropsDirectionsAndTheKeyboardOffersThemAgain)
{
    auto* dialog = OpenOn(On(devicekind::kKeyboard, 1, 1));
    ASSERT_NE(dialog, nullptr);
    ASSERT_EQ(dialog->Mode(), 3);
    EXPECT_TRUE(Enabled(dialog->Modes(), 3));
    EXPECT_FALSE(Enabled(dialog->Ports(), 1));

    Key('s');  // Porta seriale
    EXPECT_EQ(device.kind, devicekind::kSerial);
    EXPECT_EQ(dialog->Mode(), 1);
    EXPECT_FALSE(Enabled(dialog->Modes(), 3));
    EXPECT_TRUE(Enabled(dialog->Modes(), 1));
    EXPECT_EQ(device.directions, 0) << "the mode is written back at once";
    EXPECT_EQ(device.switches, 1);
    for (int n = 1; n <= 4; ++n)
        EXPECT_TRUE(Enabled(dialog->Ports(), n)) << n;
    Key('4', '4');  // nothing: the port items have no hot keys, so nothing else changes
    EXPECT_EQ(device.port, 1);

    Key('t');  // Tastiera
    EXPECT_EQ(device.kind, devicekind::kKeyboard);
    EXPECT_TRUE(Enabled(dialog->Modes(), 3));
    EXPECT_EQ(dialog->Mode(), 1) << "offered again, not chosen";
    EXPECT_FALSE(Enabled(dialog->Ports(), 1));
    Key('d');
    EXPECT_EQ(dialog->Mode(), 3);
    EXPECT_EQ(device.directions, 1);
}

TEST_F(ControlDialogTest, TheScanTimeIsForOneSwitchAloneAndEverythingFollowsTheCheckBox)
{
    DeviceSettings settings = On(devicekind::kMouse, 1, 0);
    settings.fifthKindOffered = 1;
    auto* dialog = OpenOn(settings);
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->ScanSlider()->Has(view::kEnabled));
    Key('2', '2');
    EXPECT_EQ(device.switches, 2);
    EXPECT_FALSE(dialog->ScanSlider()->Has(view::kEnabled));
    Key('d');
    EXPECT_FALSE(dialog->ScanSlider()->Has(view::kEnabled));
    Key('1', '1');
    EXPECT_TRUE(dialog->ScanSlider()->Has(view::kEnabled));

    Key('p');  // pointer events: no switches to choose, no scan
    EXPECT_EQ(device.kind, devicekind::kPointer);
    for (int n = 1; n <= 3; ++n)
        EXPECT_FALSE(Enabled(dialog->Modes(), n)) << n;
    EXPECT_FALSE(dialog->ScanSlider()->Has(view::kEnabled));
    EXPECT_TRUE(Enabled(dialog->Ports(), 1));

    Key('u');  // the device off: only the check box is left
    EXPECT_EQ(device.enabled, 0);
    EXPECT_FALSE(Enabled(dialog->Kinds(), 1));
    EXPECT_FALSE(Enabled(dialog->Ports(), 1));
    EXPECT_FALSE(dialog->TestButton()->Has(view::kEnabled));
    Key('m');
    EXPECT_EQ(device.kind, devicekind::kPointer) << "a greyed choice cannot be taken";
    Key('u');
    EXPECT_EQ(device.enabled, 1);
    EXPECT_TRUE(Enabled(dialog->Kinds(), 2));
    EXPECT_TRUE(dialog->TestButton()->Has(view::kEnabled));
}

TEST_F(ControlDialogTest, F1ShowsTheHelpPageOnTheDevice)
{
    ASSERT_NE(OpenOn(On(devicekind::kKeyboard, 1, 0)), nullptr);
    Key(SDLK_F1);
    auto* help = driver->Top<TMiniBrowser>();
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(Shows(help, GetString(6, 34)));
}

TEST_F(ControlDialogTest, F2SaysSoWhenTheDeviceCannotBeOpened)
{
    FakeSwitchBox box;
    box.present = false;
    ASSERT_NE(OpenOn(On(devicekind::kSerial, 1, 0)), nullptr);
    Key(SDLK_F2);
    auto* message = driver->Top<TMessageDialog>();
    ASSERT_NE(message, nullptr);
    EXPECT_TRUE(Shows(message, GetString(0, 11)));
    EXPECT_NE(AllText(message).find(GetString(6, 33)), std::string::npos) << AllText(message);
    Key(SDLK_RETURN, 13);
    ASSERT_NE(driver->Top<TControlDialog>(), nullptr);

    box.present = true;
    box.raiseWorks = false;
    Key(SDLK_F2);
    EXPECT_NE(driver->Top<TMessageDialog>(), nullptr) << "a box that cannot be powered";
    Key(SDLK_RETURN, 13);
    box.raiseWorks = true;
    Key(SDLK_F2);
    EXPECT_NE(driver->Top<TExtDevTestDialog>(), nullptr);
}

TEST_F(ControlDialogTest, TheTestedDeviceIsClosedWhenThePanelCloses)
{
    FakeJoystick stick;
    ASSERT_NE(OpenOn(On(devicekind::kJoystick, 2, 1)), nullptr);
    Key(SDLK_F2);
    ASSERT_NE(driver->Top<TExtDevTestDialog>(), nullptr);
    EXPECT_EQ(stick.openedIndex, 0);
    Key(SDLK_ESCAPE, 27);
    EXPECT_NE(driver->Top<TControlDialog>(), nullptr);
    EXPECT_EQ(stick.openedIndex, -1);
}

TEST_F(ControlDialogTest, NothingOverlapsAtAnyResolution)
{
    for (int resolution : {0, 1, 2}) {
        DeviceSettings settings = On(devicekind::kKeyboard, 1, 0);
        settings.fifthKindOffered = 1;
        auto* dialog = OpenOn(settings, resolution);
        ASSERT_NE(dialog, nullptr);
        std::vector<TView*> views;
        dialog->EachChild([&](TView* v) { views.push_back(v); });
        for (std::size_t i = 0; i < views.size(); ++i) {
            EXPECT_TRUE(views[i]->left >= dialog->left && views[i]->right <= dialog->right &&
                        views[i]->top >= dialog->top && views[i]->bottom <= dialog->bottom)
                << resolution << ": child " << i << " leaves the dialog";
            for (std::size_t j = i + 1; j < views.size(); ++j)
                EXPECT_FALSE(Overlap(views[i], views[j])) << resolution << ": children " << i << " and " << j;
        }
        // The main menu's column of buttons, F6 among them.
        std::vector<TTextButton*> buttons;
        driver->Menu()->FirstDialog()->EachChild([&](TView* v) {
            if (auto* b = dynamic_cast<TTextButton*>(v))
                buttons.push_back(b);
        });
        ASSERT_EQ(buttons.size(), 8u);
        EXPECT_EQ(buttons[3]->Text(), GetString(4, 6));
        EXPECT_EQ(buttons[3]->Hotkey(), SDLK_F6);
        for (std::size_t i = 0; i + 1 < buttons.size(); ++i)
            EXPECT_LT(buttons[i]->bottom, buttons[i + 1]->top) << resolution << ": button " << i;
        EXPECT_LT(buttons.back()->bottom, driver->Menu()->FirstDialog()->bottom);
    }
}

// Switched off, a slider's texts grey like the choices beside them: the
// teacher sees at a glance that the scan time does not apply.
TEST_F(ControlDialogTest, TheTextsOfASliderSwitchedOffAreGrey)
{
    auto* dialog = OpenOn(On(devicekind::kKeyboard, 1, 0));
    ASSERT_NE(dialog, nullptr);
    TStaticText* label = nullptr;
    dialog->EachChild([&](TView* v) {
        if (auto* t = dynamic_cast<TStaticText*>(v); t && t->Text() == GetString(6, 7))
            label = t;
    });
    ASSERT_NE(label, nullptr);
    auto pixels = [&](std::uint32_t pixel) {
        int n = 0;
        for (int y = label->top; y <= label->bottom; ++y)
            for (int x = label->left; x <= label->right; ++x)
                n += ScreenPixel(x, y) == pixel ? 1 : 0;
        return n;
    };
    const std::uint32_t ink = MapColour(label->colour), grey = MapColour(label->dimColour);
    ASSERT_NE(ink, grey);
    EXPECT_GT(pixels(ink), 0);
    EXPECT_EQ(pixels(grey), 0);
    Key('2', '2');  // two switches: no scanning
    EXPECT_EQ(pixels(ink), 0);
    EXPECT_GT(pixels(grey), 0);
}
