#include "menus/LastUser.h"

#include "app/DataFolder.h"
#include "menus/GameSettings.h"
#include "platform/Files.h"
#include "resources/FileHelpers.h"
#include "resources/LittleEndian.h"
#include "resources/StringTable.h"
#include "users/CurrentUser.h"

#include <cstring>
#include <vector>

namespace {

std::string LastUserPath()
{
    return theDataPrefix + GetString(3, 5);
}

}  // namespace

void ReadLastUser()
{
    std::vector<unsigned char> bytes;
    if (!platform::ReadWholeFile(LastUserPath(), bytes) || bytes.size() < kUserNameSize)
        return;
    std::memcpy(theUserName, bytes.data(), kUserNameSize);
    theUserName[kUserNameSize - 1] = 0;
    if (bytes.size() >= kUserNameSize + 4 + GameSettings::kSize && GetLE32(bytes.data() + kUserNameSize) == GameSettings::kSize)
        theGameSettings = GameSettings::Decode(bytes.data() + kUserNameSize + 4);
}

bool WriteLastUser()
{
    std::string path = LastUserPath();
    std::size_t slash = path.find_last_of('\\');
    if (slash != std::string::npos)
        MakeFolder(path.substr(0, slash).c_str());
    std::vector<unsigned char> bytes(theUserName, theUserName + kUserNameSize);
    PutLE32(bytes, GameSettings::kSize);
    GameSettings::Bytes settings = theGameSettings.Encode();
    bytes.insert(bytes.end(), settings.begin(), settings.end());
    return platform::ReplaceFileContents(path, bytes.data(), bytes.size());
}
