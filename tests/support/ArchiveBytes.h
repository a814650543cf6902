#pragma once
// Writes archive files byte by byte for tests, damaged ones included.

#include <cstdint>
#include <string>
#include <vector>

struct ArchiveEntrySpec {
    std::uint16_t type;
    std::string stored;           // the bytes on disk (raw or packed)
    std::uint32_t unpackedSize;   // as written in the directory
    std::uint32_t packedSize = 0; // 0: raw
    std::string name = "entry";
    std::uint32_t offsetShift = 0; // added to the true offset, to damage it
};

// Header + directory + data; `countShift` is added to the written count.
std::vector<unsigned char> ArchiveBytes(const std::vector<ArchiveEntrySpec>& entries, std::uint32_t countShift = 0);

// A raw entry holding `text`.
ArchiveEntrySpec RawEntry(std::uint16_t type, const std::string& text);
