#include "resources/FileHelpers.h"
#include "resources/TFileList.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

std::vector<std::string> Sorted(const TFileList& list)
{
    std::vector<std::string> names;
    for (int i = 0; i < list.Count(); ++i)
        names.push_back(list.TextAt(i));
    std::sort(names.begin(), names.end());
    return names;
}

using Names = std::vector<std::string>;

struct FileListTest : ::testing::Test {
    TempFolder folder;
    void SetUp() override
    {
        folder.MakeFolder("Mario_Rossi");
        folder.MakeFolder("cartella.vecchia");
        folder.Write("ESERCIZIO.lev", "");
        folder.Write("uno.due.lev", "");
        folder.Write("LEV", "");
        folder.Write("a.b.levx", "");
        folder.Write("gatto_nero.CMP", "");
    }
};

}  // namespace

TEST_F(FileListTest, FoldersGetABackslashWhenFilesAreListedToo)
{
    TFileList list(folder.Path().c_str(), "", TFileList::kFolders | TFileList::kFiles);
    EXPECT_EQ(Sorted(list), (Names{"ESERCIZIO.lev", "LEV", "Mario_Rossi\\", "a.b.levx", "cartella.vecchia\\",
                                   "gatto_nero.CMP", "uno.due.lev"}));

    TFileList spaced(folder.Path().c_str(), "", TFileList::kFolders | TFileList::kFiles | TFileList::kUnderscoreAsSpace);
    EXPECT_GE(spaced.IndexOfText("Mario Rossi\\"), 0);
    EXPECT_EQ(spaced.IndexOfText("Mario_Rossi\\"), -1);

    TFileList foldersOnly(folder.Path().c_str(), "", TFileList::kFolders);
    EXPECT_EQ(Sorted(foldersOnly), (Names{"Mario_Rossi", "cartella.vecchia"}));
}

TEST_F(FileListTest, ExtensionFilterIgnoresCaseAndNeedsADot)
{
    TFileList list(folder.Path().c_str(), ".LEV", TFileList::kFiles);
    EXPECT_EQ(Sorted(list), (Names{"ESERCIZIO.lev", "uno.due.lev"}));
    EXPECT_EQ(list.Filter(), ".LEV");
}

TEST_F(FileListTest, CutAtFirstDotLeavesFolderNamesAlone)
{
    TFileList list(folder.Path().c_str(), ".lev", TFileList::kFolders | TFileList::kFiles | TFileList::kCutAtFirstDot);
    EXPECT_EQ(Sorted(list), (Names{"ESERCIZIO", "Mario_Rossi\\", "cartella.vecchia\\", "uno"}));

    TFileList named(folder.Path().c_str(), ".cmp",
                    TFileList::kFiles | TFileList::kCutAtFirstDot | TFileList::kUnderscoreAsSpace);
    EXPECT_EQ(Sorted(named), (Names{"gatto nero"}));
}

TEST_F(FileListTest, ScanCountsEveryEntryLookedAt)
{
    TFileList list;
    EXPECT_EQ(list.Scan(folder.Path().c_str(), ".cmp", TFileList::kFiles), 7);
    EXPECT_EQ(list.Count(), 1);
    EXPECT_EQ(list.Scan((folder / "nowhere").c_str(), "", TFileList::kFiles), 0);
    EXPECT_EQ(list.Count(), 1);
}

TEST(FileHelpersTest, HasExtension)
{
    EXPECT_TRUE(HasExtension("ESERCIZIO.lev", ".LEV"));
    EXPECT_TRUE(HasExtension("anything", ""));
    EXPECT_TRUE(HasExtension("anything", nullptr));
    EXPECT_FALSE(HasExtension("LEV", ".LEV"));
    EXPECT_FALSE(HasExtension("a.b.levx", ".lev"));
    EXPECT_TRUE(HasExtension("a.tar.lev", ".lev"));
}

TEST(FileHelpersTest, FoldersAndSeparators)
{
    TempFolder folder;
    std::string made = folder / "Nuova";
    EXPECT_FALSE(IsFolder(made.c_str()));
    EXPECT_TRUE(MakeFolder(made.c_str()));
    EXPECT_TRUE(IsFolder(made.c_str()));
    EXPECT_TRUE(MakeFolder(made.c_str()));  // already there
    folder.Write("file", "x");
    EXPECT_FALSE(IsFolder((folder / "file").c_str()));
    EXPECT_FALSE(MakeFolder((folder / "file").c_str()));

    char path[] = "a/b\\c/";
    ToBackslashes(path);
    EXPECT_STREQ(path, "a\\b\\c\\");
}

TEST(FileHelpersTest, CurrentAndFontsFolders)
{
    TempFolder folder;
    ScopedCurrentFolder here(folder.Path());
    std::string current = CurrentFolder();
    ASSERT_FALSE(current.empty());
    EXPECT_EQ(current.back(), '\\');
    EXPECT_EQ(current.find('/'), std::string::npos);
    EXPECT_EQ(FontsFolder(), current + "fonts\\");
    EXPECT_TRUE(IsFolder(current.c_str()));
}

TEST(FileHelpersTest, ProgramFolderWritableProbeLeavesNothingBehind)
{
    TempFolder folder;
    ScopedCurrentFolder here(folder.Path());
    EXPECT_FALSE(ProgramFolderReadOnly());
    EXPECT_TRUE(folder.List().empty());
}
