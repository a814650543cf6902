#include "gfx/Text.h"

#include "base/TextHelpers.h"
#include "gfx/Colours.h"
#include "gfx/Images.h"
#include "gfx/Primitives.h"
#include "gfx/Screen.h"
#include "gfx/TFont.h"
#include "resources/LittleEndian.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <map>
#include <string>
#include <tuple>

namespace {

// One glyph of a bitmap font, checked against the font's block.
struct Glyph {
    const unsigned char* rows = nullptr;  // null: no glyph
    int width = 0;      // advance and drawn width
    int rowBytes = 0;   // stride between rows
    int bytesUsed = 0;  // bytes of a row that hold pixels
};

Glyph FindGlyph(const TFont& font, unsigned char code)
{
    Glyph g;
    const unsigned char* f = font.Bitmap();
    std::size_t size = font.BitmapSize();
    if (size < 12)
        return g;
    int first = f[7], count = GetLE16(f + 8), height = f[10];
    if (code < first || code >= first + count)
        return g;
    int k = code - first;
    if (f[6] == 0) {
        if (size < 14)
            return g;
        int width = f[11], stride = f[12];
        std::size_t at = 14 + static_cast<std::size_t>(k) * height * stride;
        if (at + static_cast<std::size_t>(height) * stride > size || (width + 7) / 8 > stride)
            return g;
        return {f + at, width, stride, (width + 7) / 8};
    }
    std::size_t table = 12 + 2 * static_cast<std::size_t>(k);
    std::size_t area = 12 + 2 * static_cast<std::size_t>(count);
    if (table + 2 > size)
        return g;
    std::size_t at = area + GetLE16(f + table);
    if (at >= size)
        return g;
    int width = f[at];
    int stride = (width + 7) / 8;
    if (at + 1 + static_cast<std::size_t>(stride) * height > size)
        return g;
    return {f + at + 1, width, stride, stride};
}

TFont* Current()
{
    return theScreen.font;
}

// Texts rendered lately, so that one drawn again and again (a score, a
// count of lives) is rendered once. Blitting the same picture gives the
// same pixels.
struct RenderedKey {
    const void* font;
    std::uint32_t rgb;
    bool solid;
    std::string text;
    bool operator<(const RenderedKey& o) const
    {
        return std::tie(font, rgb, solid, text) < std::tie(o.font, o.rgb, o.solid, o.text);
    }
};
constexpr std::size_t kMostRendered = 256;
std::map<RenderedKey, SurfacePtr> rendered;

SDL_Surface* RenderTrueType(TTF_Font* ttf, const char* text)
{
    Uint8 r, g, b;
    SDL_GetRGB(theScreen.pen, theScreen.surface->format, &r, &g, &b);
    RenderedKey key = {ttf, (std::uint32_t(r) << 16) | (std::uint32_t(g) << 8) | b, theScreen.palettised, text};
    auto found = rendered.find(key);
    if (found != rendered.end())
        return found->second.get();
    SDL_Color colour = {r, g, b, 0};
    SurfacePtr made(theScreen.palettised ? TTF_RenderText_Solid(ttf, text, colour) : TTF_RenderText_Blended(ttf, text, colour));
    if (!made)
        return nullptr;
    if (rendered.size() >= kMostRendered)
        rendered.clear();  // the texts of one screen are few; a new screen starts afresh
    return rendered.emplace(std::move(key), std::move(made)).first->second.get();
}

// SDL_ttf copies a text onto the stack to measure or draw it, and a
// surface's row length is 16 bits: a help page's 10 MB word would overflow
// both. Long texts go to it in pieces of this many characters.
constexpr std::size_t kTrueTypeChunk = 256;

// Calls `each` with the text's pieces in order while it answers true.
template <typename F>
void ForEachChunk(const char* text, F each)
{
    std::size_t length = std::strlen(text);
    std::string chunk;
    for (std::size_t at = 0; at < length; at += kTrueTypeChunk) {
        chunk.assign(text + at, std::min(kTrueTypeChunk, length - at));
        if (!each(chunk.c_str()))
            return;
    }
}

void Anchor(int x, int y, int w, int h, int& left, int& top)
{
    left = theScreen.hAnchor == 1 ? x - (w - 1) / 2 : theScreen.hAnchor == 2 ? x - w + 2 : x;
    top = theScreen.vAnchor == 0 ? y - h + 1 : theScreen.vAnchor == 1 ? y - (h - 1) / 2 + 1 : y;
}

}  // namespace

