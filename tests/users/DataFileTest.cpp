#include "app/DataFolder.h"
#include "session/GameSettings.h"
#include "resources/StringTable.h"
#include "support/TempFolder.h"
#include "base/TStringList.h"
#include "session/Session.h"
#include "users/ReportFormatter.h"
#include "users/TDataFile.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

namespace {

struct DataFileTest : ::testing::Test {
    TempFolder folder;
    std::unique_ptr<ScopedCurrentFolder> here;
    std::unique_ptr<TStringTable> strings;
    GameSettings::Bytes payload = GameSettings().Encode();

    void SetUp() override
    {
        here = std::make_unique<ScopedCurrentFolder>(folder.Path());
        theDataPrefix.clear();
        strings = LoadStringTable(std::string(QUOLI_STAGE_DIR) + "/quoli.str");
        InstallStringTable(strings.get());
    }
    void TearDown() override { InstallStringTable(nullptr); }
    std::string Log() const { return folder.Read("DATA/USERS.DAT"); }
};

std::string Report(TDataFile& data, const char* name)
{
    ReportFormatter formatter;
    EXPECT_TRUE(data.ExportReport(name, [&](int k, const unsigned char* d, int s, int m) {
        return formatter.Format(k, d, s, m);
    }, 1));
    return ReadBinaryFile(std::filesystem::current_path() / "DATA" / "LAST.TXT");
}

}  // namespace

TEST_F(DataFileTest, NamesMatchWithoutCaseAndKeepTheAskedSpelling)
{
    {
        TDataFile data(GameSettings::kSize);
        GameSettings s;
        s.lanes = 3;
        auto bytes = s.Encode();
        data.AddUser("MARIO", bytes.data());
        data.AddUser("mario", payload.data());  // already there: nothing added
        EXPECT_EQ(data.Count(), 1);
        ASSERT_TRUE(data.SaveRegistry());
    }
    EXPECT_EQ(folder.Read("DATA/USERS.ANA").substr(0, 4), "ANA\x1A");
    EXPECT_EQ(folder.Read("DATA/USERS.ANA").size(), 8u + 28 + 476);
    ASSERT_TRUE(LoadProfileByName("mario"));
    EXPECT_STREQ(theSession.userName, "mario");
    EXPECT_EQ(theSession.settings.lanes, 3);
    EXPECT_FALSE(LoadProfileByName("luigi"));
    EXPECT_STREQ(theSession.userName, "mario");
    theSession.settings = GameSettings();
}

TEST_F(DataFileTest, IdsAreReusedOnlyFromTheTop)
{
    TDataFile data(GameSettings::kSize);
    data.AddUser("a", payload.data());
    data.AddUser("b", payload.data());
    data.AddUser("c", payload.data());
    data.RemoveUser("c");
    data.AddUser("d", payload.data());
    EXPECT_EQ(TDataFile::IdOf(data.Find("d")), 3);
    data.RemoveUser("a");
    data.AddUser("e", payload.data());
    EXPECT_EQ(TDataFile::IdOf(data.Find("b")), 2);
    EXPECT_EQ(TDataFile::IdOf(data.Find("e")), 4);
}

TEST_F(DataFileTest, NothingIsRecordedWithoutAUserOrWithRecordingOff)
{
    TDataFile data(GameSettings::kSize);
    data.RecordText(logkind::kLevel, "x");
    EXPECT_FALSE(std::filesystem::exists(folder / "DATA/USERS.DAT"));
    data.AddUser("a", payload.data());
    data.SelectUser("a");
    data.recordingEnabled = false;
    data.RecordText(logkind::kLevel, "x");
    EXPECT_FALSE(std::filesystem::exists(folder / "DATA/USERS.DAT"));
    data.recordingEnabled = true;
    data.RecordText(logkind::kLevel, "uno");
    data.RecordText(logkind::kLevel, "due");
    std::string log = Log();
    EXPECT_EQ(log.substr(0, 4), "DAT\x1A");
    EXPECT_EQ(log.size(), 4u + (12 + 4) * 2);  // the magic once
}

TEST_F(DataFileTest, PurgeKeepsTheOthersByteForByte)
{
    TDataFile data(GameSettings::kSize);
    data.AddUser("a", payload.data());
    data.AddUser("b", payload.data());
    for (const char* word : {"uno", "due", "tre"}) {
        data.SelectUser("a");
        data.RecordText(logkind::kShown, word);
        data.SelectUser("b");
        data.RecordText(logkind::kShown, word);
    }
    int value = 2;
    data.RecordEvent(logkind::kLifeLost, &value, 4);
    std::string before = Log();
    data.PurgeEvents("a");
    std::string after = Log();
    // b's events, in their order, as they were.
    std::string expected = "DAT\x1A";
    std::size_t at = 4;
    while (at < before.size()) {
        std::size_t length = 12 + static_cast<unsigned char>(before[at + 8]);
        if (before[at] == 2)
            expected += before.substr(at, length);
        at += length;
    }
    EXPECT_EQ(after, expected);
    // No temporary left; the lock file two copies take turns on stays.
    EXPECT_EQ(folder.List("DATA"), (std::vector<std::string>{"QUOLI.LCK", "USERS.DAT"}));
}

