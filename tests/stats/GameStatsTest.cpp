// The statistics a scripted game leaves: known keys at known times on the
// test clock, three lanes, and the figures worked out from them exactly.

#include "app/Clock.h"
#include "stats/StatsFigures.h"
#include "stats/StatsStore.h"
#include "support/GameFixture.h"
#include "users/TDataFile.h"

#include <gtest/gtest.h>

#include <cctype>
#include <map>

namespace {

// The word as the exercise writes it: the lanes keep it in capitals.
std::string Written(std::string word)
{
    for (char& c : word)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return word;
}

struct StatsGameTest : GameTest {
    std::uint32_t firstLaunch = 0;
    std::vector<std::string> answers;  // lane by lane, as launched

    // Three words in three lanes, one a second; a single life.
    void ThreeWordsOnScreen()
    {
        theSession.settings.lanes = 3;
        theSession.settings.spawnSeconds = 1;
        theSession.settings.fallSeconds = 10;
        theSession.settings.lives = 0;
        theSession.settings.enterTopTen = 0;
        Play("\r\n\r\n3\r\nUno\r\nsole\r\nmare\r\nluna\r\n");
        ToPlay();
        firstLaunch = Now();
        Wait(1001);
        Wait(1001);
        ASSERT_EQ(game->Field().Occupied(), 3);
    }
    // The answer launched n-th (0 first), by launch time.
    std::string Launched(int n) const
    {
        std::multimap<std::uint32_t, std::string> byTime;
        for (int i = 0; i < 3; ++i)
            byTime.insert({game->Field().Lane(i).launchTime, game->Field().Lane(i).answer});
        auto it = byTime.begin();
        std::advance(it, n);
        return it->second;
    }
    void PlayToTheEnd()
    {
        Wait(9000);
        Wait(1100);  // the last word lands
        ASSERT_EQ(game->State(), GameState::kLifeLost);
        Wait(6001);
        Wait(3001);
        headless->Step(3);  // back to the main menu: the game's screen went
    }
    int ChildId() const
    {
        TDataFile data(GameSettings::kSize);
        return TDataFile::IdOf(data.Find("Test"));
    }
};

}  // namespace

