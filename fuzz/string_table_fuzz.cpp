// String-table validation and lookups on hostile bytes.

#include "resources/StringTable.h"

#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    auto table = TStringTable::FromBytes(std::vector<unsigned char>(data, data + size));
    if (!table)
        return 0;
    volatile std::size_t total = 0;
    for (std::uint32_t i = 0; i < table->Count() && i < 4096; ++i) {
        std::uint32_t key = table->KeyAt(i);
        total = total + std::strlen(table->Get(static_cast<int>(key >> 16), static_cast<int>(key & 0xFFFF)));
        total = total + std::strlen(table->TextAtIndex(i));
    }
    total = total + std::strlen(table->Get(0, 1)) + std::strlen(table->Get(65535, 65535));
    return 0;
}
