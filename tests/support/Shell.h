#pragma once
// Runs a shell command and collects its exit status and all it printed.

#include <string>

struct ShellRun {
    int status;          // exit status, -1 when it did not exit normally
    std::string output;  // standard output and error together
};

ShellRun RunShell(const std::string& command);
