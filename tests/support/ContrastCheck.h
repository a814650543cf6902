#pragma once
// Reads every text as a child does: each one drawn must stand out from what
// is behind it by a contrast of at least 4.5:1 (the web's guideline for
// text), whatever the control and its state.

#include "gfx/Text.h"

#include <string>
#include <vector>

class TDialog;

// One line for each text too faint on its ground. The copies of a text
// drawn a pixel around itself (an outline or a shadow) are not read: the
// text drawn last over them is, against its ground or its outline.
std::vector<std::string> ContrastFaults(const std::vector<DrawnTextLook>& looks, double minimum = 4.5);

// Draws `first` and every dialog above it again, as the screen shows them,
// and answers what each text looked like.
std::vector<DrawnTextLook> RedrawnTextLooks(TDialog* first);
