#include "session/GameSettings.h"

#include <gtest/gtest.h>

#include <vector>

#include <cstring>

TEST(GameSettingsTest, FieldsSitAtTheirOffsets)
{
    GameSettings s;
    s.recordResults = 1;
    s.musicOn = 0;
    s.theme = 3;
    s.fallSeconds = 0x01020304;
    s.infiniteLives = 1;
    s.backgroundColour = 21;
    std::strcpy(s.exerciseName, "Animali");
    s.startLevel = 2;
    std::strcpy(s.fontName, "arialbd");
    s.boxColour = 15;
    s.device.directions = 1;
    s.device.scanInterval = 25;
    GameSettings::Bytes b = s.Encode();
    EXPECT_EQ(b[0], 1);
    EXPECT_EQ(b[4], 0);
    EXPECT_EQ(b[8], 3);
    EXPECT_EQ(b[20], 0x04);
    EXPECT_EQ(b[23], 0x01);
    EXPECT_EQ(b[36], 1);
    EXPECT_EQ(b[40], 21);
    EXPECT_EQ(std::memcmp(&b[45], "Animali", 8), 0);
    EXPECT_EQ(b[304], 2);
    EXPECT_EQ(std::memcmp(&b[308], "arialbd", 8), 0);
    EXPECT_EQ(b[436], 15);
    EXPECT_EQ(b[440 + 12], 1);
    EXPECT_EQ(b[440 + 24], 25);
    EXPECT_EQ(b[5] | b[6] | b[7] | b[37] | b[38] | b[39], 0);  // padding stays zero

    s.fallSeconds = 42;  // a value the options offer: it comes back as it went
    b = s.Encode();
    GameSettings back = GameSettings::Decode(b.data());
    EXPECT_EQ(back.Encode(), b);
}

// Profiles travel between machines: a damaged number must not stop a game
// (a font size of 0x7fffffff froze it), and the bytes no field covers come
// back exactly as another copy of the program wrote them.
TEST(GameSettingsTest, DamagedNumbersComeBackInRangeAndUnknownBytesStay)
{
    GameSettings::Bytes b = GameSettings().Encode();
    auto put = [&](int offset, std::uint32_t v) {
        for (int i = 0; i < 4; ++i)
            b[static_cast<std::size_t>(offset + i)] = static_cast<std::uint8_t>(v >> (8 * i));
    };
    put(428, 0x7FFFFFFF);  // font size
    put(16, 0);            // lanes
    put(32, 0xFFFFFFFB);   // lives -5
    put(20, 1000);         // seconds to fall
    put(444, 9);           // device kind
    GameSettings s = GameSettings::Decode(b.data());
    EXPECT_EQ(s.fontSize, 72);
    EXPECT_EQ(s.lanes, 1);
    EXPECT_EQ(s.lives, 0);
    EXPECT_EQ(s.fallSeconds, 60);
    EXPECT_EQ(s.device.kind, 5);
    // The program plays with the numbers in range, but stores what it read
    // unless the teacher changed it.
    GameSettings::Bytes again = s.Encode();
    EXPECT_EQ(again, b);
    s.fallSeconds = 30;
    again = s.Encode();
    EXPECT_EQ(again[20], 30);
    EXPECT_EQ(std::vector<std::uint8_t>(again.begin() + 32, again.begin() + 36),
              std::vector<std::uint8_t>(b.begin() + 32, b.begin() + 36)) << "the other values stay as read";

    GameSettings::Bytes foreign = GameSettings().Encode();
    foreign[5] = 0xAA;                       // padding after the flags
    foreign[39] = 0x55;                      // padding after infinite lives
    std::memcpy(&foreign[308], "arialbd\0old", 11);  // a shorter name over a longer one
    foreign[440 + 13] = 0x77;                // the three bytes after the directions byte
    EXPECT_EQ(GameSettings::Decode(foreign.data()).Encode(), foreign);
}

TEST(GameSettingsTest, NewUserDefaultsAndDeviceDefaults)
{
    GameSettings s;
    EXPECT_EQ(s.theme, 1);
    EXPECT_EQ(s.lanes, 2);
    EXPECT_EQ(s.fallSeconds, 10);
    EXPECT_EQ(s.spawnSeconds, 3);
    EXPECT_EQ(s.textCase, 2);
    EXPECT_EQ(s.lives, 3);
    EXPECT_EQ(s.device.kind, 1);
    EXPECT_EQ(s.device.scanInterval, 10);
    EXPECT_EQ(s.device.pointerSpeed, 150);
}

TEST(GameSettingsTest, UnterminatedTextsAreCutAtTheirField)
{
    GameSettings::Bytes b{};
    std::memset(&b[45], 'x', 259);
    std::memset(&b[308], 'y', 120);
    GameSettings s = GameSettings::Decode(b.data());
    EXPECT_EQ(std::strlen(s.exerciseName), 258u);
    EXPECT_EQ(std::strlen(s.fontName), 119u);
}
