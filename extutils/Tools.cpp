#include "Tools.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>

namespace extutils {

namespace {

constexpr long kDefaultWaitMs = 3000;
constexpr long kLongestWaitMs = 60000;

// A descriptor closed when it goes.
class Fd {
public:
    Fd() = default;
    ~Fd() { Close(); }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;

    int Get() const { return fd_; }
    void Reset(int fd)
    {
        Close();
        fd_ = fd;
    }
    int Release()
    {
        int fd = fd_;
        fd_ = -1;
        return fd;
    }
    void Close()
    {
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = -1;
    }

private:
    int fd_ = -1;
};

bool OpenPipe(Fd& readEnd, Fd& writeEnd)
{
    int ends[2];
    if (pipe2(ends, O_CLOEXEC) != 0)
        return false;
    readEnd.Reset(ends[0]);
    writeEnd.Reset(ends[1]);
    return true;
}

int MillisecondsLeft(Deadline deadline)
{
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0)
        return 0;
    return static_cast<int>(left.count() < kLongestWaitMs ? left.count() : kLongestWaitMs);
}

// True once the descriptor is ready for `events` (or its other end has
// closed); false at the deadline.
bool WaitFor(int fd, short events, Deadline deadline)
{
    for (;;) {
        pollfd ready{fd, events, 0};
        int n = poll(&ready, 1, MillisecondsLeft(deadline));
        if (n > 0)
            return true;
        if (n == 0 || errno != EINTR)
            return false;
    }
}

// Only async-signal-safe calls here: the program has other threads.
void CloseFrom(int first, long openMax)
{
    if (close_range(static_cast<unsigned>(first), ~0U, 0) == 0)
        return;
    for (long fd = first; fd < openMax; ++fd)
        close(static_cast<int>(fd));
}

// Starts the tool two processes away: the middle one ends at once and is
// reaped here, so the watcher that waits for the tool belongs to init, and
// a tool we stop waiting for leaves no zombie of ours behind. The watcher
// writes the tool's exit status to `status`.
bool Start(const std::vector<std::string>& arguments, int input, int output, Fd& status)
{
    std::string path = FindTool(arguments.empty() ? std::string() : arguments[0]);
    if (path.empty())
        return false;
    std::vector<char*> argv;
    for (const std::string& a : arguments)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    Fd statusRead, statusWrite, null;
    if (!OpenPipe(statusRead, statusWrite))
        return false;
    null.Reset(open("/dev/null", O_RDWR | O_CLOEXEC));
    long openMax = sysconf(_SC_OPEN_MAX);
    pid_t middle = fork();
    if (middle < 0)
        return false;
    if (middle == 0) {
        if (fork() != 0)
            _exit(0);
        pid_t tool = fork();
        if (tool == 0) {
            dup2(input >= 0 ? input : null.Get(), 0);
            dup2(output >= 0 ? output : null.Get(), 1);
            dup2(null.Get(), 2);  // the tools' chatter never reaches the program's output
            CloseFrom(3, openMax);
            execv(path.c_str(), argv.data());
            _exit(127);
        }
        // The watcher keeps nothing of the program's open while the tool
        // runs: not the pipes whose end the program waits for, nor the
        // files it holds locks on.
        if (statusWrite.Get() != 3)
            dup2(statusWrite.Get(), 3);
        CloseFrom(4, openMax);
        int code = -1, how = 0;
        pid_t ended;
        while ((ended = waitpid(tool, &how, 0)) < 0 && errno == EINTR) {
        }
        if (tool > 0 && ended == tool && WIFEXITED(how))
            code = WEXITSTATUS(how);
        ssize_t written = write(3, &code, sizeof code);
        _exit(written == sizeof code ? 0 : 1);
    }
    statusWrite.Close();
    while (waitpid(middle, nullptr, 0) < 0 && errno == EINTR) {
    }
    status.Reset(statusRead.Release());
    return true;
}

int ToolStatus(const Fd& status, Deadline deadline)
{
    int code = -1;
    if (!WaitFor(status.Get(), POLLIN, deadline))
        return -1;
    ssize_t n;
    while ((n = read(status.Get(), &code, sizeof code)) < 0 && errno == EINTR) {
    }
    return n == sizeof code ? code : -1;
}

// A tool that stops reading must not kill the program with SIGPIPE.
class IgnoredSigpipe {
public:
    IgnoredSigpipe()
    {
        struct sigaction ignore {};
        ignore.sa_handler = SIG_IGN;
        sigaction(SIGPIPE, &ignore, &old_);
    }
    ~IgnoredSigpipe() { sigaction(SIGPIPE, &old_, nullptr); }
    IgnoredSigpipe(const IgnoredSigpipe&) = delete;
    IgnoredSigpipe& operator=(const IgnoredSigpipe&) = delete;

private:
    struct sigaction old_ {};
};

// False when the tool had not taken it all by the deadline.
bool Feed(int fd, const std::string& input, Deadline deadline)
{
    IgnoredSigpipe ignored;
    fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK);
    for (std::size_t at = 0; at < input.size();) {
        ssize_t n = write(fd, input.data() + at, input.size() - at);
        if (n > 0) {
            at += static_cast<std::size_t>(n);
        } else if (n < 0 && errno == EAGAIN) {
            if (!WaitFor(fd, POLLOUT, deadline))
                return false;
        } else if (n == 0 || errno != EINTR) {
            break;  // it stopped reading: its exit status tells the rest
        }
    }
    return true;
}

}  // namespace

