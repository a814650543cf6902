#pragma once
// The program builds paths Windows-style, with backslashes and 8-bit Latin-1
// names. This turns them into names the Linux file system has: slashes,
// UTF-8, and for each component that does not exist as spelt, an existing
// entry whose name differs only in ASCII case (files copied from Windows).

#include <string>

namespace platform {

// The on-disk path for a program path. Components that exist nowhere keep
// the spelling given, so new files are created as the program names them.
std::string NativePath(const std::string& programPath);

// The program's form of an on-disk path: Latin-1 where the UTF-8 name can be
// said in Latin-1 (raw bytes otherwise), with backslashes.
std::string ProgramPath(const std::string& nativePath);

// Latin-1 <-> UTF-8 for names. FromUtf8 answers false (and leaves `out`
// alone) when the bytes are not UTF-8 or hold a character above U+00FF.
std::string Latin1ToUtf8(const std::string& latin1);
bool Utf8ToLatin1(const std::string& utf8, std::string& out);

}  // namespace platform
