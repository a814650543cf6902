// The top ten on hostile bytes: every whole entry read as stored, a short
// file written back whole, a new score placed where it ranks, and what is
// saved read back the same.

#include "FuzzScratch.h"
#include "app/DataFolder.h"
#include "game/TopTenTable.h"

#include <cstring>
#include <string>

namespace {

bool Same(const TopTenTable& a, const TopTenTable& b)
{
    for (int i = 0; i < TopTenTable::kEntries; ++i)
        if (std::strcmp(a.entries[i].name, b.entries[i].name) != 0 || a.entries[i].score != b.entries[i].score)
            return false;
    return true;
}

TopTenTable Reopened(const std::string& path)
{
    TopTenTable table;
    table.Open(path);
    return table;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size)
{
    fuzz::InstallStrings();
    const std::string& folder = fuzz::ScratchFolder("top_ten");
    theDataPrefix = folder;
    fuzz::EmptyFolder(folder);
    std::filesystem::create_directories(folder + "DATA");
    const std::string path = TopTenPath();
    fuzz::WriteBytes(folder + "DATA/TOP10.DAT", bytes, size);

    TopTenTable table;
    table.Open(path);
    for (int i = 0; i < TopTenTable::kEntries; ++i) {
        const TopTenEntry& e = table.entries[i];
        FUZZ_CHECK(std::memchr(e.name, 0, sizeof e.name) != nullptr);
        if (static_cast<std::size_t>(24 * (i + 1)) > size) {
            FUZZ_CHECK(e.name[0] == 0 && e.score == 0);  // missing: empty
            continue;
        }
        const std::uint8_t* p = bytes + 24 * i;
        std::string name;
        for (int k = 0; k < 19 && p[k]; ++k)
            name.push_back(static_cast<char>(TopTenTable::SwapNibbles(p[k])));
        FUZZ_CHECK(name == e.name);
        FUZZ_CHECK(e.score == (static_cast<std::uint32_t>(p[20]) | static_cast<std::uint32_t>(p[21]) << 8 |
                               static_cast<std::uint32_t>(p[22]) << 16 | static_cast<std::uint32_t>(p[23]) << 24));
    }
    // A short file is made whole again, keeping what it held.
    std::vector<unsigned char> written;
    FUZZ_CHECK(fuzz::ReadBytes(folder + "DATA/TOP10.DAT", written));
    if (size < static_cast<std::size_t>(TopTenTable::kFileSize)) {
        FUZZ_CHECK(written.size() == static_cast<std::size_t>(TopTenTable::kFileSize));
        FUZZ_CHECK(Same(Reopened(path), table));
    }
    FUZZ_CHECK(table.Save(path));
    FUZZ_CHECK(Same(Reopened(path), table));

    // A new score goes where it ranks and pushes the rest down a place.
    std::uint32_t score = static_cast<std::uint32_t>(size);
    if (size >= 4)
        score = static_cast<std::uint32_t>(bytes[size - 4]) | static_cast<std::uint32_t>(bytes[size - 3]) << 8 |
                static_cast<std::uint32_t>(bytes[size - 2]) << 16 | static_cast<std::uint32_t>(bytes[size - 1]) << 24;
    int rank = table.Rank(score);
    FUZZ_CHECK(rank >= 1 && rank <= TopTenTable::kEntries + 1);
    for (int i = 0; i < rank - 1; ++i)
        FUZZ_CHECK(table.entries[i].score >= score);
    if (rank <= TopTenTable::kEntries)
        FUZZ_CHECK(table.entries[rank - 1].score < score);
    TopTenTable before = table;
    const std::string longName = "Un nome lungo ventuno";  // cut to the 19 characters the field holds
    table.Insert(rank, longName.c_str(), score);
    for (int i = 0; i < TopTenTable::kEntries; ++i) {
        const TopTenEntry& e = table.entries[i];
        if (i < rank - 1)
            FUZZ_CHECK(std::strcmp(e.name, before.entries[i].name) == 0 && e.score == before.entries[i].score);
        else if (i == rank - 1)
            FUZZ_CHECK(e.name == longName.substr(0, 19) && e.score == score);
        else
            FUZZ_CHECK(std::strcmp(e.name, before.entries[i - 1].name) == 0 && e.score == before.entries[i - 1].score);
    }
    FUZZ_CHECK(table.Save(path));
    FUZZ_CHECK(Same(Reopened(path), table));
    return 0;
}
