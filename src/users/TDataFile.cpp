#include "users/TDataFile.h"

#include "app/DataFolder.h"
#include "session/GameSettings.h"
#include "platform/Files.h"
#include "platform/LocalTime.h"
#include "resources/FileHelpers.h"
#include "resources/LittleEndian.h"
#include "base/TStringList.h"
#include "base/TextHelpers.h"
#include "session/Session.h"

#include <cstdio>
#include <climits>
#include <cstring>
#include <ctime>
#include <vector>

namespace {

const unsigned char kRegistryMagic[4] = {'A', 'N', 'A', 0x1A};
const unsigned char kLogMagic[4] = {'D', 'A', 'T', 0x1A};

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

std::string setAsideRegistry;

// "yyyymmdd-hhmmss", for the names of the files set aside.
std::string Stamp()
{
    std::tm t = platform::LocalTime(std::time(nullptr));
    char text[32];
    std::snprintf(text, sizeof text, "%04d%02d%02d-%02d%02d%02d", t.tm_year + 1900, t.tm_mon + 1, t.tm_mday, t.tm_hour,
                  t.tm_min, t.tm_sec);
    return text;
}

}  // namespace

std::string TakeSetAsideRegistry()
{
    std::string name;
    name.swap(setAsideRegistry);
    return name;
}

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
    return static_cast<std::int32_t>(GetLE32(record->Data() + kNameSize));
}

const char* TDataFile::NameOf(const TElement* record)
{
    return reinterpret_cast<const char*>(record->Data());
}

void TDataFile::LoadRegistry()
{
    Clear();
    registryUnreadable_ = false;
    std::vector<unsigned char> bytes;
    if (!platform::ReadWholeFile(registryPath_, bytes) || bytes.empty())
        return;
    std::size_t record = static_cast<std::size_t>(kHeader + payloadSize_);
    if (!HasMagic(bytes, kRegistryMagic) || bytes.size() < 8) {
        registryUnreadable_ = true;  // not ours, or garbage
        return;
    }
    storedCount_ = static_cast<std::int32_t>(GetLE32(bytes.data() + 4));
    if (storedCount_ < 0 || static_cast<std::size_t>(storedCount_) > (bytes.size() - 8) / record)
        registryUnreadable_ = true;  // the whole records it has are still read
    // A count past the end of the file stops at the last whole record.
    for (std::int32_t i = 0; i < storedCount_; ++i) {
        std::size_t at = 8 + static_cast<std::size_t>(i) * record;
        if (at + record > bytes.size())
            break;
        auto* e = new TElement;
        std::memcpy(e->AllocData(record), bytes.data() + at, record);
        e->Data()[kNameSize - 1] = 0;
        Append(e);
    }
}

bool TDataFile::SaveRegistry()
{
    if (registryUnreadable_) {
        std::string aside = registryPath_.substr(0, registryPath_.size() - 4) + "-" + Stamp() + ".ANA";
        if (!platform::RenameFile(registryPath_, aside))
            return false;  // never written over
        setAsideRegistry = aside;
        registryUnreadable_ = false;
    }
    std::vector<unsigned char> bytes(kRegistryMagic, kRegistryMagic + 4);
    PutLE32(bytes, static_cast<std::uint32_t>(Count()));
    for (TElement* e = First(); e; e = e->Next())
        bytes.insert(bytes.end(), e->Data(), e->Data() + e->DataLength());
    return platform::ReplaceFileContents(registryPath_, bytes.data(), bytes.size());
}

TElement* TDataFile::Find(const char* name) const
{
    if (!name)
        return nullptr;
    for (TElement* e = First(); e; e = e->Next())
        if (EqualsNoCase(NameOf(e), name))
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
    std::size_t size = static_cast<std::size_t>(kHeader + payloadSize_);
    auto* e = new TElement;
    std::memset(e->AllocData(size), 0, size);
    std::strncpy(reinterpret_cast<char*>(e->Data()), name, kNameSize - 1);
    auto id = static_cast<std::uint32_t>(FreshId());
    for (int i = 0; i < 4; ++i)
        e->Data()[kNameSize + i] = static_cast<unsigned char>(id >> (8 * i));
    if (payload)
        std::memcpy(e->Data() + kHeader, payload, static_cast<std::size_t>(payloadSize_));
    Append(e);
}

std::int32_t TDataFile::FreshId() const
{
    std::int32_t highest = 0;
    for (TElement* e = First(); e; e = e->Next())
        highest = std::max(highest, IdOf(e));
    if (highest < INT32_MAX)
        return highest + 1;
    // Every id up to the largest is taken in the usual way; the lowest free one.
    for (std::int32_t id = 1;; ++id) {
        bool used = false;
        for (TElement* e = First(); e && !used; e = e->Next())
            used = IdOf(e) == id;
        if (!used)
            return id;
    }
}

