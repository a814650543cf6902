#include "gfx/Colours.h"
#include "gfx/Images.h"
#include "gfx/Screen.h"
#include "gfx/TFont.h"
#include "gfx/Text.h"
#include "support/TestFont.h"
#include "ui/TView.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace {

// A memory screen with a bitmap font of solid glyphs: 'A' 9 wide, 'B' 10
// wide, both 11 high, so ink shows exactly where a glyph went.
struct TextTest : ::testing::Test {
    SurfacePtr surface;
    std::vector<unsigned char> block = SolidBitmapFont('A', {9, 10}, 11);
    std::unique_ptr<TFont> font;

    void SetUp() override
    {
        surface.reset(SDL_CreateRGBSurface(SDL_SWSURFACE, 200, 150, 16, 0xF800, 0x07E0, 0x001F, 0));
        SDL_FillRect(surface.get(), nullptr, 0);
        AttachScreen(surface.get(), 200, 150, false);
        font = TFont::FromBitmap(block.data(), block.size());
        theScreen.font = font.get();
        theScreen.pen = 0xFFFF;
    }
    void TearDown() override { theScreen = Screen{}; }
    std::uint32_t At(int x, int y) const
    {
        return *reinterpret_cast<Uint16*>(static_cast<Uint8*>(surface->pixels) + y * surface->pitch + x * 2);
    }
    // The inked bounding box.
    Rect Ink() const
    {
        Rect r = {kEmptyRect, 0, 0, 0};
        for (int y = 0; y < 150; ++y)
            for (int x = 0; x < 200; ++x)
                if (At(x, y))
                    UniteRect(r, {x, y, x, y});
        return r;
    }
};

}  // namespace

TEST_F(TextTest, AnchorsPlaceTheText)
{
    theScreen.hAnchor = 1;
    theScreen.vAnchor = 1;
    DrawText(100, 100, "A");
    Rect ink = Ink();
    EXPECT_EQ(ink.left, 96);
    EXPECT_EQ(ink.top, 96);
    EXPECT_EQ(ink.right, 104);
    EXPECT_EQ(ink.bottom, 106);
    EXPECT_EQ(theScreen.dirty.left, 96);

    SDL_FillRect(surface.get(), nullptr, 0);
    theScreen.hAnchor = 2;
    theScreen.vAnchor = 2;
    DrawText(50, 20, "B");
    EXPECT_EQ(Ink().left, 42);
    EXPECT_EQ(Ink().top, 20);

    SDL_FillRect(surface.get(), nullptr, 0);
    theScreen.hAnchor = 0;
    theScreen.vAnchor = 0;
    DrawText(10, 40, "AB");
    EXPECT_EQ(Ink().left, 10);
    EXPECT_EQ(Ink().right, 28);
    EXPECT_EQ(Ink().bottom, 40);
}

TEST_F(TextTest, CharactersWithoutGlyphsMeasureNothing)
{
    EXPECT_EQ(TextWidth("AB"), 19);
    EXPECT_EQ(TextWidth("zz"), 0);
    EXPECT_EQ(LineHeight(), 11);
    DrawText(10, 40, "zz");
    EXPECT_EQ(Ink().left, kEmptyRect);
    theScreen.font = nullptr;
    EXPECT_EQ(TextWidth("AB"), 0);
    EXPECT_EQ(LineHeight(), 0);
    DrawText(10, 40, "AB");
    EXPECT_EQ(Ink().left, kEmptyRect);
}

TEST_F(TextTest, DamagedBitmapFontsDrawNothingWrong)
{
    std::vector<unsigned char> broken = block;
    broken[12] = 0xFF;  // the first glyph's offset points far past the block
    broken[13] = 0x7F;
    auto damaged = TFont::FromBitmap(broken.data(), broken.size());
    theScreen.font = damaged.get();
    EXPECT_EQ(TextWidth("A"), 0);
    EXPECT_EQ(TextWidth("B"), 10);
    DrawText(10, 40, "AB");
    std::vector<unsigned char> cut(block.begin(), block.begin() + 20);  // glyph rows missing
    auto shortFont = TFont::FromBitmap(cut.data(), cut.size());
    theScreen.font = shortFont.get();
    EXPECT_EQ(TextWidth("AB"), 0);
    EXPECT_EQ(TFont::FromBitmap(block.data(), 5), nullptr);
}