TEST_F(DataFileTest, AForeignLogIsNeverDestroyed)
{
    TDataFile data(GameSettings::kSize);
    data.AddUser("a", payload.data());
    folder.Write("DATA/USERS.DAT", "NOT A LOG AT ALL");
    data.PurgeEvents("a");
    EXPECT_EQ(Log(), "NOT A LOG AT ALL");
    ReportFormatter formatter;
    EXPECT_FALSE(data.ExportReport("a", [&](int k, const unsigned char* d, int s, int m) {
        return formatter.Format(k, d, s, m);
    }, 1));
    EXPECT_EQ(folder.Read("DATA/LAST.TXT"), "");
}

TEST_F(DataFileTest, DamagedFilesStopAtTheDamage)
{
    {
        TDataFile data(GameSettings::kSize);
        data.AddUser("a", payload.data());
        data.AddUser("b", payload.data());
        data.SaveRegistry();
    }
    std::string registry = folder.Read("DATA/USERS.ANA");
    registry[4] = 50;  // a count far past the file
    folder.Write("DATA/USERS.ANA", registry.substr(0, registry.size() - 10));  // and the last record cut
    TDataFile data(GameSettings::kSize);
    EXPECT_EQ(data.Count(), 1);
    EXPECT_NE(data.Find("a"), nullptr);

    data.SelectUser("a");
    data.RecordText(logkind::kShown, "casa");
    data.RecordText(logkind::kShown, "sole");
    std::string log = Log();
    log[4 + 17 + 8] = 100;  // the second event claims more data than there is
    folder.Write("DATA/USERS.DAT", log);
    EXPECT_EQ(Report(data, "a"), "casa");
    data.PurgeEvents("b");
    EXPECT_EQ(Log(), log);  // b had nothing; the damaged tail is kept
}

TEST_F(DataFileTest, ReportLinesLineUpTheKeysAndTheWords)
{
    ReportFormatter f;
    auto text = [&](int kind, const std::string& s) {
        return f.Format(kind, reinterpret_cast<const unsigned char*>(s.c_str()), static_cast<int>(s.size() + 1), 1);
    };
    EXPECT_EQ(text(logkind::kLevel, "Animali"), "\n--- \"Animali\" ---\n");
    std::string longTitle(1000, 't');  // a title typed in another editor
    EXPECT_EQ(text(logkind::kLevel, longTitle), "\n--- \"" + longTitle + "\" ---\n") << "never cut";
    EXPECT_EQ(text(logkind::kShown, "gatto"), "gatto");
    std::string keys(45, 'k');
    EXPECT_EQ(text(logkind::kMistyped, keys), std::string(13, ' ') + "* " + std::string(20, 'k') + "\n" +
                                                std::string(18, ' ') + "* " + std::string(20, 'k') + "\n" +
                                                std::string(18, ' ') + "* " + std::string(5, 'k') + "\n");
    EXPECT_EQ(text(logkind::kShown, "cane"), "cane");
    EXPECT_EQ(text(logkind::kHit, "CANE"), std::string(16, ' ') + "CANE\n");
    EXPECT_EQ(text(logkind::kShown, "topo"), "topo");
    std::int32_t lives = 2;
    EXPECT_EQ(f.Format(logkind::kLifeLost, reinterpret_cast<unsigned char*>(&lives), 4, 1),
              "\n--- Vita persa: vite = 2 ---\n");
    unsigned char hit = 1, miss = 0;
    EXPECT_EQ(f.Format(logkind::kBonus, &hit, 1, 1), "--- Bonus: bersaglio colpito! ---\n");
    EXPECT_EQ(f.Format(logkind::kBonus, &miss, 1, 1), "--- Bonus: bersaglio mancato ---\n");
    EXPECT_EQ(f.Format(logkind::kCompleted, nullptr, 0, 1), "--- Esercizio completato! ---\n");
    EXPECT_EQ(f.Format(logkind::kClosed, nullptr, 0, 1), "--- Partita interrotta ---\n\n");
    EXPECT_EQ(f.Format(logkind::kContextClosed, nullptr, 0, 1), "\n");
    EXPECT_EQ(text(logkind::kDate, "08/12/2026"), "\nPartita del : 08/12/2026 - ");
    EXPECT_EQ(text(logkind::kTime, "10:15:00"), "10:15:00\n");
    GameSettings s;
    std::strcpy(s.exerciseName, "Colori");
    auto bytes = s.Encode();
    EXPECT_EQ(f.Format(logkind::kSettings, bytes.data(), GameSettings::kSize, 1),
              "Esercizio: Colori\nCaduta in secondi = 10\nPausa in secondi = 3\n");
    std::strcpy(s.exerciseName, "Casa_e_scuola");  // the teacher reads the name, not the file
    bytes = s.Encode();
    EXPECT_EQ(f.Format(logkind::kSettings, bytes.data(), GameSettings::kSize, 1).substr(0, 25),
              "Esercizio: Casa e scuola\n");
    EXPECT_EQ(f.Format(42, nullptr, 0, 1), "UNKNOWN CODE!!!\n");
}
