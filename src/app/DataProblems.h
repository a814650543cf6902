#pragma once
// What went wrong with a file of the data folder, kept until a screen can
// tell the teacher. The same message is told once a run: a file that cannot
// be read stays so for every later game.

#include "platform/Files.h"

#include <string>

void ReportDataProblem(const std::string& message);
// The next message not told yet; empty when there is none.
std::string TakeDataProblem();
void ResetDataProblems();

// "Il file <name> della cartella dei dati non si può usare: <why>. <then>"
std::string UnreadableFileText(const std::string& path, platform::ReadFailure why, const std::string& then);
// The same for a write that failed with the errno `error`.
std::string UnwritableFileText(const std::string& path, int error, const std::string& then);
// The same for a file whose contents are not the program's.
std::string ForeignFileText(const std::string& path, const std::string& then);
// The file's own name, without its folders.
std::string FileNameOf(const std::string& path);

// How long a copy waits for another to let go of the data folder's lock
// before it goes on without that save.
int DataLockWaitMs();
void SetDataLockWaitMs(int ms);
