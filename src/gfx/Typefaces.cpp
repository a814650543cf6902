#include "gfx/Typefaces.h"

#include "base/TextHelpers.h"
#include "gfx/TFont.h"

#include <cctype>

bool IsInterfaceFace(const std::string& stem)
{
    return EqualsNoCase(stem.c_str(), typeface::kInterface) || EqualsNoCase(stem.c_str(), typeface::kTitle);
}

std::string TypefaceName(const std::string& path)
{
    auto font = TFont::OpenTrueType(path, 12);
    if (!font || !font->TrueType())
        return std::string();
    const char* family = TTF_FontFaceFamilyName(font->TrueType());
    const char* style = TTF_FontFaceStyleName(font->TrueType());
    if (!family || !*family)
        return std::string();
    std::string name = family;
    static const char* const kPlainStyles[] = {"Regular", "Book", "Normal", "Roman"};
    bool plain = !style || !*style;
    for (const char* p : kPlainStyles)
        plain = plain || EqualsNoCase(style, p);
    if (!plain)
        name += std::string(" ") + style;
    return name;
}

std::string TidyFaceName(const std::string& stem)
{
    std::string name;
    for (char c : stem) {
        char shown = (c == '_' || c == '-') ? ' ' : c;
        if (shown == ' ' && (name.empty() || name.back() == ' '))
            continue;
        name += shown;
    }
    while (!name.empty() && name.back() == ' ')
        name.pop_back();
    if (!name.empty())
        name[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(name[0])));
    return name;
}
