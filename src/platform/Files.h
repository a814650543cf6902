#pragma once
// File operations on program paths (see Paths.h): the only place that calls
// the operating system's file functions.

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace platform {

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

// How far a file's folder is trusted. A shared folder (the data folder of a
// school computer, writable by every account) may hold planted links: no
// link is followed, neither at the file's name nor at its folder's own name,
// and a file that exists but cannot be read is never written over.
enum class Trust { kOwn, kShared };

// Why a file could not be read.
enum class ReadFailure { kNone, kMissing, kDenied, kLink, kNotAFile, kTooLarge, kError };

// No file the program reads comes near this; a bigger one is not its file.
constexpr std::size_t kReadLimit = std::size_t{64} << 20;

// fopen on the native form of the path. For reading, only a regular file
// opens (a FIFO or a device would block or never end).
FilePtr OpenFile(const std::string& path, const char* mode);
// The whole of a regular file of at most `limit` bytes.
ReadFailure ReadFile(const std::string& path, std::vector<unsigned char>& bytes, Trust trust = Trust::kOwn,
                     std::size_t limit = kReadLimit);
// The whole file, or false when it cannot be read.
bool ReadWholeFile(const std::string& path, std::vector<unsigned char>& bytes);
bool FileExists(const std::string& path);
bool IsDirectory(const std::string& path);
// Size in bytes, or -1.
long long FileSize(const std::string& path);
bool MakeDirectory(const std::string& path);
bool RemoveFile(const std::string& path, Trust trust = Trust::kOwn);
bool RenameFile(const std::string& from, const std::string& to, Trust trust = Trust::kOwn);
// The permission bits of a regular file, or -1.
int FileMode(const std::string& path, Trust trust = Trust::kOwn);

struct FolderEntry {
    std::string name;  // program form (Latin-1 where possible)
    bool isFolder = false;
};
// Every entry of the folder but "." and "..", in name order as a Windows
// folder search on its usual file systems gives them; empty when missing.
std::vector<FolderEntry> ListFolder(const std::string& path);

// Writes `data` to a temporary file beside `path`, flushes it to disk and
// renames it over `path`. On any failure the old file is untouched and the
// answer is false. Temporaries of `path` left by a copy of the program that
// was killed mid-save are removed; a live writer's never are. The new file
// takes `mode` when it is given, else the old file's permissions.
bool ReplaceFileContents(const std::string& path, const void* data, std::size_t size, Trust trust = Trust::kOwn,
                         int mode = -1);
// Removes those temporaries for every file of the folder whose name starts
// so: files saved once under a name never used again leave them too.
void RemoveStaleTemporaries(const std::string& folder, const std::string& namesStart, Trust trust = Trust::kOwn);

// Appends `data` to the file (created when missing); false unless every
// byte was written. `sync` also waits until the file is on the disk.
bool AppendToFile(const std::string& path, const void* data, std::size_t size, bool sync = false,
                  Trust trust = Trust::kOwn);
// Cuts the file to its first `size` bytes.
bool TruncateFile(const std::string& path, long long size, Trust trust = Trust::kOwn);
// Waits until what was written to the file is on the disk.
bool SyncFile(const std::string& path, Trust trust = Trust::kOwn);

// Whether a new file can be made in the folder: one is created exclusively
// (never opened through an entry already there) and removed.
bool CanCreateFileIn(const std::string& folder);

// The errno of the last file operation above that failed on this thread.
int LastFileError();

// An exclusive lock on a lock file, held while the object lives: two copies
// of the program on one data folder take turns. A lock that cannot be had
// (a file system without locks) does not stop the operation; one that
// another process keeps longer than `waitMs` does (Busy). Meanwhile the wait
// hook runs, so that the window keeps answering.
class FileLock {
public:
    explicit FileLock(const std::string& path, Trust trust = Trust::kOwn, int waitMs = -1);
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;
    bool Held() const { return fd_ >= 0; }
    bool Busy() const { return busy_; }

private:
    int fd_ = -1;
    bool busy_ = false;
};

// Called every few milliseconds while a lock is waited for.
void SetWaitHook(void (*hook)());

// The current folder in program form, ending with a backslash.
std::string CurrentFolder();

// The per-user data folder for the application name, created when missing,
// in program form with a trailing backslash; empty when it cannot be made.
std::string DataFolder(const std::string& applicationName);

}  // namespace platform
