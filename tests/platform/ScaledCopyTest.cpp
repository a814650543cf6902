#include "platform/ScaledCopy.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

using platform::Area;
using platform::CopyArea;
using platform::Placement;
using platform::PlaceScaled;
using platform::Plane;
using platform::WindowSpan;

namespace {

void ExpectPlacement(const Placement& got, int x, int y, int width, int height)
{
    EXPECT_EQ(got.x, x);
    EXPECT_EQ(got.y, y);
    EXPECT_EQ(got.width, width);
    EXPECT_EQ(got.height, height);
}

// A picture whose every pixel differs from its neighbours, and a window.
struct Pictures {
    int width, height;
    std::vector<std::uint16_t> picture;
    std::vector<std::uint32_t> colours = std::vector<std::uint32_t>(65536);

    Pictures(int w, int h) : width(w), height(h), picture(static_cast<std::size_t>(w * h))
    {
        for (int i = 0; i < w * h; ++i)
            picture[static_cast<std::size_t>(i)] = static_cast<std::uint16_t>(i * 7 + 1);
        for (std::uint32_t p = 0; p < 65536; ++p)
            colours[p] = p * 2654435761u | 0xFF000000u;
    }
    Plane PicturePlane() { return {reinterpret_cast<std::uint8_t*>(picture.data()), width * 2, width, height}; }
};

Plane WindowPlane(std::vector<std::uint32_t>& pixels, int width, int height)
{
    pixels.assign(static_cast<std::size_t>(width * height), 0);
    return {reinterpret_cast<std::uint8_t*>(pixels.data()), width * 4, width, height};
}

}  // namespace

TEST(ScaledCopyTest, PicturesKeepTheirProportionsCentredOnAnyPanel)
{
    ExpectPlacement(PlaceScaled(800, 600, 800, 600), 0, 0, 800, 600);
    ExpectPlacement(PlaceScaled(800, 600, 1920, 1080), 240, 0, 1440, 1080);
    ExpectPlacement(PlaceScaled(800, 600, 1366, 768), 171, 0, 1024, 768);
    ExpectPlacement(PlaceScaled(1024, 768, 1280, 1024), 0, 32, 1280, 960);
    ExpectPlacement(PlaceScaled(640, 480, 1366, 768), 171, 0, 1024, 768);
    // A window smaller than the picture shrinks it.
    ExpectPlacement(PlaceScaled(1024, 768, 800, 800), 0, 100, 800, 600);
    ExpectPlacement(PlaceScaled(0, 600, 800, 600), 0, 0, 0, 0);
}

TEST(ScaledCopyTest, SpansOfNeighbouringAreasMeetWithoutGapOrOverlap)
{
    for (int placed : {768, 1024, 1080, 1366, 1440, 600, 479}) {
        int end = 0;
        for (int from = 0; from < 600; from += 7) {
            int to = std::min(from + 6, 599);
            platform::Span s = WindowSpan(from, to, 600, placed);
            EXPECT_EQ(s.first, end) << "placed " << placed << " from " << from;
            end = s.end;
        }
        EXPECT_EQ(end, placed);
    }
}

TEST(ScaledCopyTest, APictureSentInPiecesShowsAsOneSentWhole)
{
    Pictures p(80, 60);
    for (Placement at : {PlaceScaled(80, 60, 80, 60), PlaceScaled(80, 60, 192, 108), PlaceScaled(80, 60, 137, 77)}) {
        std::vector<std::uint32_t> whole, pieces;
        int w = at.width + 2 * at.x, h = at.height + 2 * at.y;
        Plane wholeWindow = WindowPlane(whole, w, h), piecesWindow = WindowPlane(pieces, w, h);
        Area all = CopyArea(p.PicturePlane(), 2, p.colours.data(), wholeWindow, at, {0, 0, 80, 60});
        EXPECT_EQ(all.x, at.x);
        EXPECT_EQ(all.width, at.width);
        EXPECT_EQ(all.height, at.height);
        for (int y = 0; y < 60; y += 13)
            for (int x = 0; x < 80; x += 11)
                CopyArea(p.PicturePlane(), 2, p.colours.data(), piecesWindow, at, {x, y, 11, 13});
        EXPECT_EQ(whole, pieces) << "placed " << at.width << "x" << at.height;
        // Every window pixel of the placement shows its picture pixel's colour.
        int cx = at.x + at.width / 2, cy = at.y + at.height / 2;
        std::uint16_t source = p.picture[static_cast<std::size_t>((cy - at.y) * 60 / at.height * 80 + (cx - at.x) * 80 / at.width)];
        EXPECT_EQ(whole[static_cast<std::size_t>(cy * w + cx)], p.colours[source]);
        // Around the placement nothing is written.
        if (at.x > 0) {
            EXPECT_EQ(whole[static_cast<std::size_t>(cy * w + at.x - 1)], 0u);
        }
    }
}

TEST(ScaledCopyTest, AreasPartlyOutsideThePictureAreCut)
{
    Pictures p(40, 30);
    std::vector<std::uint32_t> pixels;
    Plane window = WindowPlane(pixels, 40, 30);
    Placement at = PlaceScaled(40, 30, 40, 30);
    Area a = CopyArea(p.PicturePlane(), 2, p.colours.data(), window, at, {30, 25, 50, 50});
    EXPECT_EQ(a.x, 30);
    EXPECT_EQ(a.y, 25);
    EXPECT_EQ(a.width, 10);
    EXPECT_EQ(a.height, 5);
    Area none = CopyArea(p.PicturePlane(), 2, p.colours.data(), window, at, {45, 0, 10, 10});
    EXPECT_EQ(none.width, 0);
    // A window smaller than its placement (it shrank under us) is not overrun.
    std::vector<std::uint32_t> small;
    Plane smaller = WindowPlane(small, 20, 15);
    Area cut = CopyArea(p.PicturePlane(), 2, p.colours.data(), smaller, at, {0, 0, 40, 30});
    EXPECT_EQ(cut.width, 20);
    EXPECT_EQ(cut.height, 15);
}

TEST(ScaledCopyTest, ThirtyTwoBitPicturesAreCopiedAsTheyAre)
{
    std::vector<std::uint32_t> picture(16 * 8);
    for (std::size_t i = 0; i < picture.size(); ++i)
        picture[i] = 0xFF000000u | static_cast<std::uint32_t>(i * 977);
    Plane source{reinterpret_cast<std::uint8_t*>(picture.data()), 16 * 4, 16, 8};
    std::vector<std::uint32_t> pixels;
    Plane window = WindowPlane(pixels, 16, 8);
    CopyArea(source, 4, nullptr, window, PlaceScaled(16, 8, 16, 8), {3, 2, 5, 4});
    EXPECT_EQ(pixels[2 * 16 + 3], picture[2 * 16 + 3]);
    EXPECT_EQ(pixels[5 * 16 + 7], picture[5 * 16 + 7]);
    EXPECT_EQ(pixels[5 * 16 + 8], 0u);
    std::vector<std::uint32_t> twice;
    Plane doubled = WindowPlane(twice, 32, 16);
    CopyArea(source, 4, nullptr, doubled, PlaceScaled(16, 8, 32, 16), {0, 0, 16, 8});
    EXPECT_EQ(twice[3 * 32 + 5], picture[1 * 16 + 2]);
}
