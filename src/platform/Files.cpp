#include "platform/Files.h"

#include "platform/Paths.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace platform {

FilePtr OpenFile(const std::string& path, const char* mode)
{
    return FilePtr(std::fopen(NativePath(path).c_str(), mode));
}

bool ReadWholeFile(const std::string& path, std::vector<unsigned char>& bytes)
{
    FilePtr file = OpenFile(path, "rb");
    if (!file)
        return false;
    bytes.clear();
    unsigned char chunk[65536];
    std::size_t got;
    while ((got = std::fread(chunk, 1, sizeof chunk, file.get())) > 0)
        bytes.insert(bytes.end(), chunk, chunk + got);
    return !std::ferror(file.get());
}

bool FileExists(const std::string& path)
{
    struct stat st;
    return ::stat(NativePath(path).c_str(), &st) == 0;
}

bool IsDirectory(const std::string& path)
{
    struct stat st;
    return ::stat(NativePath(path).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

long long FileSize(const std::string& path)
{
    struct stat st;
    if (::stat(NativePath(path).c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        return -1;
    return static_cast<long long>(st.st_size);
}

bool MakeDirectory(const std::string& path)
{
    return ::mkdir(NativePath(path).c_str(), 0777) == 0;
}

bool RemoveFile(const std::string& path)
{
    return ::unlink(NativePath(path).c_str()) == 0;
}

bool RenameFile(const std::string& from, const std::string& to)
{
    return ::rename(NativePath(from).c_str(), NativePath(to).c_str()) == 0;
}

std::vector<FolderEntry> ListFolder(const std::string& path)
{
    std::vector<FolderEntry> entries;
    std::string native = path.empty() ? std::string(".") : NativePath(path);
    DIR* dir = ::opendir(native.c_str());
    if (!dir)
        return entries;
    while (dirent* entry = ::readdir(dir)) {
        std::string name = entry->d_name;
        if (name == "." || name == "..")
            continue;
        struct stat st;
        bool isFolder = ::stat((native + "/" + name).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
        std::string programName;
        if (!Utf8ToLatin1(name, programName))
            programName = name;
        entries.push_back({programName, isFolder});
    }
    ::closedir(dir);
    std::sort(entries.begin(), entries.end(), [](const FolderEntry& a, const FolderEntry& b) {
        return strcasecmp(a.name.c_str(), b.name.c_str()) < 0;
    });
    return entries;
}

namespace {

bool WriteAll(int fd, const void* data, std::size_t size)
{
    auto* p = static_cast<const unsigned char*>(data);
    while (size > 0) {
        ssize_t written = ::write(fd, p, size);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        p += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}

void SyncFolder(const std::string& folder)
{
    int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

mode_t NewFileMode(const std::string& native)
{
    struct stat st;
    if (::stat(native.c_str(), &st) == 0)
        return st.st_mode & 0777;
    mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// A temporary is named "." + the file's name + "." + mkstemp's six letters
// or digits; nothing else is ever taken for one. The name is `name`, or
// with `wholeName` false any name that starts so.
bool IsTemporaryOf(const std::string& entry, const std::string& name, bool wholeName)
{
    if (entry.size() < name.size() + 8 || (wholeName && entry.size() != name.size() + 8) || entry[0] != '.' ||
        entry.compare(1, name.size(), name) != 0 || entry[entry.size() - 7] != '.')
        return false;
    for (std::size_t i = entry.size() - 6; i < entry.size(); ++i)
        if (!std::isalnum(static_cast<unsigned char>(entry[i])))
            return false;
    return true;
}

// A writer keeps its temporary locked until the rename, so one that can be
// locked was left by a copy killed mid-save; without this they pile up.
void RemoveStale(const std::string& folder, const std::string& name, bool wholeName)
{
    std::vector<std::string> found;
    if (DIR* dir = ::opendir(folder.c_str())) {
        while (dirent* entry = ::readdir(dir))
            if (IsTemporaryOf(entry->d_name, name, wholeName))
                found.push_back(folder + "/" + entry->d_name);
        ::closedir(dir);
    }
    for (const std::string& path : found) {
        int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0)
            continue;
        struct stat held, named;
        // Only the very file that was locked, still under that name.
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::fstat(fd, &held) == 0 && S_ISREG(held.st_mode) &&
            ::lstat(path.c_str(), &named) == 0 && held.st_dev == named.st_dev && held.st_ino == named.st_ino)
            ::unlink(path.c_str());
        ::close(fd);
    }
}

// A new temporary from the pattern, locked; -1 when none can be made.
int MakeLockedTemporary(const std::string& pattern, std::vector<char>& name)
{
    for (int attempt = 0; attempt < 8; ++attempt) {
        name.assign(pattern.begin(), pattern.end());
        name.push_back(0);
        int fd = ::mkostemp(name.data(), O_CLOEXEC);
        if (fd < 0)
            return -1;
        int locked;
        while ((locked = ::flock(fd, LOCK_EX)) != 0 && errno == EINTR) {
        }
        // Another copy tidying the folder may have removed it before it was
        // locked: then another is made. Without locks it is used as it is.
        struct stat st;
        if (locked != 0 || (::fstat(fd, &st) == 0 && st.st_nlink > 0))
            return fd;
        ::close(fd);
    }
    return -1;
}

}  // namespace

bool ReplaceFileContents(const std::string& path, const void* data, std::size_t size)
{
    std::string native = NativePath(path);
    std::size_t slash = native.rfind('/');
    std::string folder = slash == std::string::npos ? "." : (slash == 0 ? "/" : native.substr(0, slash));
    std::string base = slash == std::string::npos ? native : native.substr(slash + 1);
    if (base.empty())
        return false;

    // First, so that however many saves are killed, one temporary at most stays.
    RemoveStale(folder, base, true);
    std::vector<char> name;
    int fd = MakeLockedTemporary(folder + "/." + base + ".XXXXXX", name);
    if (fd < 0)
        return false;
    bool ok = ::fchmod(fd, NewFileMode(native)) == 0 && WriteAll(fd, data, size) && ::fsync(fd) == 0;
    // Still open, so still locked, until it has its final name; once the
    // bytes are on the disk closing can lose nothing.
    ok = ok && ::rename(name.data(), native.c_str()) == 0;
    if (!ok)
        ::unlink(name.data());
    ::close(fd);
    if (!ok)
        return false;
    SyncFolder(folder);
    return true;
}

void RemoveStaleTemporaries(const std::string& folder, const std::string& namesStart)
{
    if (namesStart.empty())
        return;  // never every hidden file of the folder
    RemoveStale(folder.empty() ? std::string(".") : NativePath(folder), Latin1ToUtf8(namesStart), false);
}

bool AppendToFile(const std::string& path, const void* data, std::size_t size, bool sync)
{
    std::string native = NativePath(path);
    int fd = ::open(native.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, NewFileMode(native));
    if (fd < 0)
        return false;
    bool ok = WriteAll(fd, data, size) && (!sync || ::fsync(fd) == 0);
    return (::close(fd) == 0) && ok;
}

bool TruncateFile(const std::string& path, long long size)
{
    return ::truncate(NativePath(path).c_str(), static_cast<off_t>(size)) == 0;
}

bool SyncFile(const std::string& path)
{
    int fd = ::open(NativePath(path).c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    bool ok = ::fsync(fd) == 0;
    return (::close(fd) == 0) && ok;
}

FileLock::FileLock(const std::string& path)
{
    std::string native = NativePath(path);
    fd_ = ::open(native.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, NewFileMode(native));
    if (fd_ < 0)
        return;
    while (::flock(fd_, LOCK_EX) != 0) {
        if (errno != EINTR) {
            ::close(fd_);
            fd_ = -1;
            return;
        }
    }
}

FileLock::~FileLock()
{
    if (fd_ >= 0)
        ::close(fd_);  // closing lets the lock go
}

std::string CurrentFolder()
{
    std::vector<char> buffer(4096);
    while (!::getcwd(buffer.data(), buffer.size())) {
        if (errno != ERANGE)
            return std::string();
        buffer.resize(buffer.size() * 2);
    }
    std::string folder = ProgramPath(buffer.data());
    if (folder.empty() || folder.back() != '\\')
        folder += '\\';
    return folder;
}

namespace {

bool MakeNativeFolders(const std::string& native)
{
    for (std::size_t at = 1; at <= native.size(); ++at) {
        if (at != native.size() && native[at] != '/')
            continue;
        std::string prefix = native.substr(0, at);
        if (::mkdir(prefix.c_str(), 0777) != 0 && errno != EEXIST)
            return false;
    }
    struct stat st;
    return ::stat(native.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

}  // namespace

std::string DataFolder(const std::string& applicationName)
{
    std::string base;
    if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && xdg[0] == '/')
        base = xdg;
    else if (const char* home = std::getenv("HOME"); home && home[0] == '/')
        base = std::string(home) + "/.local/share";
    else
        return std::string();
    std::string native = base + "/velmoran/" + Latin1ToUtf8(applicationName);
    if (!MakeNativeFolders(native))
        return std::string();
    return ProgramPath(native) + "\\";
}

}  // namespace platform
