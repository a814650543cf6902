#include "stats/StatsTexts.h"

#include "platform/LocalTime.h"
#include "platform/Paths.h"
#include "resources/StringTable.h"

#include <cstdio>

namespace stats {

std::string DateText(long long seconds)
{
    std::tm t = platform::LocalTime(static_cast<std::time_t>(seconds));
    char text[32];
    std::snprintf(text, sizeof text, "%02d/%02d/%04d", t.tm_mday, t.tm_mon + 1, t.tm_year + 1900);
    return text;
}

std::string TimeText(long long seconds)
{
    std::tm t = platform::LocalTime(static_cast<std::time_t>(seconds));
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d", t.tm_hour, t.tm_min);
    return text;
}

std::string DurationText(long long ms)
{
    long long minutes = (ms + 30000) / 60000;
    char text[32];
    if (minutes >= 60)
        std::snprintf(text, sizeof text, "%lld h %02lld min", minutes / 60, minutes % 60);
    else
        std::snprintf(text, sizeof text, "%lld min", minutes);
    return text;
}

const char* KindText(int kind)
{
    return GetString(15, kind == 2 ? 11 : kind == 3 ? 12 : 10);
}

const char* EndText(GameEnd end)
{
    switch (end) {
    case GameEnd::kCompleted: return GetString(15, 13);
    case GameEnd::kOutOfLives: return GetString(15, 14);
    case GameEnd::kLeft: return GetString(15, 15);
    default: return GetString(15, 16);
    }
}

const char* TrendText(int trend)
{
    switch (trend) {
    case 1: return GetString(15, 17);
    case 0: return GetString(15, 18);
    case -1: return GetString(15, 19);
    default: return GetString(15, 23);
    }
}

const char* WordEndText(WordEnd end)
{
    switch (end) {
    case WordEnd::kHit: return GetString(15, 41);
    case WordEnd::kFallen: return GetString(15, 42);
    default: return GetString(15, 43);
    }
}

std::string Utf8Text(const char* latin1)
{
    return platform::Latin1ToUtf8(latin1 ? latin1 : "");
}

std::string ScreenText(const std::string& utf8)
{
    std::string out;
    if (platform::Utf8ToLatin1(utf8, out))
        return out;
    for (unsigned char c : utf8)
        out += c < 0x80 ? static_cast<char>(c) : (c >= 0xC0 ? '?' : '\0');
    std::string kept;
    for (char c : out)
        if (c)
            kept += c;
    return kept;
}

}  // namespace stats
