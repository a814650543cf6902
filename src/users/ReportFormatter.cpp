#include "users/ReportFormatter.h"

#include "exercises/ExercisePaths.h"
#include "session/GameSettings.h"
#include "resources/LittleEndian.h"
#include "resources/StringTable.h"
#include "users/TDataFile.h"

#include <cstdio>
#include <vector>
#include <cstring>

namespace {

// A text event's text, which may lack its terminator in a damaged log.
std::string Text(const unsigned char* data, int size)
{
    if (!data || size <= 0)
        return std::string();
    const char* p = reinterpret_cast<const char*>(data);
    return std::string(p, strnlen(p, static_cast<std::size_t>(size)));
}

std::string WithoutTildes(const char* text)
{
    std::string out;
    for (const char* p = text; *p; ++p)
        if (*p != '~')
            out.push_back(*p);
    return out;
}

// As long as the texts need: a level title may run to a whole line.
std::string Printf(const char* format, const std::string& a, const std::string& b = "")
{
    int length = std::snprintf(nullptr, 0, format, a.c_str(), b.c_str());
    if (length <= 0)
        return std::string();
    std::vector<char> buffer(static_cast<std::size_t>(length) + 1);
    std::snprintf(buffer.data(), buffer.size(), format, a.c_str(), b.c_str());
    return std::string(buffer.data(), static_cast<std::size_t>(length));
}

void PadTo(std::string& out, int& column, int target)
{
    while (column < target) {
        out.push_back(' ');
        ++column;
    }
}

}  // namespace

void ReportFormatter::BreakLine(std::string& out)
{
    if (column_ != 0) {
        out.push_back('\n');
        column_ = 0;
    }
}

std::string ReportFormatter::Format(int kind, const unsigned char* data, int size, int)
{
    std::string out;
    switch (kind) {
    case logkind::kClosed:
        BreakLine(out);
        out += Printf("--- %s ---\n\n", GetString(12, 0));
        break;
    case logkind::kDate:
        BreakLine(out);
        out += Printf("\n%s : %s - ", GetString(12, 1), Text(data, size));
        break;
    case logkind::kTime:
        out += Text(data, size) + "\n";
        break;
    case logkind::kSettings: {
        BreakLine(out);
        GameSettings s;
        if (data && size >= GameSettings::kSize)
            s = GameSettings::Decode(data);
        else
            s.exerciseName[0] = 0;
        out += Printf("%s: %s\n", GetString(12, 2), ExerciseShownName(s.exerciseName));
        char line[300];
        std::snprintf(line, sizeof line, "%s = %d\n", WithoutTildes(GetString(8, 119)).c_str(), s.fallSeconds);
        out += line;
        std::snprintf(line, sizeof line, "%s = %d\n", WithoutTildes(GetString(8, 120)).c_str(), s.spawnSeconds);
        out += line;
        break;
    }
    case logkind::kLevel:
        column_ = 0;
        out += Printf("\n--- \"%s\" ---\n", Text(data, size));
        break;
    case logkind::kShown: {
        BreakLine(out);
        std::string word = Text(data, size);
        out += word;
        column_ = static_cast<int>(word.size());
        break;
    }
    case logkind::kMistyped: {
        std::string keys = Text(data, size);
        PadTo(out, column_, 18);
        std::size_t at = 0;
        while (keys.size() - at > 20) {
            out += "* " + keys.substr(at, 20) + "\n" + std::string(18, ' ');
            at += 20;
        }
        out += "* " + keys.substr(at) + "\n";
        column_ = 0;
        break;
    }
    case logkind::kHit:
        PadTo(out, column_, 20);
        out += Text(data, size) + "\n";
        column_ = 0;
        break;
    case logkind::kContextClosed:
        BreakLine(out);
        out += "\n";
        break;
    case logkind::kLifeLost: {
        BreakLine(out);
        std::int32_t lives = (data && size >= 4) ? static_cast<std::int32_t>(GetLE32(data)) : 0;
        char line[300];
        std::snprintf(line, sizeof line, "--- %s: %s = %d ---\n", GetString(12, 3), GetString(12, 4), lives);
        out += line;
        break;
    }
    case logkind::kBonus:
        BreakLine(out);
        out += Printf("--- %s ---\n", GetString(12, (data && size > 0 && data[0]) ? 5 : 6));
        break;
    case logkind::kCompleted:
        BreakLine(out);
        out += Printf("--- %s ---\n", GetString(12, 7));
        break;
    default:
        out += "UNKNOWN CODE!!!\n";
        break;
    }
    return out;
}
