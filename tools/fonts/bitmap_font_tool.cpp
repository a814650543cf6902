// Rasterises a TrueType (or OpenType) face into the program's bitmap font
// format: magic 0xF7B4, proportional layout, one bit per pixel, so the
// program has readable text even where no font file can be opened.
//
//   quoli-bitmapfont FONTFILE POINTS OUT.fnt
//
// Codes 32..255 are present; 127..159 (control characters in Latin-1) get
// empty glyphs of no width. The rows no glyph inks, above the highest
// accent and below the lowest descender, are left out: a face made for
// readers (with room for stacked accents) keeps its letters' size without
// lines further apart than the screens can hold.

#include "SDL.h"
#include "SDL_ttf.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <vector>

namespace {

constexpr int kFirst = 32;
constexpr int kLast = 255;

void Put16(std::vector<unsigned char>& out, unsigned v)
{
    out.push_back(static_cast<unsigned char>(v & 0xFF));
    out.push_back(static_cast<unsigned char>((v >> 8) & 0xFF));
}

bool HasGlyph(int code)
{
    return code < 127 || code > 159;
}

// The rows of a glyph's picture that hold ink, widened into [top, bottom].
void InkedRows(TTF_Font* font, int code, int& top, int& bottom)
{
    if (!HasGlyph(code))
        return;
    char text[2] = {static_cast<char>(code), 0};
    SDL_Color white = {255, 255, 255, 0};
    SDL_Surface* s = TTF_RenderText_Solid(font, text, white);
    if (!s)
        return;
    for (int y = 0; y < s->h; ++y) {
        auto* row = static_cast<unsigned char*>(s->pixels) + y * s->pitch;
        for (int x = 0; x < s->w; ++x)
            if (row[x] != 0) {
                top = std::min(top, y);
                bottom = std::max(bottom, y);
                break;
            }
    }
    SDL_FreeSurface(s);
}

// One glyph: its advance, then `height` rows (from row `first` of its
// picture) of ceil(width / 8) bytes.
std::vector<unsigned char> Glyph(TTF_Font* font, int code, int first, int height)
{
    std::vector<unsigned char> glyph;
    if (!HasGlyph(code)) {
        glyph.push_back(0);
        return glyph;
    }
    char text[2] = {static_cast<char>(code), 0};
    SDL_Color white = {255, 255, 255, 0};
    SDL_Surface* s = TTF_RenderText_Solid(font, text, white);
    int width = 0;
    TTF_SizeText(font, text, &width, nullptr);
    if (width > 255)
        width = 255;
    glyph.push_back(static_cast<unsigned char>(width));
    int rowBytes = (width + 7) / 8;
    for (int y = 0; y < height; ++y) {
        for (int b = 0; b < rowBytes; ++b) {
            unsigned char bits = 0;
            for (int bit = 0; bit < 8; ++bit) {
                int x = b * 8 + bit;
                bool on = false;
                if (s && x < s->w && x < width && first + y < s->h) {
                    auto* row = static_cast<unsigned char*>(s->pixels) + (first + y) * s->pitch;
                    on = row[x] != 0;
                }
                if (on)
                    bits = static_cast<unsigned char>(bits | (0x80 >> bit));
            }
            glyph.push_back(bits);
        }
    }
    if (s)
        SDL_FreeSurface(s);
    return glyph;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: quoli-bitmapfont FONTFILE POINTS OUT.fnt\n");
        return 2;
    }
    if (TTF_Init() != 0) {
        std::fprintf(stderr, "TTF_Init: %s\n", TTF_GetError());
        return 1;
    }
    TTF_Font* font = TTF_OpenFont(argv[1], std::atoi(argv[2]));
    if (!font) {
        std::fprintf(stderr, "%s: %s\n", argv[1], TTF_GetError());
        return 1;
    }
    int top = TTF_FontHeight(font), bottom = -1;
    for (int code = kFirst; code <= kLast; ++code)
        InkedRows(font, code, top, bottom);
    if (bottom < top) {
        top = 0;
        bottom = TTF_FontHeight(font) - 1;
    }
    int height = bottom - top + 1;
    int count = kLast - kFirst + 1;

    std::vector<unsigned char> area;
    std::vector<unsigned> offsets;
    for (int code = kFirst; code <= kLast; ++code) {
        offsets.push_back(static_cast<unsigned>(area.size()));
        std::vector<unsigned char> glyph = Glyph(font, code, top, height);
        area.insert(area.end(), glyph.begin(), glyph.end());
    }
    if (area.size() > 0xFFFF) {
        std::fprintf(stderr, "%s at %s points is too large for 16-bit glyph offsets\n", argv[1], argv[2]);
        return 1;
    }

    std::vector<unsigned char> out;
    Put16(out, 0xF7B4);
    std::size_t total = 12 + 2 * count + area.size();
    Put16(out, static_cast<unsigned>(total & 0xFFFF));  // the block's size, for the curious
    Put16(out, static_cast<unsigned>(total >> 16));
    out.push_back(1);                                   // proportional
    out.push_back(static_cast<unsigned char>(kFirst));
    Put16(out, static_cast<unsigned>(count));
    out.push_back(static_cast<unsigned char>(height));
    out.push_back(static_cast<unsigned char>(std::max(0, TTF_FontAscent(font) - top)));
    for (unsigned offset : offsets)
        Put16(out, offset);
    out.insert(out.end(), area.begin(), area.end());

    TTF_CloseFont(font);
    TTF_Quit();
    std::ofstream file(argv[3], std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(out.data()), static_cast<std::streamsize>(out.size()));
    return file ? 0 : 1;
}
