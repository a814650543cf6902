#pragma once
// Measuring and drawing one line of Latin-1 text in the screen's current
// font (TrueType or the program's bitmap fonts), anchored by the screen's
// hAnchor (0 left, 1 centre, 2 right) and vAnchor (0 bottom, 1 middle,
// 2 top). A "~" in a hot-key text switches to and from the highlighted
// letters.

#include "gfx/Display.h"

#include "SDL.h"

#include <string>
#include <vector>

int LineHeight();
int TextWidth(const char* text);
// The text cut at spaces into lines no wider than `width` (a word wider
// than that stays whole on its own line).
std::vector<std::string> WrapText(const char* text, int width);
void DrawText(int x, int y, const char* text);

// Where a text `width` pixels wide lands when drawn at (x, y) in the current
// font with the current anchors.
Rect TextBounds(int x, int y, int width);

int HotkeyTextWidth(const char* text);
// The hot-key letters underlined, in the colour-scheme role given
// (kHotkeyInPen: in the pen's colour, for a dark face); -1 draws them as
// the rest, as a disabled view shows them.
constexpr int kHotkeyInPen = -2;
void DrawHotkeyText(int hotkeyRole, int x, int y, const char* text);

// The text rendered into a new surface trimmed to its inked rows; null for
// bitmap fonts and for texts with no ink at all. The caller owns it.
SDL_Surface* RenderTextSurface(const char* text);

// The first and last rows of a text's line (0: its top) that the current
// font inks; false when it inks none.
bool InkedRows(const char* text, int& first, int& last);

// The hot-key letter of a "~" text, lower-cased; 0 when there is none.
int HotkeyOf(const char* text);

// Every text drawn with DrawText is also appended to `log` while it is set
// (tests read what a screen says); null stops it.
void LogDrawnTexts(std::vector<std::string>* log);

// A text as drawn: where, in which colour, over which colour (the one most
// of its box held just before it was drawn). Tests measure contrast on it.
struct DrawnTextLook {
    std::string text;
    Rect box;
    std::uint8_t ink[3], ground[3];
};
// Every text drawn is appended to `log` while it is set; null stops it.
void LogTextLooks(std::vector<DrawnTextLook>* log);
// Drops the pictures of texts kept for a TrueType font being closed (null:
// for every font).
void ForgetRenderedTexts(const void* font);
