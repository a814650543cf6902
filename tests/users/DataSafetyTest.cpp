// Nothing a teacher stored is lost: a torn results log, a log cut inside its
// marker, two copies of the program at once, an unreadable registry, ids
// that would turn recording off.

#include "app/DataFolder.h"
#include "app/DataProblems.h"
#include "session/GameSettings.h"
#include "resources/LittleEndian.h"
#include "support/DataFolderFixture.h"
#include "support/TempFolder.h"
#include "users/TDataFile.h"

#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <set>
#include <thread>

namespace fs = std::filesystem;

using DataSafetyTest = DataFolderFixture;

TEST_F(DataSafetyTest, ATornLastRecordIsCutBackAndKeptBesideTheLog)
{
    std::string whole = "DAT\x1A" + Record(1, 4, "Uno") + Record(1, 7, "SOLE");
    std::string torn = Record(1, 7, "MARE").substr(0, 9);
    folder.Write("DATA/USERS.DAT", whole + torn);
    folder.Write("DATA/USERS.ANA", Registry({{"Anna", 1}}));
    TDataFile data(GameSettings::kSize);
    data.SelectUser("Anna");
    data.RecordText(7, "LUNA");
    EXPECT_FALSE(data.AppendFailed());
    EXPECT_EQ(Log(), whole + Record(1, 7, std::string("LUNA") + '\0')) << "the new record follows the last whole one";
    std::vector<std::string> rest = Beside("USERS-RESTO-");
    ASSERT_EQ(rest.size(), 1u);
    EXPECT_EQ(folder.Read("DATA/" + rest[0]), torn) << "the cut bytes are kept for the teacher";
    int hits = 0;
    data.ExportReport("Anna", [&](int kind, const unsigned char*, int, int) {
        hits += kind == 7;
        return std::string();
    }, 1);
    EXPECT_EQ(hits, 2) << "the record after the tear is in the report";
}

// Torn again soon after (a copy killed, or the disk full, at each start):
// every cut keeps its own file, though the names tell only the second.
TEST_F(DataSafetyTest, TornTailsCutInOneSecondAreEachKept)
{
    folder.Write("DATA/USERS.ANA", Registry({{"Anna", 1}}));
    folder.Write("DATA/USERS.DAT", "DAT\x1A" + Record(1, 4, "Uno"));
    std::set<std::string> torn;
    // Three cuts in well under two seconds: two of them share a second.
    for (const char* word : {"MARE", "SOLE", "LUNA"}) {
        std::string tail = Record(1, 7, word).substr(0, 14);
        folder.Write("DATA/USERS.DAT", Log() + tail);
        torn.insert(tail);
        TDataFile data(GameSettings::kSize);
        data.SelectUser("Anna");
        data.RecordText(7, word);
    }
    std::set<std::string> kept;
    for (const std::string& name : Beside("USERS-RESTO-"))
        kept.insert(folder.Read("DATA/" + name));
    EXPECT_EQ(kept, torn);
}

// A copy killed while it wrote the cut bytes aside leaves a temporary the
// next cut takes away (the log still had those bytes).
TEST_F(DataSafetyTest, ACutRemovesTheTemporaryOfAnEarlierCutThatWasKilled)
{
    folder.Write("DATA/USERS.ANA", Registry({{"Anna", 1}}));
    std::string torn = Record(1, 7, "MARE").substr(0, 14);
    folder.Write("DATA/USERS.DAT", "DAT\x1A" + Record(1, 4, "Uno") + torn);
    folder.Write("DATA/.USERS-RESTO-20240105-101010.DAT.k1LLed", torn);
    TDataFile data(GameSettings::kSize);
    data.SelectUser("Anna");
    data.RecordText(7, "LUNA");
    EXPECT_TRUE(Beside(".USERS-RESTO-").empty());
    ASSERT_EQ(Beside("USERS-RESTO-").size(), 1u);
}

