#include "platform/Files.h"
#include "support/TempFolder.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <thread>

namespace {

bool Listed(const TempFolder& folder, const std::string& name)
{
    std::vector<std::string> names = folder.List();
    return std::find(names.begin(), names.end(), name) != names.end();
}

}  // namespace

// A copy killed between making its temporary and renaming it leaves the
// temporary behind; the next save of that file takes it away.
TEST(FilesTest, ASaveRemovesTheTemporariesKilledCopiesLeftOfThatFile)
{
    TempFolder folder;
    folder.Write(".USERS.ANA.a1B2c3", "left by a killed copy");
    folder.Write(".USERS.ANA.Zz9Yy8", "being written by a live copy");
    for (const char* lookAlike : {"USERS.ANA.a1B2c3", ".USERS.ANA.abc12", ".USERS.ANA.abc-12", ".USERS.ANA.abc1234",
                                  ".TOPTEN.DAT.a1B2c3", ".USERS.AN.a1B2c3"})
        folder.Write(lookAlike, "a file of the user's");
    int live = ::open((folder / ".USERS.ANA.Zz9Yy8").c_str(), O_RDONLY);
    ASSERT_GE(live, 0);
    ASSERT_EQ(::flock(live, LOCK_EX), 0);

    ASSERT_TRUE(platform::ReplaceFileContents(folder.Path() + "\\USERS.ANA", "ANA", 3));
    EXPECT_EQ(folder.Read("USERS.ANA"), "ANA");
    EXPECT_FALSE(Listed(folder, ".USERS.ANA.a1B2c3"));
    EXPECT_TRUE(Listed(folder, ".USERS.ANA.Zz9Yy8")) << "a locked temporary is a live writer's";
    EXPECT_EQ(folder.List().size(), 8u) << "the file, the live temporary and the six look-alikes";
    ::close(live);
}

// Files saved once under a name never used again: their temporaries are
// found by the start of the name.
TEST(FilesTest, StaleTemporariesAreFoundByTheStartOfTheirFilesNames)
{
    TempFolder folder;
    folder.Write(".USERS-RESTO-20240105-101010.DAT.a1B2c3", "left by a killed copy");
    folder.Write(".USERS-RESTO-20240105-101011.DAT.Zz9Yy8", "being written");
    folder.Write("USERS-RESTO-20240105-101010.DAT", "the cut bytes");
    folder.Write(".USERS.ANA.a1B2c3", "another file's");
    int live = ::open((folder / ".USERS-RESTO-20240105-101011.DAT.Zz9Yy8").c_str(), O_RDONLY);
    ASSERT_GE(live, 0);
    ASSERT_EQ(::flock(live, LOCK_EX), 0);

    platform::RemoveStaleTemporaries(folder.Path(), "USERS-RESTO-");
    EXPECT_EQ(folder.List(), (std::vector<std::string>{".USERS-RESTO-20240105-101011.DAT.Zz9Yy8", ".USERS.ANA.a1B2c3",
                                                       "USERS-RESTO-20240105-101010.DAT"}));
    ::close(live);
}

// Two writers saving one file at once (two copies of the program on the top
// ten): each tidies the folder, and neither may take the other's temporary.
TEST(FilesTest, WritersSavingOneFileAtOnceNeverLoseASave)
{
    TempFolder folder;
    std::string path = folder.Path() + "\\TOPTEN.DAT";
    std::atomic<int> failed{0};
    auto save = [&](char fill) {
        std::string bytes(240, fill);
        for (int i = 0; i < 150; ++i)
            if (!platform::ReplaceFileContents(path, bytes.data(), bytes.size()))
                ++failed;
    };
    std::thread one(save, 'a'), two(save, 'b');
    one.join();
    two.join();
    EXPECT_EQ(failed.load(), 0);
    std::string last = folder.Read("TOPTEN.DAT");
    EXPECT_TRUE(last == std::string(240, 'a') || last == std::string(240, 'b'));
    EXPECT_EQ(folder.List(), std::vector<std::string>{"TOPTEN.DAT"}) << "no temporary stays";
}
