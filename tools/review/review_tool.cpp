// Draws review sheets of what the resource archive holds, so a person can
// look at every picture, every bitmap font's characters and the palette.
//
//   quoli-review ARCHIVE OUTDIR
//
// Writes OUTDIR/palette.bmp, OUTDIR/font-N.bmp and OUTDIR/picture-T-N.bmp
// (the pictures on a checkerboard, so transparent parts show).

#include "resources/LittleEndian.h"
#include "resources/TJoinFile.h"

#include "SDL.h"

#include <cstdio>
#include <string>

namespace {

void Fill(SDL_Surface* s, int x, int y, int w, int h, Uint8 r, Uint8 g, Uint8 b)
{
    SDL_Rect rect = {static_cast<Sint16>(x), static_cast<Sint16>(y), static_cast<Uint16>(w), static_cast<Uint16>(h)};
    SDL_FillRect(s, &rect, SDL_MapRGB(s->format, r, g, b));
}

SDL_Surface* NewSheet(int w, int h)
{
    return SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, 24, 0xFF0000, 0xFF00, 0xFF, 0);
}

bool Palette(TJoinFile& archive, const std::string& folder)
{
    TJoinElement* entry = archive.LoadItem(2, 0);
    if (!entry)
        return false;
    SDL_Surface* sheet = NewSheet(16 * 24, 16 * 24);
    for (std::size_t i = 0; i + 2 < entry->DataLength() && i / 3 < 256; i += 3) {
        int n = static_cast<int>(i / 3);
        Fill(sheet, (n % 16) * 24 + 1, (n / 16) * 24 + 1, 22, 22, entry->Data()[i], entry->Data()[i + 1],
             entry->Data()[i + 2]);
    }
    SDL_SaveBMP(sheet, (folder + "/palette.bmp").c_str());
    SDL_FreeSurface(sheet);
    TJoinFile::Release(entry);
    return true;
}

// Draws one character of a proportional bitmap font; returns its advance.
int Glyph(const unsigned char* font, std::size_t size, int code, SDL_Surface* sheet, int x, int y)
{
    int first = font[7];
    int count = GetLE16(font + 8);
    int height = font[10];
    if (font[6] != 1 || code < first || code >= first + count)
        return 0;
    std::size_t area = 12 + 2 * static_cast<std::size_t>(count);
    std::size_t at = area + GetLE16(font + 12 + 2 * (code - first));
    if (at >= size)
        return 0;
    int width = font[at];
    int rowBytes = (width + 7) / 8;
    if (at + 1 + static_cast<std::size_t>(rowBytes) * height > size)
        return 0;
    for (int row = 0; row < height; ++row)
        for (int col = 0; col < width; ++col)
            if (font[at + 1 + row * rowBytes + col / 8] & (0x80 >> (col % 8)))
                Fill(sheet, x + col, y + row, 1, 1, 0, 0, 0);
    return width;
}

void Font(TJoinFile& archive, int number, const std::string& folder)
{
    TJoinElement* entry = archive.LoadItem(5, number);
    if (!entry || entry->DataLength() < 12 || GetLE16(entry->Data()) != 0xF7B4)
        return;
    const unsigned char* font = entry->Data();
    int height = font[10];
    int cell = height + 8;
    SDL_Surface* sheet = NewSheet(16 * cell * 2, 14 * (cell + 4));
    Fill(sheet, 0, 0, sheet->w, sheet->h, 255, 255, 240);
    for (int code = 32; code < 256; ++code) {
        int row = (code - 32) / 16, col = code % 16;
        Fill(sheet, col * cell * 2, row * (cell + 4), cell * 2 - 1, 1, 200, 200, 255);
        Glyph(font, entry->DataLength(), code, sheet, col * cell * 2 + 4, row * (cell + 4) + 3);
    }
    SDL_SaveBMP(sheet, (folder + "/font-" + std::to_string(number) + ".bmp").c_str());
    SDL_FreeSurface(sheet);
    TJoinFile::Release(entry);
}

void Pictures(TJoinFile& archive, const std::string& folder)
{
    for (int i = 0; i < archive.Count(); ++i) {
        TJoinElement* e = archive.Entry(i);
        if (e->type < 3 || e->type == 5 || !archive.LoadEntry(i))
            continue;
        SDL_Surface* picture = SDL_LoadBMP_RW(SDL_RWFromConstMem(e->Data(), static_cast<int>(e->DataLength())), 1);
        if (picture) {
            SDL_Surface* sheet = NewSheet(picture->w + 16, picture->h + 16);
            for (int y = 0; y < sheet->h; y += 8)
                for (int x = 0; x < sheet->w; x += 8)
                    Fill(sheet, x, y, 8, 8, ((x + y) / 8) % 2 ? 200 : 150, 200, ((x + y) / 8) % 2 ? 200 : 150);
            // Keyed like the program keys them: by the top-left pixel.
            if (picture->format->BitsPerPixel == 8)
                SDL_SetColorKey(picture, SDL_SRCCOLORKEY, *static_cast<Uint8*>(picture->pixels));
            SDL_Rect at = {8, 8, 0, 0};
            SDL_BlitSurface(picture, nullptr, sheet, &at);
            char name[64];
            std::snprintf(name, sizeof name, "/picture-%d-%s.bmp", e->type, e->name);
            SDL_SaveBMP(sheet, (folder + name).c_str());
            SDL_FreeSurface(sheet);
            SDL_FreeSurface(picture);
        }
        e->Release();
    }
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: quoli-review ARCHIVE OUTDIR\n");
        return 2;
    }
    TJoinFile archive(argv[1]);
    if (archive.LoadDirectory() == 0) {
        std::fprintf(stderr, "%s: not an archive\n", argv[1]);
        return 1;
    }
    std::string folder = argv[2];
    Palette(archive, folder);
    for (int n = 0; n < 3; ++n)
        Font(archive, n, folder);
    Pictures(archive, folder);
    return 0;
}
