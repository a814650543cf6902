#include "resources/IniFile.h"

#include "platform/Files.h"
#include "base/TextHelpers.h"

#include <cstring>
#include <vector>

namespace {

// Drops trailing characters of `set`, never the line's first character.
void TrimEnd(char* text, const char* set)
{
    std::size_t n = std::strlen(text);
    while (n > 1 && std::strchr(set, text[n - 1]))
        text[--n] = 0;
}

// A configuration file is a few lines; anything bigger is not one.
constexpr std::size_t kIniLimit = 1 << 20;

// The next line of the bytes from `at`: lines end at LF, CR LF or a CR
// alone (a file saved with old Macintosh line ends is still read). A line
// longer than the reader's 1023 characters reads as pieces.
bool NextLine(const std::vector<unsigned char>& bytes, std::size_t& at, std::string& line)
{
    if (at >= bytes.size())
        return false;
    line.clear();
    while (at < bytes.size() && bytes[at] != '\n' && bytes[at] != '\r') {
        if (line.size() == 1023)
            return true;
        line.push_back(static_cast<char>(bytes[at++]));
    }
    if (at < bytes.size() && bytes[at] == '\r')
        ++at;
    if (at < bytes.size() && bytes[at] == '\n')
        ++at;
    return true;
}

}  // namespace

int ReadValue(const char* file, const char* section, const char* key, std::string& value, int& line)
{
    line = 0;
    std::vector<unsigned char> bytes;
    if (platform::ReadFile(file ? file : "", bytes, platform::Trust::kOwn, kIniLimit) != platform::ReadFailure::kNone) {
        line = -2;
        return 0;
    }
    bool searching = !section || !*section;
    std::size_t at = 0;
    std::string text;
    while (NextLine(bytes, at, text)) {
        ++line;
        std::vector<char> chars(text.begin(), text.end());
        chars.push_back(0);
        char* buffer = chars.data();
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
