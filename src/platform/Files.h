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

// fopen on the native form of the path.
FilePtr OpenFile(const std::string& path, const char* mode);
// The whole file, or false when it cannot be read.
bool ReadWholeFile(const std::string& path, std::vector<unsigned char>& bytes);
bool FileExists(const std::string& path);
bool IsDirectory(const std::string& path);
// Size in bytes, or -1.
long long FileSize(const std::string& path);
bool MakeDirectory(const std::string& path);
bool RemoveFile(const std::string& path);
bool RenameFile(const std::string& from, const std::string& to);

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
// was killed mid-save are removed; a live writer's never are.
bool ReplaceFileContents(const std::string& path, const void* data, std::size_t size);
// Removes those temporaries for every file of the folder whose name starts
// so: files saved once under a name never used again leave them too.
void RemoveStaleTemporaries(const std::string& folder, const std::string& namesStart);

// Appends `data` to the file (created when missing); false unless every
// byte was written. `sync` also waits until the file is on the disk.
bool AppendToFile(const std::string& path, const void* data, std::size_t size, bool sync = false);
// Cuts the file to its first `size` bytes.
bool TruncateFile(const std::string& path, long long size);
// Waits until what was written to the file is on the disk.
bool SyncFile(const std::string& path);

// An exclusive lock on a lock file, held while the object lives: two copies
// of the program on one data folder take turns. A lock that cannot be had
// (a file system without locks) does not stop the operation.
class FileLock {
public:
    explicit FileLock(const std::string& path);
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;
    bool Held() const { return fd_ >= 0; }

private:
    int fd_ = -1;
};

// The current folder in program form, ending with a backslash.
std::string CurrentFolder();

// The per-user data folder for the application name, created when missing,
// in program form with a trailing backslash; empty when it cannot be made.
std::string DataFolder(const std::string& applicationName);

}  // namespace platform
