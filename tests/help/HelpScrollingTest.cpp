// The help browser with the mouse: its scroll bar's arrows, track and
// thumb, and the wheel over the text.

#include "app/TApp.h"
#include "help/THTMLViewer.h"
#include "help/TMiniBrowser.h"
#include "support/HeadlessApp.h"
#include "ui/TMenuContext.h"
#include "ui/TScrollBar.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct HelpScrollingTest : ::testing::Test {
    std::unique_ptr<HeadlessApp> headless;
    THTMLViewer* viewer = nullptr;
    TScrollBar* bar = nullptr;
    int line = 0;

    void SetUp() override
    {
        headless = std::make_unique<HeadlessApp>();
        std::string page;
        for (int i = 0; i < 200; ++i)
            page += "riga " + std::to_string(i) + "<br>\n";
        headless->Folder().Write("page.htm", page);
        auto* screen = new TMenuContext(0);
        headless->App().SetChild(std::unique_ptr<TContext>(screen));
        auto* browser = new TMiniBrowser(10, 10, 780, 580, "Aiuto", "page.htm", 0);
        screen->AddDialog(std::unique_ptr<TDialog>(browser));
        viewer = browser->Viewer();
        bar = viewer->ScrollBar();
        line = viewer->Piece(0)->height;  // one line of body text
        headless->Step();
    }
    void TearDown() override
    {
        if (HasFailure())
            headless->DumpScreen("quoli-help-scrolling-test");
        headless.reset();
    }
    void PressAt(int x, int y)
    {
        headless->MoveMouse(x, y);
        headless->PushButton(SDL_BUTTON_LEFT, true);
        headless->Step();
    }
    void Release()
    {
        headless->PushButton(SDL_BUTTON_LEFT, false);
        headless->Step();
    }
    void ClickAt(int x, int y)
    {
        PressAt(x, y);
        Release();
    }
    void Wheel(int x, int y, int button)
    {
        headless->MoveMouse(x, y);
        headless->PushButton(button, true);
        headless->Step();
        headless->PushButton(button, false);
        headless->Step();
    }
    static int MidX(const Rect& r) { return (r.left + r.right) / 2; }
    static int MidY(const Rect& r) { return (r.top + r.bottom) / 2; }
};

}  // namespace

TEST_F(HelpScrollingTest, ArrowsScrollOneLineAndRepeatWhileHeld)
{
    ASSERT_GT(bar->Max(), 10 * line);
    Rect down = bar->SecondButton(), up = bar->FirstButton();
    ClickAt(MidX(down), MidY(down));
    EXPECT_EQ(viewer->ScrollOffset(), line);
    ClickAt(MidX(up), MidY(up));
    EXPECT_EQ(viewer->ScrollOffset(), 0);

    PressAt(MidX(down), MidY(down));
    EXPECT_EQ(viewer->ScrollOffset(), line);
    headless->Step(3);  // no time has passed: no repeat yet
    EXPECT_EQ(viewer->ScrollOffset(), line);
    FakeClock::Advance(201);
    headless->Step();
    EXPECT_EQ(viewer->ScrollOffset(), 2 * line);
    FakeClock::Advance(51);
    headless->Step();
    EXPECT_EQ(viewer->ScrollOffset(), 3 * line);
    Release();
    FakeClock::Advance(500);
    headless->Step(2);
    EXPECT_EQ(viewer->ScrollOffset(), 3 * line);
}

TEST_F(HelpScrollingTest, TrackClicksTurnAPageLikePageDown)
{
    Rect thumb = bar->Thumb();
    ClickAt(MidX(thumb), thumb.bottom + 4);
    int paged = viewer->ScrollOffset();
    EXPECT_EQ(paged, viewer->VisibleHeight());
    EXPECT_GT(paged, 5 * line);

    thumb = bar->Thumb();
    ASSERT_GT(thumb.top, bar->FirstButton().bottom + 4);
    ClickAt(MidX(thumb), thumb.top - 3);
    EXPECT_EQ(viewer->ScrollOffset(), 0);

    // The keyboard's page is the same page.
    headless->PushKey(SDLK_PAGEDOWN, true, 0);
    headless->Step();
    headless->PushKey(SDLK_PAGEDOWN, false, 0);
    headless->Step();
    EXPECT_EQ(viewer->ScrollOffset(), paged);
}

TEST_F(HelpScrollingTest, TheDraggedThumbFollowsThePointerUntilLetGo)
{
    Rect thumb = bar->Thumb();
    int room = bar->SecondButton().top - bar->FirstButton().bottom - (thumb.bottom - thumb.top);
    ASSERT_GT(room, 40);
    int grabY = thumb.top + 3;
    PressAt(MidX(thumb), grabY);
    EXPECT_EQ(viewer->ScrollOffset(), 0);

    headless->MoveMouse(MidX(thumb), grabY + room / 2);
    headless->Step();
    EXPECT_NEAR(viewer->ScrollOffset(), bar->Max() / 2, line);
    // Off the bar, over the text, it still follows.
    headless->MoveMouse(viewer->left + 50, grabY + room / 4);
    headless->Step();
    EXPECT_NEAR(viewer->ScrollOffset(), bar->Max() / 4, line);
    headless->MoveMouse(MidX(thumb), grabY + 2 * room);
    headless->Step();
    EXPECT_EQ(viewer->ScrollOffset(), bar->Max());
    // The thumb is drawn where the pointer left it.
    EXPECT_EQ(bar->Thumb().bottom, bar->SecondButton().top);

    Release();
    headless->MoveMouse(MidX(thumb), grabY);
    headless->Step(2);
    EXPECT_EQ(viewer->ScrollOffset(), bar->Max());
}

TEST_F(HelpScrollingTest, TheWheelScrollsThreeLinesOverTheText)
{
    int x = (viewer->left + viewer->right) / 2, y = (viewer->top + viewer->bottom) / 2;
    Wheel(x, y, SDL_BUTTON_WHEELDOWN);
    EXPECT_EQ(viewer->ScrollOffset(), 3 * line);
    Wheel(x, y, SDL_BUTTON_WHEELDOWN);
    EXPECT_EQ(viewer->ScrollOffset(), 6 * line);
    Wheel(MidX(bar->Thumb()), bar->Thumb().bottom + 4, SDL_BUTTON_WHEELUP);  // over the bar too
    EXPECT_EQ(viewer->ScrollOffset(), 3 * line);

    Wheel(x, viewer->top - 10, SDL_BUTTON_WHEELDOWN);  // over the title: not the text
    EXPECT_EQ(viewer->ScrollOffset(), 3 * line);

    for (int i = 0; i < 200; ++i)
        Wheel(x, y, SDL_BUTTON_WHEELDOWN);
    EXPECT_EQ(viewer->ScrollOffset(), bar->Max());
    Wheel(x, y, SDL_BUTTON_WHEELUP);
    EXPECT_EQ(viewer->ScrollOffset(), bar->Max() - 3 * line);
}
