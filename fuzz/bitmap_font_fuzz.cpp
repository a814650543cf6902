// The program's bitmap fonts on hostile bytes: measured and drawn into an
// off-screen surface. A text's width is the sum of its characters' widths,
// its height the font's, and no pixel is drawn outside the box they make.

#include "FuzzScratch.h"
#include "FuzzScreen.h"
#include "gfx/TFont.h"
#include "gfx/Text.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace {

constexpr int kWidth = 256, kHeight = 128;

// True when the pixels [from, to) of the row are all 0.
bool Blank(const SDL_Surface* screen, int row, int from, int to)
{
    static const std::uint16_t zeros[kWidth] = {};
    from = std::max(from, 0);
    to = std::min(to, screen->w);
    if (from >= to)
        return true;
    const auto* pixels = static_cast<const std::uint8_t*>(screen->pixels) + row * screen->pitch + from * 2;
    return std::memcmp(pixels, zeros, static_cast<std::size_t>(to - from) * 2) == 0;
}

// Draws the text with its top-left corner at (x, y) and checks that no
// pixel is inked outside the text's box.
void DrawAndCheck(SDL_Surface* screen, int x, int y, const std::string& text)
{
    int w = TextWidth(text.c_str()), h = LineHeight();
    theScreen.hAnchor = 0;
    theScreen.vAnchor = 2;
    DrawText(x, y, text.c_str());
    for (int row = 0; row < screen->h; ++row) {
        if (row < y || row >= y + h)
            FUZZ_CHECK(Blank(screen, row, 0, screen->w));
        else
            FUZZ_CHECK(Blank(screen, row, 0, x) && Blank(screen, row, x + w, screen->w));
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size)
{
    SDL_Surface* screen = fuzz::OffScreen(kWidth, kHeight);
    std::unique_ptr<TFont> font = TFont::FromBitmap(bytes, size);
    bool isFont = size >= 12 && bytes[0] == 0xB4 && bytes[1] == 0xF7;
    FUZZ_CHECK(static_cast<bool>(font) == isFont);
    if (!font)
        return 0;
    FUZZ_CHECK(font->IsBitmap() && font->BitmapSize() == size);
    theScreen.font = font.get();
    FUZZ_CHECK(LineHeight() == bytes[10]);

    // Widths add up, character by character.
    std::string all;
    int sum = 0;
    for (int code = 1; code < 256; ++code) {
        char c[2] = {static_cast<char>(code), 0};
        int w = TextWidth(c);
        FUZZ_CHECK(w >= 0 && w <= 255);
        sum += w;
        all.push_back(c[0]);
    }
    FUZZ_CHECK(TextWidth(all.c_str()) == sum);
    FUZZ_CHECK(HotkeyTextWidth("~A~bc") == TextWidth("Abc"));

    // A few characters of the font drawn inside the surface, and a text
    // that runs off its edges (clipped, never written outside).
    const int first = bytes[7];
    std::string text;
    for (int code : {first, first + 1, int{'A'}})
        if (code > 0 && code < 256)
            text.push_back(static_cast<char>(code));
    DrawAndCheck(screen, 3, 2, text);
    for (const std::string& line : WrapText("uno due tre quattro", 2 * TextWidth("uno")))
        FUZZ_CHECK(TextWidth(line.c_str()) <= 2 * TextWidth("uno") || line.find(' ') == std::string::npos);
    theScreen.hAnchor = 2;
    theScreen.vAnchor = 0;
    DrawText(5, 5, text.substr(0, 1).c_str());
    theScreen.hAnchor = 1;
    theScreen.vAnchor = 1;
    DrawHotkeyText(10, kWidth - 2, kHeight - 2, "~S~alva");
    theScreen.font = nullptr;
    return 0;
}
