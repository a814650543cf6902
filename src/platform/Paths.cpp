#include "platform/Paths.h"

#include <dirent.h>
#include <sys/stat.h>

#include <vector>

namespace platform {

std::string Latin1ToUtf8(const std::string& latin1)
{
    std::string out;
    out.reserve(latin1.size());
    for (unsigned char c : latin1) {
        if (c < 0x80) {
            out.push_back(static_cast<char>(c));
        } else {
            out.push_back(static_cast<char>(0xC0 | (c >> 6)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        }
    }
    return out;
}

bool Utf8ToLatin1(const std::string& utf8, std::string& out)
{
    std::string result;
    result.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        auto c = static_cast<unsigned char>(utf8[i]);
        if (c < 0x80) {
            result.push_back(static_cast<char>(c));
            continue;
        }
        // Only the two-byte forms of U+0080..U+00FF fit in Latin-1.
        if ((c != 0xC2 && c != 0xC3) || i + 1 >= utf8.size())
            return false;
        auto d = static_cast<unsigned char>(utf8[i + 1]);
        if ((d & 0xC0) != 0x80)
            return false;
        result.push_back(static_cast<char>(((c & 0x03) << 6) | (d & 0x3F)));
        ++i;
    }
    out = std::move(result);
    return true;
}

namespace {

bool Exists(const std::string& path)
{
    struct stat st;
    return ::lstat(path.c_str(), &st) == 0;
}

char FoldAscii(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameIgnoringCase(const std::string& a, const std::string& b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (FoldAscii(a[i]) != FoldAscii(b[i]))
            return false;
    return true;
}

// The program's (Latin-1) form of an entry name found on disk.
std::string ProgramName(const std::string& diskName)
{
    std::string latin1;
    return Utf8ToLatin1(diskName, latin1) ? latin1 : diskName;
}

// Finds the entry of `folder` for the program name `wanted`: as spelt (in
// UTF-8 or raw), else differing only in ASCII case; empty when none.
std::string FindEntry(const std::string& folder, const std::string& wanted)
{
    std::string prefix = folder.empty() ? std::string() : folder + "/";
    std::string utf8 = Latin1ToUtf8(wanted);
    if (Exists(prefix + utf8))
        return utf8;
    if (utf8 != wanted && Exists(prefix + wanted))
        return wanted;
    if (wanted == "." || wanted == "..")
        return std::string();
    DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
    if (!dir)
        return std::string();
    std::string match;
    while (dirent* entry = ::readdir(dir)) {
        std::string name = entry->d_name;
        if (SameIgnoringCase(ProgramName(name), wanted)) {
            match = name;
            break;
        }
    }
    ::closedir(dir);
    return match;
}

}  // namespace

std::string NativePath(const std::string& programPath)
{
    std::string path = programPath;
    for (char& c : path)
        if (c == '\\')
            c = '/';
    std::string direct = Latin1ToUtf8(path);
    if (path.empty() || Exists(direct))
        return direct;
    if (direct != path && Exists(path))
        return path;

    bool absolute = path[0] == '/';
    bool trailingSlash = path.back() == '/';
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t end = path.find('/', start);
        if (end == std::string::npos)
            end = path.size();
        if (end > start)
            parts.push_back(path.substr(start, end - start));
        start = end + 1;
    }

    std::string resolved = absolute ? "/" : "";
    bool found = true;
    for (const std::string& part : parts) {
        std::string folder = resolved;
        if (folder.size() > 1 && folder.back() == '/')
            folder.pop_back();
        std::string name = found ? FindEntry(folder, part) : std::string();
        if (name.empty()) {
            found = false;
            name = Latin1ToUtf8(part);
        }
        if (!resolved.empty() && resolved.back() != '/')
            resolved += '/';
        resolved += name;
    }
    if (trailingSlash && !resolved.empty() && resolved.back() != '/')
        resolved += '/';
    return resolved;
}

std::string ProgramPath(const std::string& nativePath)
{
    std::string path = ProgramName(nativePath);
    for (char& c : path)
        if (c == '/')
            c = '\\';
    return path;
}

}  // namespace platform
