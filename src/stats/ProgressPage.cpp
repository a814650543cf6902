#include "stats/ProgressPage.h"

#include "base/TextHelpers.h"
#include "resources/StringTable.h"
#include "stats/CsvExport.h"
#include "stats/StatsFigures.h"
#include "stats/StatsStore.h"
#include "stats/StatsTexts.h"

namespace stats {

namespace {

constexpr int kTrendGames = 10;

std::string Figures(const Tally& t)
{
    if (t.games == 0)
        return "-";
    std::string speed = DecimalComma(t.WordsPerMinute());
    return std::string(GetString(15, 36)) + " " + PercentText(t.Accuracy()) + ", " + (speed.empty() ? "-" : speed) +
           " " + GetString(15, 37);
}

}  // namespace

std::string PercentText(double value)
{
    return value < 0 ? std::string("-") : DecimalComma(value) + "%";
}

ProgressPage MakeProgressPage(StatsStore& store, int childId, const std::string& name)
{
    ProgressPage page;
    page.title = std::string(GetString(15, 30)) + " " + name;
    StatsFigures figures(store);
    std::vector<GameRow> games = figures.Games(childId);
    page.hasGames = !games.empty();
    if (!page.hasGames) {
        page.summary.push_back(GetString(15, 44));
        return page;
    }
    Tally all = StatsFigures::Sum(games, 0, games.size());
    page.summary.push_back(std::string(GetString(15, 31)) + ": " + std::to_string(games.size()) + "   " +
                           GetString(15, 32) + ": " + DurationText(all.playMs));
    page.summary.push_back(std::string(GetString(15, 33)) + ": " + Figures(games[0].tally));
    page.summary.push_back(std::string(GetString(15, 34)) + ": " + Figures(StatsFigures::Sum(games, 0, kTrendGames)));
    page.summary.push_back(std::string(GetString(15, 35)) + ": " +
                           Figures(StatsFigures::Sum(games, kTrendGames, kTrendGames)));

    std::size_t shown = std::min<std::size_t>(games.size(), kChartGames);
    for (std::size_t i = shown; i-- > 0;) {
        const GameRow& g = games[i];
        page.chart.push_back({g.tally.Accuracy(), g.tally.WordsPerMinute(), DateText(g.started).substr(0, 5)});
    }

    for (const LetterRow& letter : figures.Letters(childId)) {
        std::string key = ScreenText(letter.letter);
        if (key.size() == 1)
            page.keyErrorRate[key[0]] = letter.ErrorRate();
        if (letter.wrong == 0 || page.letters.size() >= kPageLetters)
            continue;
        std::string instead;
        for (const auto& [typed, n] : letter.instead)
            instead += (instead.empty() ? "" : " ") + ScreenText(typed);
        page.letters.push_back(key + ": " + std::to_string(letter.wrong) + "/" + std::to_string(letter.times) + " (" +
                               PercentText(letter.ErrorRate()) + ") - " + instead);
        page.weakLetters.push_back(key);
    }
    for (const WordRow& word : figures.MissedWords(childId, kPageWords)) {
        page.words.push_back(ScreenText(word.word) + ": " + GetString(15, 49) + " " + std::to_string(word.fallen) + ", " +
                             GetString(15, 53) + " " + std::to_string(word.withErrors) + " " + GetString(15, 48) +
                             " " + std::to_string(word.shown));
        page.weakWords.push_back(ScreenText(word.word));
    }
    for (const WordLine& line : figures.Lines(games[0].id)) {
        std::string word = ScreenText(line.word);
        std::string typed = line.typed.empty() ? "-" : ScreenText(line.typed);
        // A word typed as it is (in either case) reads without its copy, so
        // that long words fit the list.
        bool asItIs = line.hidden.empty() && EqualsFolded(word, typed);
        if (!line.hidden.empty())
            word += " (" + ScreenText(line.hidden) + ")";
        page.lastGame.push_back(word + " - " + (asItIs ? "" : typed + " - ") + WordEndText(line.end));
    }
    return page;
}

}  // namespace stats
