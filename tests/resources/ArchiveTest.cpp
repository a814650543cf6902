#include "resources/RunLength.h"
#include "resources/TJoinFile.h"
#include "support/ArchiveBytes.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace {

std::string Bytes(const TJoinElement* entry)
{
    return std::string(reinterpret_cast<const char*>(entry->Data()), entry->DataLength());
}

struct ArchiveTest : ::testing::Test {
    TempFolder folder;
    std::string path = folder / "data.bin";

    TJoinFile& Open(const std::vector<ArchiveEntrySpec>& entries, std::uint32_t countShift = 0)
    {
        folder.Write("data.bin", ArchiveBytes(entries, countShift));
        archive = std::make_unique<TJoinFile>(path);
        archive->LoadDirectory();
        return *archive;
    }
    std::unique_ptr<TJoinFile> archive;
};

const std::string kPackedABCZZZZ("\x03" "ABC" "\x84" "Z" "\x00", 7);

}  // namespace

TEST_F(ArchiveTest, ReadsTheDirectoryInOrder)
{
    TJoinFile& a = Open({RawEntry(2, "pal"), RawEntry(5, "font0"), RawEntry(5, "font1")});
    ASSERT_EQ(a.Count(), 3);
    EXPECT_EQ(a.Entry(1)->type, 5);
    EXPECT_STREQ(a.Entry(1)->name, "entry");
    EXPECT_EQ(a.Entry(1)->nameLength, 5);
    EXPECT_EQ(a.Entry(2)->unpackedSize, 5u);
    EXPECT_EQ(a.Entry(0)->Data(), nullptr);  // nothing is read before it is asked for
}

TEST_F(ArchiveTest, MagicMustMatchAllSixteenBytes)
{
    auto bytes = ArchiveBytes({RawEntry(1, "x")});
    bytes[15] = '!';
    folder.Write("data.bin", bytes);
    TJoinFile a(path);
    EXPECT_EQ(a.LoadDirectory(), 0);
    EXPECT_EQ(a.Count(), 0);
}

TEST_F(ArchiveTest, MissingFileGivesAnEmptyDirectory)
{
    TJoinFile a(folder / "absent.bin");
    EXPECT_EQ(a.LoadDirectory(), 0);
    EXPECT_EQ(a.LoadEntry(0), nullptr);
}

TEST_F(ArchiveTest, FindsEntriesByTypeAndNumber)
{
    TJoinFile& a = Open({RawEntry(2, "pal"), RawEntry(5, "f0"), RawEntry(5, "f1"), RawEntry(6, "pic")});
    EXPECT_EQ(a.FindType(5), 1);
    EXPECT_EQ(a.FindType(7), -1);
    ASSERT_NE(a.LoadData(5, 1), nullptr);
    EXPECT_EQ(Bytes(a.Entry(2)), "f1");
    // A number past its type yields the next type's entries...
    TJoinElement* item = a.LoadItem(5, 2);
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(Bytes(item), "pic");
    TJoinFile::Release(item);
    EXPECT_EQ(item->Data(), nullptr);
    EXPECT_EQ(item->DataLength(), 0u);
    // ...but only up to the end of the directory.
    EXPECT_EQ(a.LoadData(5, 3), nullptr);
    // A type that is not there yields nothing, whatever the number.
    EXPECT_EQ(a.LoadData(7, 1), nullptr);
    EXPECT_EQ(a.LoadItem(7, 0), nullptr);
    EXPECT_EQ(a.LoadData(5, -1), nullptr);
}

TEST_F(ArchiveTest, ExpandsPackedEntries)
{
    TJoinFile& a = Open({ArchiveEntrySpec{1, kPackedABCZZZZ, 7, 7}});
    ASSERT_NE(a.LoadEntry(0), nullptr);
    EXPECT_EQ(Bytes(a.Entry(0)), "ABCZZZZ");
}

TEST_F(ArchiveTest, PackedSizeZeroMeansRawEvenIfItLooksPacked)
{
    TJoinFile& a = Open({ArchiveEntrySpec{1, kPackedABCZZZZ, 7, 0}});
    ASSERT_NE(a.LoadEntry(0), nullptr);
    EXPECT_EQ(Bytes(a.Entry(0)), kPackedABCZZZZ);
}

