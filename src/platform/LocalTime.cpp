#include "platform/LocalTime.h"

namespace platform {

std::tm LocalTime(std::time_t when)
{
    std::tm result{};
    localtime_r(&when, &result);
    return result;
}

}  // namespace platform
