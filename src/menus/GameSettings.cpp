#include "menus/GameSettings.h"

#include <cstring>

GameSettings theGameSettings;

namespace {

void Put32(std::uint8_t* p, std::int32_t v)
{
    auto u = static_cast<std::uint32_t>(v);
    for (int i = 0; i < 4; ++i)
        p[i] = static_cast<std::uint8_t>(u >> (8 * i));
}

std::int32_t Get32(const std::uint8_t* p)
{
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
                                     (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24));
}

void PutText(std::uint8_t* p, const char* text, std::size_t size)
{
    std::size_t n = strnlen(text, size - 1);
    std::memcpy(p, text, n);
}

void GetText(char* out, const std::uint8_t* p, std::size_t size)
{
    std::memcpy(out, p, size);
    out[size - 1] = 0;
}

}  // namespace

GameSettings::Bytes GameSettings::Encode() const
{
    Bytes b{};
    std::uint8_t* p = b.data();
    p[0] = recordResults;
    p[1] = enterTopTen;
    p[2] = thirdResultsFlag;
    p[3] = effectsOn;
    p[4] = musicOn;
    Put32(p + 8, theme);
    Put32(p + 12, exerciseType);
    Put32(p + 16, lanes);
    Put32(p + 20, fallSeconds);
    Put32(p + 24, spawnSeconds);
    Put32(p + 28, textCase);
    Put32(p + 32, lives);
    p[36] = infiniteLives;
    Put32(p + 40, backgroundColour);
    p[44] = plainBackground;
    PutText(p + 45, exerciseName, kExerciseNameSize);
    Put32(p + 304, startLevel);
    PutText(p + 308, fontName, kFontNameSize);
    Put32(p + 428, fontSize);
    Put32(p + 432, textColour);
    Put32(p + 436, boxColour);
    std::uint8_t* d = p + kDeviceOffset;
    Put32(d + 0, device.enabled);
    Put32(d + 4, device.kind);
    Put32(d + 8, device.switches);
    d[12] = static_cast<std::uint8_t>(device.directions);
    Put32(d + 16, device.port);
    Put32(d + 20, device.acceptance);
    Put32(d + 24, device.scanInterval);
    Put32(d + 28, device.pointerSpeed);
    d[32] = device.holdToMove;
    d[33] = device.accelerate;
    d[34] = device.fifthKindOffered;
    d[35] = device.reserved;
    return b;
}

GameSettings GameSettings::Decode(const std::uint8_t* p)
{
    GameSettings s;
    s.recordResults = p[0];
    s.enterTopTen = p[1];
    s.thirdResultsFlag = p[2];
    s.effectsOn = p[3];
    s.musicOn = p[4];
    s.theme = Get32(p + 8);
    s.exerciseType = Get32(p + 12);
    s.lanes = Get32(p + 16);
    s.fallSeconds = Get32(p + 20);
    s.spawnSeconds = Get32(p + 24);
    s.textCase = Get32(p + 28);
    s.lives = Get32(p + 32);
    s.infiniteLives = p[36];
    s.backgroundColour = Get32(p + 40);
    s.plainBackground = p[44];
    GetText(s.exerciseName, p + 45, kExerciseNameSize);
    s.startLevel = Get32(p + 304);
    GetText(s.fontName, p + 308, kFontNameSize);
    s.fontSize = Get32(p + 428);
    s.textColour = Get32(p + 432);
    s.boxColour = Get32(p + 436);
    const std::uint8_t* d = p + kDeviceOffset;
    s.device.enabled = Get32(d);
    s.device.kind = Get32(d + 4);
    s.device.switches = Get32(d + 8);
    s.device.directions = d[12];
    s.device.port = Get32(d + 16);
    s.device.acceptance = Get32(d + 20);
    s.device.scanInterval = Get32(d + 24);
    s.device.pointerSpeed = Get32(d + 28);
    s.device.holdToMove = d[32];
    s.device.accelerate = d[33];
    s.device.fifthKindOffered = d[34];
    s.device.reserved = d[35];
    return s;
}
