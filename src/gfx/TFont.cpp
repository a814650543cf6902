#include "gfx/TFont.h"

#include "gfx/Screen.h"
#include "gfx/Text.h"
#include "platform/Files.h"
#include "platform/Paths.h"
#include "resources/LittleEndian.h"

TFont::~TFont()
{
    if (ttf_) {
        ForgetRenderedTexts(ttf_);  // another font may come to live at its address
        TTF_CloseFont(ttf_);
    }
}

std::unique_ptr<TFont> TFont::OpenTrueType(const std::string& path, int points)
{
    // An unreadable file gives no font without asking the library.
    if (!platform::OpenFile(path, "rb"))
        return nullptr;
    TTF_Font* ttf = TTF_OpenFont(platform::NativePath(path).c_str(), points);
    if (!ttf)
        return nullptr;
    std::unique_ptr<TFont> font(new TFont);
    font->ttf_ = ttf;
    return font;
}

std::unique_ptr<TFont> TFont::FromBitmap(const unsigned char* block, std::size_t size)
{
    if (!block || size < 12 || GetLE16(block) != kBitmapMagic)
        return nullptr;
    std::unique_ptr<TFont> font(new TFont);
    // The font keeps its own copy: the archive may free or reload the
    // entry it came from while the font is in use.
    font->ownBitmap_.assign(block, block + size);
    font->bitmap_ = font->ownBitmap_.data();
    font->bitmapSize_ = size;
    return font;
}

namespace {

TFont* defaultFont = nullptr;

}  // namespace

TFont* DefaultFont()
{
    return defaultFont;
}

void SetDefaultFont(TFont* font)
{
    defaultFont = font;
}

void CloseFont(std::unique_ptr<TFont>& font)
{
    if (font && theScreen.font == font.get())
        theScreen.font = nullptr;
    font.reset();
}
