#include "app/DataFolder.h"

#include "app/DataProblems.h"
#include "platform/Files.h"
#include "platform/Paths.h"
#include "resources/FileHelpers.h"
#include "resources/IniFile.h"

std::string theDataPrefix;

namespace {

// Where the choice was made: start-up chooses before the application object
// exists, which chooses again only for another program folder.
std::string chosenIn;

// The classroom's shared folder of "config.ini", as a prefix; empty when
// none is named or it cannot be used (the teacher is told).
std::string SharedFolder()
{
    std::string named = GetValue("config.ini", "global", "DATAFOLDER", "");
    while (!named.empty() && (named.back() == ' ' || named.back() == '\t'))
        named.pop_back();
    if (named.empty())
        return std::string();
    // A path written on Linux, perhaps in UTF-8: the program's form of it.
    std::string folder = platform::ProgramPath(named);
    if (folder.back() != '\\')
        folder += '\\';
    if (!platform::CanCreateFileIn(folder)) {
        ReportDataProblem("La cartella dei dati condivisa " + named +
                          " non si pu\xF2 usare: i dati restano su questo computer.");
        return std::string();
    }
    return folder;
}

}  // namespace

void SetUpDataFolder(const std::string& applicationName)
{
    std::string here = platform::CurrentFolder() + applicationName;
    if (here == chosenIn)
        return;
    chosenIn = here;
    theDataPrefix = SharedFolder();
    if (theDataPrefix.empty() && ProgramFolderReadOnly())
        theDataPrefix = platform::DataFolder(applicationName);
}

void ResetDataFolder()
{
    chosenIn.clear();
    theDataPrefix.clear();
}
