#include "stats/CsvExport.h"

#include "platform/Files.h"
#include "platform/LocalTime.h"
#include "platform/Paths.h"
#include "resources/StringTable.h"
#include "stats/StatsFigures.h"
#include "stats/StatsStore.h"
#include "stats/StatsTexts.h"

#include <cstdio>

namespace stats {

namespace {

std::string Line(const std::vector<std::string>& fields)
{
    std::string line;
    for (std::size_t i = 0; i < fields.size(); ++i)
        line += (i ? ";" : "") + CsvField(fields[i]);
    return line + "\r\n";
}

std::string Count(long long n)
{
    return std::to_string(n);
}

bool Save(const std::string& folder, const std::string& name, const std::string& text)
{
    std::string path = folder + name;
    return platform::ReplaceFileContents(path, text.data(), text.size(), platform::Trust::kOwn, 0644);
}

// The columns are the files' format, which scripts read: fixed, whatever
// the string table says.
const std::vector<std::string> kClassColumns = {"bambino", "ultima partita", "partite questa settimana", "precisione %",
                                                "parole al minuto", "andamento", "lettere pi\xC3\xB9 deboli"};
const std::vector<std::string> kGameColumns = {"bambino", "data", "ora", "esercizio", "tipo", "livelli",
                                               "parole colpite", "parole cadute", "tasti", "tasti sbagliati",
                                               "precisione %", "parole al minuto", "punti", "esito"};
const std::vector<std::string> kLetterColumns = {"bambino", "lettera", "volte", "sbagliate", "al posto di"};

}  // namespace

std::vector<std::string> CsvFileNames()
{
    return {"classe.csv", "partite.csv", "lettere.csv"};
}

std::string CsvField(const std::string& text)
{
    if (text.find_first_of(";\"\r\n") == std::string::npos)
        return text;
    std::string quoted = "\"";
    for (char c : text)
        quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + "\"";
}

std::string DecimalComma(double value)
{
    if (value < 0)
        return std::string();
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", value);
    std::string out = text;
    for (char& c : out)
        if (c == '.')
            c = ',';
    return out;
}

bool ExportCsv(StatsStore& store, const std::string& folder, long long now)
{
    std::string dir = folder;
    if (!dir.empty() && dir.back() != '\\' && dir.back() != '/')
        dir += '\\';
    // The folder and any missing above it (a documents folder never made).
    for (std::size_t at = dir.find_first_of("\\/", 1); at != std::string::npos; at = dir.find_first_of("\\/", at + 1)) {
        std::string part = dir.substr(0, at);
        if (!platform::IsDirectory(part) && !platform::MakeDirectory(part))
            return false;
    }
    StatsFigures figures(store);
    // Spreadsheets take a file that starts with the byte-order mark as UTF-8.
    const std::string bom = "\xEF\xBB\xBF";

    std::string table = bom + Line(kClassColumns);
    for (const ClassRow& row : ClassTable(store, now)) {
        table += Line({row.name, row.lastGame ? DateText(row.lastGame) : "", Count(row.gamesThisWeek),
                       DecimalComma(row.now.Accuracy()), DecimalComma(row.now.WordsPerMinute()), Utf8Text(TrendText(row.trend)),
                       row.weakest});
    }
    std::string games = bom + Line(kGameColumns);
    std::string letters = bom + Line(kLetterColumns);
    for (const StatsFigures::Child& child : figures.Children()) {
        std::vector<GameRow> rows = figures.Games(child.id);
        for (auto g = rows.rbegin(); g != rows.rend(); ++g) {
            games += Line({child.name, DateText(g->started), TimeText(g->started), g->exercise,
                           Utf8Text(KindText(g->kind)), Count(g->levels), Count(g->tally.hit), Count(g->tally.fallen),
                           Count(g->tally.keys), Count(g->tally.wrong), DecimalComma(g->tally.Accuracy()),
                           DecimalComma(g->tally.WordsPerMinute()), Count(g->score), Utf8Text(EndText(g->end))});
        }
        for (const LetterRow& letter : figures.Letters(child.id)) {
            std::string instead;
            for (const auto& [key, n] : letter.instead)
                instead += (instead.empty() ? "" : " ") + key;
            letters += Line({child.name, letter.letter, Count(letter.times), Count(letter.wrong), instead});
        }
    }
    std::vector<std::string> names = CsvFileNames();
    return Save(dir, names[0], table) && Save(dir, names[1], games) && Save(dir, names[2], letters);
}

}  // namespace stats
