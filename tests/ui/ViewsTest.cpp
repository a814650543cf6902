#include "app/CommandQueue.h"
#include "app/Commands.h"
#include "app/TApp.h"
#include "ui/TMenuContext.h"
#include "gfx/Colours.h"
#include "gfx/Screen.h"
#include "support/HeadlessApp.h"
#include "ui/TButton.h"
#include "ui/TCloseButton.h"
#include "ui/TDialog.h"
#include "ui/TStaticText.h"

#include <gtest/gtest.h>

namespace {

// The real application on dummy drivers, with one screen showing dialogs.
struct ViewsTest : ::testing::Test {
    std::unique_ptr<HeadlessApp> headless;
    TMenuContext* screen = nullptr;

    void SetUp() override
    {
        headless = std::make_unique<HeadlessApp>();
        screen = new TMenuContext(0);
        headless->App().SetChild(std::unique_ptr<TContext>(screen));
    }
    void TearDown() override
    {
        if (HasFailure())
            headless->DumpScreen("quoli-views-test");
        headless.reset();
    }
    // Presses and lets go a key, a frame each, and returns the commands posted.
    std::vector<int> Key(SDLKey sym, Uint16 unicode = 0, int mod = KMOD_NONE)
    {
        headless->PushKey(sym, true, unicode, mod);
        headless->Step();
        headless->PushKey(sym, false, 0, mod);
        headless->Step();
        std::vector<int> posted;
        while (int c = TakeCommand())
            posted.push_back(c);
        return posted;
    }
    TDialog* Dialog(int buttons, TTextButton** made = nullptr)
    {
        auto* d = new TDialog(100, 100, 500, 400);
        for (int i = 0; i < buttons; ++i) {
            auto* b = &d->Insert(std::make_unique<TTextButton>(120, 150 + 40 * i, 300, 180 + 40 * i, "~B~ottone", -1, 100 + i));
            if (made)
                made[i] = b;
        }
        return d;
    }
};

}  // namespace

TEST(PlaceInGroupTest, OffsetsCountFromTheNearOrFarEdge)
{
    TView group(100, 50, 300, 250);
    Rect a = PlaceInGroup(&group, 10, 20, -10, -20);
    EXPECT_EQ(a.left, 110);
    EXPECT_EQ(a.top, 70);
    EXPECT_EQ(a.right, 290);
    EXPECT_EQ(a.bottom, 230);
    Rect b = PlaceInGroup(&group, -60, 0, 0, 30);
    EXPECT_EQ(b.left, 240);
    EXPECT_EQ(b.top, 50);
    EXPECT_EQ(b.right, 300);
    EXPECT_EQ(b.bottom, 80);
}

TEST_F(ViewsTest, TabWrapsRoundAndShiftTabGoesBack)
{
    TTextButton* b[3];
    TDialog* d = Dialog(3, b);
    screen->AddDialog(std::unique_ptr<TDialog>(d));
    d->FocusChild(b[2]);
    Key(SDLK_TAB, 9);
    headless->Step();
    EXPECT_EQ(d->Current(), d->CloseButton());
    Key(SDLK_TAB, 9, KMOD_LSHIFT);
    headless->Step();
    EXPECT_EQ(d->Current(), b[2]);
    Key(SDLK_TAB, 9, KMOD_LSHIFT);
    headless->Step();
    EXPECT_EQ(d->Current(), b[1]);
}

TEST_F(ViewsTest, DisabledChildrenAreSkippedAndDeaf)
{
    TTextButton* b[3];
    TDialog* d = Dialog(3, b);
    screen->AddDialog(std::unique_ptr<TDialog>(d));
    b[1]->SetState(view::kEnabled, false);
    d->FocusChild(b[0]);
    Key(SDLK_TAB, 9);
    headless->Step();
    EXPECT_EQ(d->Current(), b[2]);
    d->FocusChild(b[1]);
    EXPECT_EQ(d->Current(), b[2]);  // a disabled view cannot take the focus
    // Its hot key does nothing; the enabled buttons with the same letter do.
    std::vector<int> posted = Key(SDLK_b, 'b');
    EXPECT_EQ(std::count(posted.begin(), posted.end(), 101), 0);
}

