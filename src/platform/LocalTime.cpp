#include "platform/LocalTime.h"

#include <cstdio>

namespace platform {

std::tm LocalTime(std::time_t when)
{
    std::tm result{};
    localtime_r(&when, &result);
    return result;
}

std::string FileStamp()
{
    std::tm t = LocalTime(std::time(nullptr));
    char text[32];
    std::snprintf(text, sizeof text, "%04d%02d%02d-%02d%02d%02d", t.tm_year + 1900, t.tm_mon + 1, t.tm_mday, t.tm_hour,
                  t.tm_min, t.tm_sec);
    return text;
}

}  // namespace platform
