#include "app/Random.h"
#include "exercises/ExerciseKinds.h"
#include "exercises/TExerciseDocument.h"
#include "resources/StringTable.h"
#include "support/TempFolder.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

struct ExerciseDocumentTest : ::testing::Test {
    TempFolder folder;
    std::string path = folder / "es.lev";
    TExerciseDocument document;

    int Load(const std::string& text)
    {
        folder.Write("es.lev", text);
        return document.Load(path.c_str());
    }
};

}  // namespace

TEST_F(ExerciseDocumentTest, ReadsLevelsAndWritesThemBackWithCrLf)
{
    ASSERT_EQ(Load("intestazione\r\n\r\n007\r\nAnimali\r\ngatto\r\ncane\r\n\r\n3\r\nColori\r\nrosso\r\n"), 0);
    ASSERT_EQ(document.LevelCount(), 2);
    EXPECT_STREQ(document.Level(0)->TextAt(0), "");
    EXPECT_STREQ(document.Level(0)->TextAt(1), "7");  // leading zeros go
    EXPECT_STREQ(document.Level(0)->TextAt(3), "gatto");
    EXPECT_EQ(document.Level(0)->Count(), 5);
    EXPECT_STREQ(document.Titles().TextAt(1), "Colori");
    ASSERT_TRUE(document.Save(path.c_str(), exercise::kLevels));
    EXPECT_EQ(folder.Read("es.lev"), "intestazione\r\n\r\n7\r\nAnimali\r\ngatto\r\ncane\r\n\r\n3\r\nColori\r\nrosso\r\n");
    EXPECT_EQ(CountLevels(path.c_str()), 2);
}

TEST_F(ExerciseDocumentTest, EmptyAndHeaderOnlyFilesHaveNoLevels)
{
    EXPECT_EQ(Load(""), 0);
    EXPECT_EQ(document.LevelCount(), 0);
    EXPECT_EQ(Load("AB\r\n"), 0);
    EXPECT_EQ(document.LevelCount(), 0);
    EXPECT_EQ(document.Header(), "");
    EXPECT_EQ(CountLevels(path.c_str()), 0);
    EXPECT_EQ(LoadLevelForPlay(path.c_str(), 0).status, exercise::kErrorTooShort);
}

TEST_F(ExerciseDocumentTest, FormatErrorsNameTheirLine)
{
    EXPECT_EQ(Load("h\r\nnot blank\r\n"), exercise::kErrorNoBlankLine);
    EXPECT_EQ(document.ErrorLine(), 1);
    EXPECT_EQ(Load("h\r\n\r\n12a\r\nTitolo\r\n"), exercise::kErrorBadCount);
    EXPECT_EQ(document.ErrorLine(), 2);
    EXPECT_EQ(Load("h\r\n\r\n1\r\nT\r\nuno\r\n\r\n\r\n"), 0);  // blank lines at the end close the file
    EXPECT_EQ(Load("h\r\n\r\n5\r\n\r\n"), exercise::kErrorNoTitle);
    EXPECT_EQ(document.ErrorLine(), 3);
    EXPECT_EQ(Load("h\r\n\r\n99999999999\r\nT\r\n"), exercise::kErrorCountTooLarge);
    EXPECT_EQ(Load("h\r\n\r\n4294967296\r\nT\r\n"), exercise::kErrorCountTooLarge);  // not read as 0
    // Two blank lines after the words: the next block's count line is empty.
    EXPECT_EQ(Load("h\r\n\r\n1\r\nA\r\nuno\r\n\r\n\r\n2\r\nB\r\n"), exercise::kErrorBadCount);
    EXPECT_EQ(document.ErrorLine(), 6);
    EXPECT_EQ(document.LevelCount(), 1);  // the level before the damage stays
}

TEST_F(ExerciseDocumentTest, KeySetIsCaseFoldedAndSortedAsSignedBytes)
{
    ASSERT_EQ(Load("\r\n\r\n2\r\nT\r\nab\r\nBa\r\n"), 0);
    ASSERT_TRUE(document.Save(path.c_str(), exercise::kKeys));
    EXPECT_EQ(document.Header(), "AB");
    ASSERT_EQ(Load("\r\n\r\n2\r\nT\r\nl\xF2\r\nza\r\n"), 0);
    EXPECT_EQ(document.KeySet(), "\xF2" "ALZ");  // accented letters first
}

TEST_F(ExerciseDocumentTest, CountLevelsAcceptsEmptyTitlesAndStopsAtDamage)
{
    folder.Write("es.lev", "\r\n\r\n0\r\n\r\n\r\n3\r\nB\r\nx\r\n\r\nzz\r\n");
    EXPECT_EQ(CountLevels(path.c_str()), 2);
}

TEST_F(ExerciseDocumentTest, PlaySkipsEmptyLevelsAndShufflesTheWords)
{
    folder.Write("es.lev", "KEYS\r\n\r\n0\r\nVuoto\r\nx\r\n\r\n3\r\nSenza parole\r\n\r\n2\r\nPieno\r\nuno\r\ndue\r\ntre\r\n");
    SeedRandom(1);
    PlayLevel play = LoadLevelForPlay(path.c_str(), 0);
    EXPECT_EQ(play.status, exercise::kLevelFound);
    EXPECT_EQ(play.levelIndex, 2);
    EXPECT_EQ(play.target, 2);
    EXPECT_EQ(play.title, "Pieno");
    EXPECT_EQ(play.header, "KEYS");
    std::sort(play.words.begin(), play.words.end());
    EXPECT_EQ(play.words, (std::vector<std::string>{"due", "tre", "uno"}));
    EXPECT_EQ(LoadLevelForPlay(path.c_str(), 3).status, exercise::kNoLevelLeft);  // the exercise is done
    EXPECT_EQ(LoadLevelForPlay(path.c_str(), -4).levelIndex, 2);
}

