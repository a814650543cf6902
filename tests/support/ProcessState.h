#pragma once
// Everything the program keeps for the whole process, back to how a process
// that has just started finds it: run before every test, so that no test
// passes or fails because of the one before it.

void ResetProcessState();