TEST_F(DataSafetyTest, ALogCutInsideItsMarkerStartsAgainAndAForeignOneIsNeverTouched)
{
    folder.Write("DATA/USERS.ANA", Registry({{"Anna", 1}}));
    for (std::string start : {std::string(), std::string("DA"), std::string("DAT")}) {
        folder.Write("DATA/USERS.DAT", start);
        TDataFile data(GameSettings::kSize);
        data.SelectUser("Anna");
        data.RecordText(4, "Uno");
        EXPECT_EQ(Log(), "DAT\x1A" + Record(1, 4, std::string("Uno") + '\0')) << "from " << start.size() << " bytes";
    }
    std::string foreign = "PK\x03\x04 another program's file";
    folder.Write("DATA/USERS.DAT", foreign);
    TDataFile data(GameSettings::kSize);
    data.SelectUser("Anna");
    data.RecordText(4, "Uno");
    EXPECT_EQ(Log(), foreign);
}

TEST_F(DataSafetyTest, AnUnreadableRegistryIsSetAsideNotOverwritten)
{
    for (std::string bad : {std::string("garbage, not a registry"), Registry({{"Bea", 1}}).substr(0, 4) + "\xFF\xFF\xFF\xFF",
                            Registry({{"Bea", 1}, {"Carlo", 2}}).substr(0, 8 + 504 + 100)}) {
        for (const std::string& old : Beside("USERS-"))
            fs::remove(folder / ("DATA/" + old));
        folder.Write("DATA/USERS.ANA", bad);
        ResetDataProblems();
        TDataFile data(GameSettings::kSize);
        EXPECT_NE(data.StoreUser("Anna", payload.data()), 0);
        std::vector<std::string> aside = Beside("USERS-");
        ASSERT_EQ(aside.size(), 1u);
        EXPECT_EQ(folder.Read("DATA/" + aside[0]), bad) << "kept byte for byte";
        EXPECT_NE(TakeDataProblem(), "") << "the teacher is told";
        TDataFile again(GameSettings::kSize);
        EXPECT_NE(again.Find("Anna"), nullptr);
    }
}

TEST_F(DataSafetyTest, NewIdsAreNeverZeroNorInUse)
{
    // Ids are compared unsigned: past 0x7FFFFFFF they go on counting up.
    folder.Write("DATA/USERS.ANA", Registry({{"Anna", INT32_MAX}, {"Bea", 1}, {"Zero", 0}}));
    TDataFile data(GameSettings::kSize);
    std::int32_t carlo = data.StoreUser("Carlo", payload.data());
    EXPECT_EQ(static_cast<std::uint32_t>(carlo), 0x80000000u);
    std::int32_t zero = data.StoreUser("Zero", payload.data());
    EXPECT_NE(zero, 0) << "a stored id 0 gets a fresh one when saved";
    EXPECT_NE(zero, carlo);
    EXPECT_NE(zero, 1);
    EXPECT_EQ(data.StoreUser("Carlo", payload.data()), carlo) << "an id past 0x7FFFFFFF is never renumbered";

    folder.Write("DATA/USERS.ANA", Registry({{"Anna", -1}, {"Bea", 1}}));
    TDataFile full(GameSettings::kSize);
    EXPECT_EQ(full.StoreUser("Carlo", payload.data()), 2) << "past the largest id: the lowest free one";
}

// Two copies of the program on one data folder, adding children at once.
TEST_F(DataSafetyTest, TwoWritersAtOnceLoseNoProfileAndShareNoId)
{
    auto add = [this](char first) {
        for (int i = 0; i < 20; ++i) {
            TDataFile data(GameSettings::kSize);
            std::string name = std::string(1, first) + std::to_string(i);
            data.StoreUser(name.c_str(), payload.data());
            data.SelectUser(name.c_str());
            data.RecordText(4, name.c_str());
        }
    };
    std::thread one(add, 'A'), two(add, 'B');
    one.join();
    two.join();
    TDataFile data(GameSettings::kSize);
    EXPECT_EQ(data.Count(), 40);
    std::set<std::int32_t> ids;
    for (TElement* e = data.First(); e; e = e->Next())
        ids.insert(TDataFile::IdOf(e));
    EXPECT_EQ(ids.size(), 40u);
    for (int i = 0; i < 20; ++i)
        for (char first : {'A', 'B'}) {
            std::string name = std::string(1, first) + std::to_string(i);
            int found = 0;
            data.ExportReport(name.c_str(), [&](int, const unsigned char* d, int, int) {
                found += std::string(reinterpret_cast<const char*>(d)) == name;
                return std::string();
            }, 1);
            EXPECT_EQ(found, 1) << name << "'s record is under their own id";
        }
}
