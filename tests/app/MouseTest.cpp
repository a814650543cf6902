#include "app/Input.h"
#include "app/TApp.h"
#include "gfx/Colours.h"
#include "gfx/Screen.h"
#include "support/HeadlessApp.h"
#include "app/TMouse.h"

#include <gtest/gtest.h>

namespace {

// What the monitor shows: every area pushed to the display is copied here.
SDL_Surface* display = nullptr;
std::vector<Rect> pushed;

void CopyToDisplay(const Rect& r)
{
    pushed.push_back(r);
    SDL_Rect area = {static_cast<Sint16>(r.left + theScreen.originX), static_cast<Sint16>(r.top + theScreen.originY),
                     static_cast<Uint16>(r.right - r.left + 1), static_cast<Uint16>(r.bottom - r.top + 1)};
    SDL_Rect to = area;
    SDL_BlitSurface(theScreen.surface, &area, display, &to);
}

struct MouseTest : ::testing::Test {
    std::unique_ptr<HeadlessApp> headless;
    std::uint32_t background = 0;

    void SetUp() override
    {
        headless = std::make_unique<HeadlessApp>();
        SDL_Surface* s = theScreen.surface;
        display = SDL_CreateRGBSurface(SDL_SWSURFACE, s->w, s->h, s->format->BitsPerPixel, s->format->Rmask,
                                       s->format->Gmask, s->format->Bmask, 0);
        SetUpdateHook(CopyToDisplay);
        background = MapColour(1);
        ClearScreen(1);
        headless->Step();
        pushed.clear();
    }
    void TearDown() override
    {
        if (HasFailure())
            SDL_SaveBMP(display, "/tmp/quoli-mouse-test-display.bmp");
        SetUpdateHook(nullptr);
        SDL_FreeSurface(display);
        headless.reset();
    }
    std::uint32_t Shown(int x, int y) const
    {
        return *reinterpret_cast<Uint16*>(static_cast<Uint8*>(display->pixels) + y * display->pitch + x * 2);
    }
    // Pixels of the display that are not background, outside a rectangle.
    int StrayPixels(int left, int top, int right, int bottom) const
    {
        int n = 0;
        for (int y = 0; y < theScreen.height; ++y)
            for (int x = 0; x < theScreen.width; ++x)
                if ((x < left || x > right || y < top || y > bottom) && Shown(x, y) != background)
                    ++n;
        return n;
    }
};

}  // namespace

TEST_F(MouseTest, MovingOnePixelAFrameLeavesNoTrail)
{
    TMouse& mouse = *theMouse;
    int w = mouse.Picture()->w, h = mouse.Picture()->h;
    for (int step = 0; step < 12; ++step) {
        headless->MoveMouse(200 + step, 150 + step / 2);
        headless->Step();
        int x = mouse.X(), y = mouse.Y();
        ASSERT_EQ(x, 200 + step);
        ASSERT_EQ(StrayPixels(x, y, x + w - 1, y + h - 1), 0) << "step " << step;
        int drawn = 0;
        for (int j = 0; j < h; ++j)
            for (int i = 0; i < w; ++i)
                drawn += Shown(x + i, y + j) != background;
        ASSERT_GT(drawn, 30) << "the pointer shows at step " << step;
    }
    // The drawing surface itself never keeps the pointer.
    EXPECT_EQ(ScreenPixel(mouse.X() + 2, mouse.Y() + 4), background);
}

TEST_F(MouseTest, AStillPointerOverAStillScreenIsNotRedrawn)
{
    headless->MoveMouse(100, 100);
    headless->Step();
    pushed.clear();
    headless->Step(5);
    EXPECT_TRUE(pushed.empty());
    FillBox(102, 102, 104, 104, 8);  // something changes under the pointer
    headless->Step();
    ASSERT_FALSE(pushed.empty());
    EXPECT_NE(Shown(101, 103), MapColour(8));  // the pointer is still drawn over it
}

TEST_F(MouseTest, HiddenPointerDrawsNothing)
{
    headless->MoveMouse(300, 200);
    headless->Step();
    ShowMouse(false);
    headless->Step(2);
    EXPECT_EQ(StrayPixels(1, 1, 0, 0), 0);  // nothing anywhere
    ShowMouse(true);
    headless->Step();
    EXPECT_GT(StrayPixels(1, 1, 0, 0), 0);
}

TEST_F(MouseTest, OutsideTheWindowNothingIsDrawnSavedOrRestored)
{
    headless->MoveMouse(300, 200);
    headless->Step();
    SDL_Event leave{};
    leave.type = SDL_ACTIVEEVENT;
    leave.active.gain = 0;
    leave.active.state = SDL_APPMOUSEFOCUS;
    SDL_PushEvent(&leave);
    headless->Step(2);
    EXPECT_FALSE(theMouse->visible);
    EXPECT_EQ(StrayPixels(1, 1, 0, 0), 0);
    EXPECT_FALSE(theMouse->HasSavedBackground());
}

TEST_F(MouseTest, HalfOffTheRightEdgePushesOnlyItsVisiblePart)
{
    headless->MoveMouse(theScreen.width - 5, 100);
    headless->Step();
    ASSERT_FALSE(pushed.empty());
    for (const Rect& r : pushed)
        EXPECT_LE(r.right, theScreen.width - 1);
}

TEST_F(MouseTest, SubCursorSitsByTheMiddleOfThePointer)
{
    SurfacePtr badge(SDL_CreateRGBSurface(SDL_SWSURFACE, 12, 12, 16, 0, 0, 0, 0));
    TMouse& mouse = *theMouse;
    int w = mouse.Picture()->w, h = mouse.Picture()->h;
    headless->MoveMouse(300, 200);
    headless->Step();
    mouse.SetSubCursor(-40, -h / 2, badge.get());
    ASSERT_NE(mouse.SubCursor(), nullptr);
    EXPECT_EQ(mouse.SubCursor()->X(), 300 + w / 2 - 41);
    headless->MoveMouse(310, 200);
    headless->Step();
    EXPECT_EQ(mouse.SubCursor()->X(), 310 + w / 2 - 41);
    mouse.SetSubCursor(0, 0, nullptr);
    EXPECT_EQ(mouse.SubCursor(), nullptr);
}
