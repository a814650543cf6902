// The archive's pictures on hostile bytes: an entry holding the input is
// decoded as the program decodes its pictures, keyed by each corner, drawn
// onto an off-screen surface and used as a palette.

#include "FuzzArchive.h"
#include "FuzzScratch.h"
#include "FuzzScreen.h"
#include "gfx/ImageLoaders.h"
#include "gfx/Images.h"
#include "resources/TJoinFile.h"

#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr int kType = 7;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size)
{
    fuzz::OffScreen(320, 240);
    const std::string path = fuzz::ScratchFolder("image") + "figure.bin";
    std::vector<unsigned char> archiveBytes = fuzz::ArchiveOf(bytes, size, kType, "figura.bmp");
    fuzz::WriteBytes(path, archiveBytes.data(), archiveBytes.size());
    TJoinFile archive(path);
    FUZZ_CHECK(archive.LoadDirectory() == 1);

    const std::uint32_t keys[] = {NO_COLOR_KEY, KEY_TOP_LEFT, KEY_TOP_RIGHT, KEY_BOTTOM_LEFT, KEY_BOTTOM_RIGHT, 0};
    SDL_Surface* image = LoadImageKeyed(archive, kType, 0, keys[size % 6]);
    if (image) {
        FUZZ_CHECK(image->w >= 0 && image->h >= 0);
        DrawImage(10, 10, image);
        DrawImageCentred(310, 230, image);
        DrawImagePart(1, 1, image->w / 2, image->h / 2, 0, 0, image);
        for (std::uint32_t key : keys)
            SetImageKey(image, key);
        SDL_FreeSurface(image);
    }
    // The shapes of a type, as the game loads its sprites.
    SDL_Surface* shapes[2] = {};
    bool all = LoadShapes(archive, shapes, kType, 0, 2, KEY_BOTTOM_RIGHT);
    FUZZ_CHECK(!all && shapes[1] == nullptr);  // there is no second entry
    FUZZ_CHECK((shapes[0] != nullptr) == (image != nullptr));
    FreeImages(shapes, 2);

    std::uint8_t table[256 * 4];
    PaletteFromTriples(bytes, size, table);
    for (std::size_t i = 0; i < 256; ++i) {
        bool given = i < size / 3;
        FUZZ_CHECK(table[4 * i + 3] == 0);
        FUZZ_CHECK(given ? std::memcmp(table + 4 * i, bytes + 3 * i, 3) == 0
                         : table[4 * i] == 0 && table[4 * i + 1] == 0 && table[4 * i + 2] == 0);
    }
    SetPaletteFrom(archive, kType, 0);
    return 0;
}
