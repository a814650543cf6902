// The letter strip a child with switches types with.

#include "game/LetterStrip.h"

#include <gtest/gtest.h>

TEST(LetterStrip, OffersTheDistinctLettersOfTheFallingWordsInOrderThenCancel)
{
    LetterStrip strip;
    EXPECT_EQ(strip.Cells(), std::vector<char>{LetterStrip::kCancel}) << "nothing falls: only cancel";
    strip.Follow({"SOLE", "MARE"});
    EXPECT_EQ(strip.Cells(), (std::vector<char>{'A', 'E', 'L', 'M', 'O', 'R', 'S', LetterStrip::kCancel}));
    strip.Follow({"CITT\xC0", "citt\xE0"});
    EXPECT_EQ(strip.Cells(), (std::vector<char>{'C', 'I', 'T', '\xC0', LetterStrip::kCancel}))
        << "an accented letter comes after the plain ones, once";
}

TEST(LetterStrip, StepsRoundAndKeepsTheHighlightedLetterWhileOffered)
{
    LetterStrip strip;
    strip.Follow({"SOLE"});  // E L O S cancel
    EXPECT_EQ(strip.Highlighted(), 'E');
    strip.Step();
    strip.Step();
    EXPECT_EQ(strip.Highlighted(), 'O');
    strip.Follow({"SOLE", "MARE"});  // A E L M O R S cancel
    EXPECT_EQ(strip.Highlighted(), 'O') << "new words do not move the child's place";
    strip.Step(-3);
    EXPECT_EQ(strip.Highlighted(), 'E');
    strip.Step(-2);
    EXPECT_EQ(strip.Highlighted(), LetterStrip::kCancel) << "back past the first cell wraps round";
    strip.Step(2);
    EXPECT_EQ(strip.Highlighted(), 'E');
    strip.Follow({"LUNA"});  // A L N U cancel
    strip.Step(3);
    strip.Follow({"LA"});  // the highlighted U is gone: the place is kept as far as it goes
    EXPECT_EQ(strip.HighlightIndex(), 2);
    EXPECT_EQ(strip.Highlighted(), LetterStrip::kCancel);
}
