#include "platform/Files.h"

#include "platform/Paths.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace platform {

namespace {

thread_local int lastError = 0;
void (*waitHook)() = nullptr;

bool Fail(int error)
{
    lastError = error;
    return false;
}

// An open descriptor, closed with its owner.
class Fd {
public:
    explicit Fd(int fd = -1) : fd_(fd) {}
    ~Fd()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return fd_; }
    int release()
    {
        int fd = fd_;
        fd_ = -1;
        return fd;
    }

private:
    int fd_;
};

// A file as its folder, opened once, and its name in that folder: every
// later step works on that very folder, whatever is renamed meanwhile.
struct Place {
    int folder = -1;
    std::string name;
    int error = 0;

    Place() = default;
    Place(const Place&) = delete;
    Place& operator=(const Place&) = delete;
    ~Place()
    {
        if (folder >= 0)
            ::close(folder);
    }
    bool Found() const { return folder >= 0; }
};

int NoFollow(Trust trust)
{
    return trust == Trust::kShared ? O_NOFOLLOW : 0;
}

void Locate(const std::string& path, Trust trust, Place& place)
{
    std::string native = NativePath(path);
    std::size_t slash = native.rfind('/');
    std::string folder = slash == std::string::npos ? "." : (slash == 0 ? "/" : native.substr(0, slash));
    place.name = slash == std::string::npos ? native : native.substr(slash + 1);
    if (place.name.empty() || place.name == "." || place.name == "..") {
        place.error = EISDIR;
        return;
    }
    // O_PATH: a folder this account may pass through but not list (0711)
    // still reaches the files in it, as a plain open of the path would.
    place.folder = ::open(folder.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC | NoFollow(trust));
    if (place.folder < 0) {
        place.error = errno;
        struct stat st;
        if (place.error == ENOTDIR && ::lstat(folder.c_str(), &st) == 0 && S_ISLNK(st.st_mode))
            place.error = ELOOP;
    }
}

ReadFailure FailureOf(int error)
{
    lastError = error;
    switch (error) {
    case ENOENT:
    case ENOTDIR: return ReadFailure::kMissing;
    case EACCES:
    case EPERM: return ReadFailure::kDenied;
    case ELOOP: return ReadFailure::kLink;
    case EFBIG:
    case EOVERFLOW: return ReadFailure::kTooLarge;
    case ENXIO:
    case ENODEV:
    case EWOULDBLOCK: return ReadFailure::kNotAFile;
    default: return ReadFailure::kError;
    }
}

// Opens the named entry of the place and insists on a regular file.
int OpenRegular(const Place& place, int flags, Trust trust, mode_t mode = 0666)
{
    int fd = ::openat(place.folder, place.name.c_str(), flags | O_CLOEXEC | O_NONBLOCK | O_NOCTTY | NoFollow(trust),
                      mode);
    if (fd < 0) {
        lastError = errno;
        return -1;
    }
    struct stat st;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        lastError = ENODEV;
        return -1;
    }
    return fd;
}

bool WriteAll(int fd, const void* data, std::size_t size)
{
    auto* p = static_cast<const unsigned char*>(data);
    while (size > 0) {
        ssize_t written = ::write(fd, p, size);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return Fail(errno);
        }
        p += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}

mode_t DefaultMode()
{
    mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

}  // namespace

FilePtr OpenFile(const std::string& path, const char* mode)
{
    std::string native = NativePath(path);
    if (mode[0] != 'r' || std::strchr(mode, '+'))
        return FilePtr(std::fopen(native.c_str(), mode));
    int fd = ::open(native.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0)
        return nullptr;
    struct stat st;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return nullptr;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    std::FILE* file = ::fdopen(fd, mode);
    if (!file)
        ::close(fd);
    return FilePtr(file);
}

ReadFailure ReadFile(const std::string& path, std::vector<unsigned char>& bytes, Trust trust, std::size_t limit)
{
    Place place;
    Locate(path, trust, place);
    if (!place.Found())
        return FailureOf(place.error);
    int fd = ::openat(place.folder, place.name.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY | NoFollow(trust));
    if (fd < 0)
        return FailureOf(errno);
    Fd file(fd);
    struct stat st;
    if (::fstat(fd, &st) != 0)
        return FailureOf(errno);
    if (!S_ISREG(st.st_mode))
        return FailureOf(ENODEV);
    if (static_cast<unsigned long long>(st.st_size) > limit)
        return FailureOf(EFBIG);
    std::vector<unsigned char> read;
    read.reserve(static_cast<std::size_t>(st.st_size));
    unsigned char chunk[65536];
    for (;;) {
        ssize_t got = ::read(fd, chunk, sizeof chunk);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return FailureOf(errno);
        }
        if (got == 0)
            break;
        if (read.size() + static_cast<std::size_t>(got) > limit)
            return FailureOf(EFBIG);  // it grew while it was read
        read.insert(read.end(), chunk, chunk + got);
    }
    bytes.swap(read);
    return ReadFailure::kNone;
}

