#include "users/TDataFile.h"

#include "users/VoiceProfile.h"

#include "app/DataFolder.h"
#include "app/DataProblems.h"
#include "session/GameSettings.h"
#include "platform/Files.h"
#include "platform/LocalTime.h"
#include "stats/StatsStore.h"
#include "resources/FileHelpers.h"
#include "resources/LittleEndian.h"
#include "resources/StringTable.h"
#include "base/TStringList.h"
#include "base/TextHelpers.h"
#include "session/Session.h"

#include <cstdio>
#include <climits>
#include <cerrno>
#include <cstring>
#include <set>
#include <ctime>
#include <vector>

namespace {

using platform::ReadFailure;
using platform::Trust;

const unsigned char kRegistryMagic[4] = {'A', 'N', 'A', 0x1A};
const unsigned char kLogMagic[4] = {'D', 'A', 'T', 0x1A};
// A class's log of many years stays far below this.
constexpr std::size_t kLogLimit = std::size_t{1} << 30;

// One event as found in the log.
struct LogEvent {
    std::int32_t user, kind, size;
    const unsigned char* data;
};

// Walks the events after the magic; stops at the first damaged one and
// tells where the readable part ends.
template <typename F>
std::size_t WalkEvents(const std::vector<unsigned char>& log, F each)
{
    std::size_t at = 4;
    while (at + 12 <= log.size()) {
        auto user = static_cast<std::int32_t>(GetLE32(log.data() + at));
        auto kind = static_cast<std::int32_t>(GetLE32(log.data() + at + 4));
        auto size = static_cast<std::int32_t>(GetLE32(log.data() + at + 8));
        if (user == 0 || size < 0 || static_cast<std::size_t>(size) > log.size() - at - 12)
            break;
        each(LogEvent{user, kind, size, log.data() + at + 12}, at, 12 + static_cast<std::size_t>(size));
        at += 12 + static_cast<std::size_t>(size);
    }
    return at;
}

bool HasMagic(const std::vector<unsigned char>& bytes, const unsigned char* magic)
{
    return bytes.size() >= 4 && std::memcmp(bytes.data(), magic, 4) == 0;
}

std::uint32_t StoredId(const unsigned char* record)
{
    return GetLE32(record + TDataFile::kNameSize);
}

void SetId(unsigned char* record, std::uint32_t id)
{
    for (int i = 0; i < 4; ++i)
        record[TDataFile::kNameSize + i] = static_cast<unsigned char>(id >> (8 * i));
}

std::string RegistryThen()
{
    return GetString(14, 20);
}

std::string LogThen()
{
    return GetString(14, 24);
}

}  // namespace

TDataFile::TDataFile(int payloadSize) : payloadSize_(payloadSize)
{
    std::string folder = theDataPrefix + "DATA";
    MakeFolder(folder.c_str());
    folder += "\\";
    registryPath_ = folder + "USERS.ANA";
    logPath_ = folder + "USERS.DAT";
    tempPath_ = folder + "TEMP.TMP";
    reportPath_ = folder + "LAST.TXT";
    lockPath_ = folder + "QUOLI.LCK";
    LoadRegistry();
}

std::int32_t TDataFile::IdOf(const TElement* record)
{
    return static_cast<std::int32_t>(StoredId(record->Data()));
}

std::string TDataFile::NameOf(const TElement* record)
{
    auto* name = reinterpret_cast<const char*>(record->Data());
    return std::string(name, strnlen(name, kNameSize));
}

std::unique_ptr<platform::FileLock> TDataFile::Lock()
{
    auto lock = std::make_unique<platform::FileLock>(lockPath_, Trust::kShared, DataLockWaitMs());
    if (!lock->Busy())
        return lock;
    ReportDataProblem(UnwritableFileText(lockPath_, EWOULDBLOCK, LogThen()));
    return nullptr;
}

