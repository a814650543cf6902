#include "support/ProcessState.h"

#include "StartUp.h"
#include "app/Clock.h"
#include "app/CommandQueue.h"
#include "app/DataFolder.h"
#include "app/DataProblems.h"
#include "app/Input.h"
#include "app/Random.h"
#include "app/Sound.h"
#include "app/Voice.h"
#include "app/WakeUp.h"
#include "devices/SessionDevice.h"
#include "gfx/Colours.h"
#include "gfx/Display.h"
#include "gfx/Screen.h"
#include "gfx/Text.h"
#include "session/Session.h"
#include "ui/TView.h"
#include "users/TDataFile.h"

void ResetProcessState()
{
    theSession.Reset();
    SetTickSource(nullptr);
    ResetClock();
    ResetInput();
    SetInputHook(nullptr);
    SetNumLockSource(nullptr);
    ClearCommands();
    wakeup::Reset();
    SeedRandom(1);
    ResetSound();
    voice::Reset();
    ResetDisplay();
    ResetSchemeColours();
    SetUpdateHook(nullptr);
    ForgetPushedPicture();
    LogDrawnTexts(nullptr);
    LogTextLooks(nullptr);
    ResetViewState();
    sessiondevice::Reset();
    ResetDataFolder();
    ResetDataProblems();
    SetProfileLookup(nullptr);
}