void TDataFile::UpdateUser(const char* name, const unsigned char* payload)
{
    TElement* e = Find(name);
    if (!e)
        return;
    if (payload)
        std::memcpy(e->Data() + kHeader, payload, static_cast<std::size_t>(payloadSize_));
    // A profile stored with id 0 would play and record nothing.
    if (IdOf(e) <= 0) {
        auto id = static_cast<std::uint32_t>(FreshId());
        for (int i = 0; i < 4; ++i)
            e->Data()[kNameSize + i] = static_cast<unsigned char>(id >> (8 * i));
    }
}

std::int32_t TDataFile::StoreUser(const char* name, const unsigned char* payload)
{
    platform::FileLock lock(lockPath_);
    LoadRegistry();
    if (Find(name))
        UpdateUser(name, payload);
    else
        AddUser(name, payload);
    TElement* e = Find(name);
    return e && SaveRegistry() ? IdOf(e) : 0;
}

bool TDataFile::DeleteUser(const char* name)
{
    platform::FileLock lock(lockPath_);
    LoadRegistry();
    if (!Find(name))
        return false;
    PurgeEventsLocked(name);
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
        names.AppendText(NameOf(e));
}

bool TDataFile::PrepareLog()
{
    if (logState_ != 0)
        return logState_ > 0;
    std::vector<unsigned char> log;
    platform::ReadWholeFile(logPath_, log);
    bool startsOurs = log.empty() || std::memcmp(log.data(), kLogMagic, std::min<std::size_t>(log.size(), 4)) == 0;
    if (log.size() < 4 && startsOurs) {
        // Missing, empty or cut inside its marker: started afresh.
        logState_ = platform::ReplaceFileContents(logPath_, kLogMagic, 4) ? 1 : -1;
        return logState_ > 0;
    }
    if (!HasMagic(log, kLogMagic)) {
        logState_ = -1;  // another program's file: never touched
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
        platform::RemoveStaleTemporaries(aside.substr(0, slash), aside.substr(slash + 1));
        // Never over an earlier cut of the same second (the lock is held).
        std::string start = aside + Stamp();
        std::string rest = start + ".DAT";
        for (int n = 2; platform::FileExists(rest); ++n)
            rest = start + "-" + std::to_string(n) + ".DAT";
        if (!platform::ReplaceFileContents(rest, log.data() + end, log.size() - end) ||
            !platform::TruncateFile(logPath_, static_cast<long long>(end))) {
            logState_ = -1;
            return false;
        }
    }
    logState_ = 1;
    return true;
}

void TDataFile::RecordEvent(int kind, const void* data, int size)
{
    if (!recordingEnabled || currentUser_ == 0)
        return;
    platform::FileLock lock(lockPath_);
    if (!PrepareLog())
        return;
    std::vector<unsigned char> bytes;
    PutLE32(bytes, static_cast<std::uint32_t>(currentUser_));
    PutLE32(bytes, static_cast<std::uint32_t>(kind));
    PutLE32(bytes, static_cast<std::uint32_t>(size));
    if (data && size > 0)
        bytes.insert(bytes.end(), static_cast<const unsigned char*>(data), static_cast<const unsigned char*>(data) + size);
    appendFailed_ = !platform::AppendToFile(logPath_, bytes.data(), bytes.size());
    if (appendFailed_)
        logState_ = 0;  // what was torn is cut back before the next append
}

void TDataFile::SyncLog()
{
    if (logState_ > 0)
        platform::SyncFile(logPath_);
}

void TDataFile::RecordText(int kind, const char* text)
{
    if (text)
        RecordEvent(kind, text, static_cast<int>(std::strlen(text) + 1));
}

bool TDataFile::ExportReport(const char* name, const EventFormatter& formatter, int mode)
{
    TElement* user = Find(name);
    std::vector<unsigned char> log;
    if (!user || !platform::ReadWholeFile(logPath_, log))
        return false;
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
    platform::ReplaceFileContents(reportPath_, report.data(), report.size());
    return found;
}

void TDataFile::PurgeEvents(const char* name)
{
    platform::FileLock lock(lockPath_);
    PurgeEventsLocked(name);
}

void TDataFile::PurgeEventsLocked(const char* name)
{
    TElement* user = Find(name);
    std::vector<unsigned char> log;
    if (!user || !platform::ReadWholeFile(logPath_, log) || !HasMagic(log, kLogMagic))
        return;  // a log that is not ours is never touched
    std::int32_t id = IdOf(user);
    std::vector<unsigned char> kept(kLogMagic, kLogMagic + 4);
    std::size_t end = WalkEvents(log, [&](const LogEvent& e, std::size_t at, std::size_t length) {
        if (e.user != id)
            kept.insert(kept.end(), log.begin() + static_cast<long>(at), log.begin() + static_cast<long>(at + length));
    });
    // Bytes past a damaged event are kept as they are: nothing is lost.
    kept.insert(kept.end(), log.begin() + static_cast<long>(end), log.end());
    // The new log replaces the old in one step: there is always a log.
    platform::ReplaceFileContents(logPath_, kept.data(), kept.size());
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
