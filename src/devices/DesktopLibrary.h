#pragma once
// The desktop utility library (clipboard, printing, desktop shortcuts),
// loaded by name at each use; a missing library or operation does nothing.

#include "SDL.h"

#include <string>
#include <vector>

namespace desktop {

void CopyTextFileToClipboard(const std::string& path);
// The printing operations answer whether the job reached the printer.
bool PrintAsciiText(const std::string& title, const std::vector<std::string>& lines);
bool PrintBitmap(const std::string& title, SDL_Surface* screen);
void CreateIconOnDesktop(const std::string& title, const std::string& description, const std::string& argument);

}  // namespace desktop