void TDataFile::LoadRegistry()
{
    Clear();
    registryDamaged_ = false;
    registryBlocked_ = false;
    std::vector<unsigned char> bytes;
    ReadFailure read = platform::ReadFile(registryPath_, bytes, Trust::kShared);
    if (read == ReadFailure::kMissing)
        return;
    if (read != ReadFailure::kNone) {
        registryBlocked_ = true;
        ReportDataProblem(UnreadableFileText(registryPath_, read, RegistryThen()));
        return;
    }
    if (bytes.empty())
        return;
    if (!HasMagic(bytes, kRegistryMagic) || bytes.size() < 8) {
        registryDamaged_ = true;  // not ours, or garbage
        return;
    }
    std::size_t record = static_cast<std::size_t>(kHeader + payloadSize_);
    std::size_t whole = (bytes.size() - 8) / record;
    storedCount_ = static_cast<std::int32_t>(GetLE32(bytes.data() + 4));
    // A count that disagrees with the records does not lose one of them:
    // all are read, and the file is set aside before it is written again.
    if (storedCount_ < 0 || static_cast<std::size_t>(storedCount_) != whole || 8 + whole * record != bytes.size())
        registryDamaged_ = true;
    for (std::size_t i = 0; i < whole; ++i) {
        auto* e = new TElement;
        std::memcpy(e->AllocData(record), bytes.data() + 8 + i * record, record);
        Append(e);
    }
    RepairRepeatedIds();
}

void TDataFile::RepairRepeatedIds()
{
    std::set<std::uint32_t> seen;
    for (TElement* e = First(); e; e = e->Next()) {
        if (seen.insert(StoredId(e->Data())).second)
            continue;
        // The later profile gets a number of its own; the results already
        // logged stay with the first, which had the number before.
        std::uint32_t id = FreshId();
        if (id == 0)
            return;
        SetId(e->Data(), id);
        seen.insert(id);
        ReportDataProblem(std::string(GetString(14, 31)) + " " + NameOf(e) + " " + GetString(14, 32));
    }
}

bool TDataFile::SaveRegistry()
{
    if (registryBlocked_)
        return false;
    if (registryDamaged_) {
        // Never over an earlier one of the same second.
        std::string start = registryPath_.substr(0, registryPath_.size() - 4) + "-" + platform::FileStamp();
        std::string aside = start + ".ANA";
        for (int n = 2; platform::FileExists(aside); ++n)
            aside = start + "-" + std::to_string(n) + ".ANA";
        if (!platform::RenameFile(registryPath_, aside, Trust::kShared))
            return false;  // never written over
        ReportDataProblem(std::string(GetString(7, 21)) + " " + FileNameOf(aside));
        registryDamaged_ = false;
    }
    std::vector<unsigned char> bytes(kRegistryMagic, kRegistryMagic + 4);
    PutLE32(bytes, static_cast<std::uint32_t>(Count()));
    std::size_t record = static_cast<std::size_t>(kHeader + payloadSize_);
    for (TElement* e = First(); e; e = e->Next())
        bytes.insert(bytes.end(), e->Data(), e->Data() + record);
    if (platform::ReplaceFileContents(registryPath_, bytes.data(), bytes.size(), Trust::kShared))
        return true;
    ReportDataProblem(UnwritableFileText(registryPath_, platform::LastFileError(), RegistryThen()));
    return false;
}

TElement* TDataFile::Find(const char* name) const
{
    if (!name)
        return nullptr;
    for (TElement* e = First(); e; e = e->Next())
        if (EqualsNoCase(NameOf(e).c_str(), name))
            return e;
    return nullptr;
}

const unsigned char* TDataFile::PayloadOf(const char* name) const
{
    TElement* e = Find(name);
    return e ? e->Data() + kHeader : nullptr;
}

void TDataFile::AddUser(const char* name, const unsigned char* payload)
{
    if (!name || Find(name))
        return;
    std::uint32_t id = FreshId();
    if (id == 0)
        return;
    std::size_t size = static_cast<std::size_t>(kHeader + payloadSize_);
    auto* e = new TElement;
    std::memset(e->AllocData(size), 0, size);
    std::strncpy(reinterpret_cast<char*>(e->Data()), name, kNameSize - 1);
    SetId(e->Data(), id);
    if (payload)
        std::memcpy(e->Data() + kHeader, payload, static_cast<std::size_t>(payloadSize_));
    Append(e);
}

