#include "gfx/ImageLoaders.h"
#include "resources/LittleEndian.h"
#include "resources/TJoinFile.h"
#include "support/ArchiveBytes.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

// A BMP with the usual 40-byte header, a grey palette when the bit count
// needs one, then `pixelBytes` bytes of pixels.
std::string Bmp(std::int32_t width, std::int32_t height, std::uint16_t bits, std::size_t pixelBytes)
{
    std::uint32_t colours = bits <= 8 ? 1u << bits : 0;
    std::uint32_t offset = 14 + 40 + 4 * colours;
    std::vector<unsigned char> out{'B', 'M'};
    PutLE32(out, offset + static_cast<std::uint32_t>(pixelBytes));
    PutLE32(out, 0);
    PutLE32(out, offset);
    PutLE32(out, 40);
    PutLE32(out, static_cast<std::uint32_t>(width));
    PutLE32(out, static_cast<std::uint32_t>(height));
    PutLE16(out, 1);
    PutLE16(out, bits);
    for (int i = 0; i < 6; ++i)
        PutLE32(out, 0);  // no compression, sizes and colour counts left to the reader
    for (std::uint32_t i = 0; i < colours; ++i) {
        auto grey = static_cast<std::uint8_t>(i * 255 / (colours - 1));
        out.insert(out.end(), {grey, grey, grey, 0});
    }
    out.insert(out.end(), pixelBytes, 0x5A);
    return std::string(out.begin(), out.end());
}

// The same with the old 12-byte header, whose sizes are unsigned 16-bit.
std::string OldBmp(std::uint16_t width, std::uint16_t height, std::uint16_t bits, std::size_t pixelBytes)
{
    std::vector<unsigned char> out{'B', 'M'};
    PutLE32(out, 26 + static_cast<std::uint32_t>(pixelBytes));
    PutLE32(out, 0);
    PutLE32(out, 26);
    PutLE32(out, 12);
    PutLE16(out, width);
    PutLE16(out, height);
    PutLE16(out, 1);
    PutLE16(out, bits);
    out.insert(out.end(), pixelBytes, 0x5A);
    return std::string(out.begin(), out.end());
}

constexpr std::uint16_t kType = 7;

// Loads each picture from an archive of its own; the sizes of those that
// load, {-1, -1} for those refused.
std::vector<std::pair<int, int>> Load(const std::vector<std::string>& pictures)
{
    std::vector<ArchiveEntrySpec> entries;
    for (const std::string& p : pictures)
        entries.push_back(RawEntry(kType, p));
    TempFolder folder;
    folder.Write("pictures.bin", ArchiveBytes(entries));
    TJoinFile archive(folder / "pictures.bin");
    EXPECT_EQ(archive.LoadDirectory(), static_cast<int>(pictures.size()));
    std::vector<std::pair<int, int>> sizes;
    for (std::size_t i = 0; i < pictures.size(); ++i) {
        SDL_Surface* image = LoadImage(archive, kType, static_cast<int>(i));
        sizes.emplace_back(image ? image->w : -1, image ? image->h : -1);
        if (image)
            SDL_FreeSurface(image);
    }
    return sizes;
}

using Sizes = std::vector<std::pair<int, int>>;

}  // namespace

// Rows are padded to four bytes in the file; a picture holding every row,
// whatever its bit count or row order, still loads.
TEST(ImageLoadersTest, PicturesHoldingAllTheirRowsLoad)
{
    EXPECT_EQ(Load({Bmp(3, 2, 24, 2 * 12), Bmp(9, 2, 1, 2 * 4), Bmp(5, -2, 8, 2 * 8), Bmp(2, 3, 32, 3 * 8),
                    Bmp(3, 1, 16, 8), OldBmp(4, 2, 24, 2 * 12)}),
              (Sizes{{3, 2}, {9, 2}, {5, 2}, {2, 3}, {3, 1}, {4, 2}}));
}

// A header asking for far more rows than the file holds, which the loader
// would make a surface for before finding the rows missing (the first asks
// for more than two gigabytes, an overflowed size), and one with a negative
// width, are refused.
TEST(ImageLoadersTest, HeadersAskingForMoreThanTheFileHoldsAreRefused)
{
    EXPECT_EQ(Load({Bmp(13824, 62464, 24, 16), Bmp(16000, -65535, 32, 64), OldBmp(16000, 65535, 24, 64),
                    Bmp(-4, 2, 8, 64)}),
              (Sizes{{-1, -1}, {-1, -1}, {-1, -1}, {-1, -1}}));
}
