#pragma once
// Local calendar time for time stamps.

#include <ctime>
#include <string>

namespace platform {

std::tm LocalTime(std::time_t when);
// "yyyymmdd-hhmmss" of the local time now, for the names of files set aside.
std::string FileStamp();

}  // namespace platform
