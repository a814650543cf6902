#include "exercises/EditorMessages.h"

#include "gfx/Screen.h"
#include "resources/StringTable.h"
#include "ui/StandardDialogs.h"

void ShowEditorMessage(TDialog* over, const char* text)
{
    ShowEditorMessage(over, GetString(0, 10), text);
}

void ShowEditorMessage(TDialog* over, const char* title, const char* text)
{
    ShowMessage(over, title, text);
}
