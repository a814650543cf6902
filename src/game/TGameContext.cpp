#include "game/TGameContext.h"

#include "app/CommandQueue.h"
#include "app/Sound.h"
#include "app/TApp.h"
#include "devices/DesktopLibrary.h"
#include "game/GameCommands.h"
#include "game/PauseContexts.h"
#include "gfx/Screen.h"
#include "resources/StringTable.h"

TGameContext::~TGameContext()
{
    StopAllEffects();
}

void TGameContext::HandleEvent(TEvent& event)
{
    TMenuContext::HandleEvent(event);
    if (event.keyAction == key::kPressed) {
        if (event.keyChar == 27 && escapeAllowed_)
            PostCommand(command::kAskExit);
        else if (event.keySym == SDLK_PAUSE && pauseAllowed_)
            PostCommand(command::kPause);
    }
    switch (event.command) {
    case command::kPrintScreen: {
        // The picture first, without the message over it.
        bool printed = desktop::PrintBitmap(GetString(0, 8), theScreen.surface);
        TApp::RunModal(Root(), std::make_unique<TToldContext>(GetString(0, 11), GetString(15, printed ? 62 : 63)));
        break;
    }
    case command::kPause:
        TApp::RunModal(Root(), std::make_unique<TPauseContext>());
        break;
    case command::kAskExit:
        TApp::RunModal(Root(), std::make_unique<TWantExitContext>(&exitConfirmed_));
        break;
    default:
        break;
    }
}
