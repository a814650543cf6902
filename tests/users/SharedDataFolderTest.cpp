// A data folder on a shared school computer: writable by every account,
// holding files of other accounts, planted links, FIFOs and devices. What
// one account cannot read it never writes; what it does not record it says.

#include "app/DataProblems.h"
#include "game/GameRecorder.h"
#include "game/TopTenTable.h"
#include "menus/LastUser.h"
#include "platform/Files.h"
#include "resources/FileHelpers.h"
#include "resources/IniFile.h"
#include "resources/StringTable.h"
#include "session/Session.h"
#include "support/DataFolderFixture.h"
#include "support/OtherAccount.h"
#include "users/TDataFile.h"

#include <sys/file.h>
#include <sys/stat.h>
#include <fcntl.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>

namespace fs = std::filesystem;

namespace {

struct SharedDataFolderTest : DataFolderFixture {
    std::unique_ptr<TStringTable> table;

    void SetUp() override
    {
        DataFolderFixture::SetUp();
        table = LoadStringTable(std::string(QUOLI_STAGE_DIR) + "/quoli.str");
        ASSERT_NE(table, nullptr);
        InstallStringTable(table.get());
        SetDataLockWaitMs(100);
        // Every account may use the folder, as on a school computer.
        fs::permissions(folder.Path(), fs::perms::all);
        fs::permissions(folder / "DATA", fs::perms::all);
    }
    void TearDown() override { InstallStringTable(nullptr); }

