#pragma once
// A child's progress made ready to show or print: the summary, the points
// of the chart, the letters missed (with the keys typed instead and each
// key's error rate for the keyboard picture), the words missed and the last
// game word by word. Texts are Latin-1, as the screen draws them.

#include <map>
#include <string>
#include <vector>

namespace stats {

class StatsStore;

struct ChartPoint {
    double accuracy = -1;       // percent, -1 unknown
    double wordsPerMinute = -1;
    std::string date;           // "dd/mm"
};

struct ProgressPage {
    bool hasGames = false;
    std::string title;
    std::vector<std::string> summary;
    std::vector<ChartPoint> chart;             // the oldest first, at most 20
    std::vector<std::string> letters;          // the most missed first
    std::map<char, double> keyErrorRate;       // upper-case key -> percent
    std::vector<std::string> words;            // the most missed first
    std::vector<std::string> lastGame;         // "word - typed - ending"
    std::vector<std::string> weakLetters;      // for an exercise of their own
    std::vector<std::string> weakWords;
};

constexpr int kChartGames = 20;
constexpr int kPageLetters = 5, kPageWords = 5;

ProgressPage MakeProgressPage(StatsStore& store, int childId, const std::string& name);

// "93,0%": a percentage with one decimal and a comma; "-" unknown.
std::string PercentText(double value);

}  // namespace stats
