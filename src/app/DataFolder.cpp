#include "app/DataFolder.h"

#include "platform/Files.h"
#include "resources/FileHelpers.h"

std::string theDataPrefix;

void SetUpDataFolder(const std::string& applicationName)
{
    theDataPrefix.clear();
    if (ProgramFolderReadOnly())
        theDataPrefix = platform::DataFolder(applicationName);
}
