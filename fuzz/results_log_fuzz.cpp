// The results log on hostile bytes: each child's report, the purge of one
// child's results (every other child's bytes kept, in order) and an append
// after a damaged tail (the log then reads cleanly to its end, the cut bytes
// kept beside it).

#include "FuzzScratch.h"
#include "app/DataFolder.h"
#include "session/GameSettings.h"
#include "users/ReportFormatter.h"
#include "users/TDataFile.h"

#include <cstring>
#include <string>
#include <utility>
#include <vector>

namespace {

using Bytes = std::vector<unsigned char>;

const char* const kNames[] = {"Anna", "Bruno", "Carla"};  // ids 1, 2, 3
const unsigned char kMagic[4] = {'D', 'A', 'T', 0x1A};

// The registry the three children are in, written once by the program
// itself (nothing here changes it).
void MakeRegistryOnce()
{
    static const bool made = [] {
        auto payload = GameSettings().Encode();
        TDataFile data(GameSettings::kSize);
        for (const char* name : kNames)
            data.AddUser(name, payload.data());
        return data.SaveRegistry();
    }();
    FUZZ_CHECK(made);
}

struct Event {
    std::size_t at, length;
    std::int32_t user;
};

std::int32_t Le32(const unsigned char* p)
{
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
                                     static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24);
}

bool HasMagic(const Bytes& log)
{
    return log.size() >= 4 && std::memcmp(log.data(), kMagic, 4) == 0;
}

// The whole events after the magic, up to the first that is not: an id of
// 0, a negative size or one past the end.
std::vector<Event> Walk(const Bytes& log, std::size_t& end)
{
    std::vector<Event> events;
    std::size_t at = 4;
    while (at + 12 <= log.size()) {
        std::int32_t user = Le32(&log[at]), size = Le32(&log[at + 8]);
        if (user == 0 || size < 0 || static_cast<std::size_t>(size) > log.size() - at - 12)
            break;
        events.push_back({at, 12 + static_cast<std::size_t>(size), user});
        at += 12 + static_cast<std::size_t>(size);
    }
    end = at;
    return events;
}

// Whether any event of the child was found, and their report.
using Found = std::pair<bool, std::string>;

Found Report(TDataFile& data, const std::string& dataFolder, int child)
{
    ReportFormatter formatter;
    bool found = data.ExportReport(kNames[child], [&](int k, const unsigned char* d, int s, int m) {
        return formatter.Format(k, d, s, m);
    }, 1 + child % 2);
    Bytes text;
    fuzz::ReadBytes(dataFolder + "LAST.TXT", text);
    return {found, std::string(text.begin(), text.end())};
}

bool HasEventsOf(const Bytes& log, std::int32_t id)
{
    if (!HasMagic(log))
        return false;
    std::size_t end;
    for (const Event& e : Walk(log, end))
        if (e.user == id)
            return true;
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size)
{
    fuzz::InstallStrings();
    const std::string& folder = fuzz::ScratchFolder("results_log");
    theDataPrefix = folder;
    const std::string dataFolder = folder + "DATA/";
    std::filesystem::create_directories(dataFolder);
    MakeRegistryOnce();
    // Everything but the registry, which nothing here changes, goes.
    for (const auto& entry : std::filesystem::directory_iterator(dataFolder))
        if (entry.path().filename() != "USERS.ANA")
            std::filesystem::remove(entry.path());
    const std::string logPath = dataFolder + "USERS.DAT";
    fuzz::WriteBytes(logPath, bytes, size);
    const Bytes original(bytes, bytes + size);

    // The reports: one is found exactly when the child has a readable event.
    TDataFile data(GameSettings::kSize);
    Found before[3];
    for (int child = 0; child < 3; ++child) {
        before[child] = Report(data, dataFolder, child);
        FUZZ_CHECK(before[child].first == HasEventsOf(original, child + 1));
    }

    // The purge of one child.
    const int purged = static_cast<int>(size % 3);
    data.PurgeEvents(kNames[purged]);
    Bytes log;
    FUZZ_CHECK(fuzz::ReadBytes(logPath, log));
    if (!HasMagic(original)) {
        FUZZ_CHECK(log == original);  // not ours: never touched
    } else {
        std::size_t end;
        Bytes expected(kMagic, kMagic + 4);
        for (const Event& e : Walk(original, end))
            if (e.user != purged + 1)
                expected.insert(expected.end(), original.begin() + static_cast<long>(e.at),
                                original.begin() + static_cast<long>(e.at + e.length));
        expected.insert(expected.end(), original.begin() + static_cast<long>(end), original.end());
        FUZZ_CHECK(log == expected);
    }
    // The purged child has no results left; the next one's report is as it was.
    FUZZ_CHECK(Report(data, dataFolder, purged) == Found(false, ""));
    const int other = (purged + 1) % 3;
    FUZZ_CHECK(Report(data, dataFolder, other) == before[other]);

    // An append: a torn tail is cut back first and kept beside the log.
    FUZZ_CHECK(data.SelectUser(kNames[1]) == 2);
    const int length = static_cast<int>(size % 41);
    data.RecordEvent(logkind::kShown, bytes, length);
    Bytes appended;
    FUZZ_CHECK(fuzz::ReadBytes(logPath, appended));
    // A log cut inside its marker starts again; any other foreign log stays
    // (and the record is said not to be written).
    bool oursOrStarting =
        HasMagic(log) || (log.size() < 4 && (log.empty() || std::memcmp(log.data(), kMagic, log.size()) == 0));
    FUZZ_CHECK(data.AppendFailed() == !oursOrStarting);
    if (!oursOrStarting) {
        FUZZ_CHECK(appended == log);
        return 0;
    }
    std::size_t kept = 4, end;
    if (HasMagic(log))
        Walk(log, kept);
    std::vector<Event> events = Walk(appended, end);
    FUZZ_CHECK(end == appended.size());
    FUZZ_CHECK(!events.empty() && events.back().at == kept);
    FUZZ_CHECK(std::memcmp(appended.data(), kMagic, 4) == 0);
    FUZZ_CHECK(kept <= log.size() || log.size() < 4);
    if (log.size() >= 4)
        FUZZ_CHECK(std::equal(log.begin(), log.begin() + static_cast<long>(kept), appended.begin()));
    const unsigned char* e = appended.data() + kept;
    FUZZ_CHECK(Le32(e) == 2 && Le32(e + 4) == logkind::kShown && Le32(e + 8) == length);
    FUZZ_CHECK(length == 0 || std::memcmp(e + 12, bytes, static_cast<std::size_t>(length)) == 0);
    if (log.size() > 4 && kept < log.size()) {
        Bytes rest;
        for (const auto& entry : std::filesystem::directory_iterator(dataFolder))
            if (entry.path().filename().string().rfind("USERS-RESTO-", 0) == 0)
                FUZZ_CHECK(fuzz::ReadBytes(entry.path().string(), rest));
        FUZZ_CHECK(rest == Bytes(log.begin() + static_cast<long>(kept), log.end()));
    }
    return 0;
}
