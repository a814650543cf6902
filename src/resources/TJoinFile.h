#pragma once
// A resource archive: a 32-byte header, a directory of 32-byte entries and
// their data, raw or run-length packed. Entries are found by type and by
// position within their type; data is read from disk only when asked for.

#include "resources/TJoinElement.h"
#include "base/TList.h"

#include <string>

class TJoinFile : public TList {
public:
    static constexpr int kHeaderSize = 32;
    // "Velmorana data." and its terminating zero.
    static const char kMagic[16];

    explicit TJoinFile(std::string fileName);

    // Reads header and directory; the number of entries, 0 when the file is
    // missing, has the wrong magic or a directory the file cannot hold.
    int LoadDirectory();
    // Index of the first entry of the type in directory order, or -1.
    int FindType(int type) const;
    // Reads the entry's data into its buffer; null when the index is out of
    // range, the file cannot be read, or the entry's data is damaged.
    unsigned char* LoadEntry(int index);
    unsigned char* LoadData(int type, int number);
    // As LoadData, but the entry itself; release it with Release() when done.
    TJoinElement* LoadItem(int type, int number);
    static void Release(TJoinElement* entry);

    TJoinElement* Entry(int index) const;
    const std::string& FileName() const { return fileName_; }
    const unsigned char* Header() const { return header_; }

private:
    int IndexOf(int type, int number) const;

    std::string fileName_;
    unsigned char header_[kHeaderSize] = {};
};
