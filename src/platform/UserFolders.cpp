#include "platform/UserFolders.h"

#include <cstdio>
#include <cstdlib>
#include <memory>

namespace platform {

namespace {

struct PipeCloser {
    void operator()(std::FILE* f) const { pclose(f); }
};

}  // namespace

std::string DocumentsFolder()
{
    std::string found;
    std::unique_ptr<std::FILE, PipeCloser> pipe(popen("xdg-user-dir DOCUMENTS 2>/dev/null", "r"));
    if (pipe) {
        char buffer[4096];
        std::size_t n = std::fread(buffer, 1, sizeof buffer, pipe.get());
        found.assign(buffer, n);
    }
    while (!found.empty() && (found.back() == '\n' || found.back() == '\r' || found.back() == '/'))
        found.pop_back();
    const char* home = std::getenv("HOME");
    // The tool answers the home folder itself when no documents folder is set.
    if (found.empty() || (home && found == home))
        found = std::string(home ? home : "") + "/Documents";
    return found;
}

}  // namespace platform
