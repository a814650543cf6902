// A child's switch device steering the whole program: the title screen and
// its dialogs move their focus on switch 2 and press on switch 1; a
// profile without the device sees the keys as always.

#include "app/Input.h"
#include "app/TApp.h"
#include "devices/SessionDevice.h"
#include "gfx/Colours.h"
#include "session/Session.h"
#include "menus/TMainMenuContext.h"
#include "support/HeadlessApp.h"
#include "ui/TView.h"
#include "menus/TProjectContext.h"

#include <gtest/gtest.h>

namespace {

struct SessionDeviceTest : ::testing::Test {
    std::unique_ptr<HeadlessApp> headless;
    TProjectContext* title = nullptr;

    void Start(bool deviceOn)
    {
        theSession.settings.device.enabled = deviceOn ? 1 : 0;
        theSession.settings.device.kind = devicekind::kKeyboard;
        theSession.settings.device.switches = 2;  // Enter presses, Space steps
        headless = std::make_unique<HeadlessApp>();
        SetInputHook([](TEvent& event) { sessiondevice::Poll(theSession.settings.device, event); });
        sessiondevice::Follow(theSession.settings.device);  // as the program starts
        auto context = std::make_unique<TProjectContext>();
        title = context.get();
        headless->App().SetChild(std::move(context));
        headless->Step(3);
    }
    void TearDown() override
    {
        SetInputHook(nullptr);
        theSession.settings = GameSettings();
        headless->Step();  // the device closes with the profile's setting
        headless.reset();
    }
    void Key(SDLKey sym, Uint16 unicode)
    {
        headless->PushKey(sym, true, unicode);
        headless->Step(3);
        headless->PushKey(sym, false);
        headless->Step(3);
    }
    TView* Focused() { return static_cast<TGroup*>(title->FirstDialog())->Current(); }
    static int RedPixels(const TView& view)
    {
        int red = 0;
        for (int y = view.top; y <= view.bottom; ++y)
            for (int x = view.left; x <= view.right; ++x)
                red += ScreenPixel(x, y) == MapColour(8) ? 1 : 0;
        return red;
    }
};

}  // namespace

TEST_F(SessionDeviceTest, SwitchTwoMovesTheFocusAndSwitchOnePressesIt)
{
    Start(true);
    EXPECT_TRUE(theDeviceNavigation);
    TView* first = Focused();
    Key(SDLK_SPACE, ' ');
    TView* second = Focused();
    EXPECT_NE(second, first) << "switch 2 moves the focus";
    while (Focused() != first)
        Key(SDLK_SPACE, ' ');  // round again to "Invio - Avanti"
    Key(SDLK_RETURN, 13);
    EXPECT_NE(dynamic_cast<TMainMenuContext*>(headless->App().Child()), nullptr) << "switch 1 presses it";
}

TEST_F(SessionDeviceTest, WithoutTheDeviceSpaceDoesNotMoveTheFocus)
{
    Start(false);
    EXPECT_FALSE(theDeviceNavigation);
    TView* first = Focused();
    Key(SDLK_SPACE, ' ');
    EXPECT_EQ(Focused(), first);
    Key(SDLK_RETURN, 13);
    EXPECT_NE(dynamic_cast<TMainMenuContext*>(headless->App().Child()), nullptr);
}

// The buttons are rounded: their bodies leave the corners of their boxes,
// where the mark was, to whatever is behind.
TEST_F(SessionDeviceTest, TheScanMarkLeavesNothingBehindWhenItMovesOn)
{
    Start(true);
    TView* first = Focused();
    EXPECT_GT(RedPixels(*first), 0) << "the focused button is marked from the first picture";
    Key(SDLK_SPACE, ' ');
    ASSERT_NE(Focused(), first);
    EXPECT_GT(RedPixels(*Focused()), 0);
    EXPECT_EQ(RedPixels(*first), 0);
}
