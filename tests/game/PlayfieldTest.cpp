// The rules of play driven directly, without a screen or a clock.

#include "app/Random.h"
#include "exercises/ExerciseKinds.h"
#include "game/Playfield.h"

#include <gtest/gtest.h>

#include <set>

namespace {

PlayRules Rules(int lanes, int kind = exercise::kLevels)
{
    PlayRules rules;
    rules.lanes = lanes;
    rules.spawnMs = 1000;
    rules.fallMs = 10000;
    rules.bottomLine = 500;
    rules.topMargin = 40;
    rules.exerciseType = kind;
    rules.lives = 2;
    return rules;
}

// Types `text` and answers the last result.
Playfield::TypeResult TypeAll(Playfield& field, const std::string& text, std::uint32_t now)
{
    Playfield::TypeResult last;
    for (char c : text)
        last = field.Type(c, now);
    return last;
}

}  // namespace

TEST(Playfield, LaunchesIntoFreeLanesUntilTheTargetAndTheLanesAreFull)
{
    SeedRandom(7);
    Playfield field;
    field.Start(Rules(2));
    field.SetLevel({"sole", "mare", "luna"}, 3, "");
    field.BeginLevel();
    EXPECT_TRUE(field.LaunchDue(1001));
    EXPECT_FALSE(field.LaunchDue(1000)) << "the spawn time must have passed";
    Playfield::Launched first = field.Launch(1001);
    Playfield::Launched second = field.Launch(2002);
    ASSERT_GE(first.lane, 0);
    ASSERT_GE(second.lane, 0);
    EXPECT_NE(first.lane, second.lane);
    EXPECT_EQ(first.shown, "sole");
    EXPECT_EQ(field.Lane(first.lane).answer, "SOLE") << "answers are matched in capitals";
    EXPECT_EQ(field.Occupied(), 2);
    EXPECT_FALSE(field.LaunchDue(5000)) << "both lanes are taken";
    EXPECT_LT(field.Launch(5000).lane, 0);

    // One word typed frees its lane; the third word is the last of the target.
    TypeAll(field, "SOLE", 5000);
    field.ReleaseMatched(first.lane);
    EXPECT_EQ(field.Launch(6000).shown, "luna");
    field.ReleaseMatched(first.lane == 0 ? 1 : 0);
    EXPECT_LT(field.Launch(9000).lane, 0) << "no more words than the level's target";
}

TEST(Playfield, CompletionWordsSplitAtTheSpaceAndAWordWithoutOneIsAnError)
{
    Playfield field;
    field.Start(Rules(1, exercise::kComplete));
    field.SetLevel({"c_s_ casa", "senzaspazio"}, 5, "");
    Playfield::Launched launched = field.Launch(2000);
    EXPECT_EQ(launched.shown, "c_s_");
    EXPECT_EQ(launched.answer, "casa");
    field.Release(0);
    Playfield::Launched broken = field.Launch(4000);
    EXPECT_EQ(broken.lane, -1);
    EXPECT_EQ(broken.error, exercise::kErrorNoSpace);
}

TEST(Playfield, TheLongestMatchWinsAndBetweenEqualWordsTheLowerOne)
{
    SeedRandom(3);
    Playfield field;
    field.Start(Rules(3));
    field.SetLevel({"re", "are", "re"}, 9, "");
    int lanes[3];
    for (int i = 0; i < 3; ++i)
        lanes[i] = field.Launch(1001 + 1001u * i).lane;
    // Typing "MARE" ends in both "ARE" and "RE": the longer answer wins.
    Playfield::TypeResult result = TypeAll(field, "MARE", 4000);
    EXPECT_EQ(result.lane, lanes[1]);
    EXPECT_EQ(result.mistyped, "M");
    EXPECT_EQ(result.hit, "ARE");
    EXPECT_TRUE(field.Typed().empty());
    // Two "RE": the one launched first has fallen further.
    result = TypeAll(field, "RE", 4000);
    EXPECT_EQ(result.lane, lanes[0]);
    EXPECT_GT(field.CarrierY(lanes[0], 4000), field.CarrierY(lanes[2], 4000));
    EXPECT_EQ(field.Hits(), 2);
}

TEST(Playfield, BetweenTwoEqualWordsTheLowerIsHitWhicheverLaneItIsIn)
{
    bool lowerInLaterLane = false;
    for (unsigned seed = 0; seed < 20; ++seed) {
        SeedRandom(seed);
        Playfield field;
        field.Start(Rules(2));
        field.SetLevel({"re", "re"}, 2, "");
        int first = field.Launch(1001).lane;
        int second = field.Launch(3000).lane;
        lowerInLaterLane |= first > second;
        EXPECT_EQ(TypeAll(field, "RE", 4000).lane, first) << "seed " << seed;
    }
    EXPECT_TRUE(lowerInLaterLane) << "some seed must put the first word in the second lane";
}

