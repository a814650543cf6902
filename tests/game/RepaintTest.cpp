// Every look paints again only what changed and what it touches: a whole
// game (words falling in three lanes, typing, hits, shots and explosions, a
// wrong key, a fallen word) must give the very screens that painting
// everything every frame gives, and every pixel that changes between two
// pictures must be sent.

#include "app/Random.h"
#include "game/GameView.h"
#include "gfx/Screen.h"
#include "support/GameFixture.h"
#include "session/Session.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

namespace {

std::vector<Rect> sent;

void KeepSent(const Rect& area)
{
    sent.push_back(area);
}

using Picture = std::vector<std::uint16_t>;
// The rows a picture changed from the one before: (row, its pixels).
using Changes = std::vector<std::pair<int, Picture>>;

// A game's screens: the first, then what each picture changed.
struct Film {
    Picture first;
    std::vector<Changes> pictures;
};

struct RepaintTest : GameTest, testing::WithParamInterface<int> {
    int unsent = 0;
    std::string firstUnsent;
    int smallPushes = 0;  // frames that sent less than a quarter of the screen

    const std::uint16_t* Row(int y)
    {
        SDL_Surface* s = theScreen.surface;
        return reinterpret_cast<const std::uint16_t*>(static_cast<const Uint8*>(s->pixels) +
                                                      (y + theScreen.originY) * s->pitch) +
               theScreen.originX;
    }
    // The screen's pixels, a row after another (16 bits each).
    Picture Screen()
    {
        Picture pixels;
        pixels.reserve(static_cast<std::size_t>(theScreen.width) * theScreen.height);
        for (int y = 0; y < theScreen.height; ++y)
            pixels.insert(pixels.end(), Row(y), Row(y) + theScreen.width);
        return pixels;
    }
    // Brings `last` up to the screen and answers the rows that changed;
    // when asked, counts the changed pixels outside every area sent.
    Changes Follow(Picture& last, int frame, bool countUnsent)
    {
        Changes changes;
        auto width = static_cast<std::size_t>(theScreen.width);
        for (int y = 0; y < theScreen.height; ++y) {
            std::uint16_t* was = last.data() + static_cast<std::size_t>(y) * width;
            const std::uint16_t* is = Row(y);
            if (std::memcmp(was, is, 2 * width) == 0)
                continue;
            if (countUnsent)
                CountUnsent(was, is, y, frame);
            changes.emplace_back(y, Picture(is, is + width));
            std::memcpy(was, is, 2 * width);
        }
        return changes;
    }
    void CountUnsent(const std::uint16_t* was, const std::uint16_t* is, int y, int frame)
    {
        std::vector<Rect> across;  // the areas sent that cross this row
        for (const Rect& r : sent)
            if (y >= r.top && y <= r.bottom)
                across.push_back(r);
        for (int x = 0; x < theScreen.width; ++x) {
            if (was[x] == is[x])
                continue;
            bool covered = false;
            for (std::size_t i = 0; i < across.size() && !covered; ++i)
                covered = x >= across[i].left && x <= across[i].right;
            if (!covered && unsent++ == 0)
                firstUnsent = "frame " + std::to_string(frame) + ", pixel " + std::to_string(x) + "," +
                              std::to_string(y);
        }
    }
    // The screens of one scripted game, a picture every 16 ms.
    Film Game(bool whole)
    {
        theSession.settings.theme = GetParam();
        theSession.settings.lanes = 3;
        theSession.settings.fallSeconds = 3;
        theSession.settings.spawnSeconds = 1;
        seed = 7;  // both games fall alike
        Play("\r\n\r\n20\r\nUno\r\nsole\r\nmare\r\ncasa\r\nluna\r\n");
        const_cast<GameView&>(game->View()).PaintWholeAlways(whole);
        ToPlay();
        Film film;
        film.first = Screen();
        Picture last = film.first;
        SetUpdateHook(KeepSent);
        for (int frame = 0; frame < 250; ++frame) {
            if (frame == 60)
                Type("so");
            if (frame == 100)
                Type("lemare");
            if (frame == 150)
                Type("x");
            sent.clear();
            Wait(16);
            long long area = 0;
            for (const Rect& r : sent)
                area += static_cast<long long>(r.right - r.left + 1) * (r.bottom - r.top + 1);
            if (area * 4 < static_cast<long long>(theScreen.width) * theScreen.height)
                ++smallPushes;
            film.pictures.push_back(Follow(last, frame, !whole));
        }
        SetUpdateHook(nullptr);
        return film;
    }
};

void Apply(Picture& picture, const Changes& changes, int width)
{
    for (const auto& [y, row] : changes)
        std::copy(row.begin(), row.end(), picture.begin() + static_cast<std::ptrdiff_t>(y) * width);
}

}  // namespace

TEST_P(RepaintTest, PaintingWhatChangedGivesTheScreensOfPaintingEverything)
{
    Film partial = Game(false);
    EXPECT_EQ(unsent, 0) << "changed but not sent, first at " << firstUnsent;
    EXPECT_GT(smallPushes, 150) << "most pictures change a little and send only that";
    TearDown();
    Film whole = Game(true);
    ASSERT_EQ(partial.pictures.size(), whole.pictures.size());
    Picture a = partial.first, b = whole.first;
    for (std::size_t i = 0; i <= partial.pictures.size(); ++i) {
        if (i > 0) {
            Apply(a, partial.pictures[i - 1], theScreen.width);
            Apply(b, whole.pictures[i - 1], theScreen.width);
        }
        if (a == b)
            continue;
        int count = 0;
        Rect box = {1 << 20, 1 << 20, -1, -1};
        for (std::size_t p = 0; p < a.size(); ++p)
            if (a[p] != b[p]) {
                int x = static_cast<int>(p) % theScreen.width, y = static_cast<int>(p) / theScreen.width;
                box = {std::min(box.left, x), std::min(box.top, y), std::max(box.right, x), std::max(box.bottom, y)};
                ++count;
            }
        FAIL() << "picture " << i << " (0 is the first of play): " << count << " pixels differ in " << box.left
               << "," << box.top << " - " << box.right << "," << box.bottom;
    }
}

INSTANTIATE_TEST_SUITE_P(EveryLook, RepaintTest, testing::Values(1, 2, 3));