std::uint32_t TDataFile::FreshId() const
{
    std::set<std::uint32_t> used;
    for (TElement* e = First(); e; e = e->Next())
        used.insert(StoredId(e->Data()));
    std::vector<unsigned char> bytes;
    ReadFailure read = platform::ReadFile(logPath_, bytes, Trust::kShared, kLogLimit);
    if (read != ReadFailure::kNone && read != ReadFailure::kMissing) {
        ReportDataProblem(UnreadableFileText(logPath_, read, LogThen()));
        return 0;
    }
    if (HasMagic(bytes, kLogMagic))
        WalkEvents(bytes, [&](const LogEvent& e, std::size_t, std::size_t) { used.insert(static_cast<std::uint32_t>(e.user)); });
    // Registries set aside keep their children's ids: their results too.
    std::string folder = registryPath_.substr(0, registryPath_.find_last_of('\\'));
    std::size_t record = static_cast<std::size_t>(kHeader + payloadSize_);
    for (const platform::FolderEntry& entry : platform::ListFolder(folder)) {
        if (entry.isFolder || entry.name.size() < 10 || !EqualsNoCase(entry.name.substr(0, 6).c_str(), "USERS-") ||
            !HasExtension(entry.name.c_str(), ".ANA"))
            continue;
        if (platform::ReadFile(folder + "\\" + entry.name, bytes, Trust::kShared) != ReadFailure::kNone ||
            !HasMagic(bytes, kRegistryMagic))
            continue;
        for (std::size_t at = 8; at + record <= bytes.size(); at += record)
            used.insert(StoredId(bytes.data() + at));
    }
    used.erase(0);
    std::uint32_t highest = used.empty() ? 0 : *used.rbegin();
    if (highest < UINT32_MAX)
        return highest + 1;
    // Every id up to the largest is taken in the usual way; the lowest free one.
    std::uint32_t id = 1;
    while (used.count(id))
        ++id;
    return id;
}

void TDataFile::UpdateUser(const char* name, const unsigned char* payload)
{
    TElement* e = Find(name);
    if (!e)
        return;
    if (payload)
        std::memcpy(e->Data() + kHeader, payload, static_cast<std::size_t>(payloadSize_));
    // A profile stored with id 0 would play and record nothing; every other
    // id stays, or the profile's results would be another's.
    if (IdOf(e) == 0) {
        std::uint32_t id = FreshId();
        if (id != 0)
            SetId(e->Data(), id);
    }
}

std::int32_t TDataFile::StoreUser(const char* name, const unsigned char* payload)
{
    auto lock = Lock();
    if (!lock)
        return 0;
    LoadRegistry();
    if (registryBlocked_)
        return 0;
    if (Find(name))
        UpdateUser(name, payload);
    else
        AddUser(name, payload);
    TElement* e = Find(name);
    return e && SaveRegistry() ? IdOf(e) : 0;
}

bool TDataFile::DeleteUser(const char* name)
{
    auto lock = Lock();
    if (!lock)
        return false;
    LoadRegistry();
    if (!Find(name) || registryBlocked_)
        return false;
    // The child's statistics go with the profile, or neither goes.
    stats::StatsStore statistics;
    if (!statistics.Ready() || !statistics.DeleteChild(IdOf(Find(name))) || !PurgeEventsLocked(name))
        return false;
    RemoveUser(name);
    return SaveRegistry();
}

void TDataFile::RemoveUser(const char* name)
{
    Remove(Find(name));
}

int TDataFile::SelectUser(const char* name)
{
    if (TElement* e = Find(name))
        currentUser_ = IdOf(e);
    return currentUser_;
}

void TDataFile::ForEachName(TStringList& names) const
{
    for (TElement* e = First(); e; e = e->Next())
        names.AppendText(NameOf(e).c_str());
}

