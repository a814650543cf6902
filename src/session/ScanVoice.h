#pragma once
// What a child with switches hears when the scan mark moves: the marked
// letter or label spoken (cut short by the next step), a short beep, or
// nothing, as their voice choices say.

#include <string>

// Says (or beeps for) what the mark has just reached; nothing when the
// child hears nothing or the voice cannot speak.
void SayScanMark(const std::string& label);
