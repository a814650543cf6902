#pragma once
// The program-wide first-in first-out queue of command codes. Anything may
// post at any time; the loops take at most one code a frame.

void PostCommand(int code);
// The oldest code, or 0 when the queue is empty.
int TakeCommand();
void ClearCommands();
int PendingCommands();
