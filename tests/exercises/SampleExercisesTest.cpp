// A read-only install: the user's own data folder starts with the program's
// sample exercises, without ever overwriting a teacher's file.

#include "app/DataFolder.h"
#include "exercises/SampleExercises.h"
#include "game/TopTenTable.h"
#include "support/HeadlessApp.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

struct SampleExercisesTest : ::testing::Test {
    TempFolder program, data;
    std::string savedPrefix = theDataPrefix;

    void SetUp() override
    {
        program.MakeFolder("Esercizi");
        for (const char* kind : {"Livelli", "Completa", "Tasti"})
            program.MakeFolder(std::string("Esercizi/") + kind);
        program.Write("Esercizi/Livelli/Animali.LEV", "\r\n\r\n1\r\nAnimali\r\ngatto\r\n");
        program.Write("Esercizi/Completa/Doppie.CMP", "\r\n\r\n1\r\nDoppie\r\ngat_o gatto\r\n");
        program.Write("Esercizi/Tasti/Vocali.TBL", "AEIOU\r\n\r\n1\r\nVocali\r\na\r\n");
        program.Write("Esercizi/Livelli/leggimi.txt", "not an exercise");
        theDataPrefix = data.Path() + "/";
    }
    void TearDown() override { theDataPrefix = savedPrefix; }
    void Seed()
    {
        ScopedCurrentFolder here(program.Path());
        SeedSampleExercises();
    }
};

}  // namespace

TEST_F(SampleExercisesTest, TheFirstStartCopiesEverySampleButKeepsTheTeachersFiles)
{
    data.MakeFolder("Esercizi");
    data.MakeFolder("Esercizi/Livelli");
    data.Write("Esercizi/Livelli/Animali.LEV", "la versione della maestra");
    Seed();
    EXPECT_EQ(data.Read("Esercizi/Livelli/Animali.LEV"), "la versione della maestra");
    EXPECT_EQ(data.Read("Esercizi/Completa/Doppie.CMP"), program.Read("Esercizi/Completa/Doppie.CMP"));
    EXPECT_EQ(data.Read("Esercizi/Tasti/Vocali.TBL"), program.Read("Esercizi/Tasti/Vocali.TBL"));
    EXPECT_FALSE(std::filesystem::exists(data / "Esercizi/Livelli/leggimi.txt")) << "only exercises are copied";
}

TEST_F(SampleExercisesTest, ASampleTheTeacherDeletedStaysDeleted)
{
    Seed();
    ASSERT_TRUE(std::filesystem::exists(data / "Esercizi/Completa/Doppie.CMP"));
    std::filesystem::remove(data / "Esercizi/Completa/Doppie.CMP");
    Seed();
    EXPECT_FALSE(std::filesystem::exists(data / "Esercizi/Completa/Doppie.CMP"));
}

TEST_F(SampleExercisesTest, AWritableProgramFolderIsItsOwnDataFolderAndGetsNoCopy)
{
    theDataPrefix.clear();
    Seed();
    EXPECT_TRUE(data.List().empty());
}

TEST_F(SampleExercisesTest, TheTopTenIsWrittenInTheUsersDataFolder)
{
    HeadlessApp headless;  // the program folder, with its texts
    theDataPrefix = data.Path() + "/";
    TopTenTable table;
    table.Insert(1, "Anna", 500);
    ASSERT_TRUE(table.Save(TopTenPath()));
    TopTenTable read;
    read.Open(TopTenPath());
    EXPECT_STREQ(read.entries[0].name, "Anna");
    EXPECT_TRUE(std::filesystem::exists(data / "DATA/TOP10.DAT")) << "the data folder had no DATA folder yet";
    EXPECT_FALSE(std::filesystem::exists(headless.Folder() / "DATA/TOP10.DAT"));
}
