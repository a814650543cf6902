#include "game/TopTenTable.h"

#include "app/DataFolder.h"
#include "app/DataProblems.h"
#include "platform/Files.h"
#include "resources/FileHelpers.h"
#include "resources/LittleEndian.h"
#include "resources/StringTable.h"

#include <algorithm>
#include <cstring>
#include <vector>

std::string TopTenPath()
{
    return theDataPrefix + GetString(3, 3);
}

void TopTenTable::Open(const std::string& path)
{
    *this = TopTenTable{};
    std::vector<unsigned char> bytes;
    platform::ReadFailure read = platform::ReadFile(path, bytes, platform::Trust::kShared);
    if (read != platform::ReadFailure::kNone && read != platform::ReadFailure::kMissing) {
        // Another account's table, say: shown empty, never written over.
        ReportDataProblem(UnreadableFileText(path, read, GetString(14, 21)));
        return;
    }
    // A short file keeps every whole entry it holds; only the missing ones
    // start empty.
    int whole = static_cast<int>(std::min<std::size_t>(bytes.size() / 24, kEntries));
    for (int i = 0; i < whole; ++i) {
        const unsigned char* p = bytes.data() + 24 * i;
        TopTenEntry& e = entries[i];
        for (int k = 0; k < 20 && p[k]; ++k)
            e.name[k] = static_cast<char>(SwapNibbles(p[k]));
        e.name[19] = 0;
        e.score = GetLE32(p + 20);
    }
    if (bytes.size() < static_cast<std::size_t>(kFileSize))
        Save(path);
}

bool TopTenTable::Save(const std::string& path) const
{
    std::vector<unsigned char> bytes;
    for (const TopTenEntry& e : entries) {
        unsigned char name[20] = {};
        for (int k = 0; k < 20 && e.name[k]; ++k)
            name[k] = SwapNibbles(static_cast<unsigned char>(e.name[k]));
        bytes.insert(bytes.end(), name, name + 20);
        PutLE32(bytes, e.score);
    }
    // The user's own data folder may not have its "DATA" folder yet.
    std::size_t slash = path.find_last_of('\\');
    if (slash != std::string::npos)
        MakeFolder(path.substr(0, slash).c_str());
    // The caller tells the teacher when the table could not be saved.
    return platform::ReplaceFileContents(path, bytes.data(), bytes.size(), platform::Trust::kShared);
}

int TopTenTable::Rank(std::uint32_t score) const
{
    for (int p = 0; p < kEntries; ++p)
        if (entries[p].score < score)
            return p + 1;
    return kEntries + 1;
}

void TopTenTable::Insert(int row, const char* name, std::uint32_t score)
{
    if (row < 1 || row > kEntries)
        return;
    for (int i = kEntries - 1; i >= row; --i)
        entries[i] = entries[i - 1];
    TopTenEntry& e = entries[row - 1];
    e = TopTenEntry{};
    std::strncpy(e.name, name ? name : "", sizeof e.name - 1);
    e.score = score;
}
