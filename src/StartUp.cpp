#include "StartUp.h"

#include "app/DataFolder.h"
#include "app/DataProblems.h"
#include "base/FatalError.h"
#include "app/Input.h"
#include "app/CommandQueue.h"
#include "app/Commands.h"
#include "app/TApp.h"
#include "game/GameCommands.h"
#include "menus/TMainMenuContext.h"
#include "devices/SessionDevice.h"
#include "session/GameSettings.h"
#include "menus/LastUser.h"
#include "menus/TProjectContext.h"
#include "exercises/SampleExercises.h"
#include "game/TZandorliGameContext.h"
#include "users/TDataFile.h"
#include "gfx/Display.h"
#include "platform/Paths.h"
#include "resources/IniFile.h"
#include "resources/StringTable.h"
#include "ui/StandardContexts.h"
#include "session/Session.h"
#include "stats/CsvExport.h"
#include "stats/StatsStore.h"

#include <cstdio>
#include <ctime>

#include <cstring>
#include <memory>

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
    if (std::strcmp(argv[1], "--esporta") == 0) {
        request.mode = StartRequest::Export;
        if (argc == 3)
            request.exportFolder = argv[2];
        return request;
    }
    request.mode = StartRequest::Profile;
    // "--" ends the switches: what follows is a name even when it looks
    // like one ("-B"). Desktop launchers always write it.
    int first = (argc > 2 && std::strcmp(argv[1], "--") == 0) ? 2 : 1;
    for (int i = first; i < argc; ++i) {
        if (i > first)
            request.profileName += ' ';
        request.profileName += argv[i];
    }
    // Terminals and desktop launchers pass names in UTF-8; the profiles keep
    // them in Latin-1. Bytes that are not UTF-8 are taken as Latin-1 already.
    std::string latin1;
    if (platform::Utf8ToLatin1(request.profileName, latin1))
        request.profileName = latin1;
    return request;
}

void WireScreens(TApp& app)
{
    app.SetRoute(command::kGameEnded, [](TApp& root) {
        if (theSession.directStart)
            PostCommand(command::kQuit);
        else
            root.SetChild(std::make_unique<TMainMenuContext>());
    });
}

int ExportStatistics(const std::string& folder)
{
    // The texts of the files come from the string table, as on screen.
    std::unique_ptr<TStringTable> strings = LoadStringTable("quoli.str");
    if (!strings) {
        std::fprintf(stderr, "quoli: quoli.str\n");
        return 1;
    }
    InstallStringTable(strings.get());
    auto say = [](int number, const std::string& what) {
        std::fprintf(number == 50 ? stdout : stderr, "%s %s\n", platform::Latin1ToUtf8(GetString(15, number)).c_str(), what.c_str());
    };
    int status = 0;
    if (folder.empty()) {
        say(61, "");
        status = 1;
    } else {
        stats::StatsStore store;
        std::string problem = TakeDataProblem();
        if (!problem.empty())
            std::fprintf(stderr, "%s\n", platform::Latin1ToUtf8(problem).c_str());
        if (!store.Ready()) {
            say(52, "");
            status = 1;
        } else if (!stats::ExportCsv(store, platform::ProgramPath(folder), static_cast<long long>(std::time(nullptr)))) {
            say(51, folder);
            status = 1;
        } else {
            say(50, folder);
        }
    }
    InstallStringTable(nullptr);
    return status;
}

int RunProgram(int argc, const char* const* argv)
{
    theSession.userName[0] = 0;
    StartRequest request = ClassifyCommandLine(argc, argv);
    // Profiles live in the data folder, which may be the per-user one: it is
    // chosen before any profile is looked up (it needs no window).
    SetUpDataFolder("QUOLI");
    if (request.mode == StartRequest::Export)
        return ExportStatistics(request.exportFolder);
    SeedSampleExercises();
    if (request.mode == StartRequest::Profile) {
        if (request.profileName.size() > static_cast<std::size_t>(kMaxUserName))
            FatalError("Il nome \xE8 troppo lungo (al massimo 20 caratteri):", request.profileName.c_str());
        if (!findProfile(request.profileName))
            FatalError("Non esiste il profilo di ", request.profileName.c_str());
        theSession.directStart = true;
    }

    std::string resolution = GetValue("config.ini", "global", "RESOLUTION", "800x600");
    SetResolution(ResolutionIndex(resolution.c_str()));

    auto app = std::make_unique<TApp>("QUOLI", "resource.bin", "quoli.str");
    WireScreens(*app);
    // A child's switch device, when the current profile has one, is read
    // with every event of the session.
    SetInputHook([](TEvent& event) { sessiondevice::Poll(theSession.settings.device, event); });

    if (request.mode == StartRequest::AskName) {
        // The name stays in the buffer between rounds, so a mistyped name
        // can be corrected rather than typed again.
        char name[kUserNameSize] = {};
        for (;;) {
            TApp::RunModal(app.get(), std::make_unique<TGetNameContext>(GetString(0, 100), name));
            if (name[0] == 0)
                return 0;
            if (findProfile(name)) {
                theSession.directStart = true;
                break;
            }
            TApp::RunModal(app.get(), std::make_unique<TDisplayMessageContext>(GetString(0, 101), GetString(0, 102)));
        }
    }

    if (theSession.directStart)
        app->SetChild(std::make_unique<TZandorliGameContext>());
    else {
        // The last child's switch steers the title screen already.
        ReadLastUser();
        sessiondevice::Follow(theSession.settings.device);
        app->SetChild(std::make_unique<TProjectContext>());
    }
    app->Run();
    return 0;
}
