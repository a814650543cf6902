// Pictures, fonts, sounds and music of the staged program folder: present,
// in the shapes the program reads, and playable by the real libraries.

#include "gfx/ColourTable.h"
#include "gfx/Screen.h"
#include "gfx/TFont.h"
#include "gfx/Text.h"
#include "resources/LittleEndian.h"
#include "resources/TJoinFile.h"

#include "SDL.h"
#include "SDL_mixer.h"
#include "SDL_ttf.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>

namespace {

std::string Staged(const std::string& name)
{
    return std::string(QUOLI_STAGE_DIR) + "/" + name;
}

struct Surface {
    SDL_Surface* s = nullptr;
    ~Surface()
    {
        if (s)
            SDL_FreeSurface(s);
    }
};

void Decode(TJoinFile& archive, int type, int number, Surface& out)
{
    TJoinElement* entry = archive.LoadItem(type, number);
    ASSERT_NE(entry, nullptr) << type << "/" << number;
    out.s = SDL_LoadBMP_RW(SDL_RWFromConstMem(entry->Data(), static_cast<int>(entry->DataLength())), 1);
    TJoinFile::Release(entry);
    ASSERT_NE(out.s, nullptr) << type << "/" << number << ": " << SDL_GetError();
}

}  // namespace

TEST(MediaContentTest, PaletteBeginsWithTheNamedColours)
{
    TJoinFile archive(Staged("resource.bin"));
    ASSERT_GT(archive.LoadDirectory(), 0);
    TJoinElement* palette = archive.LoadItem(2, 0);
    ASSERT_NE(palette, nullptr);
    ASSERT_EQ(palette->DataLength(), 768u);
    for (int n = 0; n < 32; ++n)
        for (int c = 0; c < 3; ++c)
            EXPECT_EQ(palette->Data()[n * 3 + c], c == 0 ? kColourTable[n].r : c == 1 ? kColourTable[n].g : kColourTable[n].b)
                << "colour " << n;
}

TEST(MediaContentTest, IconAndCursorAreWhatStartUpAccepts)
{
    TJoinFile archive(Staged("resource.bin"));
    ASSERT_GT(archive.LoadDirectory(), 0);
    Surface icon, cursor;
    Decode(archive, 3, 0, icon);
    EXPECT_EQ(icon.s->w % 8, 0);
    EXPECT_EQ(icon.s->w, 32);
    ASSERT_NE(icon.s->format->palette, nullptr);
    Decode(archive, 4, 0, cursor);
    ASSERT_EQ(cursor.s->format->BitsPerPixel, 8);
    auto* pixels = static_cast<Uint8*>(cursor.s->pixels);
    EXPECT_EQ(pixels[0], 24);  // transparent round the arrow
    int ink = 0;
    for (int y = 0; y < cursor.s->h; ++y)
        for (int x = 0; x < cursor.s->w; ++x)
            ink += pixels[y * cursor.s->pitch + x] != 24;
    EXPECT_GT(ink, 60);
}

TEST(MediaContentTest, TitlePicturesForEachScreenSize)
{
    TJoinFile archive(Staged("resource.bin"));
    ASSERT_GT(archive.LoadDirectory(), 0);
    const double scales[3] = {1, 1.25, 1.6};
    Surface base[2];
    Decode(archive, 6, 0, base[0]);
    Decode(archive, 6, 1, base[1]);
    for (int i = 0; i < 3; ++i)
        for (int k = 0; k < 2; ++k) {
            Surface picture;
            Decode(archive, 6, 2 * i + k, picture);
            EXPECT_NEAR(picture.s->w, base[k].s->w * scales[i], 1.0);
            EXPECT_NEAR(picture.s->h, base[k].s->h * scales[i], 1.0);
        }
    // The creature is keyed by its top-left pixel: it must be background.
    auto* pixels = static_cast<Uint8*>(base[0].s->pixels);
    EXPECT_EQ(base[0].s->format->BitsPerPixel, 8);
    EXPECT_EQ(pixels[0], 0);
}

TEST(MediaContentTest, BitmapFontsCoverLatinOneInsideTheirBlocks)
{
    TJoinFile archive(Staged("resource.bin"));
    ASSERT_GT(archive.LoadDirectory(), 0);
    for (int n = 0; n < 3; ++n) {
        SCOPED_TRACE(n);
        TJoinElement* font = archive.LoadItem(5, n);
        ASSERT_NE(font, nullptr);
        const unsigned char* f = font->Data();
        std::size_t size = font->DataLength();
        ASSERT_GT(size, 12u);
        EXPECT_EQ(GetLE16(f), 0xF7B4);
        EXPECT_EQ(f[6], 1);  // proportional
        int first = f[7], count = GetLE16(f + 8), height = f[10];
        EXPECT_LE(first, 32);
        EXPECT_GE(first + count - 1, 255);
        EXPECT_GE(height, 12);
        for (int code = 33; code <= 255; ++code) {
            if (code >= 127 && code <= 160)
                continue;
            std::size_t at = 12 + 2 * static_cast<std::size_t>(count) + GetLE16(f + 12 + 2 * (code - first));
            ASSERT_LT(at, size);
            int width = f[at];
            EXPECT_GT(width, 0) << code;
            EXPECT_LE(at + 1 + static_cast<std::size_t>((width + 7) / 8) * height, size);
        }
        TJoinFile::Release(font);
    }
}

