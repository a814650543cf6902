#include "resources/IniFile.h"

#include "platform/Files.h"
#include "base/TextHelpers.h"

#include <cstring>

namespace {

// Drops trailing characters of `set`, never the line's first character.
void TrimEnd(char* text, const char* set)
{
    std::size_t n = std::strlen(text);
    while (n > 1 && std::strchr(set, text[n - 1]))
        text[--n] = 0;
}

}  // namespace

int ReadValue(const char* file, const char* section, const char* key, std::string& value, int& line)
{
    line = 0;
    platform::FilePtr in = platform::OpenFile(file ? file : "", "r");
    if (!in) {
        line = -2;
        return 0;
    }
    bool searching = !section || !*section;
    char buffer[1024];
    while (std::fgets(buffer, sizeof buffer, in.get())) {
        ++line;
        TrimEnd(buffer, "\r\n");
        if (char* comment = std::strchr(buffer, ';'))
            *comment = 0;
        TrimEnd(buffer, " \t");
        std::size_t length = std::strlen(buffer);
        if (length == 0)
            continue;
        if (buffer[0] == '[' && buffer[length - 1] == ']' && length >= 2) {
            if (searching)
                return 0;
            buffer[length - 1] = 0;
            searching = section && EqualsNoCase(buffer + 1, section);
            continue;
        }
        if (!searching)
            continue;
        char* equals = std::strchr(buffer, '=');
        if (!equals)
            continue;
        *equals = 0;
        if (key && EqualsNoCase(buffer, key)) {
            value = equals + 1;
            return 1;
        }
    }
    return 0;
}

std::string GetValue(const char* file, const char* section, const char* key, const char* fallback)
{
    std::string value;
    int line = 0;
    if (ReadValue(file, section, key, value, line) && !value.empty())
        return value;
    return fallback ? fallback : "";
}
