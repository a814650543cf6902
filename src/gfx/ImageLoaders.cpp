#include "gfx/ImageLoaders.h"

#include "gfx/Images.h"
#include "gfx/Screen.h"
#include "resources/Archives.h"
#include "resources/LittleEndian.h"
#include "resources/TJoinFile.h"

#include <cstdint>
#include <cstdio>
#include <cstring>

TJoinFile* theArchive = nullptr;
TJoinFile* theEffectsArchive = nullptr;

namespace {

// The loader trusts the header's bit count: one it does not know gives a
// surface no blit can draw (SDL reads through a missing palette). Only the
// counts BMP files use get through.
bool KnownBitCount(const unsigned char* bmp, std::size_t size)
{
    if (size < 30)
        return false;
    std::size_t at = GetLE32(bmp + 14) == 12 ? 24 : 28;  // the old OS/2 header keeps it earlier
    switch (GetLE16(bmp + at)) {
    case 1: case 4: case 8: case 15: case 16: case 24: case 32: return true;
    default: return false;
    }
}

// The loader makes the whole surface before it reads a row, so a header
// asking for more rows than the file holds has it allocate up to gigabytes
// (or an overflowed size) for a picture it then gives up on. Each row takes at
// least its pixels' bytes; a picture whose rows cannot all be there, or one
// with a negative width, is refused first.
bool PixelsCanFit(const unsigned char* bmp, std::size_t size)
{
    std::int64_t width = 0;
    std::int64_t height = 0;
    int bits = 0;
    if (GetLE32(bmp + 14) == 12) {
        width = GetLE16(bmp + 18);
        height = GetLE16(bmp + 20);
        bits = GetLE16(bmp + 24);
    } else {
        width = static_cast<std::int32_t>(GetLE32(bmp + 18));
        height = static_cast<std::int32_t>(GetLE32(bmp + 22));
        bits = GetLE16(bmp + 28);
    }
    if (width < 0)
        return false;
    if (height < 0)
        height = -height;  // rows stored top to bottom
    std::int64_t rowBytes = (width * bits + 7) / 8;
    return rowBytes == 0 || height <= static_cast<std::int64_t>(size) / rowBytes;
}

SDL_Surface* Decode(TJoinElement* entry)
{
    if (!entry || !entry->Data())
        return nullptr;
    SDL_Surface* image = nullptr;
    if (KnownBitCount(entry->Data(), entry->DataLength()) && PixelsCanFit(entry->Data(), entry->DataLength())) {
        SDL_RWops* rw = SDL_RWFromConstMem(entry->Data(), static_cast<int>(entry->DataLength()));
        image = rw ? SDL_LoadBMP_RW(rw, 1) : nullptr;
    }
    entry->Release();
    return image;
}

}  // namespace

SDL_Surface* LoadImage(TJoinFile& archive, int type, int number)
{
    return Decode(archive.LoadItem(type, number));
}

SDL_Surface* LoadImageKeyed(TJoinFile& archive, int type, int number, std::uint32_t key)
{
    SDL_Surface* image = LoadImage(archive, type, number);
    if (image)
        SetImageKey(image, key);
    return image;
}

bool LoadShapes(TJoinFile& archive, SDL_Surface** images, int type, int first, int count, std::uint32_t key)
{
    int base = archive.FindType(type);
    if (base < 0)
        return false;
    bool all = true;
    for (int i = 0; i < count; ++i) {
        int index = base + first + i;
        images[i] = archive.LoadEntry(index) ? Decode(archive.Entry(index)) : nullptr;
        if (!images[i]) {
            std::fprintf(stderr, "Warning: Can't load shape %d\n", index);
            all = false;
            continue;
        }
        if (key != 0)
            SetImageKey(images[i], key);
    }
    return all;
}

void PaletteFromTriples(const unsigned char* data, std::size_t size, std::uint8_t table[256 * 4])
{
    std::memset(table, 0, 256 * 4);
    std::size_t colours = size / 3;
    if (colours > 256)
        colours = 256;
    for (std::size_t i = 0; i < colours; ++i) {
        table[i * 4] = data[i * 3];
        table[i * 4 + 1] = data[i * 3 + 1];
        table[i * 4 + 2] = data[i * 3 + 2];
    }
}

void SetPaletteFrom(TJoinFile& archive, int type, int number)
{
    TJoinElement* entry = archive.LoadItem(type, number);
    if (!entry) {
        std::fprintf(stderr, "Cannot find Bookmark %d,%d\n", type, number);
        return;
    }
    std::uint8_t table[256 * 4];
    PaletteFromTriples(entry->Data(), entry->DataLength(), table);
    SetPalette(table);
    entry->Release();
}

void FreeImages(SDL_Surface** images, int count)
{
    for (int i = 0; i < count; ++i)
        if (images[i]) {
            SDL_FreeSurface(images[i]);
            images[i] = nullptr;
        }
}

SDL_Surface* LoadImage(int type, int number)
{
    return theArchive ? LoadImage(*theArchive, type, number) : nullptr;
}

bool LoadShapes(SDL_Surface** images, int type, int first, int count, std::uint32_t key)
{
    return theArchive && LoadShapes(*theArchive, images, type, first, count, key);
}

void SetPaletteFrom(int type, int number)
{
    if (theArchive)
        SetPaletteFrom(*theArchive, type, number);
}
