// The profile registry on hostile bytes: what is read survives a save, a
// new profile gets a fresh id and an updated one keeps its own, and the
// records it did not touch come back byte for byte.

#include "FuzzScratch.h"
#include "app/DataFolder.h"
#include "app/DataProblems.h"
#include "session/GameSettings.h"
#include "users/TDataFile.h"

#include <algorithm>
#include <cstring>
#include <set>
#include <string>
#include <vector>

namespace {

using Record = std::vector<unsigned char>;

std::vector<Record> RecordsOf(const TDataFile& data)
{
    std::vector<Record> records;
    for (TElement* e = data.First(); e; e = e->Next())
        records.emplace_back(e->Data(), e->Data() + e->DataLength());
    return records;
}

std::vector<Record> Reload()
{
    TDataFile data(GameSettings::kSize);
    return RecordsOf(data);
}

// ASCII letters alike in either case, as profile names are matched.
// A stored name may fill its 24 bytes without a terminator.
bool SameName(const unsigned char* a, const char* b)
{
    auto fold = [](unsigned char c) { return c >= 'A' && c <= 'Z' ? c + 32 : c; };
    for (int i = 0; i < TDataFile::kNameSize; ++i, ++a, ++b) {
        if (fold(*a) != fold(static_cast<unsigned char>(*b)))
            return false;
        if (!*a)
            return true;
    }
    return *b == 0;
}

std::int32_t IdIn(const Record& r)
{
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(r[24]) | static_cast<std::uint32_t>(r[25]) << 8 |
                                     static_cast<std::uint32_t>(r[26]) << 16 | static_cast<std::uint32_t>(r[27]) << 24);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size)
{
    const std::string& folder = fuzz::ScratchFolder("registry");
    theDataPrefix = folder;
    std::string dataFolder = folder + "DATA/";
    std::filesystem::create_directories(dataFolder);
    fuzz::EmptyFolder(dataFolder);
    fuzz::WriteBytes(dataFolder + "USERS.ANA", bytes, size);

    const std::size_t record = TDataFile::kHeader + GameSettings::kSize;
    std::vector<Record> loaded;
    {
        TDataFile data(GameSettings::kSize);
        loaded = RecordsOf(data);
        // Only whole records.
        FUZZ_CHECK(loaded.size() * record <= (size > 8 ? size - 8 : 0));
        for (const Record& r : loaded)
            FUZZ_CHECK(r.size() == record);
        bool saved = data.SaveRegistry();
        ResetDataProblems();
        if (!saved)
            return 0;
    }
    // What was read is what is written.
    FUZZ_CHECK(Reload() == loaded);

    // A new profile: a fresh id, nobody else changed.
    GameSettings settings;
    settings.lanes = 3;
    settings.fontSize = 40;
    auto payload = settings.Encode();
    const char* newName = "Zz fuzz nuovo";
    bool present = false;
    for (const Record& r : loaded)
        present = present || SameName(r.data(), newName);
    if (!present) {
        std::int32_t id = TDataFile(GameSettings::kSize).StoreUser(newName, payload.data());
        FUZZ_CHECK(id != 0);
        std::vector<Record> after = Reload();
        FUZZ_CHECK(after.size() == loaded.size() + 1);
        FUZZ_CHECK(std::equal(loaded.begin(), loaded.end(), after.begin()));
        for (const Record& r : loaded)
            FUZZ_CHECK(IdIn(r) != id);
        FUZZ_CHECK(IdIn(after.back()) == id);
        FUZZ_CHECK(std::memcmp(after.back().data() + TDataFile::kHeader, payload.data(), payload.size()) == 0);
        loaded = after;
    }

    // An existing profile updated: its settings change, its id stays when it
    // was a usable one, every other record stays as it was.
    if (!loaded.empty()) {
        std::size_t which = (size ? bytes[size - 1] : 0) % loaded.size();
        const char* stored = reinterpret_cast<const char*>(loaded[which].data());
        std::string name(stored, strnlen(stored, TDataFile::kNameSize));
        TDataFile data(GameSettings::kSize);
        std::size_t first = 0;
        while (first < loaded.size() && !SameName(loaded[first].data(), name.c_str()))
            ++first;  // a name found twice: the first record is the one
        std::int32_t id = data.StoreUser(name.c_str(), payload.data());
        FUZZ_CHECK(id != 0);
        std::set<std::int32_t> others;
        for (std::size_t i = 0; i < loaded.size(); ++i)
            if (i != first)
                others.insert(IdIn(loaded[i]));
        if (IdIn(loaded[first]) != 0)
            FUZZ_CHECK(id == IdIn(loaded[first]));
        else
            FUZZ_CHECK(id != 0 && others.count(id) == 0);
        std::vector<Record> after = Reload();
        FUZZ_CHECK(after.size() == loaded.size());
        for (std::size_t i = 0; i < loaded.size(); ++i)
            if (i != first)
                FUZZ_CHECK(after[i] == loaded[i]);
        FUZZ_CHECK(std::memcmp(after[first].data() + TDataFile::kHeader, payload.data(), payload.size()) == 0);

        // Adding a name already there (in another case) changes nothing.
        TDataFile again(GameSettings::kSize);
        std::string upper = name;
        for (char& c : upper)
            if (c >= 'a' && c <= 'z')
                c = static_cast<char>(c - 'a' + 'A');
        again.AddUser(upper.c_str(), nullptr);
        FUZZ_CHECK(again.Count() == static_cast<int>(after.size()));
    }
    return 0;
}
