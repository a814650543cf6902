#pragma once
// The error message box for fatal errors: the text always goes to standard
// error; on a desktop it also appears in a dialog titled "ERROR". The text
// is the program's Latin-1; both show it in UTF-8.

#include <string>

namespace platform {

void ShowErrorBox(const std::string& text);

}  // namespace platform