bool TDataFile::PrepareLog()
{
    if (logState_ != 0)
        return logState_ > 0;
    std::vector<unsigned char> log;
    ReadFailure read = platform::ReadFile(logPath_, log, Trust::kShared, kLogLimit);
    if (read != ReadFailure::kNone && read != ReadFailure::kMissing) {
        logState_ = -1;  // what cannot be read is never written
        ReportDataProblem(UnreadableFileText(logPath_, read, LogThen()));
        return false;
    }
    bool startsOurs = log.empty() || std::memcmp(log.data(), kLogMagic, std::min<std::size_t>(log.size(), 4)) == 0;
    if (log.size() < 4 && startsOurs) {
        // Missing, empty or cut inside its marker: started afresh.
        logState_ = platform::ReplaceFileContents(logPath_, kLogMagic, 4, Trust::kShared) ? 1 : -1;
        if (logState_ < 0)
            ReportDataProblem(UnwritableFileText(logPath_, platform::LastFileError(), LogThen()));
        return logState_ > 0;
    }
    if (!HasMagic(log, kLogMagic)) {
        logState_ = -1;  // another program's file: never touched
        ReportDataProblem(ForeignFileText(logPath_, LogThen()));
        return false;
    }
    std::size_t end = WalkEvents(log, [](const LogEvent&, std::size_t, std::size_t) {});
    if (end < log.size()) {
        // A torn last record hides every later one: the bytes from there on
        // are kept beside the log for the teacher, and the log cut back.
        std::string aside = logPath_.substr(0, logPath_.size() - 4) + "-RESTO-";
        // A copy killed while it wrote an earlier cut left its temporary;
        // the bytes are still in the log.
        std::size_t slash = aside.rfind('\\');
        platform::RemoveStaleTemporaries(aside.substr(0, slash), aside.substr(slash + 1), Trust::kShared);
        // Never over an earlier cut of the same second (the lock is held).
        std::string start = aside + platform::FileStamp();
        std::string rest = start + ".DAT";
        for (int n = 2; platform::FileExists(rest); ++n)
            rest = start + "-" + std::to_string(n) + ".DAT";
        // Only those who may read the log may read what was cut from it.
        int mode = platform::FileMode(logPath_, Trust::kShared);
        if (!platform::ReplaceFileContents(rest, log.data() + end, log.size() - end, Trust::kShared, mode) ||
            !platform::TruncateFile(logPath_, static_cast<long long>(end), Trust::kShared)) {
            logState_ = -1;
            ReportDataProblem(UnwritableFileText(logPath_, platform::LastFileError(), LogThen()));
            return false;
        }
        ReportDataProblem(std::string(GetString(14, 30)) + " " + FileNameOf(rest) + ".");
    }
    logState_ = 1;
    return true;
}

void TDataFile::RecordEvent(int kind, const void* data, int size)
{
    if (!recordingEnabled || currentUser_ == 0)
        return;
    appendFailed_ = true;
    if (logState_ < 0)
        return;
    auto lock = Lock();
    if (!lock) {
        logState_ = -1;  // one wait a game at most
        return;
    }
    if (!PrepareLog())
        return;
    std::vector<unsigned char> bytes;
    PutLE32(bytes, static_cast<std::uint32_t>(currentUser_));
    PutLE32(bytes, static_cast<std::uint32_t>(kind));
    PutLE32(bytes, static_cast<std::uint32_t>(size));
    if (data && size > 0)
        bytes.insert(bytes.end(), static_cast<const unsigned char*>(data), static_cast<const unsigned char*>(data) + size);
    appendFailed_ = !platform::AppendToFile(logPath_, bytes.data(), bytes.size(), false, Trust::kShared);
    if (appendFailed_) {
        ReportDataProblem(UnwritableFileText(logPath_, platform::LastFileError(), LogThen()));
        logState_ = 0;  // what was torn is cut back before the next append
    }
}

void TDataFile::SyncLog()
{
    if (logState_ > 0)
        platform::SyncFile(logPath_, Trust::kShared);
}

