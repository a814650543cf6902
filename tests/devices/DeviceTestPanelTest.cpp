// The test panel on the real application: what the device reads shows on
// screen at once, in the look its settings ask for.

#include "session/DeviceSettings.h"
#include "devices/TExtDevTestDialog.h"
#include "gfx/Colours.h"
#include "gfx/Display.h"
#include "gfx/Text.h"
#include "session/Session.h"
#include "support/MenuDriver.h"
#include "users/TControlDialog.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

struct DeviceTestPanelTest : ::testing::Test {
    std::unique_ptr<MenuDriver> driver;

    void TearDown() override
    {
        LogDrawnTexts(nullptr);
        if (HasFailure() && driver)
            driver->Headless().DumpScreen("quoli-device-panel-test");
        driver.reset();
    }
    // F6, then F2 on a device set up as given.
    TExtDevTestDialog* Panel(int kind, int switches, int directions, int resolution = 0)
    {
        HeadlessOptions options;
        options.resolution = resolution;
        driver.reset();
        driver = std::make_unique<MenuDriver>(options);
        DeviceSettings& s = theSession.settings.device;
        s.enabled = 1;
        s.kind = kind;
        s.switches = switches;
        s.directions = directions;
        s.fifthKindOffered = kind == devicekind::kPointer;
        driver->Key(SDLK_F6);
        driver->Key(SDLK_F2);
        return driver->Top<TExtDevTestDialog>();
    }
    void Hold(SDLKey sym, bool down)
    {
        driver->Headless().PushKey(sym, down);
        driver->Headless().Step(2);
    }
    static std::uint32_t Inside(const Rect& box) { return ScreenPixel(box.left + 2, box.top + 2); }
};

}  // namespace

TEST_F(DeviceTestPanelTest, HoldingEnterFillsTheOkBoxAndLettingGoEmptiesIt)
{
    for (int resolution : {0, 2}) {
        auto* panel = Panel(devicekind::kKeyboard, 2, 0, resolution);
        ASSERT_NE(panel, nullptr);
        ASSERT_EQ(panel->CurrentLook(), TExtDevTestDialog::Look::kSwitches);
        Rect ok = panel->SwitchBox(1), scan = panel->SwitchBox(2);
        EXPECT_EQ(ok.right - ok.left + 1, Scaled(40));
        EXPECT_EQ((ok.left + ok.right + 1) / 2 - panel->left, Scaled(75));
        EXPECT_EQ(Inside(ok), MapColour(15));
        Hold(SDLK_RETURN, true);
        EXPECT_EQ(Inside(ok), MapColour(8)) << resolution;
        EXPECT_EQ(Inside(scan), MapColour(15));
        driver->Headless().Step(50);  // held, and its key repeats: still one press
        EXPECT_EQ(Inside(ok), MapColour(8));
        EXPECT_NE(driver->Top<TExtDevTestDialog>(), nullptr) << "Enter went to the device, not to a button";
        Hold(SDLK_RETURN, false);
        EXPECT_EQ(Inside(ok), MapColour(15));
        Hold(SDLK_SPACE, true);
        EXPECT_EQ(Inside(scan), MapColour(8));
        Hold(SDLK_SPACE, false);
        EXPECT_EQ(Inside(scan), MapColour(15));
        driver->Key(SDLK_ESCAPE, 27);
        EXPECT_NE(driver->Top<TControlDialog>(), nullptr) << "Escape still closes the panel";
    }
}

TEST_F(DeviceTestPanelTest, WithOneSwitchTheScanBoxLightsForTheLastPartOfEachPeriod)
{
    auto* panel = Panel(devicekind::kKeyboard, 1, 0);
    ASSERT_NE(panel, nullptr);
    Rect scan = panel->SwitchBox(2);
    int lit = 0, frames = 0;
    // 2 seconds in 10 ms frames with the default scan period of one second.
    for (; frames < 200; ++frames) {
        FakeClock::Advance(10);
        driver->Headless().Step();
        lit += Inside(scan) == MapColour(8) ? 1 : 0;
    }
    EXPECT_GE(lit, 38);
    EXPECT_LE(lit, 42);
    Hold(SDLK_RETURN, true);
    EXPECT_EQ(Inside(panel->SwitchBox(1)), MapColour(15)) << "with one switch Enter is no switch";
    Hold(SDLK_RETURN, false);
}

TEST_F(DeviceTestPanelTest, DirectionsShowAsArrowsAroundTheirPoint)
{
    auto* panel = Panel(devicekind::kKeyboard, 1, 1, 2);
    ASSERT_NE(panel, nullptr);
    ASSERT_EQ(panel->CurrentLook(), TExtDevTestDialog::Look::kDirections);
    Rect ok = panel->SwitchBox(1);
    EXPECT_EQ(ok.right - ok.left + 1, Scaled(20));
    EXPECT_EQ(panel->right - (ok.left + ok.right + 1) / 2, Scaled(60));
    int cx = panel->left + Scaled(90), cy = panel->bottom - Scaled(80), d = Scaled(25);
    struct {
        SDLKey key;
        int x, y;
    } arrows[] = {{SDLK_UP, cx, cy - d}, {SDLK_RIGHT, cx + d, cy}, {SDLK_DOWN, cx, cy + d}, {SDLK_LEFT, cx - d, cy}};
    for (const auto& a : arrows) {
        EXPECT_EQ(ScreenPixel(a.x, a.y), MapColour(15)) << a.key;
        Hold(a.key, true);
        for (const auto& b : arrows)
            EXPECT_EQ(ScreenPixel(b.x, b.y), MapColour(b.key == a.key ? 8 : 15)) << a.key << " held, " << b.key;
        Hold(a.key, false);
    }
    Hold(SDLK_SPACE, true);
    EXPECT_EQ(Inside(ok), MapColour(8));
    Hold(SDLK_SPACE, false);
    EXPECT_EQ(Inside(ok), MapColour(15));
}

TEST_F(DeviceTestPanelTest, PointerEventsShowWhereThePointerIs)
{
    auto* panel = Panel(devicekind::kPointer, 1, 0);
    ASSERT_NE(panel, nullptr);
    ASSERT_EQ(panel->CurrentLook(), TExtDevTestDialog::Look::kPointer);
    std::vector<std::string> drawn;
    LogDrawnTexts(&drawn);
    driver->Headless().MoveMouse(321, 123);
    driver->Headless().Step(2);
    EXPECT_NE(std::find(drawn.begin(), drawn.end(), "321,123"), drawn.end());
    drawn.clear();
    driver->Headless().Step(5);
    EXPECT_TRUE(drawn.empty()) << "nothing changed, nothing drawn again";
    driver->Headless().MoveMouse(10, 20);
    driver->Headless().Step(2);
    EXPECT_NE(std::find(drawn.begin(), drawn.end(), "10,20"), drawn.end());
}
