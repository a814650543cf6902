#include "Tools.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>

namespace extutils {

namespace {

// Starts the program with the given ends of pipes (or /dev/null) as its
// standard input and output; answers its process id or -1.
pid_t Start(const std::vector<std::string>& arguments, int input, int output)
{
    std::string path = FindTool(arguments.empty() ? std::string() : arguments[0]);
    if (path.empty())
        return -1;
    std::vector<char*> argv;
    for (const std::string& a : arguments)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    pid_t child = fork();
    if (child != 0)
        return child;
    int null = open("/dev/null", O_RDWR);
    dup2(input >= 0 ? input : null, 0);
    dup2(output >= 0 ? output : null, 1);
    dup2(null, 2);  // the tools' chatter never reaches the program's output
    for (int fd = 3; fd < 256; ++fd)
        close(fd);
    execv(path.c_str(), argv.data());
    _exit(127);
}

int Wait(pid_t child)
{
    int status = 0;
    while (waitpid(child, &status, 0) < 0)
        if (errno != EINTR)
            return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace

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

int RunTool(const std::vector<std::string>& arguments, const std::string& input)
{
    int pipeEnds[2];
    if (pipe2(pipeEnds, O_CLOEXEC) != 0)
        return -1;
    pid_t child = Start(arguments, pipeEnds[0], -1);
    close(pipeEnds[0]);
    if (child < 0) {
        close(pipeEnds[1]);
        return -1;
    }
    // A tool that stops reading must not kill the program with SIGPIPE.
    struct sigaction ignore {}, old {};
    ignore.sa_handler = SIG_IGN;
    sigaction(SIGPIPE, &ignore, &old);
    for (std::size_t at = 0; at < input.size();) {
        ssize_t n = write(pipeEnds[1], input.data() + at, input.size() - at);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        at += static_cast<std::size_t>(n);
    }
    close(pipeEnds[1]);
    sigaction(SIGPIPE, &old, nullptr);
    return Wait(child);
}

std::string ToolOutput(const std::vector<std::string>& arguments)
{
    int pipeEnds[2];
    if (pipe2(pipeEnds, O_CLOEXEC) != 0)
        return std::string();
    pid_t child = Start(arguments, -1, pipeEnds[1]);
    close(pipeEnds[1]);
    std::string text;
    char buffer[512];
    for (ssize_t n; child >= 0 && (n = read(pipeEnds[0], buffer, sizeof buffer)) != 0;) {
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            break;
        text.append(buffer, static_cast<std::size_t>(n));
    }
    close(pipeEnds[0]);
    if (child < 0 || Wait(child) != 0)
        return std::string();
    return text;
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
