// The statistics database: made afresh, a foreign or damaged file moved
// aside and kept, a child deleted whole, two connections at once, and the
// files exported for a spreadsheet.

#include "app/DataProblems.h"
#include "resources/StringTable.h"
#include "stats/CsvExport.h"
#include "stats/StatsFigures.h"
#include "stats/StatsStore.h"
#include "support/DataFolderFixture.h"
#include "support/Shell.h"
#include "support/StatsGames.h"

#include <gtest/gtest.h>

#include <sqlite3.h>

#include <ctime>
#include <memory>
#include <thread>

namespace {

struct StatsStoreTest : DataFolderFixture {
    std::unique_ptr<TStringTable> strings;

    void SetUp() override
    {
        DataFolderFixture::SetUp();
        strings = LoadStringTable(std::string(QUOLI_STAGE_DIR) + "/quoli.str");
        ASSERT_TRUE(strings);
        InstallStringTable(strings.get());
    }
    void TearDown() override { InstallStringTable(nullptr); }

    static long long Game(stats::StatsStore& store, int child, const std::string& name, long long started, int keys,
                          int wrong, long long playMs, char letter = 'A', char typed = 'S')
    {
        return WriteGame(store, {child, name, started, keys, wrong, letter, typed, playMs,
                                 {Word("CASA", stats::WordEnd::kHit), Word("MARE", stats::WordEnd::kFallen)}});
    }
    static long long Count(sqlite3* db, const std::string& sql)
    {
        stats::Statement st(db, sql.c_str());
        return st.Row() ? st.Int(0) : -1;
    }
    std::vector<std::string> Aside() const
    {
        std::vector<std::string> found;
        for (const std::string& n : Beside("STATS-"))
            if (n.size() > 3 && n.substr(n.size() - 3) == ".DB")
                found.push_back(n);
        return found;
    }
};

}  // namespace

TEST_F(StatsStoreTest, AFreshDatabaseIsOursAndEmpty)
{
    stats::StatsStore store;
    ASSERT_TRUE(store.Ready());
    EXPECT_TRUE(folder.Read("DATA/STATS.DB").size() > 0);
    EXPECT_EQ(Count(store.Handle(), "SELECT count(*) FROM games"), 0);
    EXPECT_TRUE(Aside().empty());
    EXPECT_EQ(TakeDataProblem(), "");
    // Opened again, it is kept as it is.
    Game(store, 1, "Anna", 1000, 10, 1, 60000);
    stats::StatsStore again;
    EXPECT_EQ(Count(again.Handle(), "SELECT count(*) FROM games"), 1);
}

TEST_F(StatsStoreTest, ADatabaseOfAnotherProgramIsMovedAsideWhole)
{
    {
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open((folder / "DATA/STATS.DB").c_str(), &db), SQLITE_OK);
        sqlite3_exec(db, "CREATE TABLE recipes(name TEXT); INSERT INTO recipes VALUES('pasta')", nullptr, nullptr, nullptr);
        sqlite3_close(db);
    }
    std::string before = folder.Read("DATA/STATS.DB");
    stats::StatsStore store;
    ASSERT_TRUE(store.Ready());
    ASSERT_EQ(Aside().size(), 1u);
    EXPECT_EQ(folder.Read("DATA/" + Aside()[0]), before) << "never overwritten";
    std::string told = TakeDataProblem();
    EXPECT_NE(told.find(GetString(14, 40)), std::string::npos);
    EXPECT_NE(told.find(Aside()[0]), std::string::npos);
    EXPECT_EQ(TakeDataProblem(), "") << "one message";
    EXPECT_EQ(Count(store.Handle(), "SELECT count(*) FROM games"), 0);
}

TEST_F(StatsStoreTest, AFileThatIsNoDatabaseIsMovedAsideWhole)
{
    std::string junk = "not a database at all, but the teacher's notes\n";
    for (int i = 0; i < 6; ++i)
        junk += junk;
    folder.Write("DATA/STATS.DB", junk);
    stats::StatsStore store;
    ASSERT_TRUE(store.Ready());
    ASSERT_EQ(Aside().size(), 1u);
    EXPECT_EQ(folder.Read("DATA/" + Aside()[0]), junk);
    EXPECT_NE(TakeDataProblem(), "");
}

