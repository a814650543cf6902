#include "menus/LastUser.h"

#include "app/DataFolder.h"
#include "app/DataProblems.h"
#include "session/GameSettings.h"
#include "platform/Files.h"
#include "resources/FileHelpers.h"
#include "resources/LittleEndian.h"
#include "resources/StringTable.h"
#include "session/Session.h"

#include <cstring>
#include <vector>

namespace {

// The file starts with the name in 20 bytes (a name of 20 characters fills
// them without a terminator), then the settings' size and the settings.
constexpr std::size_t kNameField = kMaxUserName;

std::string LastUserPath()
{
    return theDataPrefix + GetString(3, 5);
}

}  // namespace

void ReadLastUser()
{
    std::vector<unsigned char> bytes;
    platform::ReadFailure read = platform::ReadFile(LastUserPath(), bytes, platform::Trust::kShared);
    if (read != platform::ReadFailure::kNone && read != platform::ReadFailure::kMissing)
        ReportDataProblem(UnreadableFileText(LastUserPath(), read, GetString(14, 22)));
    if (read != platform::ReadFailure::kNone || bytes.size() < kNameField)
        return;
    std::memcpy(theSession.userName, bytes.data(), kNameField);
    theSession.userName[kNameField] = 0;
    if (bytes.size() >= kNameField + 4 + GameSettings::kSize && GetLE32(bytes.data() + kNameField) == GameSettings::kSize)
        theSession.settings = GameSettings::Decode(bytes.data() + kNameField + 4);
}

bool WriteLastUser()
{
    std::string path = LastUserPath();
    std::size_t slash = path.find_last_of('\\');
    if (slash != std::string::npos)
        MakeFolder(path.substr(0, slash).c_str());
    std::vector<unsigned char> bytes(theSession.userName, theSession.userName + kNameField);
    PutLE32(bytes, GameSettings::kSize);
    GameSettings::Bytes settings = theSession.settings.Encode();
    bytes.insert(bytes.end(), settings.begin(), settings.end());
    // One that cannot be read is never written over (the platform refuses).
    return platform::ReplaceFileContents(path, bytes.data(), bytes.size(), platform::Trust::kShared);
}
