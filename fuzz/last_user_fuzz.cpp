// The last-user file and the settings record on hostile bytes: the name and
// settings taken only as the file allows, every number brought into its
// range, and decode, encode, decode giving the same settings; what is
// written is read back the same.

#include "FuzzScratch.h"
#include "app/DataFolder.h"
#include "session/GameSettings.h"
#include "menus/LastUser.h"
#include "session/Session.h"

#include <cstring>
#include <string>

namespace {

bool SameDevice(const DeviceSettings& a, const DeviceSettings& b)
{
    return a.enabled == b.enabled && a.kind == b.kind && a.switches == b.switches && a.directions == b.directions &&
           a.port == b.port && a.acceptance == b.acceptance && a.scanInterval == b.scanInterval &&
           a.pointerSpeed == b.pointerSpeed && a.holdToMove == b.holdToMove && a.accelerate == b.accelerate &&
           a.fifthKindOffered == b.fifthKindOffered && a.reserved == b.reserved;
}

bool Same(const GameSettings& a, const GameSettings& b)
{
    return a.recordResults == b.recordResults && a.enterTopTen == b.enterTopTen &&
           a.thirdResultsFlag == b.thirdResultsFlag && a.effectsOn == b.effectsOn && a.musicOn == b.musicOn &&
           a.theme == b.theme && a.exerciseType == b.exerciseType && a.lanes == b.lanes &&
           a.fallSeconds == b.fallSeconds && a.spawnSeconds == b.spawnSeconds && a.textCase == b.textCase &&
           a.lives == b.lives && a.infiniteLives == b.infiniteLives && a.backgroundColour == b.backgroundColour &&
           a.plainBackground == b.plainBackground && std::strcmp(a.exerciseName, b.exerciseName) == 0 &&
           a.startLevel == b.startLevel && std::strcmp(a.fontName, b.fontName) == 0 && a.fontSize == b.fontSize &&
           a.textColour == b.textColour && a.boxColour == b.boxColour && SameDevice(a.device, b.device);
}

bool In(std::int32_t v, std::int32_t low, std::int32_t high)
{
    return v >= low && v <= high;
}

// The ranges the dialogs offer, which a decoded record always keeps to.
bool InRange(const GameSettings& s)
{
    return In(s.theme, 1, 3) && In(s.exerciseType, 1, 3) && In(s.lanes, 1, 3) && In(s.fallSeconds, 2, 60) &&
           In(s.spawnSeconds, 1, 30) && In(s.textCase, 1, 3) && In(s.lives, 0, 10) &&
           In(s.backgroundColour, 0, 31) && s.startLevel >= 1 && In(s.fontSize, 6, 72) && In(s.textColour, 0, 31) &&
           In(s.boxColour, 0, 31) && In(s.device.enabled, 0, 1) && In(s.device.kind, 1, 5) &&
           In(s.device.switches, 1, 2) && In(s.device.directions, 0, 1) && In(s.device.port, 1, 4) &&
           In(s.device.acceptance, 0, 10) && In(s.device.scanInterval, 5, 50) &&
           std::memchr(s.exerciseName, 0, sizeof s.exerciseName) && std::memchr(s.fontName, 0, sizeof s.fontName);
}

void CheckRecord(const std::uint8_t* record)
{
    GameSettings first = GameSettings::Decode(record);
    FUZZ_CHECK(InRange(first));
    GameSettings::Bytes encoded = first.Encode();
    GameSettings second = GameSettings::Decode(encoded.data());
    FUZZ_CHECK(Same(first, second));
    FUZZ_CHECK(second.Encode() == encoded);
    // A changed text is written whole: nothing of the old one after it.
    second.exerciseName[0] = 'x';
    second.exerciseName[1] = 0;
    FUZZ_CHECK(std::strcmp(GameSettings::Decode(second.Encode().data()).exerciseName, "x") == 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size)
{
    fuzz::InstallStrings();
    const std::string& folder = fuzz::ScratchFolder("last_user");
    theDataPrefix = folder;
    fuzz::EmptyFolder(folder);
    std::filesystem::create_directories(folder + "DATA");
    fuzz::WriteBytes(folder + "DATA/ULTIMO.DAT", bytes, size);

    // The settings record on its own, wherever the input holds one.
    if (size >= GameSettings::kSize)
        CheckRecord(bytes);
    if (size >= kMaxUserName + 4 + GameSettings::kSize)
        CheckRecord(bytes + kMaxUserName + 4);

    std::snprintf(theSession.userName, sizeof theSession.userName, "%s", "prima");
    theSession.settings = GameSettings();
    theSession.settings.lanes = 1;
    const GameSettings untouched = theSession.settings;
    ReadLastUser();
    FUZZ_CHECK(std::memchr(theSession.userName, 0, sizeof theSession.userName) != nullptr);
    if (size < static_cast<std::size_t>(kMaxUserName)) {
        FUZZ_CHECK(std::strcmp(theSession.userName, "prima") == 0);
    } else {
        FUZZ_CHECK(std::strncmp(theSession.userName, reinterpret_cast<const char*>(bytes), kMaxUserName) == 0);
    }
    // Settings are taken only when the size after the name says 476.
    bool settingsTaken = false;
    if (size >= kMaxUserName + 4 + GameSettings::kSize) {
        const std::uint8_t* sizeField = bytes + kMaxUserName;
        settingsTaken = sizeField[0] == 0xDC && sizeField[1] == 0x01 && sizeField[2] == 0 && sizeField[3] == 0;
    }
    if (settingsTaken)
        FUZZ_CHECK(Same(theSession.settings, GameSettings::Decode(bytes + kMaxUserName + 4)));
    else
        FUZZ_CHECK(Same(theSession.settings, untouched));

    // Written and read again: the same name and settings.
    const std::string name = theSession.userName;
    const GameSettings settings = theSession.settings;
    FUZZ_CHECK(WriteLastUser());
    std::snprintf(theSession.userName, sizeof theSession.userName, "%s", "dopo");
    theSession.settings = GameSettings();
    ReadLastUser();
    FUZZ_CHECK(name == theSession.userName);
    FUZZ_CHECK(Same(settings, theSession.settings));
    return 0;
}
