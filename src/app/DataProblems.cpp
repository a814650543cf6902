#include "app/DataProblems.h"

#include "resources/StringTable.h"

#include <cerrno>
#include <deque>
#include <set>

namespace {

std::deque<std::string> pending;
std::set<std::string> told;
constexpr int kDefaultLockWaitMs = 4000;
int lockWaitMs = kDefaultLockWaitMs;

std::string Compose(const std::string& path, const char* why, const std::string& then)
{
    std::string text = std::string(GetString(14, 1)) + " " + FileNameOf(path) + " " + GetString(14, 2) + ": " + why + ".";
    return then.empty() ? text : text + " " + then;
}

}  // namespace

void ReportDataProblem(const std::string& message)
{
    if (message.empty() || !told.insert(message).second)
        return;
    pending.push_back(message);
}

std::string TakeDataProblem()
{
    if (pending.empty())
        return std::string();
    std::string message = pending.front();
    pending.pop_front();
    return message;
}

void ResetDataProblems()
{
    pending.clear();
    told.clear();
    lockWaitMs = kDefaultLockWaitMs;
}

std::string FileNameOf(const std::string& path)
{
    std::size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string UnreadableFileText(const std::string& path, platform::ReadFailure why, const std::string& then)
{
    int number = 14;
    switch (why) {
    case platform::ReadFailure::kDenied: number = 10; break;
    case platform::ReadFailure::kLink: number = 11; break;
    case platform::ReadFailure::kNotAFile: number = 12; break;
    case platform::ReadFailure::kTooLarge: number = 13; break;
    default: break;
    }
    return Compose(path, GetString(14, number), then);
}

std::string UnwritableFileText(const std::string& path, int error, const std::string& then)
{
    int number = 19;
    switch (error) {
    case ENOSPC:
    case EDQUOT:
    case EFBIG: number = 16; break;
    case EROFS:
    case EACCES:
    case EPERM: number = 17; break;
    case EWOULDBLOCK: number = 18; break;
    case ELOOP: number = 11; break;
    default: break;
    }
    return Compose(path, GetString(14, number), then);
}

std::string ForeignFileText(const std::string& path, const std::string& then)
{
    return Compose(path, GetString(14, 15), then);
}

int DataLockWaitMs()
{
    return lockWaitMs;
}

void SetDataLockWaitMs(int ms)
{
    lockWaitMs = ms;
}
