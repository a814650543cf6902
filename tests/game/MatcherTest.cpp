#include "game/Matcher.h"
#include "game/TopTenTable.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstring>

TEST(MatcherTest, TheLongestAnswerWins)
{
    std::vector<MatchCandidate> lanes = {{true, "RE", 50}, {true, "MARE", 10}};
    EXPECT_EQ(FindWinner(lanes, "MARE"), 1);
    EXPECT_EQ(FindWinner(lanes, "XRE"), 0);
    EXPECT_EQ(FindWinner(lanes, "MAR"), -1);
}

TEST(MatcherTest, EqualAnswersGoToTheLowerWordThenTheFirstLane)
{
    std::vector<MatchCandidate> lanes = {{true, "SOLE", 10}, {true, "SOLE", 80}, {true, "SOLE", 80}};
    EXPECT_EQ(FindWinner(lanes, "SOLE"), 1);
    lanes[1].present = false;  // hit already: the other one is next
    EXPECT_EQ(FindWinner(lanes, "SOLE"), 2);
    std::vector<MatchCandidate> plain = {{true, "SOLE", 0}, {true, "SOLE", 0}};
    EXPECT_EQ(FindWinner(plain, "sole"), 0);  // case does not matter
}

TEST(MatcherTest, AnEmptyAnswerMatchesOnlyOnceOnScreen)
{
    std::vector<MatchCandidate> lanes = {{true, "", 0}};
    EXPECT_EQ(FindWinner(lanes, "A"), -1);
    lanes[0].spriteY = 1;
    EXPECT_EQ(FindWinner(lanes, "A"), 0);
}

TEST(TopTenTableTest, RankingAndTheStoredBytes)
{
    TopTenTable table;
    EXPECT_EQ(table.Rank(0), 11);  // 0 on an empty table does not enter
    EXPECT_EQ(table.Rank(1), 1);
    table.Insert(1, "Anna", 100);
    table.Insert(2, "Luca", 50);
    EXPECT_EQ(table.Rank(100), 2);  // an equal score ranks after
    EXPECT_EQ(table.Rank(101), 1);
    for (int i = 0; i < 10; ++i)
        table.Insert(1, "Uguale", 100);
    EXPECT_EQ(table.Rank(100), 11);

    TempFolder folder;
    TopTenTable named;
    named.Insert(1, "Diciannovecaratteri", 7);  // 19 characters fill the field
    ASSERT_TRUE(named.Save(folder / "top.dat"));
    std::string bytes = folder.Read("top.dat");
    ASSERT_EQ(bytes.size(), 240u);
    EXPECT_EQ(static_cast<unsigned char>(bytes[0]), TopTenTable::SwapNibbles('D'));
    EXPECT_EQ(bytes.find("Diciannove"), std::string::npos);  // never in plain text
    EXPECT_EQ(bytes[19], 0);
    EXPECT_EQ(bytes[20], 7);
    TopTenTable back;
    back.Open(folder / "top.dat");
    EXPECT_STREQ(back.entries[0].name, "Diciannovecaratteri");
    ASSERT_TRUE(back.Save(folder / "again.dat"));
    EXPECT_EQ(folder.Read("again.dat"), bytes);
}

TEST(TopTenTableTest, AMissingOrShortFileStartsEmpty)
{
    TempFolder folder;
    TopTenTable table;
    table.Open(folder / "none.dat");
    EXPECT_EQ(folder.Read("none.dat"), std::string(240, '\0'));
    folder.Write("short.dat", "abc");
    table.Open(folder / "short.dat");
    EXPECT_EQ(table.entries[0].score, 0u);
}

// A file cut short (a copy that did not finish) keeps every whole entry.
TEST(TopTenTableTest, AShortFileKeepsItsWholeEntries)
{
    TempFolder folder;
    TopTenTable full;
    full.Insert(1, "Anna", 900);
    full.Insert(2, "Bruno", 500);
    full.Insert(3, "Carla", 100);
    ASSERT_TRUE(full.Save(folder / "top.dat"));
    std::string bytes = folder.Read("top.dat");
    folder.Write("top.dat", bytes.substr(0, 24 * 2 + 10));  // two whole entries and part of a third
    TopTenTable table;
    table.Open(folder / "top.dat");
    EXPECT_STREQ(table.entries[0].name, "Anna");
    EXPECT_EQ(table.entries[1].score, 500u);
    EXPECT_EQ(table.entries[2].score, 0u) << "the torn entry is not read";
    EXPECT_EQ(folder.Read("top.dat").substr(0, 48), bytes.substr(0, 48)) << "and the file keeps them";
    EXPECT_EQ(folder.Read("top.dat").size(), 240u);
}
