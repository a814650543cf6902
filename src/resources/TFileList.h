#pragma once
// The names found in a folder, filtered by extension and shaped for display,
// in the order the folder listing gives them.

#include "base/TStringList.h"

#include <string>

class TFileList : public TStringList {
public:
    static constexpr int kFolders = 0x01;
    static constexpr int kFiles = 0x02;            // folder names then end with "\"
    static constexpr int kUnderscoreAsSpace = 0x20;
    static constexpr int kCutAtFirstDot = 0x40;

    TFileList() = default;
    TFileList(const char* folder, const char* extension, int flags);

    // Appends the matching names of the folder; returns how many entries were
    // looked at, matching or not.
    int Scan(const char* folder, const char* extension, int flags);
    const std::string& Filter() const { return filter_; }

private:
    std::string filter_;
};
