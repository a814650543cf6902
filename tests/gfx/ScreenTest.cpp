#include "gfx/Colours.h"
#include "gfx/Display.h"
#include "gfx/Images.h"
#include "gfx/Screen.h"
#include "gfx/ImageLoaders.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<Rect> updates;

void RecordUpdate(const Rect& r)
{
    updates.push_back(r);
}

// A logical screen on a memory surface, optionally larger than the screen.
struct ScreenTest : ::testing::Test {
    SurfacePtr surface;

    void Attach(int w, int h, int depth = 16, int surfaceW = 0, int surfaceH = 0)
    {
        surface.reset(depth == 16 ? SDL_CreateRGBSurface(SDL_SWSURFACE, surfaceW ? surfaceW : w,
                                                         surfaceH ? surfaceH : h, 16, 0xF800, 0x07E0, 0x001F, 0)
                                  : SDL_CreateRGBSurface(SDL_SWSURFACE, surfaceW ? surfaceW : w,
                                                         surfaceH ? surfaceH : h, 8, 0, 0, 0, 0));
        SDL_FillRect(surface.get(), nullptr, 0);
        AttachScreen(surface.get(), w, h, depth < 9);
        updates.clear();
        SetUpdateHook(RecordUpdate);
    }
    void TearDown() override
    {
        SetUpdateHook(nullptr);
        theScreen = Screen{};
    }
    std::uint32_t Pixel(int x, int y) const
    {
        auto* p = static_cast<const Uint8*>(surface->pixels) + y * surface->pitch + x * surface->format->BytesPerPixel;
        return surface->format->BytesPerPixel == 1 ? *p : *reinterpret_cast<const Uint16*>(p);
    }
    int CountPixels(std::uint32_t value) const
    {
        int n = 0;
        for (int y = 0; y < surface->h; ++y)
            for (int x = 0; x < surface->w; ++x)
                n += Pixel(x, y) == value;
        return n;
    }
};

}  // namespace

TEST(ScaleTest, DesignUnitsAtTheThreeResolutions)
{
    SetResolution(0);
    EXPECT_EQ(Scaled(16), 16);
    EXPECT_EQ(Scaled(12), 12);
    SetResolution(1);
    EXPECT_EQ(Scaled(16), 20);
    EXPECT_EQ(Scaled(12), 15);
    EXPECT_EQ(Scaled(-3), -3);  // truncation toward zero
    EXPECT_EQ(Unscaled(20), 16);
    SetResolution(2);
    EXPECT_EQ(Scaled(25), 40);
    EXPECT_EQ(Scaled(12), 19);
    EXPECT_EQ(Scaled(16), 25);
    Rect r = ScaledRect(10, 20, 30, 40);
    EXPECT_EQ(r.left, 16);
    EXPECT_EQ(r.bottom, 64);
    EXPECT_EQ(theResolutionIndex, 2);
    EXPECT_EQ(ResolutionIndex("1024X768"), 2);
    EXPECT_EQ(ResolutionIndex("1280x1024"), 1);
    EXPECT_EQ(ResolutionIndex(nullptr), 1);
    SetResolution(1);
}

TEST_F(ScreenTest, ColourNumbersMapOnlyOnScreensWithoutPalette)
{
    Attach(100, 80, 16);
    EXPECT_EQ(MapColour(0), 0u);
    EXPECT_EQ(MapColour(32), 32u);
    EXPECT_EQ(MapColour(4), 0xFFE0u);  // pure yellow in RGB565
    EXPECT_EQ(MapColour(15), 0xFFFFu);
    EXPECT_EQ(SchemeColour(1), MapColour(22));
    Attach(100, 80, 8);
    EXPECT_EQ(MapColour(4), 4u);
    EXPECT_EQ(SchemeColour(1), 22u);
}

TEST_F(ScreenTest, FillsAreNormalisedClippedAndMarked)
{
    Attach(100, 80);
    FillBox(10, 10, 5, 5, 15);
    EXPECT_EQ(CountPixels(0xFFFF), 36);
    EXPECT_EQ(Pixel(5, 5), 0xFFFFu);
    EXPECT_EQ(Pixel(10, 10), 0xFFFFu);
    FlushScreen();
    ASSERT_EQ(updates.size(), 1u);
    EXPECT_EQ(updates[0].left, 5);
    EXPECT_EQ(updates[0].bottom, 10);

    Attach(100, 80);
    SetClip(20, 20, 59, 59);
    FillBox(50, 50, 70, 70, 8);  // half outside the clip
    EXPECT_EQ(CountPixels(0xF800), 100);
    EXPECT_EQ(theScreen.dirty.left, 50);
    EXPECT_EQ(theScreen.dirty.right, 59);
    FillBox(20, 0, 20, 79, 8);  // one column on the clip's left edge
    EXPECT_EQ(Pixel(20, 30), 0xF800u);
    EXPECT_EQ(Pixel(20, 10), 0u);
    EXPECT_EQ(theScreen.dirty.left, 20);
    FillBox(0, 0, 10, 10, 8);  // wholly outside: nothing drawn or marked
    EXPECT_EQ(Pixel(0, 0), 0u);
    EXPECT_EQ(theScreen.dirty.top, 20);
    ResetClip();
}

