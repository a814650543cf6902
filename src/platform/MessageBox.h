#pragma once
// The error message box for fatal errors: the text always goes to standard
// error; on a desktop it also appears in a dialog titled "ERROR".

#include <string>

namespace platform {

void ShowErrorBox(const std::string& text);

}  // namespace platform
