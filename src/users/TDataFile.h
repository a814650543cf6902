#pragma once
// The profiles (one registry file, rewritten whole) and the results (one
// event log shared by every user, appended to). Each object reloads the
// registry when built; callers make one per operation, the game one per game.

#include "base/TList.h"

#include <cstdint>
#include <functional>
#include <string>

class TStringList;

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

    void LoadRegistry();
    bool SaveRegistry() const;

    // The record of the name (ignoring ASCII case), or null.
    TElement* Find(const char* name) const;
    const unsigned char* PayloadOf(const char* name) const;
    void AddUser(const char* name, const unsigned char* payload);
    void UpdateUser(const char* name, const unsigned char* payload);
    void RemoveUser(const char* name);
    int SelectUser(const char* name);
    void ForEachName(TStringList& names) const;

    void RecordEvent(int kind, const void* data, int size);
    void RecordText(int kind, const char* text);

    // Writes one user's report; true when any event of theirs was found.
    bool ExportReport(const char* name, const EventFormatter& formatter, int mode);
    void PurgeEvents(const char* name);

    static std::int32_t IdOf(const TElement* record);
    static const char* NameOf(const TElement* record);

    const std::string& RegistryPath() const { return registryPath_; }
    const std::string& LogPath() const { return logPath_; }
    const std::string& ReportPath() const { return reportPath_; }
    int CurrentUser() const { return currentUser_; }
    bool recordingEnabled = true;

private:
    std::string registryPath_, logPath_, tempPath_, reportPath_;
    int payloadSize_;
    int currentUser_ = 0;
    int storedCount_ = 0;
};

// Finds a profile by name; when found, the name as given becomes the current
// user's name and the stored settings the current settings.
bool LoadProfileByName(const std::string& name);

std::string CurrentDateText();
std::string CurrentTimeText();
