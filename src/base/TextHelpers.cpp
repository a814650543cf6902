#include "base/TextHelpers.h"

#include "base/dstring.h"

#include <cstring>

char ToUpperAscii(char c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

char ToLowerAscii(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

void UpperCaseText(char* text)
{
    for (char* p = text; p && *p; ++p)
        *p = ToUpperAscii(*p);
}

void LowerCaseText(char* text)
{
    for (char* p = text; p && *p; ++p)
        *p = ToLowerAscii(*p);
}

int CompareNoCase(const char* a, const char* b)
{
    for (;; ++a, ++b) {
        auto ca = static_cast<unsigned char>(ToLowerAscii(*a));
        auto cb = static_cast<unsigned char>(ToLowerAscii(*b));
        if (ca != cb || ca == 0)
            return ca - cb;
    }
}

bool EqualsNoCase(const char* a, const char* b)
{
    return a && b && CompareNoCase(a, b) == 0;
}

char FoldLatin1(char c)
{
    auto u = static_cast<unsigned char>(c);
    if ((u >= 'A' && u <= 'Z') || (u >= 0xC0 && u <= 0xDE && u != 0xD7))
        return static_cast<char>(u + 0x20);
    return c;
}

bool EqualsFolded(const std::string& a, const std::string& b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (FoldLatin1(a[i]) != FoldLatin1(b[i]))
            return false;
    return true;
}

void RemoveChar(char* text, char c)
{
    if (!text)
        return;
    char* out = text;
    for (const char* p = text; *p; ++p)
        if (*p != c)
            *out++ = *p;
    *out = 0;
}

void RemoveTabs(char* text)
{
    RemoveChar(text, '\t');
}

void TrimLeadingSpaces(char* text)
{
    if (!text)
        return;
    std::size_t skip = std::strspn(text, " ");
    if (skip)
        std::memmove(text, text + skip, std::strlen(text + skip) + 1);
}

void TrimTrailingSpaces(char* text)
{
    if (!text)
        return;
    std::size_t n = std::strlen(text);
    while (n > 0 && text[n - 1] == ' ')
        text[--n] = 0;
}

void TrimSpaces(char* text)
{
    TrimTrailingSpaces(text);
    TrimLeadingSpaces(text);
}

void CollapseSpaces(char* text)
{
    if (!text)
        return;
    char* out = text;
    for (const char* p = text; *p; ++p)
        if (!(*p == ' ' && out > text && out[-1] == ' '))
            *out++ = *p;
    *out = 0;
}

int FindInText(const dstring* element, const char* substring)
{
    if (!element || !element->HasText() || !substring)
        return -1;
    const char* text = element->Text();
    const char* found = std::strstr(text, substring);
    return found ? static_cast<int>(found - text) : -1;
}

int FindCharInText(const dstring* element, char c)
{
    if (!element || !element->HasText())
        return -1;
    const char* text = element->Text();
    const char* found = std::strchr(text, c);
    return (found && c != 0) ? static_cast<int>(found - text) : -1;
}

static std::string Replace(const char* text, const char* what, const char* with, bool every)
{
    if (!text)
        return std::string();
    std::string result(text);
    if (!what || !*what)
        return result;
    std::string replacement = with ? with : "";
    std::size_t length = std::strlen(what);
    std::size_t at = 0;
    while ((at = result.find(what, at)) != std::string::npos) {
        result.replace(at, length, replacement);
        at += replacement.size();
        if (!every)
            break;
    }
    return result;
}

std::string ReplaceFirst(const char* text, const char* what, const char* with)
{
    return Replace(text, what, with, false);
}

std::string ReplaceAll(const char* text, const char* what, const char* with)
{
    return Replace(text, what, with, true);
}

std::string WithoutHotkeyMarks(const char* text)
{
    std::string plain;
    for (const char* p = text ? text : ""; *p; ++p)
        if (*p != '~')
            plain.push_back(*p);
    return plain;
}
