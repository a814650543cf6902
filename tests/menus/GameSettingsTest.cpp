#include "menus/GameSettings.h"

#include <gtest/gtest.h>

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

    GameSettings back = GameSettings::Decode(b.data());
    EXPECT_EQ(back.Encode(), b);
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