TEST_F(ArchiveTest, LoadingTwiceReplacesTheBuffer)
{
    TJoinFile& a = Open({RawEntry(1, "abc")});
    unsigned char* first = a.LoadEntry(0);
    ASSERT_NE(first, nullptr);
    first[0] = 'X';
    ASSERT_NE(a.LoadEntry(0), nullptr);
    EXPECT_EQ(Bytes(a.Entry(0)), "abc");
}

TEST_F(ArchiveTest, DamagedDirectoryStaysEmpty)
{
    // A count larger than the file can hold.
    EXPECT_EQ(Open({RawEntry(1, "abc")}, 1).Count(), 0);
    EXPECT_EQ(Open({RawEntry(1, "abc")}, 0x7FFFFFFF).Count(), 0);
    EXPECT_EQ(Open({RawEntry(1, "abc")}, 0xFFFFFFFF).Count(), 0);  // count wraps to 0: empty
    // A header cut short.
    folder.Write("data.bin", std::string("Velmorana data.\0\x01\0", 18));
    TJoinFile cut(path);
    EXPECT_EQ(cut.LoadDirectory(), 0);
}

TEST_F(ArchiveTest, DamagedEntriesFailToLoadWithoutReadingPastTheFile)
{
    TJoinFile& a = Open({
        ArchiveEntrySpec{1, "abc", 0x40000000},                    // huge raw size
        ArchiveEntrySpec{1, kPackedABCZZZZ, 6, 7},                 // expands past its size
        ArchiveEntrySpec{1, std::string("\x05" "AB", 3), 5, 3},    // literal run cut off
        ArchiveEntrySpec{1, std::string("\x90", 1), 16, 1},        // repeat without its byte
        ArchiveEntrySpec{1, std::string("\x02" "AB", 3), 5, 3},    // no end mark, short
        ArchiveEntrySpec{1, std::string("\xFF" "A\x00", 3), 0x7FFFFFFF, 3},  // absurd size
        ArchiveEntrySpec{1, "abc", 3, 0, "past", 0x7FFFFFF0u},     // offset far past the end
        ArchiveEntrySpec{1, "abc", 3, 0, "shifted", 1},            // last data runs past the end
    });
    ASSERT_EQ(a.Count(), 8);
    for (int i = 0; i < a.Count(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(a.LoadEntry(i), nullptr);
        EXPECT_EQ(a.Entry(i)->DataLength(), 0u);
    }
}

TEST_F(ArchiveTest, AStreamThatEndsEarlyIsZeroFilled)
{
    TJoinFile& a = Open({ArchiveEntrySpec{1, std::string("\x02" "AB\x00", 4), 4, 4},
                         ArchiveEntrySpec{1, std::string("\x02" "AB\x80", 4), 3, 4}});
    ASSERT_NE(a.LoadEntry(0), nullptr);
    EXPECT_EQ(Bytes(a.Entry(0)), std::string("AB\0\0", 4));
    ASSERT_NE(a.LoadEntry(1), nullptr);  // 128 ends the data after its empty run
    EXPECT_EQ(Bytes(a.Entry(1)), std::string("AB\0", 3));
}

TEST(RunLengthTest, PackThenExpandGivesTheSameBytes)
{
    std::mt19937 random(7);
    for (int round = 0; round < 200; ++round) {
        std::vector<unsigned char> data(static_cast<std::size_t>(random() % 2000));
        // Mix long runs and noise, the shapes pictures have.
        for (std::size_t i = 0; i < data.size();) {
            std::size_t run = 1 + random() % 300;
            auto value = static_cast<unsigned char>(random() % 4 == 0 ? random() : 0);
            bool noisy = random() % 2;
            for (std::size_t j = 0; j < run && i < data.size(); ++j, ++i)
                data[i] = noisy ? static_cast<unsigned char>(random()) : value;
        }
        std::vector<unsigned char> packed = PackRunLength(data.data(), data.size());
        ASSERT_LE(data.size(), MaxExpandedSize(packed.size()));
        std::vector<unsigned char> back(data.size());
        ASSERT_TRUE(ExpandRunLength(packed.data(), packed.size(), back.data(), back.size()));
        ASSERT_EQ(back, data);
    }
}

TEST(RunLengthTest, PackingShrinksRunsAndEndsWithZero)
{
    std::vector<unsigned char> flat(1000, 0x2A);
    std::vector<unsigned char> packed = PackRunLength(flat.data(), flat.size());
    EXPECT_LT(packed.size(), 20u);
    EXPECT_EQ(packed.back(), 0);
}
