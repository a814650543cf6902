#include "support/ArchiveBytes.h"

#include <cstring>

namespace {

void Put16(std::vector<unsigned char>& out, std::uint32_t v)
{
    out.push_back(static_cast<unsigned char>(v));
    out.push_back(static_cast<unsigned char>(v >> 8));
}

void Put32(std::vector<unsigned char>& out, std::uint32_t v)
{
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

}  // namespace

std::vector<unsigned char> ArchiveBytes(const std::vector<ArchiveEntrySpec>& entries, std::uint32_t countShift)
{
    const char magic[16] = "Velmorana data.";
    std::vector<unsigned char> out(magic, magic + 16);
    auto count = static_cast<std::uint32_t>(entries.size());
    Put32(out, count + countShift);
    Put32(out, 1);
    Put32(out, 32);
    Put32(out, count * 32);
    std::uint32_t offset = 32 + count * 32;
    for (const auto& e : entries) {
        Put16(out, e.type);
        Put16(out, 0);
        Put32(out, offset + e.offsetShift);
        Put32(out, e.unpackedSize);
        Put32(out, e.packedSize);
        out.push_back(static_cast<unsigned char>(e.name.size()));
        char name[15] = {};
        std::memcpy(name, e.name.data(), e.name.size() < 15 ? e.name.size() : 15);
        out.insert(out.end(), name, name + 15);
        offset += static_cast<std::uint32_t>(e.stored.size());
    }
    for (const auto& e : entries)
        out.insert(out.end(), e.stored.begin(), e.stored.end());
    return out;
}

ArchiveEntrySpec RawEntry(std::uint16_t type, const std::string& text)
{
    return ArchiveEntrySpec{type, text, static_cast<std::uint32_t>(text.size())};
}
