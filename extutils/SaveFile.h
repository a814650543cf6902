#pragma once
// Saving a file into a folder others may write to (a desktop): the text is
// written to a new file of our own, created exclusively and never through a
// link planted in its place, and then renamed over the old one.

#include <sys/types.h>

#include <string>

namespace extutils {

// Creates `folder` and the folders above it that are missing.
bool MakeFolders(const std::string& folder);
// `bytes` as `folder`/`name` with the permissions `mode`, synced to disk.
bool SaveFile(const std::string& folder, const std::string& name, const std::string& bytes, mode_t mode);

}  // namespace extutils
