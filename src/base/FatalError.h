#pragma once
// The end of the program when it cannot go on: the two texts joined by a
// space, shown in the error box, and exit status 1.

[[noreturn]] void FatalError(const char* first, const char* second);
