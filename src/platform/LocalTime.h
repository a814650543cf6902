#pragma once
// Local calendar time for time stamps.

#include <ctime>

namespace platform {

std::tm LocalTime(std::time_t when);

}  // namespace platform
