#pragma once
// Everything a teacher or child chooses about a game, stored byte for byte
// in the last-user file, in every profile and at the start of every game in
// the results: a 476-byte record, little-endian, read and written field by
// field at fixed offsets.

#include "session/DeviceSettings.h"

#include <array>
#include <cstdint>

struct GameSettings {
    static constexpr int kSize = 476;
    static constexpr int kExerciseNameSize = 259;
    static constexpr int kFontNameSize = 120;
    static constexpr int kDeviceOffset = 440;

    std::uint8_t recordResults = 1;
    std::uint8_t enterTopTen = 1;
    std::uint8_t thirdResultsFlag = 0;
    std::uint8_t effectsOn = 1;
    std::uint8_t musicOn = 1;
    std::int32_t theme = 1;          // 1 plain, 2 quoli, 3 space
    std::int32_t exerciseType = 1;   // 1 whole words, 2 complete, 3 keys
    std::int32_t lanes = 2;
    std::int32_t fallSeconds = 10;
    std::int32_t spawnSeconds = 3;
    std::int32_t textCase = 2;       // 1 as written, 2 upper case, 3 lower case
    std::int32_t lives = 3;
    std::uint8_t infiniteLives = 0;
    std::int32_t backgroundColour = 22;
    std::uint8_t plainBackground = 0;
    char exerciseName[kExerciseNameSize] = {};
    std::int32_t startLevel = 1;
    char fontName[kFontNameSize] = "comicbd";
    std::int32_t fontSize = 28;
    std::int32_t textColour = 0;
    std::int32_t boxColour = 15;
    DeviceSettings device;

    using Bytes = std::array<std::uint8_t, kSize>;
    Bytes Encode() const;
    // Reads a stored record; texts are cut at their field's end and numbers
    // brought into the ranges the dialogs offer. Encoding it again gives the
    // numbers as they were read, but those changed since.
    static GameSettings Decode(const std::uint8_t* bytes);

private:
    Bytes stored_{};  // the record as read, for the bytes no field covers
    bool read_ = false;  // stored_ came from a record
};
