#pragma once
// A font handle: a TrueType font of SDL_ttf, or one of the program's bitmap
// fonts (a block that starts with the 16-bit value 0xF7B4). Drawing and
// measuring look at which kind it is.

#include "SDL_ttf.h"

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

class TFont {
public:
    static constexpr unsigned kBitmapMagic = 0xF7B4;

    ~TFont();
    TFont(const TFont&) = delete;
    TFont& operator=(const TFont&) = delete;

    // Opens a TrueType file at a point size; null when the file cannot be
    // read or the library refuses it.
    static std::unique_ptr<TFont> OpenTrueType(const std::string& path, int points);
    // A bitmap font made from a copy of the block (an archive entry, which
    // may be released afterwards).
    static std::unique_ptr<TFont> FromBitmap(const unsigned char* block, std::size_t size);

    bool IsBitmap() const { return bitmap_ != nullptr; }
    TTF_Font* TrueType() const { return ttf_; }
    const unsigned char* Bitmap() const { return bitmap_; }
    std::size_t BitmapSize() const { return bitmapSize_; }
    // The widths of the 256 codes of a bitmap font, filled once by the text
    // functions on first use: measuring walks the glyph table, and texts
    // are measured often (every line a help page wraps).
    std::vector<int>& BitmapWidths() const { return bitmapWidths_; }

private:
    TFont() = default;
    TTF_Font* ttf_ = nullptr;
    std::vector<unsigned char> ownBitmap_;
    const unsigned char* bitmap_ = nullptr;
    std::size_t bitmapSize_ = 0;
    mutable std::vector<int> bitmapWidths_;
};

// Closes the font and, when it is the screen's current font, leaves the
// screen without one.
void CloseFont(std::unique_ptr<TFont>& font);

// The interface font every view starts with (set by the application).
TFont* DefaultFont();
void SetDefaultFont(TFont* font);