TEST_F(StatsStoreTest, DeletingAChildLeavesNoRowOfTheirs)
{
    stats::StatsStore store;
    Game(store, 1, "Anna", 1000, 10, 2, 60000);
    Game(store, 1, "Anna", 2000, 10, 2, 60000);
    Game(store, 2, "Bruno", 3000, 8, 1, 30000);
    ASSERT_TRUE(store.DeleteChild(1));
    sqlite3* db = store.Handle();
    EXPECT_EQ(Count(db, "SELECT count(*) FROM games WHERE child=1"), 0);
    EXPECT_EQ(Count(db, "SELECT count(*) FROM children WHERE id=1"), 0);
    EXPECT_EQ(Count(db, "SELECT count(*) FROM words WHERE game NOT IN (SELECT id FROM games)"), 0);
    EXPECT_EQ(Count(db, "SELECT count(*) FROM keys WHERE game NOT IN (SELECT id FROM games)"), 0);
    EXPECT_EQ(Count(db, "SELECT count(*) FROM keys"), 8) << "the other child keeps theirs";
    EXPECT_EQ(Count(db, "SELECT count(*) FROM words"), 2);
    // Nor is the name left in the file's free pages.
    std::string bytes = folder.Read("DATA/STATS.DB");
    EXPECT_EQ(bytes.find("Anna"), std::string::npos);
    EXPECT_NE(bytes.find("Bruno"), std::string::npos);
}

TEST_F(StatsStoreTest, TwoConnectionsAtOnceLoseNothing)
{
    stats::StatsStore one, two;
    ASSERT_TRUE(one.Ready() && two.Ready());
    for (int i = 0; i < 10; ++i) {
        Game(i % 2 ? one : two, 1 + i % 2, i % 2 ? "Anna" : "Bruno", 1000 + i, 5, 1, 1000);
    }
    // One holds a write while the other waits for it.
    ASSERT_EQ(sqlite3_exec(one.Handle(), "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);
    stats::GameInfo info;
    info.childId = 3;
    long long started = 0;
    std::thread other([&] { started = two.StartGame(info); });
    std::this_thread::yield();
    ASSERT_EQ(sqlite3_exec(one.Handle(), "COMMIT", nullptr, nullptr, nullptr), SQLITE_OK);
    other.join();
    EXPECT_NE(started, 0);
    EXPECT_EQ(Count(one.Handle(), "SELECT count(*) FROM games"), 11);
    EXPECT_EQ(Count(one.Handle(), "SELECT sum(keys) FROM games"), 50);
}

TEST_F(StatsStoreTest, FiguresOfManyGamesAndTheTrend)
{
    stats::StatsStore store;
    // Ten older games at 80% and ten newer at 95%: better.
    for (int i = 0; i < 20; ++i)
        Game(store, 1, "Anna", 1000 + i, 20, i < 10 ? 4 : 1, 60000);
    stats::StatsFigures figures(store);
    std::vector<stats::GameRow> games = figures.Games(1);
    ASSERT_EQ(games.size(), 20u);
    EXPECT_EQ(games[0].started, 1019) << "the latest first";
    stats::Tally now = stats::StatsFigures::Sum(games, 0, 10), before = stats::StatsFigures::Sum(games, 10, 10);
    EXPECT_DOUBLE_EQ(now.Accuracy(), 95.0);
    EXPECT_DOUBLE_EQ(before.Accuracy(), 80.0);
    EXPECT_DOUBLE_EQ(now.WordsPerMinute(), 1.0);
    EXPECT_EQ(stats::TrendOf(now, before), 1);
    EXPECT_EQ(stats::TrendOf(before, now), -1);
    EXPECT_EQ(stats::TrendOf(now, now), 0);
    EXPECT_EQ(stats::TrendOf(now, stats::Tally()), 2);

    std::vector<stats::ClassRow> rows = stats::ClassTable(store, 1019 + 3600);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].gamesThisWeek, 20);
    EXPECT_EQ(rows[0].trend, 1);
    EXPECT_EQ(rows[0].weakest, "A");
    EXPECT_EQ(stats::ClassTable(store, 1019 + 8 * 24 * 3600)[0].gamesThisWeek, 0);
}

