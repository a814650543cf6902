#pragma once
// Running the desktop's own tools (xclip, lp, xdg-user-dir, ...) without a
// shell: arguments are passed as they are, so no name can be misread. A
// tool that hangs (a printer queue that never answers) must not freeze the
// game: every call waits for its tools until one deadline, after which they
// are left to finish on their own and the call reports failure.

#include <chrono>
#include <string>
#include <vector>

namespace extutils {

using Deadline = std::chrono::steady_clock::time_point;

// A few seconds from now; QUOLI_TOOL_WAIT_MS (milliseconds) sets another
// bound, so that tests need not wait as long.
Deadline ToolDeadline();

// The full path of a program found on PATH, or empty.
std::string FindTool(const std::string& name);
// Runs the program with `input` on its standard input; its output is
// dropped. Answers its exit status, or -1 when it could not be run or had
// not finished by the deadline.
int RunTool(const std::vector<std::string>& arguments, const std::string& input, Deadline deadline);
// Runs the program and answers what it printed (empty when it failed or
// had not finished by the deadline).
std::string ToolOutput(const std::vector<std::string>& arguments, Deadline deadline);

std::string Latin1ToUtf8(const char* text);

}  // namespace extutils