// The interface's bitmap font is what every dialog shows at 640x480: a
// child reads capitals at least 11 pixels tall, with the accents of Italian
// capitals inside the line (À È É Ì Ò Ù).
TEST(MediaContentTest, TheInterfaceFontAt640HasCapitalsAChildReads)
{
    TJoinFile archive(Staged("resource.bin"));
    ASSERT_GT(archive.LoadDirectory(), 0);
    TJoinElement* entry = archive.LoadItem(5, 0);
    ASSERT_NE(entry, nullptr);
    std::unique_ptr<TFont> font = TFont::FromBitmap(entry->Data(), entry->DataLength());
    ASSERT_NE(font, nullptr);
    DrawingState saved;
    theScreen.font = font.get();
    int first, last;
    for (const char* capital : {"E", "H", "L", "T"}) {
        ASSERT_TRUE(InkedRows(capital, first, last)) << capital;
        EXPECT_GE(last - first + 1, 11) << capital << " is too small to read";
    }
    int capTop;
    ASSERT_TRUE(InkedRows("E", capTop, last));
    for (const char* accented : {"\xC0", "\xC8", "\xC9", "\xCC", "\xD2", "\xD9"}) {
        ASSERT_TRUE(InkedRows(accented, first, last));
        EXPECT_LT(first, capTop) << "the accent stands above the capital";
    }
    theScreen.font = nullptr;
    font.reset();
    TJoinFile::Release(entry);
}

TEST(MediaContentTest, StagedTypefacesDrawItalianAccents)
{
    ASSERT_EQ(TTF_Init(), 0);
    for (const char* name : {"menu", "title", "comicbd", "arialbd", "arial", "ariali", "arialbi"}) {
        TTF_Font* font = TTF_OpenFont(Staged(std::string("fonts/") + name + ".ttf").c_str(), 20);
        ASSERT_NE(font, nullptr) << name;
        for (int c : {0xE0, 0xE8, 0xE9, 0xEC, 0xF2, 0xF9, 0xC8})
            EXPECT_TRUE(TTF_GlyphIsProvided(font, static_cast<Uint16>(c))) << name << " lacks " << c;
        TTF_CloseFont(font);
    }
    TTF_Quit();
}

TEST(MediaContentTest, MusicAndEffectsPlayThroughTheMixer)
{
    ASSERT_EQ(SDL_Init(SDL_INIT_AUDIO), 0) << SDL_GetError();
    ASSERT_EQ(Mix_OpenAudio(22050, AUDIO_S16LSB, 1, 1024), 0) << Mix_GetError();
    for (const char* song : {"music/neutro1.xm", "music/quoli1.xm", "music/spazio1.xm"}) {
        Mix_Music* music = Mix_LoadMUS(Staged(song).c_str());
        ASSERT_NE(music, nullptr) << song << ": " << Mix_GetError();
        EXPECT_EQ(Mix_PlayMusic(music, -1), 0);
        EXPECT_EQ(Mix_PlayingMusic(), 1);
        Mix_HaltMusic();
        Mix_FreeMusic(music);
    }
    TJoinFile effects(Staged("effects.bin"));
    ASSERT_GT(effects.LoadDirectory(), 0);
    for (int theme = 1; theme <= 3; ++theme)
        for (int number = 0; number < 4; ++number) {
            TJoinElement* item = effects.LoadItem(theme, number);
            ASSERT_NE(item, nullptr) << theme << "/" << number;
            Mix_Chunk* chunk = Mix_LoadWAV_RW(SDL_RWFromConstMem(item->Data(), static_cast<int>(item->DataLength())), 1);
            ASSERT_NE(chunk, nullptr) << theme << "/" << number << ": " << Mix_GetError();
            double seconds = chunk->alen / (22050.0 * 2);
            EXPECT_GT(seconds, 0.05);
            EXPECT_LT(seconds, 1.5);
            // The first and last samples are silent: no click.
            auto* samples = reinterpret_cast<Sint16*>(chunk->abuf);
            EXPECT_LT(std::abs(samples[chunk->alen / 2 - 1]), 200);
            Mix_FreeChunk(chunk);
            TJoinFile::Release(item);
        }
    Mix_CloseAudio();
    SDL_Quit();
}
