#include "base/TextHelpers.h"
#include "base/dstring.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Apply(void (*helper)(char*), std::string text)
{
    helper(text.data());
    return text.c_str();
}

}  // namespace

TEST(TextHelpersTest, CaseFoldingTouchesAsciiOnly)
{
    EXPECT_EQ(Apply(UpperCaseText, "perch\xE9 citt\xE0 z"), "PERCH\xE9 CITT\xE0 Z");
    EXPECT_EQ(Apply(LowerCaseText, "\xC8 QUI"), "\xC8 qui");
    EXPECT_EQ(ToUpperAscii('\xE8'), '\xE8');
    EXPECT_TRUE(EqualsNoCase("Anna Maria", "ANNA maria"));
    EXPECT_FALSE(EqualsNoCase("\xE8", "\xC8"));
    UpperCaseText(nullptr);
}

TEST(TextHelpersTest, Trimming)
{
    EXPECT_EQ(Apply(TrimSpaces, "   "), "");
    EXPECT_EQ(Apply(TrimSpaces, "  casa  "), "casa");
    EXPECT_EQ(Apply(TrimLeadingSpaces, "  a b "), "a b ");
    EXPECT_EQ(Apply(TrimTrailingSpaces, " a b  "), " a b");
    EXPECT_EQ(Apply(TrimTrailingSpaces, ""), "");
    TrimSpaces(nullptr);
}

TEST(TextHelpersTest, CollapseAndRemove)
{
    EXPECT_EQ(Apply(CollapseSpaces, "  il   gatto  nero "), " il gatto nero ");
    EXPECT_EQ(Apply(RemoveTabs, "\ta\tb\t"), "ab");
    std::string text = "m-a-r-e";
    RemoveChar(text.data(), '-');
    EXPECT_STREQ(text.c_str(), "mare");
}

TEST(TextHelpersTest, FindInElementText)
{
    dstring s("scuola");
    dstring none;
    EXPECT_EQ(FindInText(&s, "uo"), 2);
    EXPECT_EQ(FindInText(&s, "xy"), -1);
    EXPECT_EQ(FindInText(&none, "a"), -1);
    EXPECT_EQ(FindCharInText(&s, 'l'), 4);
    EXPECT_EQ(FindCharInText(&s, 'z'), -1);
    EXPECT_EQ(FindCharInText(nullptr, 'a'), -1);
}

TEST(TextHelpersTest, ReplaceGivesANewText)
{
    EXPECT_EQ(ReplaceFirst("aXbXc", "X", "--"), "a--bXc");
    EXPECT_EQ(ReplaceAll("aXbXc", "X", "--"), "a--b--c");
    EXPECT_EQ(ReplaceAll("aaa", "a", "aa"), "aaaaaa");  // no endless loop on growth
    EXPECT_EQ(ReplaceAll("abc", "", "x"), "abc");
    EXPECT_EQ(ReplaceAll(nullptr, "a", "b"), "");
}
