// The staged string table has every text the program asks for.

#include "resources/StringTable.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <cstring>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <string>

namespace {

std::unique_ptr<TStringTable> StagedTable()
{
    return LoadStringTable(std::string(QUOLI_STAGE_DIR) + "/quoli.str");
}

struct Range {
    int section, first, last;
};

// Every entry the screens, messages and reports of the program name.
const Range kRequired[] = {
    {0, 1, 6},     {0, 8, 8},     {0, 10, 13},   {0, 100, 102}, {1, 1, 5},     {1, 10, 10},
    {2, 1, 7},     {3, 1, 5},     {4, 1, 3},     {4, 6, 10},    {4, 20, 22},   {4, 101, 109},
    {4, 111, 112}, {5, 1, 1},     {5, 4, 4},     {5, 6, 6},     {6, 1, 8},     {6, 10, 14},
    {6, 20, 20},   {6, 30, 34},   {7, 1, 4},     {7, 10, 15},   {7, 17, 17},   {8, 8, 9},
    {8, 100, 102}, {8, 104, 116}, {8, 118, 123}, {8, 125, 125}, {9, 1, 3},     {9, 10, 17},
    {10, 100, 104}, {12, 0, 7},   {13, 1, 4},    {50, 1, 4},    {50, 12, 16},  {50, 19, 23},
    {50, 26, 53},
};

}  // namespace

TEST(StringContentTest, EveryNamedEntryHasAText)
{
    auto table = StagedTable();
    ASSERT_NE(table, nullptr);
    for (const Range& r : kRequired)
        for (int n = r.first; n <= r.last; ++n)
            EXPECT_STRNE(table->Get(r.section, n), "") << r.section << "/" << n;
}

TEST(StringContentTest, EveryEntryTheCodeLooksUpExists)
{
    auto table = StagedTable();
    ASSERT_NE(table, nullptr);
    std::regex call(R"(GetString\(\s*(\d+)\s*,\s*(\d+)\s*\))");
    int calls = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(std::string(QUOLI_SOURCE_DIR) + "/src")) {
        if (!entry.is_regular_file())
            continue;
        std::ifstream in(entry.path());
        std::stringstream text;
        text << in.rdbuf();
        std::string source = text.str();
        for (std::sregex_iterator it(source.begin(), source.end(), call), end; it != end; ++it) {
            ++calls;
            int section = std::stoi((*it)[1]);
            int number = std::stoi((*it)[2]);
            EXPECT_STRNE(table->Get(section, number), "")
                << entry.path().filename() << " asks for " << section << "/" << number;
        }
    }
    RecordProperty("lookups", calls);
    EXPECT_GT(calls, 100) << "the scan found (almost) nothing: wrong folder?";
}

TEST(StringContentTest, TextsAreLatinOneWithAccents)
{
    auto table = StagedTable();
    ASSERT_NE(table, nullptr);
    // "Sì" in Latin-1: the accented letter is one byte, not UTF-8's two.
    EXPECT_STREQ(table->Get(0, 3), "~S~\xEC");
    for (std::uint32_t i = 0; i < table->Count(); ++i)
        for (const char* p = table->TextAtIndex(i); *p; ++p)
            EXPECT_FALSE(static_cast<unsigned char>(*p) == 0xC3 && (static_cast<unsigned char>(p[1]) & 0xC0) == 0x80)
                << "UTF-8 left in entry " << (table->KeyAt(i) >> 16) << "/" << (table->KeyAt(i) & 0xFFFF);
}

// Girls and boys play: no text praises or names the child as one of them.
TEST(StringContentTest, NoTextTakesTheChildForABoyOrAGirl)
{
    auto table = StagedTable();
    ASSERT_NE(table, nullptr);
    std::regex gendered(R"(\b(bravo|brava|bravi|bravissimo|bravissima|campione|campionessa|bambino|bambina|sei stato|sei stata|pronto|pronta)\b)",
                        std::regex::icase);
    for (std::uint32_t i = 0; i < table->Count(); ++i)
        EXPECT_FALSE(std::regex_search(table->TextAtIndex(i), gendered))
            << (table->KeyAt(i) >> 16) << "/" << (table->KeyAt(i) & 0xFFFF) << ": " << table->TextAtIndex(i);
}

TEST(StringContentTest, HotKeyLettersAreUniqueWithinTheOptionsDialog)
{
    auto table = StagedTable();
    ASSERT_NE(table, nullptr);
    const int options[] = {101, 102, 105, 106, 107, 109, 110, 111, 113, 114, 115, 116, 118, 119, 120, 121, 122, 123, 125};
    std::set<char> seen;
    for (int n : options) {
        const char* text = table->Get(8, n);
        const char* tilde = std::strchr(text, '~');
        ASSERT_NE(tilde, nullptr) << "8/" << n;
        char key = static_cast<char>(std::tolower(static_cast<unsigned char>(tilde[1])));
        EXPECT_TRUE(seen.insert(key).second) << "8/" << n << " repeats the hot key " << key;
    }
}