TEST_F(ScreenTest, TwoFillsBetweenFlushesGiveOneUpdateCoveringBoth)
{
    Attach(100, 80);
    FillBox(0, 0, 3, 3, 15);
    FillBox(90, 70, 99, 79, 15);
    FlushScreen();
    ASSERT_EQ(updates.size(), 1u);
    EXPECT_EQ(updates[0].left, 0);
    EXPECT_EQ(updates[0].top, 0);
    EXPECT_EQ(updates[0].right, 99);
    EXPECT_EQ(updates[0].bottom, 79);
    FlushScreen();
    EXPECT_EQ(updates.size(), 1u);  // nothing new, nothing pushed
}

TEST_F(ScreenTest, ALargerSurfaceShowsTheScreenCentred)
{
    Attach(100, 80, 16, 140, 100);
    EXPECT_EQ(theScreen.originX, 20);
    EXPECT_EQ(theScreen.originY, 10);
    FillBox(0, 0, 0, 0, 15);
    EXPECT_EQ(Pixel(20, 10), 0xFFFFu);
    EXPECT_EQ(Pixel(0, 0), 0u);
    ClearScreen(8);
    EXPECT_EQ(Pixel(19, 10), 0u);
    EXPECT_EQ(Pixel(119, 89), 0xF800u);
    EXPECT_EQ(Pixel(120, 90), 0u);
}

TEST_F(ScreenTest, CornerColourKeys)
{
    Attach(100, 80);
    SurfacePtr image(SDL_CreateRGBSurface(SDL_SWSURFACE, 10, 5, 16, 0xF800, 0x07E0, 0x001F, 0));
    SDL_FillRect(image.get(), nullptr, 0x1111);
    SDL_Rect topRight = {9, 0, 1, 1};
    SDL_FillRect(image.get(), &topRight, 0x2222);
    SDL_Rect bottomLeft = {0, 4, 1, 1};
    SDL_FillRect(image.get(), &bottomLeft, 0x3333);
    SetImageKey(image.get(), KEY_TOP_RIGHT);
    EXPECT_EQ(image->format->colorkey, 0x2222u);
    SetImageKey(image.get(), KEY_BOTTOM_LEFT);
    EXPECT_EQ(image->format->colorkey, 0x3333u);
    SetImageKey(image.get(), KEY_TOP_LEFT);
    EXPECT_EQ(image->format->colorkey, 0x1111u);
    EXPECT_TRUE(image->flags & SDL_SRCCOLORKEY);
    SetImageKey(image.get(), 0x4444);
    EXPECT_EQ(image->format->colorkey, 0x4444u);
    SetImageKey(image.get(), NO_COLOR_KEY);
    EXPECT_EQ(image->format->colorkey, 0x4444u);
    // A keyed image leaves its key colour out when drawn.
    DrawImage(0, 0, image.get());
    EXPECT_EQ(Pixel(1, 1), 0x1111u);
}

TEST_F(ScreenTest, SavingAnAreaCopiesItAtTheOrigin)
{
    Attach(100, 80, 16, 120, 80);
    FillBox(30, 30, 33, 33, 15);
    SurfacePtr saved(CreateScreenSurface(4, 4));
    ASSERT_NE(saved, nullptr);
    SaveScreenArea(30, 30, saved.get());
    EXPECT_EQ(*static_cast<Uint16*>(saved->pixels), 0xFFFFu);
}

TEST(PaletteTest, TriplesFillEntriesAndTheRestStaysBlack)
{
    unsigned char data[100];
    for (int i = 0; i < 100; ++i)
        data[i] = static_cast<unsigned char>(i + 1);
    std::uint8_t table[256 * 4];
    std::fill(std::begin(table), std::end(table), 0xAA);
    PaletteFromTriples(data, sizeof data, table);
    EXPECT_EQ(table[32 * 4], 97);  // entry 32 takes bytes 96..98
    EXPECT_EQ(table[32 * 4 + 2], 99);
    EXPECT_EQ(table[32 * 4 + 3], 0);
    EXPECT_EQ(table[33 * 4], 0);  // the hundredth byte is ignored
    EXPECT_EQ(table[255 * 4 + 1], 0);
}
