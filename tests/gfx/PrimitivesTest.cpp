#include "gfx/Colours.h"
#include "gfx/Images.h"
#include "gfx/Primitives.h"
#include "gfx/Screen.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>

namespace {

using Pixels = std::set<std::pair<int, int>>;

// A 16-bit memory screen; pixels are read back to compare exact shapes.
struct PrimitivesTest : ::testing::Test {
    SurfacePtr surface;
    void SetUp() override
    {
        surface.reset(SDL_CreateRGBSurface(SDL_SWSURFACE, 64, 48, 16, 0xF800, 0x07E0, 0x001F, 0));
        SDL_FillRect(surface.get(), nullptr, 0);
        AttachScreen(surface.get(), 64, 48, false);
        theScreen.pen = 0xFFFF;
    }
    void TearDown() override
    {
        if (HasFailure())
            SDL_SaveBMP(surface.get(), "/tmp/quoli-primitives-failure.bmp");
        theScreen = Screen{};
    }
    std::uint32_t At(int x, int y) const
    {
        return *reinterpret_cast<Uint16*>(static_cast<Uint8*>(surface->pixels) + y * surface->pitch + x * 2);
    }
    Pixels Lit() const
    {
        Pixels lit;
        for (int y = 0; y < 48; ++y)
            for (int x = 0; x < 64; ++x)
                if (At(x, y))
                    lit.insert({x, y});
        return lit;
    }
};

}  // namespace

TEST_F(PrimitivesTest, LinesFollowTheAccumulatorRule)
{
    DrawLine(0, 0, 3, 1);
    EXPECT_EQ(Lit(), (Pixels{{0, 0}, {1, 0}, {2, 1}, {3, 1}}));
    SDL_FillRect(surface.get(), nullptr, 0);
    DrawLine(0, 0, 2, 2);
    EXPECT_EQ(Lit(), (Pixels{{0, 0}, {1, 1}, {2, 2}}));
    SDL_FillRect(surface.get(), nullptr, 0);
    DrawLine(5, 5, 5, 5);
    EXPECT_EQ(Lit(), (Pixels{{5, 5}}));
    SDL_FillRect(surface.get(), nullptr, 0);
    DrawLine(3, 1, 0, 0);  // the same line drawn backwards starts at its own first point
    EXPECT_EQ(Lit(), (Pixels{{3, 1}, {2, 1}, {1, 0}, {0, 0}}));
    SDL_FillRect(surface.get(), nullptr, 0);
    FlushScreen();
    DrawLine(0, 0, 1, 4);  // steep: y is the major axis
    EXPECT_EQ(Lit().size(), 5u);
    EXPECT_EQ(theScreen.dirty.bottom, 4);
}

TEST_F(PrimitivesTest, FramesAndRoundFrames)
{
    DrawFrame(2, 3, 9, 3);
    Pixels row;
    for (int x = 2; x <= 9; ++x)
        row.insert({x, 3});
    EXPECT_EQ(Lit(), row);
    SDL_FillRect(surface.get(), nullptr, 0);
    DrawFrame(10, 10, 20, 15);
    Pixels plain = Lit();
    SDL_FillRect(surface.get(), nullptr, 0);
    DrawRoundFrame(10, 10, 20, 15, 0);
    EXPECT_EQ(Lit(), plain);
    SDL_FillRect(surface.get(), nullptr, 0);
    DrawRoundFrame(10, 10, 30, 30, 5);
    EXPECT_EQ(At(10, 10), 0u);  // the corner is cut
    EXPECT_NE(At(20, 10), 0u);
    EXPECT_NE(At(10, 20), 0u);
}

TEST_F(PrimitivesTest, PixelsOutsideTheClipAreNeitherWrittenNorMarked)
{
    SetClip(10, 10, 20, 20);
    PutPixel(5, 5, 0xFFFF);
    EXPECT_EQ(At(5, 5), 0u);
    EXPECT_TRUE(DirtyIsEmpty());
    PutPixel(10, 20, 0xFFFF);
    EXPECT_NE(At(10, 20), 0u);
    EXPECT_EQ(theScreen.dirty.left, 10);
    ResetClip();
}

TEST_F(PrimitivesTest, EllipsesAreSymmetricAndReachTheirRadii)
{
    DrawEllipse(30, 24, 10, 6);
    Pixels lit = Lit();
    for (auto [x, y] : lit) {
        EXPECT_TRUE(lit.count({60 - x, y})) << x << "," << y;
        EXPECT_TRUE(lit.count({x, 48 - y})) << x << "," << y;
    }
    EXPECT_TRUE(lit.count({40, 24}));
    EXPECT_TRUE(lit.count({30, 18}));
    EXPECT_FALSE(lit.count({41, 24}));
    SDL_FillRect(surface.get(), nullptr, 0);
    FillEllipse(30, 24, 10, 6);
    EXPECT_NE(At(30, 24), 0u);
    EXPECT_NE(At(39, 24), 0u);
    EXPECT_EQ(At(40, 18), 0u);
    SDL_FillRect(surface.get(), nullptr, 0);
    FillRoundBox(5, 5, 25, 25, 6);
    EXPECT_EQ(At(5, 5), 0u);
    EXPECT_NE(At(15, 15), 0u);
    EXPECT_NE(At(5, 15), 0u);
}

TEST_F(PrimitivesTest, GradientEndsInItsTwoColours)
{
    std::uint32_t black = 0, white = 0xFFFF;
    FillGradientH(0, 0, 63, 9, black, white, 100);
    EXPECT_EQ(At(0, 5), black);
    EXPECT_EQ(At(63, 5), white);
    std::uint32_t middle = At(32, 5);
    EXPECT_NE(middle, black);
    EXPECT_NE(middle, white);
    SDL_FillRect(surface.get(), nullptr, 0x1234);
    FillGradientH(0, 0, 63, 9, black, white, 0);
    EXPECT_EQ(At(10, 5), 0x1234u);
    FillGradientH(0, 0, 63, 9, white, black, 1);  // one band: the first colour
    EXPECT_EQ(At(63, 5), white);
}

// A filled quarter is one fill a row: each row runs from the centre column
// to the outline's outermost pixel on that row, exactly where the drawn
// quarter (the outline) lies, in each of the four directions.
TEST_F(PrimitivesTest, AFilledQuarterRunsFromItsCentreToItsOutlineOnEveryRow)
{
    for (int sx : {-1, 1})
        for (int sy : {-1, 1})
            for (auto [rx, ry] : {std::pair{6, 6}, {11, 4}, {3, 13}}) {
                SDL_FillRect(surface.get(), nullptr, 0);
                DrawQuarterArc(32, 24, rx, ry, sx, sy);
                Pixels outline = Lit();
                SDL_FillRect(surface.get(), nullptr, 0);
                FillQuarterArc(32, 24, rx, ry, sx, sy);
                Pixels filled = Lit();
                Pixels expected;
                for (int dy = 0; dy <= ry; ++dy) {
                    int widest = -1;
                    for (int dx = 0; dx <= rx; ++dx)
                        if (outline.count({32 + sx * dx, 24 + sy * dy}))
                            widest = dx;
                    for (int dx = 0; dx <= widest; ++dx)
                        expected.insert({32 + sx * dx, 24 + sy * dy});
                }
                EXPECT_EQ(filled, expected) << sx << " " << sy << " " << rx << "x" << ry;
            }
}
