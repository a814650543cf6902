#include "resources/StringTable.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::vector<unsigned char> Le32(std::initializer_list<std::uint32_t> values)
{
    std::vector<unsigned char> out;
    for (std::uint32_t v : values)
        for (int shift = 0; shift < 32; shift += 8)
            out.push_back(static_cast<unsigned char>(v >> shift));
    return out;
}

std::vector<unsigned char> WithText(std::vector<unsigned char> bytes, const std::string& texts)
{
    bytes.insert(bytes.end(), texts.begin(), texts.end());
    return bytes;
}

}  // namespace

TEST(StringTableTest, SingleEntryWithKeyZero)
{
    auto table = TStringTable::FromBytes(WithText(Le32({1, 0, 12}), std::string("zero\0", 5)));
    ASSERT_NE(table, nullptr);
    EXPECT_STREQ(table->Get(0, 0), "zero");
    EXPECT_STREQ(table->Get(0, 1), "");
    EXPECT_STREQ(table->Get(1, 0), "");
}

TEST(StringTableTest, FindsEveryKeyUpToTheLargest)
{
    std::map<std::uint32_t, std::string> texts;
    for (int s = 0; s < 60; s += 3)
        for (int n = 0; n < 40; n += 7)
            texts[TStringTable::Key(s, n)] = std::to_string(s) + "/" + std::to_string(n);
    texts[TStringTable::Key(65535, 65535)] = "last";
    auto table = TStringTable::FromBytes(TStringTable::Encode(texts));
    ASSERT_NE(table, nullptr);
    for (const auto& [key, text] : texts)
        EXPECT_EQ(table->Get(static_cast<int>(key >> 16), static_cast<int>(key & 0xFFFF)), text);
    EXPECT_STREQ(table->Get(65535, 65535), "last");
    EXPECT_STREQ(table->Get(1, 0), "");
    EXPECT_STREQ(table->Get(57, 36), "");  // above every key of its section
}

TEST(StringTableTest, TwoEntriesFindBoth)
{
    auto table = TStringTable::FromBytes(TStringTable::Encode({{TStringTable::Key(0, 1), "Quoli"},
                                                               {TStringTable::Key(50, 53), "errore"}}));
    ASSERT_NE(table, nullptr);
    EXPECT_STREQ(table->Get(0, 1), "Quoli");
    EXPECT_STREQ(table->Get(50, 53), "errore");
}

TEST(StringTableTest, DamagedTablesAreRejected)
{
    EXPECT_EQ(TStringTable::FromBytes({}), nullptr);
    EXPECT_EQ(TStringTable::FromBytes({1, 0}), nullptr);
    // A count whose index the block cannot hold.
    EXPECT_EQ(TStringTable::FromBytes(WithText(Le32({2, 0, 12}), std::string("a\0", 2))), nullptr);
    EXPECT_EQ(TStringTable::FromBytes(Le32({0xFFFFFFFF, 0, 0})), nullptr);
    // An offset past the end.
    EXPECT_EQ(TStringTable::FromBytes(WithText(Le32({1, 0, 99}), std::string("a\0", 2))), nullptr);
    // A last text without its terminator.
    EXPECT_EQ(TStringTable::FromBytes(WithText(Le32({1, 0, 12}), "abc")), nullptr);
    // An empty table is fine and answers the empty text.
    auto empty = TStringTable::FromBytes(Le32({0}));
    ASSERT_NE(empty, nullptr);
    EXPECT_STREQ(empty->Get(0, 0), "");
}

TEST(StringTableTest, GetStringUsesTheInstalledTable)
{
    TempFolder folder;
    folder.Write("t.str", TStringTable::Encode({{TStringTable::Key(3, 3), "DATA\\TOP10.DAT"}}));
    EXPECT_EQ(LoadStringTable(folder / "missing.str"), nullptr);
    auto table = LoadStringTable(folder / "t.str");
    ASSERT_NE(table, nullptr);
    InstallStringTable(table.get());
    EXPECT_STREQ(GetString(3, 3), "DATA\\TOP10.DAT");
    EXPECT_STREQ(GetString(3, 4), "");
    InstallStringTable(nullptr);
    EXPECT_STREQ(GetString(3, 3), "");
}