TEST(RandomTest, StaysInRangeAndRepeatsFromASeed)
{
    SeedRandom(42);
    int first = RandomNumber();
    for (int i = 0; i < 10000; ++i) {
        int r = RandomNumber();
        ASSERT_GE(r, 0);
        ASSERT_LE(r, 32767);
        int v = RandomBetween(3, 5);
        ASSERT_GE(v, 3);
        ASSERT_LE(v, 5);
    }
    SeedRandom(42);
    EXPECT_EQ(RandomNumber(), first);
}

// A teacher's text editor often leaves empty lines at the end: they end the
// exercise in all three readers, while two empty lines between levels are
// still a damaged block.
TEST_F(ExerciseDocumentTest, EmptyLinesAtTheEndCloseTheExerciseInEveryReader)
{
    const std::string twoLevels = "\r\n\r\n1\r\nA\r\nuno\r\n\r\n1\r\nB\r\ndue\r\n";
    for (const char* tail : {"\r\n", "\r\n\r\n", "\r\n\r\n\r\n\r\n", "\n\n"}) {
        SCOPED_TRACE(testing::PrintToString(tail));
        ASSERT_EQ(Load(twoLevels + tail), 0);
        EXPECT_EQ(document.LevelCount(), 2);
        EXPECT_EQ(CountLevels(path.c_str()), 2);
        EXPECT_EQ(LoadLevelForPlay(path.c_str(), 1).status, exercise::kLevelFound);
        EXPECT_EQ(LoadLevelForPlay(path.c_str(), 2).status, exercise::kNoLevelLeft);  // done: no error
    }
    folder.Write("es.lev", "\r\n\r\n1\r\nA\r\nuno\r\n\r\n\r\n1\r\nB\r\ndue\r\n");
    EXPECT_EQ(CountLevels(path.c_str()), 1);
    PlayLevel play = LoadLevelForPlay(path.c_str(), 1);
    EXPECT_EQ(play.status, exercise::kErrorBadCount);
    EXPECT_EQ(play.errorLine, 6);
    // A header followed only by empty lines is an exercise without levels.
    folder.Write("es.lev", "AB\r\n\r\n\r\n");
    EXPECT_EQ(CountLevels(path.c_str()), 0);
    EXPECT_EQ(LoadLevelForPlay(path.c_str(), 0).status, exercise::kErrorTooShort);
}

// An exercise saved with old Macintosh line ends has its levels.
TEST_F(ExerciseDocumentTest, CrAloneEndsLinesInEveryReader)
{
    const std::string file = "x\r\r2\rAnimali\rgatto\rcane\r\r1\rColori\rrosso\r";
    ASSERT_EQ(Load(file), 0);
    EXPECT_EQ(document.LevelCount(), 2);
    EXPECT_EQ(CountLevels(path.c_str()), 2);
    PlayLevel level = LoadLevelForPlay(path.c_str(), 1);
    EXPECT_EQ(level.words, std::vector<std::string>{"rosso"});
}

// A save never writes back less than was read: what follows a damaged
// level is kept as it was, after the levels that could be read.
TEST_F(ExerciseDocumentTest, ASaveKeepsWhatFollowsADamagedLevel)
{
    const std::string rest = "\r\nxx\r\nColori\r\nrosso\r\n\r\n2\r\nCibo\r\npane\r\n";
    ASSERT_EQ(Load("x\r\n\r\n1\r\nAnimali\r\ngatto\r\n" + rest), exercise::kErrorBadCount);
    document.Level(0)->AppendText("cane");
    ASSERT_TRUE(document.Save(path.c_str(), exercise::kLevels));
    EXPECT_EQ(folder.Read("es.lev"), "x\r\n\r\n1\r\nAnimali\r\ngatto\r\ncane\r\n" + rest);
}

// A file that is there but cannot be read (here a FIFO) is never saved over.
TEST_F(ExerciseDocumentTest, AFileThatCouldNotBeReadIsNeverSavedOver)
{
    ASSERT_EQ(::mkfifo(path.c_str(), 0666), 0);
    EXPECT_EQ(document.Load(path.c_str()), 0);
    EXPECT_FALSE(document.Save(path.c_str(), exercise::kLevels));
    struct stat st;
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));
}

// Lines are told as a text editor counts them, the first being 1, for every
// error alike.
TEST_F(ExerciseDocumentTest, ErrorLinesAreCountedFromOne)
{
    folder.Write("es.lev", "\r\n\r\n1\r\nUno\r\ncas_ a\r\nsenzaspazio\r\n");
    PlayLevel play = LoadLevelForPlay(path.c_str(), 0, true);
    EXPECT_EQ(play.status, exercise::kErrorNoSpace);
    EXPECT_EQ(play.errorLine, 5) << "0-based, as every other error";
    ASSERT_EQ(Load("x\r\n\r\n1a\r\nUno\r\n"), exercise::kErrorBadCount);
    EXPECT_EQ(document.ErrorLine(), 2);
    EXPECT_EQ(exercise::ErrorLineTitle(document.ErrorLine()), std::string(GetString(50, 20)) + " 3");
}
