#include "platform/MessageBox.h"

#include "platform/Paths.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

extern char** environ;

namespace platform {

namespace {

bool OnPath(const char* program)
{
    const char* path = std::getenv("PATH");
    std::string folders = path ? path : "/usr/bin:/bin";
    std::size_t start = 0;
    while (start <= folders.size()) {
        std::size_t end = folders.find(':', start);
        if (end == std::string::npos)
            end = folders.size();
        std::string candidate = folders.substr(start, end - start) + "/" + program;
        if (::access(candidate.c_str(), X_OK) == 0)
            return true;
        start = end + 1;
    }
    return false;
}

void Run(std::vector<std::string> args)
{
    std::vector<char*> argv;
    for (std::string& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t pid;
    if (posix_spawnp(&pid, argv[0], nullptr, nullptr, argv.data(), environ) == 0) {
        int status;
        ::waitpid(pid, &status, 0);
    }
}

}  // namespace

void ShowErrorBox(const std::string& text)
{
    // The program's texts are Latin-1; terminals and desktops read UTF-8.
    std::string shown = Latin1ToUtf8(text);
    std::fprintf(stderr, "ERROR: %s\n", shown.c_str());
    std::fflush(stderr);
    const char* display = std::getenv("DISPLAY");
    if (!display || !*display)
        return;
    if (OnPath("zenity"))
        Run({"zenity", "--error", "--title=ERROR", "--no-markup", "--text=" + shown});
    else if (OnPath("xmessage"))
        Run({"xmessage", "-title", "ERROR", "-center", "-buttons", "OK", shown});
}

}  // namespace platform
