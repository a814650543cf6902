// The program's bitmap fonts on hostile bytes: measured and drawn into an
// off-screen surface. A text's width is the sum of its characters' widths,
// its height the font's, and no pixel is drawn outside the box they make.

#include "FuzzScratch.h"
#include "FuzzScreen.h"
#include "gfx/TFont.h"
#include "gfx/Text.h"

#include <string>

namespace {

constexpr int kWidth = 640, kHeight = 300;

// Draws the text with its top-left corner at (x, y) and checks that every
// inked pixel lies inside the text's box.
void DrawAndCheck(SDL_Surface* screen, int x, int y, const std::string& text)
{
    int w = TextWidth(text.c_str()), h = LineHeight();
    theScreen.hAnchor = 0;
    theScreen.vAnchor = 2;
    DrawText(x, y, text.c_str());
    int inked = 0;
    for (int row = 0; row < screen->h; ++row)
        for (int col = 0; col < screen->w; ++col)
            if (fuzz::PixelAt(screen, col, row)) {
                FUZZ_CHECK(col >= x && col < x + w && row >= y && row < y + h);
                ++inked;
            }
    FUZZ_CHECK(inked <= w * h);
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
    for (int code : {first, first + 1, int{'A'}, 0xE0})
        if (code > 0 && code < 256)
            text.push_back(static_cast<char>(code));
    DrawAndCheck(screen, 3, 2, text);
    for (const std::string& line : WrapText("uno due tre quattro", 2 * TextWidth("uno")))
        FUZZ_CHECK(TextWidth(line.c_str()) <= 2 * TextWidth("uno") || line.find(' ') == std::string::npos);
    theScreen.hAnchor = 2;
    theScreen.vAnchor = 0;
    DrawText(5, 5, text.c_str());
    theScreen.hAnchor = 1;
    theScreen.vAnchor = 1;
    DrawHotkeyText(10, kWidth - 2, kHeight - 2, "~S~alva");
    theScreen.font = nullptr;
    return 0;
}
