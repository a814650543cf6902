#include "exercises/WordLines.h"

#include <gtest/gtest.h>

using namespace exercise;

TEST(WordLinesTest, CompletaLinesDecodeAndEncodeBack)
{
    std::string word, mask;
    ASSERT_EQ(DecodeWordLine("c_s_ aa", word, mask), 0);
    EXPECT_EQ(word, "casa");
    EXPECT_EQ(mask, "0101");
    EXPECT_EQ(EncodeWordLine(word, mask), "c_s_ aa");

    ASSERT_EQ(DecodeWordLine("citt_ \xE0", word, mask), 0);  // accented letters are letters like any other
    EXPECT_EQ(word, "citt\xE0");
    EXPECT_EQ(mask, "00001");

    // A word without hidden letters: with or without its trailing space.
    ASSERT_EQ(DecodeWordLine("mare ", word, mask), 0);
    EXPECT_EQ(mask, "0000");
    ASSERT_EQ(DecodeWordLine("mare", word, mask), 0);
    EXPECT_EQ(word, "mare");
    EXPECT_EQ(EncodeWordLine("mare", "0000"), "mare ");
}

TEST(WordLinesTest, BlanksAndLettersMustMatch)
{
    std::string word, mask;
    EXPECT_EQ(DecodeWordLine("c_s_ a", word, mask), kErrorTooManyBlanks);
    EXPECT_EQ(DecodeWordLine("c_s_", word, mask), kErrorTooManyBlanks);
    EXPECT_EQ(DecodeWordLine("c_sa aa", word, mask), kErrorTooManyLetters);
    EXPECT_EQ(DecodeWordLine("casa a", word, mask), kErrorTooManyLetters);
}

TEST(WordLinesTest, WordCountsLoseLeadingZerosAndRefuseOverflow)
{
    int value = -1;
    ASSERT_TRUE(ParseWordCount("0005", value));
    EXPECT_EQ(value, 5);
    ASSERT_TRUE(ParseWordCount("", value));
    EXPECT_EQ(value, 0);
    ASSERT_TRUE(ParseWordCount("2147483647", value));
    EXPECT_EQ(value, 2147483647);
    EXPECT_FALSE(ParseWordCount("2147483648", value));
    EXPECT_FALSE(ParseWordCount("99999999999999999999", value));
}