TEST_F(TextTest, HotkeyTextsHighlightTheirLetterAndKeepTheAnchors)
{
    TView view(0, 0, 10, 10);
    theScreen.pen = MapColour(2);
    theScreen.hAnchor = 1;
    theScreen.vAnchor = 2;
    EXPECT_EQ(HotkeyTextWidth("~A~BB"), 29);
    DrawHotkeyText(HotkeyRole(&view), 100, 10, "~A~BB");
    EXPECT_EQ(Ink().left, 86);  // centred as "ABB" would be
    EXPECT_EQ(At(87, 12), SchemeColour(10));
    EXPECT_EQ(At(96, 12), MapColour(2));
    EXPECT_EQ(theScreen.hAnchor, 1);
    EXPECT_EQ(theScreen.vAnchor, 2);
    EXPECT_EQ(theScreen.pen, MapColour(2));
    SDL_FillRect(surface.get(), nullptr, 0);
    DrawHotkeyText(HotkeyRole(&view), 100, 10, "~");
    EXPECT_EQ(Ink().left, kEmptyRect);
    EXPECT_EQ(HotkeyOf("~Apri"), 'a');
    EXPECT_EQ(HotkeyOf("Salva"), 0);
    EXPECT_EQ(HotkeyOf("~1 corsia"), '1');
}

TEST_F(TextTest, ClosingTheCurrentFontLeavesNone)
{
    CloseFont(font);
    EXPECT_EQ(theScreen.font, nullptr);
    EXPECT_EQ(TextWidth("A"), 0);
}

// A 16-bit memory screen and the program's comic typeface.
struct RenderTextTest : ::testing::Test {
    SurfacePtr surface;
    std::unique_ptr<TFont> font;

    void Open(int width, int height, int points)
    {
        ASSERT_EQ(TTF_Init(), 0);
        surface.reset(SDL_CreateRGBSurface(SDL_SWSURFACE, width, height, 16, 0xF800, 0x07E0, 0x001F, 0));
        AttachScreen(surface.get(), width, height, false);
        font = TFont::OpenTrueType(std::string(QUOLI_STAGE_DIR) + "/fonts/comicbd.ttf", points);
        ASSERT_NE(font, nullptr);
        theScreen.font = font.get();
    }
    void TearDown() override
    {
        font.reset();
        theScreen = Screen{};
        TTF_Quit();
    }
};

TEST_F(RenderTextTest, RenderedWordsAreTrimmedToTheirInk)
{
    ASSERT_NO_FATAL_FAILURE(Open(100, 100, 40));
    theScreen.pen = 0xFFFF;
    SurfacePtr word(RenderTextSurface("mare"));
    ASSERT_NE(word, nullptr);
    EXPECT_LT(word->h, TTF_FontHeight(font->TrueType()));
    auto rowInked = [&](int row) {
        auto* p = static_cast<Uint32*>(word->pixels) + row * word->pitch / 4;
        for (int x = 0; x < word->w; ++x)
            if (p[x] & 0xFF000000u)
                return true;
        return false;
    };
    EXPECT_TRUE(rowInked(0));
    EXPECT_TRUE(rowInked(word->h - 1));
    EXPECT_EQ(RenderTextSurface("   "), nullptr);
}

// A font made from an archive entry stays whole when the entry's buffer is
// freed or loaded again (the game and the title screen release theirs).
TEST_F(TextTest, ABitmapFontOutlivesTheBufferItCameFrom)
{
    auto source = std::make_unique<std::vector<unsigned char>>(block);
    auto copy = TFont::FromBitmap(source->data(), source->size());
    theScreen.font = copy.get();
    int width = TextWidth("AB");
    source.reset();  // freed: under the sanitizer any read of it would fail
    EXPECT_EQ(TextWidth("AB"), width);
    DrawText(10, 40, "AB");
    EXPECT_NE(Ink().left, kEmptyRect);
}

// A TrueType text drawn again is the picture rendered the first time: the
// same pixels, in the pen's colour of the moment.
TEST_F(RenderTextTest, ATextDrawnAgainIsTheSameAndFollowsThePen)
{
    ASSERT_NO_FATAL_FAILURE(Open(120, 60, 30));
    auto drawn = [&](std::uint32_t pen) {
        SDL_FillRect(surface.get(), nullptr, 0);
        theScreen.pen = pen;
        DrawText(5, 5, "00012345");
        const auto* p = static_cast<const Uint8*>(surface->pixels);
        return std::vector<Uint8>(p, p + surface->pitch * surface->h);
    };
    theScreen.vAnchor = 2;  // from the top
    std::vector<Uint8> first = drawn(0xF800);
    ASSERT_NE(std::count(first.begin(), first.end(), 0), static_cast<long>(first.size())) << "something is drawn";
    EXPECT_EQ(drawn(0xF800), first);
    ForgetRenderedTexts(nullptr);
    EXPECT_EQ(drawn(0xF800), first) << "rendered afresh, the same";
    EXPECT_NE(drawn(0x001F), first) << "another pen, another picture";
}
