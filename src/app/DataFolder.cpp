#include "app/DataFolder.h"

#include "platform/Files.h"
#include "resources/FileHelpers.h"

std::string theDataPrefix;

namespace {

// Where the choice was made: start-up chooses before the application object
// exists, which chooses again only for another program folder.
std::string chosenIn;

}  // namespace

void SetUpDataFolder(const std::string& applicationName)
{
    std::string here = platform::CurrentFolder() + applicationName;
    if (here == chosenIn)
        return;
    chosenIn = here;
    theDataPrefix.clear();
    if (ProgramFolderReadOnly())
        theDataPrefix = platform::DataFolder(applicationName);
}

void ResetDataFolder()
{
    chosenIn.clear();
    theDataPrefix.clear();
}