TEST_F(StatsStoreTest, TheClassTableSortsByEachColumn)
{
    stats::StatsStore store;
    Game(store, 1, "carla", 3000, 10, 5, 60000, 'E', 'R');
    Game(store, 2, "Anna", 1000, 10, 1, 30000, 'O', 'P');
    Game(store, 3, "Bruno", 2000, 10, 3, 120000, 'A', 'S');
    std::vector<stats::ClassRow> rows = stats::ClassTable(store, 4000);
    auto names = [&] {
        std::string all;
        for (const stats::ClassRow& r : rows)
            all += r.name + " ";
        return all;
    };
    stats::SortClassRows(rows, stats::ClassColumn::kName, false);
    EXPECT_EQ(names(), "Anna Bruno carla ") << "letter case aside";
    stats::SortClassRows(rows, stats::ClassColumn::kName, true);
    EXPECT_EQ(names(), "carla Bruno Anna ");
    stats::SortClassRows(rows, stats::ClassColumn::kAccuracy, false);
    EXPECT_EQ(names(), "Anna Bruno carla ") << "the most accurate first";
    stats::SortClassRows(rows, stats::ClassColumn::kSpeed, false);
    EXPECT_EQ(names(), "Anna carla Bruno ");
    stats::SortClassRows(rows, stats::ClassColumn::kLastGame, false);
    EXPECT_EQ(names(), "carla Bruno Anna ");
    stats::SortClassRows(rows, stats::ClassColumn::kLastGame, true);
    EXPECT_EQ(names(), "Anna Bruno carla ");
    stats::SortClassRows(rows, stats::ClassColumn::kWeakest, false);
    EXPECT_EQ(names(), "Bruno carla Anna ");
}

TEST_F(StatsStoreTest, ExportedFilesReadBackWithPythonsCsvModule)
{
    stats::StatsStore store;
    // 2 December 2026, 10:30 local time.
    std::tm t{};
    t.tm_year = 126;
    t.tm_mon = 11;
    t.tm_mday = 2;
    t.tm_hour = 10;
    t.tm_min = 30;
    t.tm_isdst = -1;
    long long when = static_cast<long long>(std::mktime(&t));
    Game(store, 1, "Nicol\xF2", when, 8, 3, 90000, 'A', 'S');
    Game(store, 2, "Anna; la prima", when + 60, 4, 0, 30000, 'O', 'P');
    ASSERT_TRUE(stats::ExportCsv(store, folder.Path() + "/Documenti/Quoli", when + 120));
    std::string script = folder / "read.py";
    folder.Write("read.py",
                 "import csv, sys\n"
                 "def rows(name):\n"
                 "    with open(sys.argv[1] + '/' + name, encoding='utf-8-sig', newline='') as f:\n"
                 "        return list(csv.reader(f, delimiter=';'))\n"
                 "games, letters, table = rows('partite.csv'), rows('lettere.csv'), rows('classe.csv')\n"
                 "for r in games + letters + table: print('|'.join(r))\n");
    ShellRun run = RunShell("python3 " + script + " " + folder.Path() + "/Documenti/Quoli");
    ASSERT_EQ(run.status, 0) << run.output;
    std::string expected =
        "bambino|data|ora|esercizio|tipo|livelli|parole colpite|parole cadute|tasti|tasti sbagliati|precisione %|"
        "parole al minuto|punti|esito\n"
        "Anna; la prima|02/12/2026|10:31|Animali|Livelli|2|1|1|4|0|100,0|2,0|150|completata\n"
        "Nicolò|02/12/2026|10:30|Animali|Livelli|2|1|1|8|3|62,5|0,7|150|completata\n"
        "bambino|lettera|volte|sbagliate|al posto di\n"
        "Anna; la prima|O|4|0|\n"
        "Nicolò|A|8|3|S\n"
        "bambino|ultima partita|partite questa settimana|precisione %|parole al minuto|andamento|lettere più deboli\n"
        "Anna; la prima|02/12/2026|1|100,0|2,0|poche partite|\n"
        "Nicolò|02/12/2026|1|62,5|0,7|poche partite|A\n";
    EXPECT_EQ(run.output, expected);
}

TEST_F(StatsStoreTest, FieldsAndFiguresAsASpreadsheetReadsThem)
{
    EXPECT_EQ(stats::CsvField("CASA"), "CASA");
    EXPECT_EQ(stats::CsvField("a;b"), "\"a;b\"");
    EXPECT_EQ(stats::CsvField("il \"re\""), "\"il \"\"re\"\"\"");
    EXPECT_EQ(stats::DecimalComma(12.345), "12,3");
    EXPECT_EQ(stats::DecimalComma(0), "0,0");
    EXPECT_EQ(stats::DecimalComma(-1), "");
}
