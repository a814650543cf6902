#include "SaveFile.h"

#include <fcntl.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

namespace extutils {

namespace {

// A descriptor closed when it goes.
class OpenFile {
public:
    explicit OpenFile(int fd) : fd_(fd) {}
    ~OpenFile()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    OpenFile(const OpenFile&) = delete;
    OpenFile& operator=(const OpenFile&) = delete;

    int Get() const { return fd_; }
    bool Close()
    {
        int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }

private:
    int fd_;
};

std::string RandomSuffix()
{
    unsigned char bytes[8] = {};
    if (getrandom(bytes, sizeof bytes, 0) != static_cast<ssize_t>(sizeof bytes)) {
        // Only a name: O_EXCL keeps it ours however it is chosen.
        static unsigned counter = 0;
        unsigned mix = static_cast<unsigned>(getpid()) * 2654435761u + ++counter;
        for (unsigned char& b : bytes)
            b = static_cast<unsigned char>(mix = mix * 1103515245u + 12345u);
    }
    std::string text;
    for (unsigned char b : bytes) {
        char hex[3];
        std::snprintf(hex, sizeof hex, "%02x", b);
        text += hex;
    }
    return text;
}

bool WriteAll(int fd, const std::string& bytes)
{
    for (std::size_t at = 0; at < bytes.size();) {
        ssize_t n = ::write(fd, bytes.data() + at, bytes.size() - at);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        at += static_cast<std::size_t>(n);
    }
    return true;
}

}  // namespace

bool MakeFolders(const std::string& folder)
{
    for (std::size_t at = 1; at <= folder.size(); ++at) {
        if (at < folder.size() && folder[at] != '/')
            continue;
        std::string prefix = folder.substr(0, at);
        if (::mkdir(prefix.c_str(), 0755) != 0 && errno != EEXIST)
            return false;
    }
    struct stat info {};
    return ::stat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool SaveFile(const std::string& folder, const std::string& name, const std::string& bytes, mode_t mode)
{
    OpenFile dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.Get() < 0)
        return false;
    std::string temp;
    int fd = -1;
    for (int tries = 0; fd < 0 && tries < 100; ++tries) {
        // A dot name: desktops do not show it while it is being written.
        temp = ".quoli-" + RandomSuffix() + ".tmp";
        fd = ::openat(dir.Get(), temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (fd < 0 && errno != EEXIST)
            return false;
    }
    OpenFile file(fd);
    if (file.Get() < 0)
        return false;
    bool written = WriteAll(file.Get(), bytes) && ::fchmod(file.Get(), mode) == 0 && ::fsync(file.Get()) == 0;
    if (!file.Close() || !written || ::renameat(dir.Get(), temp.c_str(), dir.Get(), name.c_str()) != 0) {
        ::unlinkat(dir.Get(), temp.c_str(), 0);
        return false;
    }
    ::fsync(dir.Get());
    return true;
}

}  // namespace extutils
