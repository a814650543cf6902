#include "resources/IniFile.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace {

struct IniFileTest : ::testing::Test {
    TempFolder folder;
    std::string path = folder / "config.ini";

    std::string Get(const std::string& contents, const char* key, const char* section = "global")
    {
        folder.Write("config.ini", contents);
        return GetValue(path.c_str(), section, key, "default");
    }
};

}  // namespace

TEST_F(IniFileTest, ReadsAKeyOfTheSection)
{
    EXPECT_EQ(Get("[global]\r\nRESOLUTION=1024x768\r\n", "RESOLUTION"), "1024x768");
    EXPECT_EQ(Get("[global]\nresolution=640x480\n", "RESOLUTION"), "640x480");
    EXPECT_EQ(Get("[global]\rAUDIO=0\rRESOLUTION=800x600\r", "RESOLUTION"), "800x600") << "CR alone ends lines too";
    EXPECT_EQ(Get("[other]\nAUDIO=0\n[global]\nAUDIO=1\n", "AUDIO"), "1");
}

TEST_F(IniFileTest, SpacesAroundEqualsBelongToKeyAndValue)
{
    EXPECT_EQ(Get("[global]\nFULLSCREEN = 0\n", "FULLSCREEN"), "default");
    EXPECT_EQ(Get("[global]\nFULLSCREEN= 0\n", "FULLSCREEN"), " 0");
}

TEST_F(IniFileTest, HeadersIgnoreCaseButNotSpaces)
{
    EXPECT_EQ(Get("[GLOBAL]\nAUDIO=0\n", "AUDIO"), "0");
    EXPECT_EQ(Get("[ global ]\nAUDIO=0\n", "AUDIO"), "default");
    EXPECT_EQ(Get("  [global]\nAUDIO=0\n", "AUDIO"), "default");
    EXPECT_EQ(Get("[global]\n  AUDIO=0\n", "AUDIO"), "default");
}

TEST_F(IniFileTest, CommentsAndTrailingBlanksAreCut)
{
    EXPECT_EQ(Get("[global]\nAUDIO=1   ; sound on\t\n", "AUDIO"), "1");
    EXPECT_EQ(Get("[global]\n;AUDIO=0\nAUDIO=1\n", "AUDIO"), "1");
    EXPECT_EQ(Get("[global] ; main\r\nAUDIO=0 \t \r\n", "AUDIO"), "0");
}

TEST_F(IniFileTest, OnlyTheFirstMatchingSectionIsSearched)
{
    EXPECT_EQ(Get("[global]\nAUDIO=0\n[video]\n[global]\nJOYSTICK=0\n", "JOYSTICK"), "default");
}

TEST_F(IniFileTest, AnEmptyValueTakesTheDefault)
{
    folder.Write("config.ini", "[global]\nFULLSCREEN=\n");
    std::string value = "untouched";
    int line = 0;
    EXPECT_EQ(ReadValue(path.c_str(), "global", "FULLSCREEN", value, line), 1);
    EXPECT_EQ(value, "");
    EXPECT_EQ(GetValue(path.c_str(), "global", "FULLSCREEN", "1"), "1");
}

TEST_F(IniFileTest, KeysBeforeTheFirstHeader)
{
    EXPECT_EQ(Get("AUDIO=0\n[global]\nAUDIO=1\n", "AUDIO", nullptr), "0");
    EXPECT_EQ(Get("AUDIO=0\n[global]\nAUDIO=1\n", "AUDIO", ""), "0");
    EXPECT_EQ(Get("[global]\nAUDIO=1\n", "AUDIO", nullptr), "default");
}

TEST_F(IniFileTest, MissingFileReportsLineMinusTwo)
{
    std::string value;
    int line = 0;
    EXPECT_EQ(ReadValue((folder / "none.ini").c_str(), "global", "AUDIO", value, line), 0);
    EXPECT_EQ(line, -2);
    EXPECT_EQ(GetValue((folder / "none.ini").c_str(), "global", "AUDIO", "1"), "1");

    folder.Write("config.ini", "[global]\nA=1\nB=2\n");
    EXPECT_EQ(ReadValue(path.c_str(), "global", "B", value, line), 1);
    EXPECT_EQ(line, 3);
}

TEST_F(IniFileTest, LongLinesAreReadInPieces)
{
    // 1023 characters of a key line, then the rest reads as a line of its own.
    std::string filler(1023, 'x');
    EXPECT_EQ(Get("[global]\n" + filler + "AUDIO=0\n", "AUDIO"), "0");
    EXPECT_EQ(Get("[global]\nKEY=" + std::string(2000, 'v') + "\n", "KEY"), std::string(1019, 'v'));
}

TEST_F(IniFileTest, OddLinesAreHarmless)
{
    EXPECT_EQ(Get("\n\r\n[\n]\n[]\n=\n[global]\n=x\nAUDIO\nAUDIO=0\n", "AUDIO"), "0");
    const char withNul[] = "[global]\nAU\0DIO=0\nAUDIO=7\n";
    EXPECT_EQ(Get(std::string(withNul, sizeof withNul - 1), "AUDIO"), "7");
}