Deadline ToolDeadline()
{
    long ms = kDefaultWaitMs;
    if (const char* text = std::getenv("QUOLI_TOOL_WAIT_MS")) {
        char* end = nullptr;
        long value = std::strtol(text, &end, 10);
        if (end != text && *end == 0 && value >= 0 && value <= kLongestWaitMs)
            ms = value;
    }
    return std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
}

std::string FindTool(const std::string& name)
{
    if (name.empty())
        return std::string();
    if (name.find('/') != std::string::npos)
        return access(name.c_str(), X_OK) == 0 ? name : std::string();
    const char* path = std::getenv("PATH");
    std::string folders = path ? path : "/usr/local/bin:/usr/bin:/bin";
    for (std::size_t at = 0; at <= folders.size();) {
        std::size_t end = folders.find(':', at);
        if (end == std::string::npos)
            end = folders.size();
        std::string candidate = folders.substr(at, end - at) + "/" + name;
        struct stat info {};
        if (end > at && stat(candidate.c_str(), &info) == 0 && S_ISREG(info.st_mode) && access(candidate.c_str(), X_OK) == 0)
            return candidate;
        at = end + 1;
    }
    return std::string();
}

int RunTool(const std::vector<std::string>& arguments, const std::string& input, Deadline deadline)
{
    Fd toolInput, feed, status;
    if (!OpenPipe(toolInput, feed))
        return -1;
    bool started = Start(arguments, toolInput.Get(), -1, status);
    toolInput.Close();
    if (!started || !Feed(feed.Get(), input, deadline))
        return -1;
    feed.Close();
    return ToolStatus(status, deadline);
}

std::string ToolOutput(const std::vector<std::string>& arguments, Deadline deadline)
{
    Fd output, toolOutput, status;
    if (!OpenPipe(output, toolOutput))
        return std::string();
    bool started = Start(arguments, -1, toolOutput.Get(), status);
    toolOutput.Close();
    if (!started)
        return std::string();
    std::string text;
    char buffer[512];
    for (;;) {
        if (!WaitFor(output.Get(), POLLIN, deadline))
            return std::string();
        ssize_t n = read(output.Get(), buffer, sizeof buffer);
        if (n == 0)
            break;
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return std::string();
        text.append(buffer, static_cast<std::size_t>(n));
    }
    return ToolStatus(status, deadline) == 0 ? text : std::string();
}

std::string Latin1ToUtf8(const char* text)
{
    std::string out;
    for (const char* p = text ? text : ""; *p; ++p) {
        auto c = static_cast<unsigned char>(*p);
        if (c < 0x80) {
            out.push_back(static_cast<char>(c));
        } else {
            out.push_back(static_cast<char>(0xC0 | (c >> 6)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        }
    }
    return out;
}

}  // namespace extutils