TEST(Playfield, KeySetsTakeOnlyTheirKeysAndALongMissIsRecordedInPieces)
{
    Playfield field;
    field.Start(Rules(1, exercise::kKeys));
    field.SetLevel({"A", "S"}, 2, "AS");
    field.Launch(2000);
    EXPECT_FALSE(field.Type('Q', 2100).taken);
    EXPECT_TRUE(field.Typed().empty());

    Playfield plain;
    plain.Start(Rules(1));
    plain.SetLevel({"sole"}, 1, "");
    plain.Launch(2000);
    Playfield::TypeResult result;
    for (int i = 0; i < 1022; ++i)
        result = plain.Type('X', 2100);
    EXPECT_TRUE(result.mistyped.empty());
    result = plain.Type('X', 2100);
    EXPECT_EQ(result.mistyped, std::string(998, 'X')) << "the 1023rd key sends the buffer to the log";
    EXPECT_EQ(plain.Typed(), std::string(25, 'X'));
    result = TypeAll(plain, "SOLE", 2100);
    EXPECT_EQ(result.hit, "SOLE");
    EXPECT_EQ(result.mistyped, std::string(25, 'X'));
    EXPECT_TRUE(result.levelDone);
}

TEST(Playfield, AWordLandsOnlyPastTheBottomLine)
{
    Playfield field;
    field.Start(Rules(1));
    field.SetLevel({"sole"}, 1, "");
    field.Launch(1001);
    // 500 pixels in 10 s: the bottom line is reached at 10 s and passed after.
    EXPECT_FALSE(field.HasLanded(0, 1001 + 10000));
    EXPECT_TRUE(field.HasLanded(0, 1001 + 10020));
    field.Type('S', 5000);
    field.Land(0);
    EXPECT_EQ(field.Lane(0).hit, HitState::kLanded);
    EXPECT_FALSE(field.Lane(0).hasWord);
    EXPECT_TRUE(field.Lane(0).inUse) << "the carrier stays until its landing is over";
    EXPECT_EQ(field.TakeTyped(), "S");
    EXPECT_TRUE(field.Typed().empty());
}

TEST(Playfield, PictureThemesScoreWhenTheShotHitsAndFreeTheLaneWhenItEnds)
{
    PlayRules rules = Rules(1);
    rules.scoreOnMatch = false;
    Playfield field;
    field.Start(rules);
    field.SetLevel({"sole", "mare"}, 2, "");
    field.Launch(1001);
    TypeAll(field, "SOLE", 2000);
    EXPECT_EQ(field.Board().Score(), 0u);
    EXPECT_EQ(field.Lane(0).hit, HitState::kMatched);
    EXPECT_FALSE(field.LaunchDue(9000)) << "the lane is taken while the shot flies";
    field.Destroy(0, false);
    EXPECT_EQ(field.Board().Score(), Playfield::kWordPoints);
    EXPECT_EQ(field.Lane(0).hit, HitState::kDestroyed);
    field.ShotEnded(0);
    EXPECT_EQ(field.Occupied(), 0);
    EXPECT_TRUE(field.LaunchDue(9000));

    // The bonus target: any key fires once; its hit scores nothing here.
    field.PlaceBonusTarget(10000);
    field.FireAtBonus();
    EXPECT_EQ(field.Lane(0).hit, HitState::kMatched);
    field.Destroy(0, true);
    EXPECT_EQ(field.Board().Score(), Playfield::kWordPoints);
}

TEST(Playfield, LevelsLivesAndTheRunOfThree)
{
    Playfield field;
    field.Start(Rules(1));
    for (int level = 1; level <= 2; ++level) {
        field.Board().LevelWon();
        EXPECT_FALSE(field.Board().ScoreLevel(true));
    }
    EXPECT_EQ(field.Board().Score(), 50u + 100u);
    field.Board().LevelWon();
    EXPECT_TRUE(field.Board().ScoreLevel(true)) << "the third level in a row earns the bonus stage";
    EXPECT_EQ(field.Board().Streak(), 0);
    field.Board().LevelWon();
    EXPECT_TRUE(field.Board().LoseLife());
    EXPECT_EQ(field.Board().Streak(), 0) << "a lost life starts the run again";
    EXPECT_TRUE(field.Board().LoseLife());
    EXPECT_FALSE(field.Board().LoseLife()) << "two lives: the third loss ends the game";

    PlayRules endless = Rules(1);
    endless.infiniteLives = true;
    endless.lives = 0;
    field.Start(endless);
    for (int i = 0; i < 5; ++i)
        EXPECT_TRUE(field.Board().LoseLife());
}

// Words are shown in capitals; with Caps Lock on, an accented capital is
// what the child types, and it must hit the word as A hits a. What was
// typed is what the results log gets.
TEST(Playfield, AnAccentedCapitalMatchesItsSmallLetter)
{
    Playfield field;
    field.Start(Rules(1, exercise::kComplete));
    field.SetLevel({"felicit_ felicit\xE0", "perch_ perch\xE9"}, 2, "");
    field.Launch(2000);
    Playfield::TypeResult result = TypeAll(field, "FELICIT\xC0", 2100);
    EXPECT_EQ(result.lane, 0);
    EXPECT_EQ(result.hit, "FELICIT\xC0");
    field.ReleaseMatched(0);
    field.Launch(4000);
    EXPECT_EQ(TypeAll(field, "PERCH\xC8", 4100).lane, -1) << "\xC8 is not \xE9";
    EXPECT_EQ(TypeAll(field, "PERCH\xC9", 4100).lane, 0);

    Playfield keys;
    keys.Start(Rules(1, exercise::kKeys));
    keys.SetLevel({"\xE8"}, 1, "\xE8");
    keys.Launch(2000);
    EXPECT_TRUE(keys.Type('\xC8', 2100).taken) << "the key set takes the capital of its accented letter";
    EXPECT_FALSE(keys.Type('\xD7', 2100).taken) << "the multiplication sign is no letter";
}
