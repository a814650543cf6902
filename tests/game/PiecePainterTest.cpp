// The piece painter against painting everything: boxes that move, appear,
// vanish and change colour behind and in front of each other must leave the
// very picture that a clean repaint of all of them leaves, and a picture
// that did not change must draw nothing.

#include "game/PiecePainter.h"
#include "gfx/Images.h"
#include "gfx/Primitives.h"
#include "gfx/Screen.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr int kW = 64, kH = 48;
constexpr std::uint32_t kBackground = 0x0841;

struct Box {
    bool shown = false;
    int x = 0, y = 0, w = 0, h = 0;
    std::uint32_t colour = 0;
};

struct PiecePainterTest : ::testing::Test {
    SurfacePtr screen, reference;
    int draws = 0;

    void SetUp() override
    {
        screen.reset(SDL_CreateRGBSurface(SDL_SWSURFACE, kW, kH, 16, 0xF800, 0x07E0, 0x001F, 0));
        reference.reset(SDL_CreateRGBSurface(SDL_SWSURFACE, kW, kH, 16, 0xF800, 0x07E0, 0x001F, 0));
        AttachScreen(screen.get(), kW, kH, false);
    }
    void TearDown() override { theScreen = Screen{}; }

    std::vector<PiecePainter::Piece> Pieces(const std::vector<Box>& boxes)
    {
        std::vector<PiecePainter::Piece> pieces;
        for (const Box& b : boxes) {
            if (!b.shown) {
                pieces.emplace_back();
                continue;
            }
            std::string key = std::to_string(b.x) + ',' + std::to_string(b.y) + ',' + std::to_string(b.w) + ',' +
                              std::to_string(b.h) + ',' + std::to_string(b.colour);
            pieces.push_back({key, [this, b] {
                                  ++draws;
                                  FillBox(b.x, b.y, b.x + b.w - 1, b.y + b.h - 1, b.colour);
                              }});
        }
        return pieces;
    }
    // Every box on a clean background, drawn straight into the reference
    // (not through the screen, whose drawing count the painter watches).
    void PaintReference(const std::vector<Box>& boxes)
    {
        SDL_FillRect(reference.get(), nullptr, kBackground);
        for (const Box& b : boxes)
            if (b.shown) {
                SDL_Rect r = {static_cast<Sint16>(b.x), static_cast<Sint16>(b.y), static_cast<Uint16>(b.w),
                              static_cast<Uint16>(b.h)};
                SDL_FillRect(reference.get(), &r, b.colour);
            }
    }
    bool SamePictures() const
    {
        for (int y = 0; y < kH; ++y)
            if (std::memcmp(static_cast<Uint8*>(screen->pixels) + y * screen->pitch,
                            static_cast<Uint8*>(reference->pixels) + y * reference->pitch, 2 * kW) != 0)
                return false;
        return true;
    }
};

PiecePainter MakePainter()
{
    return PiecePainter([](const Rect& r) { FillBox(r.left, r.top, r.right, r.bottom, kBackground); },
                        [] { FillBox(0, 0, kW - 1, kH - 1, kBackground); });
}

TEST_F(PiecePainterTest, BoxesMovingAmongEachOtherLeaveThePictureOfACleanRepaint)
{
    PiecePainter painter = MakePainter();
    std::mt19937 random(11);
    auto roll = [&random](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    std::vector<Box> boxes(6);
    // Above 31: the lowest numbers are the palette's colours.
    const std::uint32_t colours[] = {0xF800, 0x07E0, 0x041F, 0xFFE0};
    int frames = 0;
    for (int step = 0; step < 400; ++step) {
        // Most steps move one box by a pixel or two; some make one appear,
        // vanish or change colour.
        Box& b = boxes[static_cast<std::size_t>(roll(6))];
        switch (roll(8)) {
        case 0: b = {true, roll(kW - 8), roll(kH - 8), 4 + roll(20), 4 + roll(14), colours[roll(4)]}; break;
        case 1: b.shown = false; break;
        case 2: b.colour = colours[roll(4)]; break;
        default: b.x += roll(5) - 2; b.y += roll(5) - 2; break;
        }
        painter.Paint(Pieces(boxes), "plain");
        FlushScreen();
        PaintReference(boxes);
        ASSERT_TRUE(SamePictures()) << "step " << step;
        ++frames;
    }
    EXPECT_LT(draws, frames * 6 / 2) << "a step paints only what changed and what it touches";
}

TEST_F(PiecePainterTest, APictureThatDidNotChangeDrawsAndSendsNothing)
{
    PiecePainter painter = MakePainter();
    std::vector<Box> boxes = {{true, 5, 5, 20, 10, 0xF800}, {true, 15, 8, 20, 10, 0x07E0}};
    painter.Paint(Pieces(boxes), "plain");
    FlushScreen();
    draws = 0;
    painter.Paint(Pieces(boxes), "plain");
    EXPECT_EQ(draws, 0);
    EXPECT_TRUE(DirtyIsEmpty()) << "nothing to send";
    // Another background paints everything again.
    painter.Paint(Pieces(boxes), "another");
    EXPECT_EQ(draws, 2);
}

TEST_F(PiecePainterTest, AnyoneElseDrawingMeansEverythingIsPaintedAgain)
{
    PiecePainter painter = MakePainter();
    std::vector<Box> boxes = {{true, 5, 5, 20, 10, 0xF800}, {true, 40, 30, 10, 10, 0x07E0}};
    painter.Paint(Pieces(boxes), "plain");
    FillBox(0, 0, kW - 1, kH - 1, 0xFFFF);  // a message box, say
    draws = 0;
    painter.Paint(Pieces(boxes), "plain");
    EXPECT_EQ(draws, 2);
    PaintReference(boxes);
    EXPECT_TRUE(SamePictures());
}

}  // namespace