    // A file of the data folder that belongs to `uid` with `mode`.
    void Own(const std::string& name, int uid, fs::perms mode) const
    {
        ASSERT_EQ(::chown((folder / name).c_str(), uid, uid), 0);
        fs::permissions(folder / name, mode);
    }
    static std::string Problems()
    {
        std::string all;
        for (std::string p = TakeDataProblem(); !p.empty(); p = TakeDataProblem())
            all += p + "\n";
        return all;
    }
    static bool Says(const std::string& text, int section, int number)
    {
        return text.find(GetString(section, number)) != std::string::npos;
    }
    // A game of one level under the child's name, as the game records it.
    static void PlayOneWord(const char* child)
    {
        GameSettings settings;
        settings.recordResults = 1;
        GameRecorder game(child, settings);
        game.LevelStarted("Uno");
        game.Shown("SOLE");
        game.Hit("SOLE");
        game.ContextClosed();
    }
    std::string ThreeChildren() const { return Registry({{"Anna", 1}, {"Bruno", 2}, {"Carla", 3}}); }
    std::string SomeGames() const { return "DAT\x1A" + Record(1, 4, "Uno") + Record(2, 7, "SOLE") + Record(3, 7, "MARE"); }
};

// The teacher's own files, readable by her alone, and a child on the class
// account plays: her profiles and results stay as they were.
TEST_F(SharedDataFolderTest, FilesAnotherAccountCannotReadAreNeverReplaced)
{
    const std::string registry = ThreeChildren(), log = SomeGames();
    folder.Write("DATA/USERS.ANA", registry);
    folder.Write("DATA/USERS.DAT", log);
    folder.Write("DATA/TOP10.DAT", std::string(240, 'x'));
    folder.Write("DATA/ULTIMO.DAT", std::string(20, 'y'));
    for (const char* name : {"DATA/USERS.ANA", "DATA/USERS.DAT", "DATA/TOP10.DAT", "DATA/ULTIMO.DAT"})
        Own(name, 0, fs::perms::owner_read | fs::perms::owner_write);

    int child = RunAs(kNobody, [] {
        PlayOneWord("Dario");
        TopTenTable top;
        top.Open(TopTenPath());
        top.Insert(1, "Dario", 10);
        top.Save(TopTenPath());
        ReadLastUser();
        WriteLastUser();
        std::string told = Problems();
        // Each file by its name and the reason, once.
        return Says(told, 14, 10) && told.find("USERS.ANA") != std::string::npos &&
                       told.find("TOP10.DAT") != std::string::npos && told.find("ULTIMO.DAT") != std::string::npos
                   ? 0
                   : 1;
    });
    EXPECT_EQ(child, 0) << "the teacher is told which file and why";
    EXPECT_EQ(folder.Read("DATA/USERS.ANA"), registry);
    EXPECT_EQ(folder.Read("DATA/USERS.DAT"), log);
    EXPECT_EQ(folder.Read("DATA/TOP10.DAT"), std::string(240, 'x'));
    EXPECT_EQ(folder.Read("DATA/ULTIMO.DAT"), std::string(20, 'y'));
}

// The class account's own log made write-only: it cannot be read, so it is
// never started afresh over the games it holds.
TEST_F(SharedDataFolderTest, ALogThatCannotBeReadIsNeverStartedAfresh)
{
    const std::string log = SomeGames();
    folder.Write("DATA/USERS.DAT", log);
    Own("DATA/USERS.DAT", kNobody, fs::perms::owner_write);
    EXPECT_EQ(RunAs(kNobody, [] {
                  PlayOneWord("Anna");
                  return Problems().find("USERS.DAT") != std::string::npos ? 0 : 1;
              }),
              0);
    EXPECT_EQ(folder.Read("DATA/USERS.DAT"), log);
}

// A registry that says it holds fewer profiles than it does keeps them all,
// and a name that fills its field stays whole.
TEST_F(SharedDataFolderTest, EveryWholeRecordOfTheRegistryIsKept)
{
    std::string registry = Registry({{"Anna", 1}, {"Bruno", 2}, {"Carla Maria Francesca XY", 3}});
    registry[4] = 1;  // the count says one
    folder.Write("DATA/USERS.ANA", registry);
    {
        TDataFile data(GameSettings::kSize);
        EXPECT_EQ(data.Count(), 3);
        EXPECT_EQ(TDataFile::NameOf(data.Last()), "Carla Maria Francesca XY");
        EXPECT_NE(data.StoreUser("Dario", payload.data()), 0);
    }
    TDataFile again(GameSettings::kSize);
    EXPECT_EQ(again.Count(), 4);
    EXPECT_NE(again.Find("Bruno"), nullptr);
    EXPECT_EQ(folder.Read("DATA/USERS.ANA").substr(8, 3 * 504), registry.substr(8)) << "byte for byte";
    std::vector<std::string> aside = Beside("USERS-");
    ASSERT_EQ(aside.size(), 1u);
    EXPECT_EQ(folder.Read("DATA/" + aside[0]), registry);

    // A count of -1 is no reason to lose a child either.
    registry[4] = registry[5] = registry[6] = registry[7] = '\xFF';
    folder.Write("DATA/USERS.ANA", registry);
    EXPECT_TRUE(LoadProfileByName("Bruno"));
}

// Links planted in the data folder, or the folder itself a link into the
// teacher's own folder: nothing is written or removed through them.
TEST_F(SharedDataFolderTest, NothingIsWrittenThroughAPlantedLink)
{
    TempFolder teacher;
    const std::string own = "DAT\x1A, the teacher's own file";
    teacher.Write("VOTI.DAT", own);
    teacher.Write("Last.txt", "her notes");
    fs::create_symlink(teacher / "VOTI.DAT", folder / "DATA/USERS.DAT");
    fs::create_symlink(teacher / "nuovo", folder / "DATA/QUOLI.LCK");
    folder.Write("DATA/USERS.ANA", ThreeChildren());
    {
        TDataFile data(GameSettings::kSize);
        data.SelectUser("Anna");
        data.RecordText(4, "Uno");
        EXPECT_TRUE(data.AppendFailed());
    }
    EXPECT_EQ(teacher.Read("VOTI.DAT"), own);
    EXPECT_FALSE(fs::exists(teacher / "nuovo"));
    EXPECT_TRUE(Beside("USERS-RESTO").empty());
    EXPECT_TRUE(Says(Problems(), 14, 11)) << "the link is named as such";

    // The whole data folder a link into the teacher's folder, where a
    // registry and a log are found.
    fs::remove_all(folder / "DATA");
    fs::create_symlink(teacher.Path(), folder / "DATA");
    teacher.Write("USERS.ANA", ThreeChildren());
    teacher.Write("USERS.DAT", SomeGames());
    {
        TDataFile data(GameSettings::kSize);
        data.ExportReport("Anna", [](int, const unsigned char*, int, int) { return std::string("x"); }, 1);
        data.RemoveReport();
        EXPECT_EQ(data.StoreUser("Anna", payload.data()), 0);
    }
    EXPECT_EQ(teacher.Read("Last.txt"), "her notes");
    EXPECT_EQ(teacher.Read("USERS.ANA"), ThreeChildren());
}

// What is cut from a torn log may be read by those who could read the log.
TEST_F(SharedDataFolderTest, TheCutTailOfALogKeepsTheLogsPermissions)
{
    folder.Write("DATA/USERS.ANA", ThreeChildren());
    folder.Write("DATA/USERS.DAT", SomeGames() + Record(1, 7, "MARE").substr(0, 9));
    fs::permissions(folder / "DATA/USERS.DAT", fs::perms::owner_read | fs::perms::owner_write);
    {
        TDataFile data(GameSettings::kSize);
        data.SelectUser("Anna");
        data.RecordText(4, "Due");
    }
    std::vector<std::string> rest = Beside("USERS-RESTO-");
    ASSERT_EQ(rest.size(), 1u);
    EXPECT_EQ(fs::status(folder / ("DATA/" + rest[0])).permissions(), fs::perms::owner_read | fs::perms::owner_write);
    std::string told = Problems();
    EXPECT_TRUE(Says(told, 14, 30)) << told;
    EXPECT_NE(told.find(rest[0]), std::string::npos) << "the teacher learns where it went";
}

// A game whose profile could not be stored (the folder cannot be written,
// a full disk) records nothing: its games would go under an id no profile
// has, which the next new child would inherit.
TEST_F(SharedDataFolderTest, AGameWhoseProfileWasNotStoredRecordsNothing)
{
    folder.Write("DATA/USERS.DAT", "DAT\x1A");
    fs::permissions(folder / "DATA/USERS.DAT", fs::perms::all);
    fs::permissions(folder / "DATA", fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                                         fs::perms::others_read | fs::perms::others_exec);
    EXPECT_EQ(RunAs(kNobody, [] {
                  PlayOneWord("Anna");
                  // Said as it is: the folder cannot be written, not a full disk.
                  return Says(Problems(), 14, 17) ? 0 : 1;
              }),
              0);
    EXPECT_EQ(folder.Read("DATA/USERS.DAT"), "DAT\x1A");
}

// Ids a new child is given never lead to another child's results: not after
// a damaged registry was set aside, not past the ones kept aside.
TEST_F(SharedDataFolderTest, NewIdsStayAboveEveryIdOnRecord)
{
    folder.Write("DATA/USERS.DAT", SomeGames());
    folder.Write("DATA/USERS.ANA", "garbage");
    {
        TDataFile data(GameSettings::kSize);
        EXPECT_EQ(data.StoreUser("Dario", payload.data()), 4) << "ids 1 to 3 have results in the log";
    }
    folder.Write("DATA/USERS-20261201-080000.ANA", Registry({{"Elena", 9}}));
    TDataFile data(GameSettings::kSize);
    EXPECT_EQ(data.StoreUser("Franco", payload.data()), 10) << "id 9 is a child set aside";
}

// Two profiles with one id: the later gets a fresh one, and deleting it
// leaves the first child's results alone.
TEST_F(SharedDataFolderTest, ARepeatedIdIsRepairedWhenRead)
{
    folder.Write("DATA/USERS.ANA", Registry({{"Anna", 1}, {"Bruno", 2}, {"Anna Bis", 1}}));
    folder.Write("DATA/USERS.DAT", SomeGames());
    {
        TDataFile data(GameSettings::kSize);
        EXPECT_EQ(TDataFile::IdOf(data.Find("Anna")), 1);
        EXPECT_EQ(TDataFile::IdOf(data.Find("Anna Bis")), 4);
        std::string told = Problems();
        EXPECT_NE(told.find("Anna Bis"), std::string::npos) << told;
        EXPECT_TRUE(data.DeleteUser("Anna Bis"));
    }
    EXPECT_EQ(Log(), SomeGames()) << "Anna's results stay";
}

// Only regular files of a sane size are read: a FIFO would block for ever,
// a device never end.
TEST_F(SharedDataFolderTest, OnlyRegularFilesAreRead)
{
    ASSERT_EQ(::mkfifo((folder / "DATA/ULTIMO.DAT").c_str(), 0666), 0);
    ASSERT_EQ(::mkfifo((folder / "config.ini").c_str(), 0666), 0);
    fs::create_symlink("/dev/zero", folder / "DATA/USERS.ANA");
    int status = RunBounded(
        [] {
            ReadLastUser();
            std::string value;
            int line = 0;
            ReadValue("config.ini", "global", "AUDIO", value, line);
            TDataFile data(GameSettings::kSize);
            return data.Count() == 0 && line == -2 ? 0 : 1;
        },
        5000);
    EXPECT_EQ(status, 0) << "-1: it hung";
    EXPECT_TRUE(fs::is_fifo(folder / "DATA/ULTIMO.DAT"));

    std::vector<unsigned char> bytes;
    EXPECT_EQ(platform::ReadFile("/dev/zero", bytes), platform::ReadFailure::kNotAFile);
    folder.Write("big", std::string(1000, 'b'));
    EXPECT_EQ(platform::ReadFile(folder / "big", bytes, platform::Trust::kOwn, 999), platform::ReadFailure::kTooLarge);
    EXPECT_EQ(platform::ReadFile(folder / "big", bytes, platform::Trust::kOwn, 1000), platform::ReadFailure::kNone);
}

// Another process keeps the data folder's lock: the game waits a bounded
// time with the window alive, then goes on without recording, once.
TEST_F(SharedDataFolderTest, AHeldLockIsWaitedForABoundedTime)
{
    folder.Write("DATA/USERS.ANA", ThreeChildren());
    folder.Write("DATA/QUOLI.LCK", "");
    int holder = ::open((folder / "DATA/QUOLI.LCK").c_str(), O_RDONLY);
    ASSERT_GE(holder, 0);
    ASSERT_EQ(::flock(holder, LOCK_EX), 0);
    // Bounded: a copy that waits for ever is a failure, not a hung suite.
    int status = RunBounded(
        [this] {
            static int pumped;
            platform::SetWaitHook([] { ++pumped; });
            TDataFile data(GameSettings::kSize);
            if (data.StoreUser("Dario", payload.data()) != 0)
                return 1;
            data.SelectUser("Anna");
            data.RecordText(4, "Uno");
            int afterFirst = pumped;
            data.RecordText(7, "SOLE");
            if (pumped != afterFirst || !data.AppendFailed())
                return 2;  // one wait a game at most
            if (pumped == 0)
                return 3;  // the window kept answering
            return Says(Problems(), 14, 18) ? 0 : 4;
        },
        5000);
    ::close(holder);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(folder.Read("DATA/USERS.ANA"), ThreeChildren());
}

// What could not be done is told, not silent.
TEST_F(SharedDataFolderTest, DamageIsToldNotSilent)
{
    folder.Write("DATA/USERS.ANA", ThreeChildren());
    folder.Write("DATA/USERS.DAT", "XYZ\x1A" + Record(1, 4, "Uno"));
    {
        TDataFile data(GameSettings::kSize);
        data.SelectUser("Anna");
        data.RecordText(4, "Due");
    }
    EXPECT_TRUE(Says(Problems(), 14, 15)) << "a log that is not ours";
    EXPECT_EQ(Log(), "XYZ\x1A" + Record(1, 4, "Uno"));
}

// The probe for a writable program folder never opens what is planted
// under its name, in any case.
TEST_F(SharedDataFolderTest, TheWritableFolderProbeNeverOpensAPlantedFile)
{
    TempFolder program;
    program.Write("victim.txt", "a teacher's file");
    for (const char* name : {"testwrit.tmp", "TESTWRIT.TMP"}) {
        fs::create_symlink(program / "victim.txt", program / name);
        ScopedCurrentFolder there(program.Path());
        EXPECT_FALSE(ProgramFolderReadOnly());
        EXPECT_EQ(program.Read("victim.txt"), "a teacher's file");
        EXPECT_TRUE(fs::is_symlink(program / name));
        fs::remove(program / name);
    }
    EXPECT_EQ(program.List(), std::vector<std::string>{"victim.txt"}) << "the probe's own file is gone";
}

}  // namespace

// A folder an account may pass through but not list (mode 0711) still lets
// it read and save the files it names, as before.
TEST_F(SharedDataFolderTest, AFolderThatCannotBeListedStillReachesItsFiles)
{
    folder.Write("DATA/USERS.ANA", ThreeChildren());
    fs::permissions(folder / "DATA/USERS.ANA", fs::perms::all);
    fs::permissions(folder / "DATA", fs::perms::owner_all | fs::perms::group_exec | fs::perms::others_exec |
                                         fs::perms::others_write | fs::perms::group_write);
    EXPECT_EQ(RunAs(kNobody, [] {
                  std::vector<unsigned char> bytes;
                  if (platform::ReadFile("DATA\\USERS.ANA", bytes, platform::Trust::kShared) != platform::ReadFailure::kNone)
                      return 1;
                  return platform::ReplaceFileContents("DATA\\USERS.ANA", bytes.data(), bytes.size(),
                                                       platform::Trust::kShared)
                             ? 0
                             : 2;
              }),
              0);
    EXPECT_EQ(folder.Read("DATA/USERS.ANA"), ThreeChildren());
}