int LineHeight()
{
    TFont* font = Current();
    if (!font)
        return 0;
    return font->IsBitmap() ? font->Bitmap()[10] : TTF_FontLineSkip(font->TrueType());
}

int TextWidth(const char* text)
{
    TFont* font = Current();
    if (!font || !text)
        return 0;
    if (!font->IsBitmap()) {
        int width = 0;
        ForEachChunk(text, [&](const char* chunk) {
            int w = 0;
            TTF_SizeText(font->TrueType(), chunk, &w, nullptr);
            width += w;
            return true;
        });
        return width;
    }
    std::vector<int>& widths = font->BitmapWidths();
    if (widths.empty())
        for (int code = 0; code < 256; ++code)
            widths.push_back(FindGlyph(*font, static_cast<unsigned char>(code)).width);
    int width = 0;
    for (const char* p = text; *p; ++p)
        width += widths[static_cast<unsigned char>(*p)];
    return width;
}

std::vector<std::string> WrapText(const char* text, int width)
{
    std::vector<std::string> lines;
    std::string line, word;
    auto flushWord = [&]() {
        if (word.empty())
            return;
        std::string longer = line.empty() ? word : line + " " + word;
        if (!line.empty() && TextWidth(longer.c_str()) > width) {
            lines.push_back(line);
            line = word;
        } else {
            line = longer;
        }
        word.clear();
    };
    for (const char* p = text ? text : ""; *p; ++p) {
        if (*p == ' ')
            flushWord();
        else
            word.push_back(*p);
    }
    flushWord();
    if (!line.empty())
        lines.push_back(line);
    return lines;
}

namespace {

std::vector<std::string>* drawnTexts = nullptr;
std::vector<DrawnTextLook>* textLooks = nullptr;

// The colour most of `box` holds on the screen.
std::uint32_t CommonColourIn(Rect box)
{
    Rect screen = {0, 0, theScreen.width - 1, theScreen.height - 1};
    if (!ClipRect(box, screen) || !ClipRect(box, theScreen.clip))
        return 0;
    std::map<std::uint32_t, int> counts;
    LockScreen();
    for (int y = box.top; y <= box.bottom; ++y)
        for (int x = box.left; x <= box.right; ++x)
            ++counts[GetPixel(x, y)];
    UnlockScreen();
    auto most = std::max_element(counts.begin(), counts.end(),
                                 [](const auto& a, const auto& b) { return a.second < b.second; });
    return most == counts.end() ? 0 : most->first;
}

void LogLook(int x, int y, const char* text)
{
    if (!theScreen.surface || !Current())
        return;
    DrawnTextLook look;
    look.text = text;
    look.box = TextBounds(x, y, TextWidth(text));
    SDL_GetRGB(theScreen.pen, theScreen.surface->format, &look.ink[0], &look.ink[1], &look.ink[2]);
    SDL_GetRGB(CommonColourIn(look.box), theScreen.surface->format, &look.ground[0], &look.ground[1], &look.ground[2]);
    textLooks->push_back(look);
}

}  // namespace

void LogTextLooks(std::vector<DrawnTextLook>* log)
{
    textLooks = log;
}

void LogDrawnTexts(std::vector<std::string>* log)
{
    drawnTexts = log;
}