bool ReadWholeFile(const std::string& path, std::vector<unsigned char>& bytes)
{
    return ReadFile(path, bytes) == ReadFailure::kNone;
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

bool RemoveFile(const std::string& path, Trust trust)
{
    Place place;
    Locate(path, trust, place);
    if (!place.Found())
        return Fail(place.error);
    return ::unlinkat(place.folder, place.name.c_str(), 0) == 0 || Fail(errno);
}

bool RenameFile(const std::string& from, const std::string& to, Trust trust)
{
    Place source, target;
    Locate(from, trust, source);
    Locate(to, trust, target);
    if (!source.Found() || !target.Found())
        return Fail(source.Found() ? target.error : source.error);
    return ::renameat(source.folder, source.name.c_str(), target.folder, target.name.c_str()) == 0 || Fail(errno);
}

int FileMode(const std::string& path, Trust trust)
{
    Place place;
    Locate(path, trust, place);
    struct stat st;
    if (!place.Found() ||
        ::fstatat(place.folder, place.name.c_str(), &st, trust == Trust::kShared ? AT_SYMLINK_NOFOLLOW : 0) != 0 ||
        !S_ISREG(st.st_mode))
        return -1;
    return static_cast<int>(st.st_mode & 07777);
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

// The names of a folder's entries, read through its open descriptor.
std::vector<std::string> EntriesOf(int folder)
{
    std::vector<std::string> names;
    int fd = ::openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return names;
    DIR* dir = ::fdopendir(fd);
    if (!dir) {
        ::close(fd);
        return names;
    }
    ::rewinddir(dir);
    while (dirent* entry = ::readdir(dir))
        names.push_back(entry->d_name);
    ::closedir(dir);
    return names;
}

// A temporary is named "." + the file's name + "." + six letters or digits;
// nothing else is ever taken for one. The name is `name`, or with
// `wholeName` false any name that starts so.
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
void RemoveStale(int folder, const std::string& name, bool wholeName)
{
    for (const std::string& entry : EntriesOf(folder)) {
        if (!IsTemporaryOf(entry, name, wholeName))
            continue;
        int fd = ::openat(folder, entry.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0)
            continue;
        Fd held(fd);
        struct stat locked, named;
        // Only the very file that was locked, still under that name.
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::fstat(fd, &locked) == 0 && S_ISREG(locked.st_mode) &&
            ::fstatat(folder, entry.c_str(), &named, AT_SYMLINK_NOFOLLOW) == 0 && locked.st_dev == named.st_dev &&
            locked.st_ino == named.st_ino)
            ::unlinkat(folder, entry.c_str(), 0);
    }
}

// Six letters or digits that differ from call to call and process to process.
std::string RandomTail()
{
    thread_local unsigned long long state = 0;
    if (state == 0) {
        timespec now{};
        ::clock_gettime(CLOCK_REALTIME, &now);
        state = (static_cast<unsigned long long>(now.tv_nsec) << 20) ^ static_cast<unsigned long long>(now.tv_sec) ^
                (static_cast<unsigned long long>(::getpid()) << 40) ^ 0x9E3779B97F4A7C15ull;
    }
    static const char kLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    std::string tail;
    for (int i = 0; i < 6; ++i) {
        state ^= state << 13;
        state ^= state >> 7;
        state ^= state << 17;
        tail.push_back(kLetters[state % 62]);
    }
    return tail;
}

// A new file of the folder made exclusively: never an entry already there,
// never through a link.
int CreateExclusive(int folder, const std::string& start, const std::string& end, std::string& name)
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = start + RandomTail() + end;
        int fd = ::openat(folder, name.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (fd >= 0 || errno != EEXIST)
            return fd < 0 ? (lastError = errno, -1) : fd;
    }
    lastError = EEXIST;
    return -1;
}

