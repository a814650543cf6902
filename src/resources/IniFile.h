#pragma once
// Reads "key=value" lines of INI-style files. Every call scans the file anew;
// the program only reads such files.

#include <string>

// 1 and the value when the key is in the section; 0 when it is not. When the
// file cannot be opened, `line` becomes -2; otherwise it counts the lines read.
// A null or empty section searches the lines before the first header.
int ReadValue(const char* file, const char* section, const char* key, std::string& value, int& line);

// The stored value when present and not empty, else the default.
std::string GetValue(const char* file, const char* section, const char* key, const char* fallback);