void DrawText(int x, int y, const char* text)
{
    if (drawnTexts && text)
        drawnTexts->push_back(text);
    if (textLooks && text && *text)
        LogLook(x, y, text);
    TFont* font = Current();
    if (!font || !text || !*text || !theScreen.surface)
        return;
    int left, top;
    if (!font->IsBitmap()) {
        if (std::strlen(text) <= kTrueTypeChunk) {
            SDL_Surface* picture = RenderTrueType(font->TrueType(), text);
            if (!picture)
                return;
            Anchor(x, y, picture->w, picture->h, left, top);
            DrawImage(left, top, picture);
            return;
        }
        // A long text is drawn a piece at a time, only as far as the screen.
        Anchor(x, y, TextWidth(text), TTF_FontHeight(font->TrueType()), left, top);
        ForEachChunk(text, [&](const char* chunk) {
            SDL_Surface* picture = RenderTrueType(font->TrueType(), chunk);
            if (picture) {
                DrawImage(left, top, picture);
                left += picture->w;
            }
            return left < theScreen.width;
        });
        return;
    }
    int w = TextWidth(text), h = font->Bitmap()[10];
    Anchor(x, y, w, h, left, top);
    LockScreen();
    for (const char* p = text; *p; ++p) {
        Glyph g = FindGlyph(*font, static_cast<unsigned char>(*p));
        if (!g.rows)
            continue;
        for (int row = 0; row < h; ++row)
            for (int col = 0; col < g.width; ++col)
                if (g.rows[row * g.rowBytes + col / 8] & (0x80 >> (col % 8)))
                    PutPixel(left + col, top + row, theScreen.pen);
        left += g.width;
    }
    UnlockScreen();
    Anchor(x, y, w, h, left, top);
    MarkDirty(left, top, left + w - 1, top + h - 1);
}

Rect TextBounds(int x, int y, int width)
{
    TFont* font = Current();
    int h = 0;
    if (font)
        h = font->IsBitmap() ? font->Bitmap()[10] : TTF_FontHeight(font->TrueType());
    int left, top;
    Anchor(x, y, width, h, left, top);
    return {left, top, left + width - 1, top + h - 1};
}

int HotkeyTextWidth(const char* text)
{
    return text ? TextWidth(WithoutHotkeyMarks(text).c_str()) : 0;
}

namespace {

// A line just under the baseline of a text drawn in `box`, in the pen.
void Underline(const Rect& box)
{
    TFont* font = Current();
    if (!font)
        return;
    int height = box.bottom - box.top + 1;
    // A proportional bitmap font keeps its ascent in its header.
    int ascent = !font->IsBitmap()            ? TTF_FontAscent(font->TrueType())
                 : font->BitmapSize() >= 12 && font->Bitmap()[6] == 1 ? font->Bitmap()[11]
                                              : height * 4 / 5;
    int thickness = std::max(1, height / 14);
    int y = std::min(box.top + ascent + 1, box.bottom - thickness + 1);
    FillBox(box.left, y, box.right, y + thickness - 1, theScreen.pen);
}

}  // namespace

void DrawHotkeyText(int hotkeyRole, int x, int y, const char* text)
{
    if (!text)
        return;
    DrawingState saved;
    std::uint8_t hAnchor = theScreen.hAnchor;
    std::uint32_t pen = theScreen.pen;
    int w = HotkeyTextWidth(text);
    if (hAnchor == 1)
        x -= (w - 1) / 2;
    else if (hAnchor == 2)
        x -= w - 2;
    theScreen.hAnchor = 0;
    bool highlighted = false;
    std::string piece;
    auto flush = [&] {
        if (!piece.empty()) {
            std::uint32_t colour = pen;
            if (highlighted && hotkeyRole >= 0)
                colour = SchemeColour(hotkeyRole);
            bool underlined = highlighted && (hotkeyRole >= 0 || hotkeyRole == kHotkeyInPen);
            theScreen.pen = MapColour(colour);
            DrawText(x, y, piece.c_str());
            int pieceWidth = TextWidth(piece.c_str());
            // Underlined too: the letter to press shows without telling
            // colours apart.
            if (underlined)
                Underline(TextBounds(x, y, pieceWidth));
            x += pieceWidth;
        }
        piece.clear();
    };
    for (const char* p = text; *p; ++p) {
        if (*p == '~') {
            flush();
            highlighted = !highlighted;
        } else {
            piece.push_back(*p);
        }
    }
    flush();
}

