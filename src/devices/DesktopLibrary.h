#pragma once
// The desktop utility library (clipboard, printing, desktop shortcuts),
// loaded by name at each use; a missing library or operation does nothing.

#include "SDL.h"

#include <string>
#include <vector>

namespace desktop {

// Each answers whether it worked: the text is on the clipboard, the job
// reached the printer.
bool CopyTextFileToClipboard(const std::string& path);
bool PrintAsciiText(const std::string& title, const std::vector<std::string>& lines);
bool PrintBitmap(const std::string& title, SDL_Surface* screen);
void CreateIconOnDesktop(const std::string& title, const std::string& description, const std::string& argument);

}  // namespace desktop