// A new temporary for `base`, locked; -1 when none can be made.
int MakeLockedTemporary(int folder, const std::string& base, std::string& name)
{
    for (int attempt = 0; attempt < 8; ++attempt) {
        int fd = CreateExclusive(folder, "." + base + ".", "", name);
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

// In a shared folder a file is written over only when it is a regular file
// this account can read: what cannot be read is not ours to replace.
bool MayReplace(const Place& place, Trust trust, mode_t& mode)
{
    struct stat st;
    int follow = trust == Trust::kShared ? AT_SYMLINK_NOFOLLOW : 0;
    if (::fstatat(place.folder, place.name.c_str(), &st, follow) != 0)
        return errno == ENOENT || Fail(errno);
    if (S_ISREG(st.st_mode))
        mode = st.st_mode & 07777;
    if (trust == Trust::kOwn)
        return true;
    if (S_ISLNK(st.st_mode))
        return Fail(ELOOP);
    int fd = OpenRegular(place, O_RDONLY, trust);
    if (fd < 0)
        return false;
    ::close(fd);
    return true;
}

}  // namespace

bool ReplaceFileContents(const std::string& path, const void* data, std::size_t size, Trust trust, int mode)
{
    Place place;
    Locate(path, trust, place);
    if (!place.Found())
        return Fail(place.error);
    mode_t newMode = DefaultMode();
    if (!MayReplace(place, trust, newMode))
        return false;
    if (mode >= 0)
        newMode = static_cast<mode_t>(mode);

    // First, so that however many saves are killed, one temporary at most stays.
    RemoveStale(place.folder, place.name, true);
    std::string temporary;
    int fd = MakeLockedTemporary(place.folder, place.name, temporary);
    if (fd < 0)
        return false;
    Fd file(fd);
    bool ok = (::fchmod(fd, newMode) == 0 || Fail(errno)) && WriteAll(fd, data, size) && (::fsync(fd) == 0 || Fail(errno));
    // Still open, so still locked, until it has its final name; once the
    // bytes are on the disk closing can lose nothing.
    ok = ok && (::renameat(place.folder, temporary.c_str(), place.folder, place.name.c_str()) == 0 || Fail(errno));
    if (!ok) {
        ::unlinkat(place.folder, temporary.c_str(), 0);
        return false;
    }
    // The new name on the disk too, where the folder may be opened to do so.
    int synced = ::openat(place.folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (synced >= 0) {
        ::fsync(synced);
        ::close(synced);
    }
    return true;
}

void RemoveStaleTemporaries(const std::string& folder, const std::string& namesStart, Trust trust)
{
    if (namesStart.empty())
        return;  // never every hidden file of the folder
    std::string native = folder.empty() ? std::string(".") : NativePath(folder);
    int fd = ::open(native.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC | NoFollow(trust));
    if (fd < 0)
        return;
    Fd opened(fd);
    RemoveStale(fd, Latin1ToUtf8(namesStart), false);
}

bool AppendToFile(const std::string& path, const void* data, std::size_t size, bool sync, Trust trust)
{
    Place place;
    Locate(path, trust, place);
    if (!place.Found())
        return Fail(place.error);
    // In a shared folder the file must also be readable: one this account
    // cannot read is not its to add to.
    int fd = OpenRegular(place, (trust == Trust::kShared ? O_RDWR : O_WRONLY) | O_APPEND | O_CREAT, trust);
    if (fd < 0)
        return false;
    Fd file(fd);
    bool ok = WriteAll(fd, data, size) && (!sync || ::fsync(fd) == 0 || Fail(errno));
    return (::close(file.release()) == 0 || Fail(errno)) && ok;
}

namespace {

// Opens the regular file at `path` with `flags` and does `act` on it.
template <typename F>
bool OnRegularFile(const std::string& path, Trust trust, int flags, F act)
{
    Place place;
    Locate(path, trust, place);
    if (!place.Found())
        return Fail(place.error);
    int fd = OpenRegular(place, flags, trust);
    if (fd < 0)
        return false;
    Fd file(fd);
    return act(fd) == 0 || Fail(errno);
}

}  // namespace

bool TruncateFile(const std::string& path, long long size, Trust trust)
{
    return OnRegularFile(path, trust, O_WRONLY, [size](int fd) { return ::ftruncate(fd, static_cast<off_t>(size)); });
}

bool SyncFile(const std::string& path, Trust trust)
{
    return OnRegularFile(path, trust, O_RDONLY, [](int fd) { return ::fsync(fd); });
}

bool CanCreateFileIn(const std::string& folder)
{
    std::string native = folder.empty() ? std::string(".") : NativePath(folder);
    int dir = ::open(native.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir < 0)
        return Fail(errno);
    Fd opened(dir);
    std::string name = "testwrit.tmp";
    int fd = ::openat(dir, name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    // Whatever already has that name, in any case, is left alone.
    if (fd < 0 && errno == EEXIST)
        fd = CreateExclusive(dir, "testwrit-", ".tmp", name);
    if (fd < 0)
        return Fail(errno);
    ::close(fd);
    ::unlinkat(dir, name.c_str(), 0);
    return true;
}

int LastFileError()
{
    return lastError;
}

void SetWaitHook(void (*hook)())
{
    waitHook = hook;
}

namespace {

long long MonotonicMs()
{
    timespec now{};
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}

}  // namespace

FileLock::FileLock(const std::string& path, Trust trust, int waitMs)
{
    Place place;
    Locate(path, trust, place);
    if (!place.Found())
        return;
    fd_ = OpenRegular(place, O_RDWR | O_CREAT, trust);
    if (fd_ < 0)
        return;
    long long deadline = MonotonicMs() + waitMs;
    for (;;) {
        if (::flock(fd_, waitMs < 0 ? LOCK_EX : LOCK_EX | LOCK_NB) == 0)
            return;
        int error = errno;
        if (error == EINTR)
            continue;
        if (error == EWOULDBLOCK && MonotonicMs() < deadline) {
            if (waitHook)
                waitHook();
            timespec pause{0, 5 * 1000 * 1000};
            ::nanosleep(&pause, nullptr);
            continue;
        }
        busy_ = error == EWOULDBLOCK;
        lastError = error;
        ::close(fd_);
        fd_ = -1;
        return;
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
