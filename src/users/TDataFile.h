#pragma once
// The profiles (one registry file, rewritten whole) and the results (one
// event log shared by every user, appended to). Each object reloads the
// registry when built; callers make one per operation, the game one per game.

#include "base/TList.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class TStringList;
namespace platform {
class FileLock;
}

namespace logkind {  // the kinds of results-log records

constexpr int kClosed = 0, kDate = 1, kTime = 2, kSettings = 3, kLevel = 4, kShown = 5, kMistyped = 6, kHit = 7,
              kContextClosed = 8, kLifeLost = 9, kBonus = 10, kCompleted = 11;

}  // namespace logkind

// What a report is made of: one event turned into text (or none).
using EventFormatter = std::function<std::string(int kind, const unsigned char* data, int size, int mode)>;

class TDataFile : public TList {
public:
    static constexpr int kNameSize = 24;
    static constexpr int kHeader = 28;  // name and id before the payload

    explicit TDataFile(int payloadSize);

    // Every whole record of the registry is read, whatever its count says;
    // a repeated id is given a fresh one (and the teacher told).
    void LoadRegistry();
    // Writes the registry. One that was damaged when loaded is first set
    // aside under a dated name (and the teacher told), never overwritten;
    // one that exists but could not be read is never written.
    bool SaveRegistry();
    // Adds the profile, or updates the one of that name, in one step under
    // the data folder's lock: the registry is read afresh, changed, saved.
    // Answers the profile's id, 0 when it could not be saved.
    std::int32_t StoreUser(const char* name, const unsigned char* payload);
    // Removes the profile and all its results, in one step under the lock;
    // when the results cannot be removed the profile stays too.
    bool DeleteUser(const char* name);

    // The record of the name (ignoring ASCII case), or null.
    TElement* Find(const char* name) const;
    const unsigned char* PayloadOf(const char* name) const;
    void AddUser(const char* name, const unsigned char* payload);
    void UpdateUser(const char* name, const unsigned char* payload);
    void RemoveUser(const char* name);
    int SelectUser(const char* name);
    void ForEachName(TStringList& names) const;

    // Appends a record to the log, under the lock. Before the first append
    // a torn tail is cut back to the last whole record (the cut bytes kept
    // beside the log); a log that is not ours is never touched.
    void RecordEvent(int kind, const void* data, int size);
    void RecordText(int kind, const char* text);
    // Puts what was appended on the disk (the end of a level, of a game).
    void SyncLog();
    // The last append did not get all its bytes onto the disk.
    bool AppendFailed() const { return appendFailed_; }

    // Writes one user's report; true when any event of theirs was found.
    bool ExportReport(const char* name, const EventFormatter& formatter, int mode);
    bool PurgeEvents(const char* name);
    // Takes the report away once it has been shown or printed.
    void RemoveReport();

    static std::int32_t IdOf(const TElement* record);
    // At most 24 characters: a name stored by another copy may fill the
    // field without a terminator.
    static std::string NameOf(const TElement* record);

    const std::string& RegistryPath() const { return registryPath_; }
    const std::string& LogPath() const { return logPath_; }
    const std::string& ReportPath() const { return reportPath_; }
    int CurrentUser() const { return currentUser_; }
    bool recordingEnabled = true;

private:
    // Where a new profile's id comes from: never 0 (which records nothing),
    // never one in use, and above every id of the log and of the registries
    // set aside, so that no new child inherits another's results. 0 when
    // the log cannot be read to make sure.
    std::uint32_t FreshId() const;
    void RepairRepeatedIds();
    // Readies the log for appending, once per object; false: leave it be.
    bool PrepareLog();
    bool PurgeEventsLocked(const char* name);  // the caller holds the lock
    // Takes the data folder's lock; null (and the teacher told) when
    // another process keeps it too long.
    std::unique_ptr<platform::FileLock> Lock();

    std::string registryPath_, logPath_, tempPath_, reportPath_, lockPath_;
    int payloadSize_;
    bool registryDamaged_ = false;  // set aside before the next save
    bool registryBlocked_ = false;  // exists but cannot be read: never written
    int logState_ = 0;  // 0 not looked at, 1 ready, -1 not ours
    bool appendFailed_ = false;
    int currentUser_ = 0;
    int storedCount_ = 0;
};

// Finds a profile by name; when found, the name as given becomes the current
// user's name and the stored settings the current settings.
bool LoadProfileByName(const std::string& name);

std::string CurrentDateText();
std::string CurrentTimeText();
