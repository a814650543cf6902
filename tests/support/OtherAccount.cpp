#include "support/OtherAccount.h"

#include <grp.h>
#include <signal.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

namespace {

int Run(int uid, const std::function<int()>& body, int boundMs)
{
    pid_t child = ::fork();
    if (child < 0)
        return -1;
    if (child == 0) {
        if (uid >= 0 && (::setgroups(0, nullptr) != 0 || ::setresgid(uid, uid, uid) != 0 || ::setresuid(uid, uid, uid) != 0))
            ::_exit(125);
        ::_exit(body());
    }
    timespec start{}, now{};
    ::clock_gettime(CLOCK_MONOTONIC, &start);
    for (;;) {
        int status = 0;
        if (::waitpid(child, &status, WNOHANG) == child)
            return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        ::clock_gettime(CLOCK_MONOTONIC, &now);
        long long elapsed = (now.tv_sec - start.tv_sec) * 1000LL + (now.tv_nsec - start.tv_nsec) / 1000000;
        if (elapsed > boundMs) {
            ::kill(child, SIGKILL);
            ::waitpid(child, &status, 0);
            return -1;
        }
        timespec pause{0, 2 * 1000 * 1000};
        ::nanosleep(&pause, nullptr);
    }
}

}  // namespace

int RunAs(int uid, const std::function<int()>& body, int boundMs)
{
    return Run(uid, body, boundMs);
}

int RunBounded(const std::function<int()>& body, int boundMs)
{
    return Run(-1, body, boundMs);
}
