#include "app/TPlainScreenContext.h"

#include "gfx/Screen.h"

void TPlainScreenContext::Start()
{
    ClearScreen(1);
}
