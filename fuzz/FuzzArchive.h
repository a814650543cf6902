#pragma once
// An archive of one raw entry holding a target's input, for the targets
// whose data the program takes from its archives.

#include "resources/TJoinFile.h"

#include <cstdint>
#include <cstring>
#include <vector>

namespace fuzz {

inline void Put32(std::vector<unsigned char>& out, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<unsigned char>(v >> (8 * i)));
}

// The entry is of `type`, number 0, named `name` (at most 15 characters).
inline std::vector<unsigned char> ArchiveOf(const std::uint8_t* bytes, std::size_t size, int type, const char* name)
{
    std::vector<unsigned char> out(TJoinFile::kMagic, TJoinFile::kMagic + 16);
    Put32(out, 1);
    Put32(out, 1);
    Put32(out, TJoinFile::kHeaderSize);
    Put32(out, TJoinElement::kEntrySize);
    Put32(out, static_cast<std::uint32_t>(type));  // type, then tag 0
    Put32(out, TJoinFile::kHeaderSize + TJoinElement::kEntrySize);
    Put32(out, static_cast<std::uint32_t>(size));
    Put32(out, 0);
    unsigned char field[16] = {};
    std::size_t length = std::strlen(name) < 15 ? std::strlen(name) : 15;
    field[0] = static_cast<unsigned char>(length);
    std::memcpy(field + 1, name, length);
    out.insert(out.end(), field, field + 16);
    out.insert(out.end(), bytes, bytes + size);
    return out;
}

}  // namespace fuzz
