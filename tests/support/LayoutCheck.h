#pragma once
// Looks at a dialog the way a teacher would: every text inside its control,
// every control inside its dialog and the dialog on the screen, and no two
// neighbouring controls on top of each other. Texts are measured in the
// view's own font, where the view itself draws them.

#include "gfx/Display.h"

#include <string>
#include <vector>

class TGroup;
class TView;

// Something a dialog draws itself rather than through a view (a title).
struct DrawnArea {
    std::string what;
    Rect area;
};

// One line for each fault; empty when the dialog is tidy. `drawn` are the
// dialog's own texts, held to the same rules as its controls.
std::vector<std::string> LayoutFaults(TGroup& dialog, const std::vector<DrawnArea>& drawn = {});

// What a view covers on the screen: its frame, or its text for a static
// text, plus whatever it prints beside itself.
Rect Extent(TView* view);

// Saves the screen as <name>-<width>x<height>.bmp in the folder that
// QUOLI_LAYOUT_SHOTS names, to be looked at; nothing when it is not set.
void SaveLayoutShot(const std::string& name);

bool Overlap(const Rect& a, const Rect& b);
bool Inside(const Rect& inner, const Rect& outer);
// The height of a line of the view's font as drawn on the screen.
int TextHeight(TView* view);
