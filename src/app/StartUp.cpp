#include "app/StartUp.h"

#include "app/FatalError.h"
#include "app/TApp.h"
#include "users/TProjectContext.h"
#include "game/TZandorliGameContext.h"
#include "users/TDataFile.h"
#include "gfx/Display.h"
#include "resources/IniFile.h"
#include "resources/StringTable.h"
#include "ui/StandardContexts.h"
#include "users/CurrentUser.h"

#include <cstring>

namespace {

bool FindInProfiles(const std::string& name)
{
    return LoadProfileByName(name);
}

ProfileLookup findProfile = FindInProfiles;


}  // namespace

void SetProfileLookup(ProfileLookup lookup)
{
    findProfile = lookup ? lookup : FindInProfiles;
}

StartRequest ClassifyCommandLine(int argc, const char* const* argv)
{
    StartRequest request;
    if (argc == 2 && std::strlen(argv[1]) == 2 && (argv[1][0] == '/' || argv[1][0] == '-') &&
        (argv[1][1] == 'b' || argv[1][1] == 'B')) {
        request.mode = StartRequest::AskName;
        return request;
    }
    if (argc < 2)
        return request;
    request.mode = StartRequest::Profile;
    for (int i = 1; i < argc; ++i) {
        if (i > 1)
            request.profileName += ' ';
        request.profileName += argv[i];
    }
    return request;
}

int RunProgram(int argc, const char* const* argv)
{
    theUserName[0] = 0;
    StartRequest request = ClassifyCommandLine(argc, argv);
    if (request.mode == StartRequest::Profile) {
        if (!findProfile(request.profileName))
            FatalError("Non esiste il profilo di ", request.profileName.c_str());
        theDirectStart = true;
    }

    std::string resolution = GetValue("config.ini", "global", "RESOLUTION", "800x600");
    SetResolution(ResolutionIndex(resolution.c_str()));

    auto* app = new TApp("QUOLI", "resource.bin", "quoli.str");

    if (request.mode == StartRequest::AskName) {
        // The name stays in the buffer between rounds, so a mistyped name
        // can be corrected rather than typed again.
        char name[kUserNameSize + 1] = {};
        for (;;) {
            TApp::RunModal(app, new TGetNameContext(GetString(0, 100), name));
            if (name[0] == 0) {
                delete app;
                return 0;
            }
            if (findProfile(name)) {
                theDirectStart = true;
                break;
            }
            TApp::RunModal(app, new TDisplayMessageContext(GetString(0, 101), GetString(0, 102)));
        }
    }

    if (theDirectStart)
        app->SetChild(new TZandorliGameContext);
    else
        app->SetChild(new TProjectContext);
    app->Run();
    delete app;
    return 0;
}
