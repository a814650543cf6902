#include "users/TArchiveDialog.h"

#include "app/DataProblems.h"
#include "devices/DesktopLibrary.h"
#include "gfx/Screen.h"
#include "help/TMiniBrowser.h"
#include "session/GameSettings.h"
#include "platform/Files.h"
#include "resources/StringTable.h"
#include "base/TStringList.h"
#include "users/TDataFile.h"
#include "users/UserCommands.h"
#include "base/TextHelpers.h"
#include "platform/Paths.h"
#include "platform/UserFolders.h"
#include "session/Session.h"
#include "stats/CsvExport.h"
#include "stats/StatsCommands.h"
#include "stats/StatsStore.h"
#include "stats/TClassDialog.h"
#include "stats/TProgressDialog.h"

#include <cstdio>
#include <ctime>

#include <vector>

namespace {

constexpr unsigned kPlainText = 0x20000;

}  // namespace

TArchiveDialog::TArchiveDialog()
    : TUserMenuDialog(GetString(9, 5),
                      {GetString(9, 1), GetString(9, 2), GetString(9, 3), GetString(15, 1), GetString(15, 2),
                       GetString(15, 3)},
                      command::kShowResults, GameSettings::kSize)
{
}

TArchiveDialog::~TArchiveDialog()
{
    if (!reportPath_.empty())
        platform::RemoveFile(reportPath_, platform::Trust::kShared);
}

void TArchiveDialog::HandleEvent(TEvent& event)
{
    // The lines after the results' three: their commands follow on from
    // those and are this dialog's own.
    int line = event.command - command::kShowResults;
    if (line >= 3 && line <= 5) {
        event.command = 0;
        if (line == 3)
            ChooseUser(command::kShowProgress, GetString(15, 4));
        else if (line == 4)
            PushDialog(this, std::make_unique<TClassDialog>());
        else
            ExportStatistics();
        return;
    }
    TUserMenuDialog::HandleEvent(event);
    int c = event.command;
    if (c >= command::kShowResults && c <= command::kDeleteResults)
        ChooseUser(c, GetString(9, 1 + (c - command::kShowResults)));
}

bool TArchiveDialog::Export(const std::string& name, int mode)
{
    TDataFile data(payloadSize_);
    formatter_.Reset();  // every report starts at its first column
    bool found = data.ExportReport(name.c_str(), [this](int eventKind, const unsigned char* bytes, int size, int m) {
        return formatter_.Format(eventKind, bytes, size, m);
    }, mode);
    if (platform::FileExists(data.ReportPath()))
        reportPath_ = data.ReportPath();
    if (!found) {
        // A file that could not be used is not the same as no results.
        std::string problem = TakeDataProblem();
        Tell(GetString(0, 11), problem.empty() ? GetString(9, 12) : problem.c_str());
    }
    return found;
}

void TArchiveDialog::ExportStatistics()
{
    std::string folder = platform::DocumentsFolder() + "/Quoli";
    stats::StatsStore store;
    bool done = store.Ready() &&
                stats::ExportCsv(store, platform::ProgramPath(folder), static_cast<long long>(std::time(nullptr)));
    // The path as the desktop writes it: slashes, the names as they are.
    std::string shown;
    platform::Utf8ToLatin1(folder, shown);
    Tell(GetString(0, 11), (std::string(GetString(15, done ? 50 : 51)) + " " + (shown.empty() ? folder : shown)).c_str());
}

void TArchiveDialog::ShowProgress(const std::string& name)
{
    TDataFile data(payloadSize_);
    TElement* child = data.Find(name.c_str());
    if (!child)
        return;
    int id = TDataFile::IdOf(child);
    PushDialog(this, std::make_unique<TProgressDialog>(id, name, [this, name](const stats::TailoredExercise& made) {
        // The child plays it next: it becomes their profile's exercise.
        TDataFile profiles(payloadSize_);
        const unsigned char* payload = profiles.PayloadOf(name.c_str());
        if (!payload)
            return false;
        GameSettings settings = GameSettings::Decode(payload);
        settings.exerciseType = made.kind;
        std::snprintf(settings.exerciseName, sizeof settings.exerciseName, "%s", made.name.c_str());
        GameSettings::Bytes bytes = settings.Encode();
        if (profiles.StoreUser(name.c_str(), bytes.data()) == 0)
            return false;
        if (EqualsNoCase(theSession.userName, name.c_str())) {
            theSession.settings.exerciseType = made.kind;
            std::snprintf(theSession.settings.exerciseName, sizeof theSession.settings.exerciseName, "%s",
                          made.name.c_str());
            theSession.profileLoaded = true;  // the main menu shows it
        }
        theSession.exerciseListChanged = true;
        return true;
    }));
}

void TArchiveDialog::CarryOut(int command, const std::string& name)
{
    if (command == command::kShowProgress) {
        ShowProgress(name);
        return;
    }
    if (!Export(name, command == command::kPrintResults ? 2 : 1))
        return;
    switch (command) {
    case command::kShowResults:
        PushDialog(this, std::make_unique<TMiniBrowser>(Scaled(30), Scaled(30), Scaled(610), Scaled(450), name.c_str(),
                                          reportPath_.c_str(), browser::kButtons | kPlainText | dialog::kSaveBackground));
        break;
    case command::kPrintResults:
        Ask(GetString(9, 10), name, [this, name] {
            TStringList lines;
            lines.ReadLines(reportPath_.c_str());
            std::vector<std::string> texts;
            for (int i = 0; i < lines.Count(); ++i)
                texts.emplace_back(lines.TextAt(i));
            bool printed = desktop::PrintAsciiText(name, texts);
            Tell(GetString(0, 11), GetString(15, printed ? 56 : 57));
        });
        break;
    case command::kDeleteResults:
        Ask(GetString(9, 11), name, [this, name] {
            TDataFile data(payloadSize_);
            if (!data.PurgeEvents(name.c_str())) {
                Tell(GetString(0, 11), TakeDataProblem().c_str());
                return;
            }
            // The statistics of those results go too.
            stats::StatsStore store;
            if (TElement* child = data.Find(name.c_str()); child && store.Ready())
                store.DeleteChild(TDataFile::IdOf(child));
        });
        break;
    default: break;
    }
}
