#pragma once
// The desktop utility library: clipboard, printing and desktop shortcuts for
// the program, which loads it by name at each use. Texts come in the
// program's Latin-1; every operation answers 0 on success, else non-zero.

#include "SDL.h"

#define EXTUTILS_EXPORT __attribute__((visibility("default")))

extern "C" {

// The text of the file on the desktop's clipboard, as UTF-8; it stays there
// after the program ends.
EXTUTILS_EXPORT int CopyTextFileToClipboard(const char* path);
// The lines (ended by a null pointer) printed under the title on the default
// printer; the job is named after the title. `copies` is how many to print.
EXTUTILS_EXPORT int PrintAsciiText(const char* title, const char* const* lines, int copies, void* list);
// The surface printed as one picture, scaled to fit the page.
EXTUTILS_EXPORT int PrintBitmap(const char* title, SDL_Surface* surface, int copies);
// A launcher on the user's desktop named `title`, described by `comment`,
// that starts this program folder's game with `argument` (a profile name).
EXTUTILS_EXPORT int CreateIconOnDesktop(const char* title, const char* comment, const char* argument, void* module);
}
