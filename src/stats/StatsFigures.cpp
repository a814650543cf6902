#include "stats/StatsFigures.h"

#include "stats/StatsStore.h"

#include <algorithm>
#include <map>

namespace stats {

namespace {

// A change smaller than this is "about the same".
constexpr double kSameAccuracy = 2.0;  // points of percent
constexpr double kSameSpeed = 0.5;     // words a minute
constexpr int kTrendGames = 10;

}  // namespace

double Tally::Accuracy() const
{
    return keys ? 100.0 * static_cast<double>(keys - wrong) / static_cast<double>(keys) : -1;
}

double Tally::WordsPerMinute() const
{
    return playMs ? static_cast<double>(hit) * 60000.0 / static_cast<double>(playMs) : -1;
}

void Tally::Add(const Tally& other)
{
    games += other.games;
    keys += other.keys;
    wrong += other.wrong;
    hit += other.hit;
    fallen += other.fallen;
    playMs += other.playMs;
}

int TrendOf(const Tally& now, const Tally& before)
{
    if (now.games == 0 || before.games == 0 || now.keys == 0 || before.keys == 0)
        return 2;
    double accuracy = now.Accuracy() - before.Accuracy();
    double speed = now.WordsPerMinute() - before.WordsPerMinute();
    // Accuracy first: a child who types better but slower is doing better.
    if (accuracy >= kSameAccuracy)
        return 1;
    if (accuracy <= -kSameAccuracy)
        return -1;
    if (speed >= kSameSpeed)
        return 1;
    if (speed <= -kSameSpeed)
        return -1;
    return 0;
}

std::vector<StatsFigures::Child> StatsFigures::Children() const
{
    std::vector<Child> children;
    Statement st(store_.Handle(),
                 "SELECT id, name FROM children WHERE id IN (SELECT child FROM games) ORDER BY name COLLATE NOCASE, id");
    while (st.Row())
        children.push_back({static_cast<int>(st.Int(0)), st.Text(1)});
    return children;
}

std::vector<GameRow> StatsFigures::Games(int childId, int limit) const
{
    std::vector<GameRow> games;
    Statement st(store_.Handle(),
                 "SELECT id, started, exercise, kind, levels, score, outcome, keys, keys_wrong, words_hit, words_fallen,"
                 " play_ms FROM games WHERE child=?1 ORDER BY started DESC, id DESC LIMIT ?2");
    st.Bind(1, childId).Bind(2, limit > 0 ? limit : -1);
    while (st.Row()) {
        GameRow g;
        g.id = st.Int(0);
        g.started = st.Int(1);
        g.exercise = st.Text(2);
        g.kind = static_cast<int>(st.Int(3));
        g.levels = static_cast<int>(st.Int(4));
        g.score = st.Int(5);
        g.end = static_cast<GameEnd>(st.Int(6));
        g.tally = {1, st.Int(7), st.Int(8), st.Int(9), st.Int(10), st.Int(11)};
        games.push_back(std::move(g));
    }
    return games;
}

Tally StatsFigures::Sum(const std::vector<GameRow>& games, std::size_t from, std::size_t count)
{
    Tally sum;
    for (std::size_t i = from; i < games.size() && i < from + count; ++i)
        sum.Add(games[i].tally);
    return sum;
}

std::string StatsFigures::GamesOf(int childId, int lastGames) const
{
    std::string limit = lastGames > 0 ? " ORDER BY started DESC, id DESC LIMIT " + std::to_string(lastGames) : "";
    return "(SELECT id FROM games WHERE child=" + std::to_string(childId) + limit + ")";
}

std::vector<LetterRow> StatsFigures::Letters(int childId, int lastGames) const
{
    std::string games = GamesOf(childId, lastGames);
    std::vector<LetterRow> letters;
    std::map<std::string, std::size_t> at;
    {
        Statement st(store_.Handle(), ("SELECT expected, count(*), sum(1 - right) FROM keys WHERE game IN " + games +
                                       " AND expected IS NOT NULL GROUP BY expected")
                                          .c_str());
        while (st.Row()) {
            at[st.Text(0)] = letters.size();
            letters.push_back({st.Text(0), st.Int(1), st.Int(2), {}});
        }
    }
    {
        Statement st(store_.Handle(), ("SELECT expected, key, count(*) AS n FROM keys WHERE game IN " + games +
                                       " AND expected IS NOT NULL AND right = 0 GROUP BY expected, key"
                                       " ORDER BY expected, n DESC, key")
                                          .c_str());
        while (st.Row()) {
            auto found = at.find(st.Text(0));
            if (found != at.end())
                letters[found->second].instead.push_back({st.Text(1), st.Int(2)});
        }
    }
    std::stable_sort(letters.begin(), letters.end(), [](const LetterRow& a, const LetterRow& b) {
        if (a.wrong != b.wrong)
            return a.wrong > b.wrong;
        if (a.ErrorRate() != b.ErrorRate())
            return a.ErrorRate() > b.ErrorRate();
        return a.letter < b.letter;
    });
    return letters;
}

std::vector<WordRow> StatsFigures::MissedWords(int childId, int limit) const
{
    std::vector<WordRow> words;
    Statement st(store_.Handle(),
                 "SELECT word, count(*), sum(outcome = 2), sum(wrong_keys > 0) AS e FROM words WHERE game IN"
                 " (SELECT id FROM games WHERE child=?1) GROUP BY word"
                 " HAVING sum(outcome = 2) + e > 0 ORDER BY sum(outcome = 2) + e DESC, word LIMIT ?2");
    st.Bind(1, childId).Bind(2, limit > 0 ? limit : -1);
    while (st.Row())
        words.push_back({st.Text(0), st.Int(1), st.Int(2), st.Int(3)});
    return words;
}

std::vector<WordLine> StatsFigures::Lines(long long gameId) const
{
    std::vector<WordLine> lines;
    Statement st(store_.Handle(),
                 "SELECT level, word, hidden, typed, outcome FROM words WHERE game=?1 ORDER BY shown_ms, id");
    st.Bind(1, gameId);
    while (st.Row())
        lines.push_back({static_cast<int>(st.Int(0)), st.Text(1), st.Text(2), st.Text(3), static_cast<WordEnd>(st.Int(4))});
    return lines;
}

std::vector<ClassRow> ClassTable(StatsStore& store, long long now)
{
    StatsFigures figures(store);
    std::vector<ClassRow> rows;
    constexpr long long kWeek = 7 * 24 * 3600;
    for (const StatsFigures::Child& child : figures.Children()) {
        ClassRow row;
        row.childId = child.id;
        row.name = child.name;
        std::vector<GameRow> games = figures.Games(child.id, 2 * kTrendGames);
        if (!games.empty())
            row.lastGame = games.front().started;
        row.now = StatsFigures::Sum(games, 0, kTrendGames);
        row.before = StatsFigures::Sum(games, kTrendGames, kTrendGames);
        row.trend = TrendOf(row.now, row.before);
        Statement week(store.Handle(), "SELECT count(*) FROM games WHERE child=?1 AND started > ?2 AND started <= ?3");
        week.Bind(1, child.id).Bind(2, now - kWeek).Bind(3, now);
        if (week.Row())
            row.gamesThisWeek = static_cast<int>(week.Int(0));
        int taken = 0;
        for (const LetterRow& letter : figures.Letters(child.id, kTrendGames)) {
            if (letter.wrong == 0 || taken == 3)
                break;
            row.weakest += (taken++ ? " " : "") + letter.letter;
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

}  // namespace stats

namespace stats {

void SortClassRows(std::vector<ClassRow>& rows, ClassColumn column, bool reverse)
{
    auto key = [column](const ClassRow& r) -> double {
        switch (column) {
        case ClassColumn::kLastGame: return static_cast<double>(r.lastGame);
        case ClassColumn::kWeek: return r.gamesThisWeek;
        case ClassColumn::kAccuracy: return r.now.Accuracy();
        case ClassColumn::kSpeed: return r.now.WordsPerMinute();
        case ClassColumn::kTrend: return r.trend == 2 ? -2 : r.trend;
        default: return 0;
        }
    };
    auto byName = [](const ClassRow& a, const ClassRow& b) {
        std::string x = a.name, y = b.name;
        for (char& c : x)
            c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 32 : c);
        for (char& c : y)
            c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 32 : c);
        return x < y;
    };
    std::stable_sort(rows.begin(), rows.end(), byName);
    std::stable_sort(rows.begin(), rows.end(), [&](const ClassRow& a, const ClassRow& b) {
        bool before;
        if (column == ClassColumn::kName)
            return reverse ? byName(b, a) : false;
        if (column == ClassColumn::kWeakest) {
            if (a.weakest == b.weakest)
                return false;
            before = a.weakest < b.weakest;
        } else {
            if (key(a) == key(b))
                return false;
            before = key(a) > key(b);
        }
        return reverse ? !before : before;
    });
}

}  // namespace stats