void TDataFile::RecordText(int kind, const char* text)
{
    if (text)
        RecordEvent(kind, text, static_cast<int>(std::strlen(text) + 1));
}

bool TDataFile::ExportReport(const char* name, const EventFormatter& formatter, int mode)
{
    TElement* user = Find(name);
    if (!user)
        return false;
    std::vector<unsigned char> log;
    ReadFailure read = platform::ReadFile(logPath_, log, Trust::kShared, kLogLimit);
    if (read != ReadFailure::kNone) {
        if (read != ReadFailure::kMissing)
            ReportDataProblem(UnreadableFileText(logPath_, read, LogThen()));
        return false;
    }
    std::int32_t id = IdOf(user);
    std::string report;
    bool found = false;
    if (HasMagic(log, kLogMagic)) {
        WalkEvents(log, [&](const LogEvent& e, std::size_t, std::size_t) {
            if (e.user != id)
                return;
            found = true;
            report += formatter(e.kind, e.data, e.size, mode);
        });
    }
    if (!platform::ReplaceFileContents(reportPath_, report.data(), report.size(), Trust::kShared)) {
        ReportDataProblem(UnwritableFileText(reportPath_, platform::LastFileError(), GetString(14, 23)));
        return false;
    }
    return found;
}

void TDataFile::RemoveReport()
{
    platform::RemoveFile(reportPath_, Trust::kShared);
}

bool TDataFile::PurgeEvents(const char* name)
{
    auto lock = Lock();
    return lock && PurgeEventsLocked(name);
}

bool TDataFile::PurgeEventsLocked(const char* name)
{
    TElement* user = Find(name);
    if (!user)
        return false;
    std::vector<unsigned char> log;
    ReadFailure read = platform::ReadFile(logPath_, log, Trust::kShared, kLogLimit);
    if (read == ReadFailure::kMissing)
        return true;
    if (read != ReadFailure::kNone) {
        ReportDataProblem(UnreadableFileText(logPath_, read, LogThen()));
        return false;
    }
    if (!HasMagic(log, kLogMagic))
        return true;  // a log that is not ours is never touched
    std::int32_t id = IdOf(user);
    std::vector<unsigned char> kept(kLogMagic, kLogMagic + 4);
    std::size_t end = WalkEvents(log, [&](const LogEvent& e, std::size_t at, std::size_t length) {
        if (e.user != id)
            kept.insert(kept.end(), log.begin() + static_cast<long>(at), log.begin() + static_cast<long>(at + length));
    });
    // Bytes past a damaged event are kept as they are: nothing is lost.
    kept.insert(kept.end(), log.begin() + static_cast<long>(end), log.end());
    // The new log replaces the old in one step: there is always a log.
    if (platform::ReplaceFileContents(logPath_, kept.data(), kept.size(), Trust::kShared))
        return true;
    ReportDataProblem(UnwritableFileText(logPath_, platform::LastFileError(), LogThen()));
    return false;
}

bool LoadProfileByName(const std::string& name)
{
    if (name.size() > static_cast<std::size_t>(kMaxUserName))
        return false;  // never cut: a cut name would be another child
    TDataFile data(GameSettings::kSize);
    const unsigned char* payload = data.PayloadOf(name.c_str());
    if (!payload)
        return false;
    std::snprintf(theSession.userName, sizeof theSession.userName, "%s", name.c_str());
    theSession.settings = GameSettings::Decode(payload);
    theSession.voice = VoiceSettings();
    voiceprofile::Load(theSession.userName);
    return true;
}

std::string CurrentDateText()
{
    std::tm t = platform::LocalTime(std::time(nullptr));
    char text[32];
    std::snprintf(text, sizeof text, "%02d/%02d/%04d", t.tm_mday, t.tm_mon + 1, t.tm_year + 1900);
    return text;
}

std::string CurrentTimeText()
{
    std::tm t = platform::LocalTime(std::time(nullptr));
    char text[32];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", t.tm_hour, t.tm_min, t.tm_sec);
    return text;
}