TEST_F(ViewsTest, ButtonsFireWhenLetGo)
{
    TTextButton* b[1];
    TDialog* d = Dialog(1, b);
    screen->AddDialog(std::unique_ptr<TDialog>(d));
    d->FocusChild(b[0]);
    headless->PushKey(SDLK_RETURN, true, 13);
    headless->Step();
    EXPECT_TRUE(b[0]->State() & view::kPressed);
    EXPECT_EQ(TakeCommand(), 0);
    headless->PushKey(SDLK_RETURN, false);
    headless->Step();
    EXPECT_EQ(TakeCommand(), 100);
    EXPECT_FALSE(b[0]->State() & view::kPressed);

    // Press the mouse on it, drag out, let go: nothing.
    headless->MoveMouse(150, 160);
    headless->PushButton(SDL_BUTTON_LEFT, true);
    headless->Step();
    EXPECT_TRUE(b[0]->State() & view::kPressed);
    headless->MoveMouse(450, 350);
    headless->Step();
    headless->PushButton(SDL_BUTTON_LEFT, false);
    headless->Step();
    EXPECT_EQ(TakeCommand(), 0);
    // A click on it: one command on release.
    headless->MoveMouse(150, 160);
    headless->PushButton(SDL_BUTTON_LEFT, true);
    headless->Step();
    EXPECT_EQ(TakeCommand(), 0);
    headless->PushButton(SDL_BUTTON_LEFT, false);
    headless->Step();
    EXPECT_EQ(TakeCommand(), 100);
}

TEST_F(ViewsTest, HotkeyIgnoresShiftAndEscapeCloses)
{
    TTextButton* b[1];
    TDialog* d = Dialog(1, b);
    screen->AddDialog(std::unique_ptr<TDialog>(d));
    EXPECT_EQ(Key(SDLK_b, 'B', KMOD_LSHIFT), std::vector<int>{100});
    EXPECT_EQ(Key(SDLK_ESCAPE, 27), std::vector<int>{command::kCloseDialog});
}

TEST_F(ViewsTest, APushedDialogGreysAndMutesTheOneBelow)
{
    TTextButton* b[1];
    TDialog* below = Dialog(1, b);
    screen->AddDialog(std::unique_ptr<TDialog>(below));
    auto* above = new TDialog(200, 200, 400, 300);
    screen->AddDialog(std::unique_ptr<TDialog>(above));
    EXPECT_FALSE(b[0]->State() & view::kActive);
    EXPECT_EQ(b[0]->FrameColour(), SchemeColour(6));
    EXPECT_TRUE(Key(SDLK_b, 'b').empty());
    screen->CloseTopDialog();
    EXPECT_TRUE(b[0]->State() & view::kActive);
    EXPECT_EQ(Key(SDLK_b, 'b'), std::vector<int>{100});
}

TEST_F(ViewsTest, TheDrawingLockSuppressesAllDrawing)
{
    TTextButton* b[1];
    TDialog* d = Dialog(1, b);
    screen->AddDialog(std::unique_ptr<TDialog>(d));
    headless->Step();
    FlushScreen();
    LockDraw();
    std::vector<TStaticText*> texts;
    for (int i = 0; i < 20; ++i) {
        auto* t = &d->Insert(std::make_unique<TStaticText>(120, 300 + i, 200, 310 + i, "x"));
        t->SetState(view::kEnabled, false);
    }
    d->SetState(view::kActive, false);
    EXPECT_TRUE(DirtyIsEmpty());
    UnlockDraw();
    EXPECT_TRUE(DirtyIsEmpty());
    EXPECT_FALSE(DrawLocked());
}

TEST_F(ViewsTest, ClicksFocusFocusableViewsOnly)
{
    TTextButton* b[2];
    TDialog* d = Dialog(2, b);
    d->Insert(std::make_unique<TStaticText>(320, 150, 480, 170, "testo"));
    screen->AddDialog(std::unique_ptr<TDialog>(d));
    d->FocusChild(b[0]);
    headless->MoveMouse(150, 200);
    headless->PushButton(SDL_BUTTON_LEFT, true);
    headless->Step();
    EXPECT_EQ(d->Current(), b[1]);
    headless->PushButton(SDL_BUTTON_LEFT, false);
    headless->Step();
    TakeCommand();
    headless->MoveMouse(330, 155);
    headless->PushButton(SDL_BUTTON_LEFT, true);
    headless->Step();
    EXPECT_EQ(d->Current(), b[1]);
}

TEST_F(ViewsTest, WithoutACloseButtonEscapeDoesNothing)
{
    screen->AddDialog(std::make_unique<TDialog>(100, 100, 300, 300, dialog::kNoCloseButton));
    EXPECT_TRUE(Key(SDLK_ESCAPE, 27).empty());
}

TEST_F(ViewsTest, ADialogPutsBackTheScreenItCovered)
{
    FillBox(0, 0, theScreen.width - 1, theScreen.height - 1, 8);
    std::uint32_t red = ScreenPixel(150, 150);
    screen->AddDialog(std::make_unique<TDialog>(100, 100, 300, 300, dialog::kSaveBackground));
    EXPECT_NE(ScreenPixel(150, 150), red);
    screen->CloseTopDialog();
    EXPECT_EQ(ScreenPixel(150, 150), red);
}
