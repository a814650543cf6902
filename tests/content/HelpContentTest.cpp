// The help pages shipped with the program name the options and buttons as
// the dialogs show them, and give the advice that fits the program's own
// settings.
//
// The pages mark in bold (and may put between « and ») only names that a
// screen shows: labels, buttons, options. Keys and other emphasis are in
// italics. A name may carry the punctuation of the sentence inside its bold
// tag (the viewer would set it apart otherwise), so trailing ":", ";", ","
// and "." are not part of the name.

#include "base/TextHelpers.h"
#include "session/GameSettings.h"
#include "platform/Paths.h"
#include "resources/StringTable.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <regex>
#include <set>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

// One line, single spaces, without the sentence's punctuation at the end.
std::string Name(std::string text)
{
    std::string out;
    for (char c : text) {
        if (c == '\r' || c == '\n' || c == '\t')
            c = ' ';
        if (c == ' ' && (out.empty() || out.back() == ' '))
            continue;
        out.push_back(c);
    }
    while (!out.empty() && std::string(" :;,.").find(out.back()) != std::string::npos)
        out.pop_back();
    return out;
}

std::string Lower(std::string text)
{
    for (char& c : text)
        c = ToLowerAscii(c);
    return text;
}

// Every text of the staged string table as a screen shows it.
std::set<std::string> ShownTexts()
{
    std::set<std::string> texts;
    auto table = LoadStringTable(std::string(QUOLI_STAGE_DIR) + "/quoli.str");
    if (!table)
        return texts;
    for (std::uint32_t i = 0; i < table->Count(); ++i)
        texts.insert(Name(WithoutHotkeyMarks(table->TextAtIndex(i))));
    return texts;
}

std::vector<fs::path> HelpPages()
{
    std::vector<fs::path> pages;
    for (const auto& entry : fs::directory_iterator(fs::path(QUOLI_STAGE_DIR) / "Aiuto"))
        if (Lower(entry.path().extension().string()) == ".htm")
            pages.push_back(entry.path());
    std::sort(pages.begin(), pages.end());
    return pages;
}

// The texts between `open` and `close`, in page order.
std::vector<std::string> Between(const std::string& page, const std::string& open, const std::string& close)
{
    std::vector<std::string> found;
    std::string lower = Lower(page);
    for (std::size_t at = lower.find(open); at != std::string::npos; at = lower.find(open, at)) {
        std::size_t start = at + open.size();
        std::size_t end = lower.find(close, start);
        if (end == std::string::npos) {
            found.push_back(page.substr(start));
            break;
        }
        found.push_back(page.substr(start, end - start));
        at = end + close.size();
    }
    return found;
}

}  // namespace

TEST(HelpContentTest, EveryNameInBoldOrQuotesIsATextOfTheProgram)
{
    std::set<std::string> shown = ShownTexts();
    ASSERT_GT(shown.size(), 100u) << "the string table did not load";
    std::vector<fs::path> pages = HelpPages();
    ASSERT_EQ(pages.size(), 4u);
    int names = 0;
    for (const fs::path& page : pages) {
        SCOPED_TRACE(page.filename().string());
        std::string text = ReadBinaryFile(page.string());
        std::vector<std::string> marked = Between(text, "<b>", "</b>");
        // « and » in Latin-1.
        for (const std::string& quoted : Between(text, "\xAB", "\xBB"))
            marked.push_back(quoted);
        for (const std::string& raw : marked) {
            std::string name = Name(raw);
            EXPECT_EQ(name.find('<'), std::string::npos) << "a tag inside a name: " << platform::Latin1ToUtf8(raw);
            EXPECT_TRUE(shown.count(name)) << "no screen shows \"" << platform::Latin1ToUtf8(name) << "\"";
            ++names;
        }
    }
    EXPECT_GT(names, 40) << "too few names found: are they still in bold?";
}

TEST(HelpContentTest, TheFallTimeAdviceIsTheDefault)
{
    auto table = LoadStringTable(std::string(QUOLI_STAGE_DIR) + "/quoli.str");
    ASSERT_NE(table, nullptr);
    std::string label = WithoutHotkeyMarks(table->Get(8, 119));
    ASSERT_FALSE(label.empty());
    std::string page = ReadBinaryFile((fs::path(QUOLI_STAGE_DIR) / "Aiuto" / "menu.htm").string());
    std::size_t at = page.find("<b>" + label);
    ASSERT_NE(at, std::string::npos) << "the options list no longer names " << label;
    std::size_t end = page.find("</li>", at);
    ASSERT_NE(end, std::string::npos);
    std::string item = Name(page.substr(at, end - at));

    std::regex seconds(R"((\d+) secondi)");
    int advised = 0;
    for (std::sregex_iterator it(item.begin(), item.end(), seconds), stop; it != stop; ++it) {
        EXPECT_EQ(std::stoi((*it)[1]), GameSettings().fallSeconds) << platform::Latin1ToUtf8(item);
        ++advised;
    }
    EXPECT_GT(advised, 0) << "the item gives no time: " << platform::Latin1ToUtf8(item);
}
