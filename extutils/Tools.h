#pragma once
// Running the desktop's own tools (xclip, lp, xdg-user-dir, ...) without a
// shell: arguments are passed as they are, so no name can be misread.

#include <string>
#include <vector>

namespace extutils {

// The full path of a program found on PATH, or empty.
std::string FindTool(const std::string& name);
// Runs the program with `input` on its standard input; its output is
// dropped. Answers its exit status, or -1 when it could not be run.
int RunTool(const std::vector<std::string>& arguments, const std::string& input);
// Runs the program and answers what it printed (empty when it failed).
std::string ToolOutput(const std::vector<std::string>& arguments);

std::string Latin1ToUtf8(const char* text);

}  // namespace extutils
