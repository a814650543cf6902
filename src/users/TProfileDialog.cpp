#include "users/TProfileDialog.h"

#include "users/VoiceProfile.h"

#include "app/DataProblems.h"
#include "devices/DesktopLibrary.h"
#include "session/GameSettings.h"
#include "resources/StringTable.h"
#include "session/Session.h"
#include "users/TDataFile.h"
#include "users/UserCommands.h"


TProfileDialog::TProfileDialog()
    : TUserMenuDialog(GetString(7, 5), {GetString(7, 1), GetString(7, 2), GetString(7, 3), GetString(7, 4)},
                      command::kLoadProfile, GameSettings::kSize)
{
}

void TProfileDialog::HandleEvent(TEvent& event)
{
    TUserMenuDialog::HandleEvent(event);
    switch (event.command) {
    case command::kLoadProfile: ChooseUser(command::kLoadProfile, GetString(7, 1)); break;
    case command::kSaveProfile: SaveCurrent(); break;
    case command::kProfileShortcut: ChooseUser(command::kProfileShortcut, GetString(7, 3)); break;
    case command::kDeleteProfile: ChooseUser(command::kDeleteProfile, GetString(7, 4)); break;
    default: break;
    }
}

void TProfileDialog::TellProblem(const char* otherwise)
{
    // What went wrong with the files, when known, says more than a guess.
    std::string problem = TakeDataProblem();
    if (!problem.empty())
        Tell(GetString(0, 11), problem.c_str());
    else if (otherwise)
        Tell(GetString(0, 11), otherwise);
}

void TProfileDialog::SaveCurrent()
{
    if (theSession.userName[0] == 0) {
        Tell(GetString(0, 11), GetString(4, 22));
        return;
    }
    TDataFile data(payloadSize_);
    GameSettings::Bytes bytes = theSession.settings.Encode();
    if (data.StoreUser(theSession.userName, bytes.data())) {
        voiceprofile::Save(theSession.userName);
        Tell(GetString(7, 11), theSession.userName);
    } else {
        TellProblem(GetString(7, 20));  // never a success that was not
    }
}

void TProfileDialog::CarryOut(int command, const std::string& name)
{
    switch (command) {
    case command::kLoadProfile:
        if (LoadProfileByName(name)) {
            theSession.profileLoaded = true;
            Tell(GetString(7, 10), name.c_str());
        } else {
            // A name stored by another copy may be longer than this one's
            // name line takes: never cut into another child's.
            Tell(GetString(0, 11), (std::string(GetString(7, 22)) + " " + name).c_str());
        }
        break;
    case command::kProfileShortcut:
        // The shortcut starts the chosen child's game.
        desktop::CreateIconOnDesktop(std::string(GetString(7, 15)) + " " + name, GetString(7, 17), name);
        Tell(GetString(7, 14), name.c_str());
        break;
    case command::kDeleteProfile:
        Ask(GetString(7, 12), name, [this, name] {
            TDataFile data(payloadSize_);
            if (!data.DeleteUser(name.c_str()))
                TellProblem(nullptr);
        });
        break;
    default: break;
    }
}