TEST_F(StatsGameTest, FiguresOfAThreeLaneGameAreExact)
{
    ThreeWordsOnScreen();
    std::string a = Launched(0), b = Launched(1), c = Launched(2);
    // The first word begun, a wrong key, then typed again whole; the
    // second clean; the third left to fall.
    std::string first = a.substr(0, 1) + "Q" + a;
    Type(first);
    Type(b);
    ASSERT_EQ(game->Field().Hits(), 2);
    std::uint32_t typedAt = Now();
    PlayToTheEnd();
    std::uint32_t landedAt = typedAt + 9000 + 1100;

    stats::StatsStore store;
    ASSERT_TRUE(store.Ready());
    stats::StatsFigures figures(store);
    std::vector<stats::GameRow> games = figures.Games(ChildId());
    ASSERT_EQ(games.size(), 1u);
    const stats::GameRow& g = games[0];
    long long keys = static_cast<long long>(first.size() + b.size());
    EXPECT_EQ(g.tally.keys, keys);
    EXPECT_EQ(g.tally.wrong, 1);
    EXPECT_EQ(g.tally.hit, 2);
    EXPECT_EQ(g.tally.fallen, 1);
    EXPECT_EQ(g.tally.playMs, static_cast<long long>(landedAt - firstLaunch)) << "words fell from the first launch to the landing";
    EXPECT_DOUBLE_EQ(g.tally.Accuracy(), 100.0 * static_cast<double>(keys - 1) / static_cast<double>(keys));
    EXPECT_DOUBLE_EQ(g.tally.WordsPerMinute(), 2 * 60000.0 / static_cast<double>(landedAt - firstLaunch));
    EXPECT_EQ(g.end, stats::GameEnd::kOutOfLives);
    EXPECT_EQ(g.levels, 1);
    EXPECT_EQ(g.exercise, "Prova");

    // Each word with what was typed for it and how it ended, in the order
    // they were launched, whatever lanes they fell in.
    std::vector<stats::WordLine> lines = figures.Lines(g.id);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].word, Written(a));
    EXPECT_EQ(lines[0].typed, first);
    EXPECT_EQ(lines[0].end, stats::WordEnd::kHit);
    EXPECT_EQ(lines[1].word, Written(b));
    EXPECT_EQ(lines[1].typed, b);
    EXPECT_EQ(lines[1].end, stats::WordEnd::kHit);
    EXPECT_EQ(lines[2].word, Written(c));
    EXPECT_EQ(lines[2].typed, "");
    EXPECT_EQ(lines[2].end, stats::WordEnd::kFallen);

    // The wrong key stood for the second letter of the first word.
    std::vector<stats::LetterRow> letters = figures.Letters(ChildId());
    ASSERT_FALSE(letters.empty());
    EXPECT_EQ(letters[0].letter, a.substr(1, 1));
    EXPECT_EQ(letters[0].wrong, 1);
    ASSERT_EQ(letters[0].instead.size(), 1u);
    EXPECT_EQ(letters[0].instead[0], (std::pair<std::string, long long>{"Q", 1}));
    // Every key stood for a letter: the first word's first, its second
    // (the wrong key), then both words whole.
    std::string expected = a.substr(0, 2) + a + b;
    long long times = std::count(expected.begin(), expected.end(), a[1]);
    EXPECT_EQ(letters[0].times, times);

    std::vector<stats::WordRow> missed = figures.MissedWords(ChildId());
    ASSERT_EQ(missed.size(), 2u);
    std::map<std::string, std::pair<long long, long long>> byWord;
    for (const stats::WordRow& w : missed)
        byWord[w.word] = {w.fallen, w.withErrors};
    EXPECT_EQ(byWord[Written(c)], (std::pair<long long, long long>{1, 0}));
    EXPECT_EQ(byWord[Written(a)], (std::pair<long long, long long>{0, 1}));
}

TEST_F(StatsGameTest, AKeyWithNothingBegunIsRightWhenItStartsAnyWordOnScreen)
{
    ThreeWordsOnScreen();
    std::string c = Launched(2);
    // The newest word's first letter, then a letter no word starts with:
    // right for the newest word, then wrong for its second letter.
    char none = 'Z';
    for (const std::string& w : {Launched(0), Launched(1), c})
        ASSERT_NE(w.find(none), 0u);
    Type(c.substr(0, 1));
    Type(std::string(1, none));
    PlayToTheEnd();
    stats::StatsStore store;
    stats::StatsFigures figures(store);
    std::vector<stats::GameRow> games = figures.Games(ChildId());
    ASSERT_EQ(games.size(), 1u);
    std::vector<stats::WordLine> lines = figures.Lines(games[0].id);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[2].typed, c.substr(0, 1) + none);
    EXPECT_EQ(games[0].tally.keys, 2);
    EXPECT_EQ(games[0].tally.wrong, 1);
    std::vector<stats::LetterRow> letters = figures.Letters(ChildId());
    auto second = std::find_if(letters.begin(), letters.end(), [&](const stats::LetterRow& l) { return l.letter == c.substr(1, 1); });
    ASSERT_NE(second, letters.end());
    EXPECT_EQ(second->wrong, 1);
    EXPECT_EQ(second->times, 1);
    EXPECT_EQ(second->instead, (std::vector<std::pair<std::string, long long>>{{std::string(1, none), 1}}));
}

TEST_F(StatsGameTest, NothingIsKeptWhenResultsAreNotRecorded)
{
    theSession.settings.recordResults = 0;
    ThreeWordsOnScreen();
    Type(Launched(0));
    PlayToTheEnd();
    stats::StatsStore store;
    stats::StatsFigures figures(store);
    EXPECT_TRUE(figures.Children().empty());
}
