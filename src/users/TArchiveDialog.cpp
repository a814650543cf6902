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

#include <vector>

namespace {

constexpr unsigned kPlainText = 0x20000;

}  // namespace

TArchiveDialog::TArchiveDialog()
    : TUserMenuDialog(GetString(9, 5), {GetString(9, 1), GetString(9, 2), GetString(9, 3)}, command::kShowResults,
                      GameSettings::kSize)
{
}

TArchiveDialog::~TArchiveDialog()
{
    if (!reportPath_.empty())
        platform::RemoveFile(reportPath_, platform::Trust::kShared);
}

void TArchiveDialog::HandleEvent(TEvent& event)
{
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

void TArchiveDialog::CarryOut(int command, const std::string& name)
{
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
            desktop::PrintAsciiText(name, texts);
        });
        break;
    case command::kDeleteResults:
        Ask(GetString(9, 11), name, [this, name] {
            if (!TDataFile(payloadSize_).PurgeEvents(name.c_str()))
                Tell(GetString(0, 11), TakeDataProblem().c_str());
        });
        break;
    default: break;
    }
}
