#include "support/TempFolder.h"
#include "base/TStringList.h"
#include "base/dstring.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> Texts(const TStringList& list)
{
    std::vector<std::string> texts;
    for (int i = 0; i < list.Count(); ++i)
        texts.push_back(list.TextAt(i));
    return texts;
}

std::vector<std::string> ReadBack(const TempFolder& folder, const std::string& bytes)
{
    folder.Write("in.txt", bytes);
    TStringList list;
    EXPECT_TRUE(list.ReadLines((folder / "in.txt").c_str()));
    return Texts(list);
}

using Lines = std::vector<std::string>;

}  // namespace

TEST(StringListTest, TextAtAndIndexOfText)
{
    TStringList list;
    list.AppendText("Cane");
    list.Append(new dstring());  // an element with no text at all
    list.AppendText("gatto");
    EXPECT_STREQ(list.TextAt(0), "Cane");
    EXPECT_STREQ(list.TextAt(1), "");
    EXPECT_STREQ(list.TextAt(3), "");
    EXPECT_STREQ(list.TextAt(-1), "");
    EXPECT_EQ(list.IndexOfText("GATTO"), 2);
    EXPECT_EQ(list.IndexOfText("cane"), 0);
    EXPECT_EQ(list.IndexOfText("topo"), -1);
    EXPECT_EQ(list.IndexOfText(nullptr), -1);
}

TEST(StringListTest, CompareIgnoresAsciiCaseAndMissingTexts)
{
    TStringList list;
    dstring a("mela"), b("MELA"), c("pera"), none;
    EXPECT_EQ(list.Compare(&a, &b), 0);
    EXPECT_LT(list.Compare(&a, &c), 0);
    EXPECT_GT(list.Compare(&c, &b), 0);
    EXPECT_EQ(list.Compare(&a, &none), 0);
    EXPECT_EQ(list.Compare(nullptr, &a), 0);
}

TEST(StringListTest, ReadLinesAcceptsEveryLineEnding)
{
    TempFolder folder;
    EXPECT_EQ(ReadBack(folder, "uno\ndue\n"), (Lines{"uno", "due"}));
    EXPECT_EQ(ReadBack(folder, "uno\r\ndue\r\n"), (Lines{"uno", "due"}));
    EXPECT_EQ(ReadBack(folder, "uno\r\r\ndue"), (Lines{"uno", "due"}));
    EXPECT_EQ(ReadBack(folder, "uno\r\n\r\n\r\ndue\r\n"), (Lines{"uno", "", "", "due"}));
    EXPECT_EQ(ReadBack(folder, ""), Lines{});
    EXPECT_EQ(ReadBack(folder, "\r\n"), (Lines{""}));
    // Old Macintosh line ends: every CR ends a line, two make an empty one.
    EXPECT_EQ(ReadBack(folder, "uno\r\r5\rdue\r"), (Lines{"uno", "", "5", "due"}));
    EXPECT_EQ(ReadBack(folder, "uno\rdue\ntre\r\r\r\nquattro"), (Lines{"uno", "due", "tre", "quattro"}));
}

TEST(StringListTest, ReadLinesCutsLongLinesWithoutPhantomEmptyLines)
{
    TempFolder folder;
    std::string exact(1023, 'a');
    EXPECT_EQ(ReadBack(folder, exact + "\r\nb\r\n"), (Lines{exact, "b"}));
    EXPECT_EQ(ReadBack(folder, exact + "\nb\n"), (Lines{exact, "b"}));
    std::string longer(1500, 'x');
    EXPECT_EQ(ReadBack(folder, longer + "\r\n"), (Lines{longer.substr(0, 1023), longer.substr(1023)}));
    std::string almost(1022, 'c');
    EXPECT_EQ(ReadBack(folder, almost + "\r\nd"), (Lines{almost, "d"}));
}

TEST(StringListTest, ReadLinesOfAMissingFileAddsNothing)
{
    TempFolder folder;
    TStringList list;
    list.AppendText("kept");
    EXPECT_FALSE(list.ReadLines((folder / "nope.txt").c_str()));
    EXPECT_EQ(Texts(list), (Lines{"kept"}));
}

TEST(StringListTest, WriteLinesEndsEveryLineWithCrLfOnce)
{
    TempFolder folder;
    TStringList list;
    list.AppendText("a");
    list.AppendText("b");
    ASSERT_TRUE(list.WriteLines((folder / "out.txt").c_str()));
    EXPECT_EQ(folder.Read("out.txt"), "a\r\nb\r\n");

    TStringList mixed;
    mixed.AppendText("");
    mixed.AppendText("x\r\n");
    mixed.AppendText("\n");
    mixed.Append(new dstring());
    EXPECT_EQ(mixed.ToCrLfText(), "\r\nx\r\n\n\r\n\r\n");
}

TEST(StringListTest, WriteThenReadRoundTripsAccentedText)
{
    TempFolder folder;
    TStringList list;
    list.AppendText("perch\xE9");
    list.AppendText("");
    list.AppendText("citt\xE0");
    ASSERT_TRUE(list.WriteLines((folder / "round.txt").c_str()));
    TStringList back;
    ASSERT_TRUE(back.ReadLines((folder / "round.txt").c_str()));
    EXPECT_EQ(Texts(back), Texts(list));
}

TEST(StringListTest, FailedWriteKeepsTheOldFile)
{
    TempFolder folder;
    folder.MakeFolder("blocked");
    folder.Write("blocked/inside", "x");
    TStringList list;
    list.AppendText("new");
    // A folder cannot be replaced by a file: the write must fail and say so.
    EXPECT_FALSE(list.WriteLines((folder / "blocked").c_str()));
    EXPECT_EQ(folder.Read("blocked/inside"), "x");
    EXPECT_EQ(folder.List(), (Lines{"blocked"}));
    EXPECT_FALSE(list.WriteLines((folder / "missing/out.txt").c_str()));
}

TEST(StringListTest, SplitTextAlternatesDelimiters)
{
    TStringList list;
    EXPECT_EQ(list.SplitText("abc(de)f", '(', ')'), 3);
    EXPECT_EQ(Texts(list), (Lines{"abc", "de", "f"}));

    TStringList plain;
    EXPECT_EQ(plain.SplitText("a,,b,", ',', ','), 4);
    EXPECT_EQ(Texts(plain), (Lines{"a", "", "b", ""}));

    TStringList brackets;
    brackets.SplitText("(x)y)", '(', ')');
    EXPECT_EQ(Texts(brackets), (Lines{"", "x", "y)"}));
}
