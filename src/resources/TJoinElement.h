#pragma once
// One directory entry of a resource archive. Its data, once loaded, is the
// element's own data buffer.

#include "base/TElement.h"

#include <cstdint>

class TJoinElement : public TElement {
public:
    static constexpr int kEntrySize = 32;
    static constexpr int kMaxNameLength = 14;

    std::uint16_t type = 0;
    std::uint16_t tag = 0;
    std::uint32_t offset = 0;
    std::uint32_t unpackedSize = 0;
    std::uint32_t packedSize = 0;  // 0: stored raw
    std::uint8_t nameLength = 0;
    char name[15] = {};

    bool IsPacked() const { return packedSize != 0; }
    // The bytes read from disk for this entry.
    std::uint32_t StoredSize() const { return IsPacked() ? packedSize : unpackedSize; }
};
