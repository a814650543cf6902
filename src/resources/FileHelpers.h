#pragma once
// Small wrappers over the file system for the rest of the program. Paths are
// program paths with backslashes (the platform layer maps them to Linux).

#include <string>

bool IsFolder(const char* path);
// Creates the folder unless a folder of that name exists; true when it exists after.
bool MakeFolder(const char* path);
// True when "testwrit.tmp" cannot be created in the current folder.
bool ProgramFolderReadOnly();
// The current folder, ending with a backslash.
std::string CurrentFolder();
// The folder of the typefaces the program offers: the program's own "fonts\".
std::string FontsFolder();
// Replaces every "/" by "\" in place.
void ToBackslashes(char* path);
void ToBackslashes(std::string& path);
// True when the extension is empty, or equals (ignoring case) the name's part
// from its last dot, the dot included.
bool HasExtension(const char* name, const char* extension);
