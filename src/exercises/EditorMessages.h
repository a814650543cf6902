#pragma once
// The editors' way of telling the teacher something went wrong: a message
// centred on the screen, above the dialog that found it.

class TDialog;

void ShowEditorMessage(TDialog* over, const char* text);
void ShowEditorMessage(TDialog* over, const char* title, const char* text);
