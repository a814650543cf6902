#include "platform/Files.h"
#include "platform/Paths.h"
#include "support/TempFolder.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

#include <cstdlib>

using platform::NativePath;

TEST(PathsTest, BackslashesBecomeSlashes)
{
    EXPECT_EQ(NativePath("a\\b\\c.txt"), "a/b/c.txt");
    EXPECT_EQ(NativePath(""), "");
}

TEST(PathsTest, ComponentsResolveWithoutRegardToCase)
{
    TempFolder folder;
    folder.MakeFolder("Esercizi/Livelli");
    folder.Write("Esercizi/Livelli/Animali.lev", "x");
    std::string base = folder.Path();
    EXPECT_EQ(NativePath(base + "\\esercizi\\LIVELLI\\animali.LEV"), folder / "Esercizi/Livelli/Animali.lev");
    // A new file keeps the spelling given, inside the folder that exists.
    EXPECT_EQ(NativePath(base + "\\ESERCIZI\\livelli\\Nuovo.lev"), folder / "Esercizi/Livelli/Nuovo.lev");
    EXPECT_EQ(NativePath(base + "\\ESERCIZI\\Tasti\\a.tbl"), folder / "Esercizi/Tasti/a.tbl");
    // Files opened through the layer find the copy from Windows.
    ASSERT_TRUE(platform::OpenFile(base + "\\ESERCIZI\\LIVELLI\\ANIMALI.LEV", "rb"));
}

TEST(PathsTest, RelativePathsResolveFromTheCurrentFolder)
{
    TempFolder folder;
    folder.MakeFolder("DATA");
    folder.Write("DATA/USERS.ANA", "x");
    ScopedCurrentFolder here(folder.Path());
    EXPECT_EQ(NativePath("data\\users.ana"), "DATA/USERS.ANA");
    EXPECT_TRUE(platform::FileExists("Data\\Users.Ana"));
}

TEST(PathsTest, LatinOneNamesAreUtf8OnDisk)
{
    TempFolder folder;
    std::string name = "citt\xE0.lev";
    ASSERT_TRUE(platform::ReplaceFileContents(folder.Path() + "\\" + name, "x", 1));
    EXPECT_EQ(folder.List(), (std::vector<std::string>{"citt\xC3\xA0.lev"}));
    auto entries = platform::ListFolder(folder.Path());
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].name, name);
    // A name already in Latin-1 bytes on disk is still found.
    folder.Write("perch\xE9.txt", "y");
    EXPECT_TRUE(platform::FileExists(folder.Path() + "\\perch\xE9.txt"));
    EXPECT_TRUE(platform::FileExists(folder.Path() + "\\PERCH\xE9.TXT"));
}

TEST(PathsTest, Utf8Conversion)
{
    std::string out = "unchanged";
    EXPECT_TRUE(platform::Utf8ToLatin1("\xC3\xA8 ok", out));
    EXPECT_EQ(out, "\xE8 ok");
    out = "unchanged";
    EXPECT_FALSE(platform::Utf8ToLatin1("\xE2\x82\xAC", out));  // the euro sign
    EXPECT_FALSE(platform::Utf8ToLatin1("\xC3", out));
    EXPECT_FALSE(platform::Utf8ToLatin1("\xE8", out));
    EXPECT_EQ(out, "unchanged");
    EXPECT_EQ(platform::Latin1ToUtf8("\xF9"), "\xC3\xB9");
}

TEST(SafeSaveTest, ReplacesContentsAndKeepsPermissions)
{
    TempFolder folder;
    folder.Write("top.dat", "old contents");
    ::chmod((folder / "top.dat").c_str(), 0640);
    ASSERT_TRUE(platform::ReplaceFileContents(folder / "top.dat", "new", 3));
    EXPECT_EQ(folder.Read("top.dat"), "new");
    struct stat st;
    ASSERT_EQ(::stat((folder / "top.dat").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    EXPECT_EQ(folder.List(), (std::vector<std::string>{"top.dat"}));  // no temporary left behind
}

TEST(SafeSaveTest, FailureLeavesTheOldFileAndNoTemporary)
{
    TempFolder folder;
    folder.MakeFolder("target");
    folder.Write("target/keep", "k");
    EXPECT_FALSE(platform::ReplaceFileContents(folder / "target", "new", 3));
    EXPECT_EQ(folder.Read("target/keep"), "k");
    EXPECT_EQ(folder.List(), (std::vector<std::string>{"target"}));
    EXPECT_FALSE(platform::ReplaceFileContents(folder / "absent/file", "new", 3));
}

TEST(DataFolderTest, FollowsXdgDataHomeAndCreatesTheFolders)
{
    TempFolder folder;
    const char* old = std::getenv("XDG_DATA_HOME");
    std::string saved = old ? old : "";
    ::setenv("XDG_DATA_HOME", folder.Path().c_str(), 1);
    std::string prefix = platform::DataFolder("QUOLI");
    if (old)
        ::setenv("XDG_DATA_HOME", saved.c_str(), 1);
    else
        ::unsetenv("XDG_DATA_HOME");
    ASSERT_FALSE(prefix.empty());
    EXPECT_EQ(prefix.back(), '\\');
    EXPECT_EQ(NativePath(prefix), folder / "velmoran/QUOLI/");
    struct stat st;
    EXPECT_EQ(::stat((folder / "velmoran/QUOLI").c_str(), &st), 0);
    EXPECT_TRUE(S_ISDIR(st.st_mode));
}