bool InkedRows(const char* text, int& first, int& last)
{
    TFont* font = Current();
    first = INT_MAX;
    last = -1;
    if (!font || !text || !*text)
        return false;
    if (font->IsBitmap()) {
        int height = font->BitmapSize() > 10 ? font->Bitmap()[10] : 0;
        for (const char* p = text; *p; ++p) {
            Glyph g = FindGlyph(*font, static_cast<unsigned char>(*p));
            for (int row = 0; g.rows && row < height; ++row)
                for (int b = 0; b < g.bytesUsed; ++b)
                    if (g.rows[row * g.rowBytes + b]) {
                        first = std::min(first, row);
                        last = std::max(last, row);
                        break;
                    }
        }
        return last >= 0;
    }
    SurfacePtr rendered(TTF_RenderText_Blended(font->TrueType(), text, SDL_Color{255, 255, 255, 0}));
    if (!rendered || rendered->format->BytesPerPixel != 4)
        return false;
    SDL_Surface* s = rendered.get();
    for (int row = 0; row < s->h; ++row) {
        const auto* p = reinterpret_cast<const Uint32*>(static_cast<const Uint8*>(s->pixels) + row * s->pitch);
        for (int x = 0; x < s->w; ++x)
            if (p[x] & s->format->Amask) {
                first = std::min(first, row);
                last = row;
                break;
            }
    }
    return last >= 0;
}

SDL_Surface* RenderTextSurface(const char* text)
{
    TFont* font = Current();
    if (!font || font->IsBitmap() || !text || !*text || !theScreen.surface)
        return nullptr;
    SDL_Surface* s = RenderTrueType(font->TrueType(), text);  // kept by the cache
    if (!s)
        return nullptr;
    int bpp = s->format->BytesPerPixel;
    // Blended text fills the whole surface with its colour and draws with
    // alpha: ink is where alpha is not zero. Solid text draws index 1 on 0.
    Uint32 inkMask = bpp == 4 && s->format->Amask ? s->format->Amask : 0xFFFFFFFFu;
    auto inked = [&](int row) {
        const Uint8* p = static_cast<const Uint8*>(s->pixels) + row * s->pitch;
        for (int x = 0; x < s->w; ++x) {
            Uint32 value = bpp == 4 ? reinterpret_cast<const Uint32*>(p)[x] : bpp == 2 ? reinterpret_cast<const Uint16*>(p)[x] : p[x];
            if (value & inkMask)
                return true;
        }
        return false;
    };
    SDL_LockSurface(s);
    int first = 0, last = s->h - 1;
    while (first < s->h && !inked(first))
        ++first;
    while (last >= first && !inked(last))
        --last;
    SDL_Surface* out = nullptr;
    if (first <= last) {
        int height = last - first + 1;
        out = bpp == 1 ? SDL_CreateRGBSurface(SDL_SWSURFACE, s->w, height, 8, 0, 0, 0, 0)
                       : SDL_CreateRGBSurface(SDL_SWSURFACE, s->w, height, s->format->BitsPerPixel, 0xFF0000,
                                              0xFF00, 0xFF, 0xFF000000);
        if (out) {
            if (bpp == 1 && s->format->palette)
                SDL_SetColors(out, s->format->palette->colors, 0, s->format->palette->ncolors);
            for (int row = 0; row < height; ++row)
                std::memcpy(static_cast<Uint8*>(out->pixels) + row * out->pitch,
                            static_cast<const Uint8*>(s->pixels) + (first + row) * s->pitch,
                            static_cast<std::size_t>(s->w) * bpp);
        }
    }
    SDL_UnlockSurface(s);
    return out;
}

int HotkeyOf(const char* text)
{
    const char* tilde = text ? std::strchr(text, '~') : nullptr;
    if (!tilde || !tilde[1])
        return 0;
    unsigned char c = static_cast<unsigned char>(tilde[1]);
    return (c >= 'A' && c <= 'Z') ? c - 'A' + 'a' : c;
}

void ForgetRenderedTexts(const void* font)
{
    for (auto i = rendered.begin(); i != rendered.end();)
        i = (font == nullptr || i->first.font == font) ? rendered.erase(i) : std::next(i);
}
