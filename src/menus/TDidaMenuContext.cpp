#include "menus/TDidaMenuContext.h"

#include "app/Commands.h"
#include "gfx/Screen.h"

TDidaMenuContext::TDidaMenuContext() : TMenuContext(command::kQuit) {}

void TDidaMenuContext::Start()
{
    ClearScreen(1);
}
