#include "resources/StringTable.h"

#include "platform/Files.h"
#include "resources/LittleEndian.h"

namespace {

const TStringTable* installedTable = nullptr;

}  // namespace

std::unique_ptr<TStringTable> TStringTable::FromBytes(std::vector<unsigned char> block)
{
    if (block.size() < 4)
        return nullptr;
    std::uint32_t count = GetLE32(block.data());
    std::uint64_t indexEnd = 4 + 8ull * count;
    if (indexEnd > block.size())
        return nullptr;
    for (std::uint32_t i = 0; i < count; ++i) {
        std::uint32_t offset = GetLE32(block.data() + 4 + 8 * i + 4);
        if (offset >= block.size())
            return nullptr;
    }
    // Every text then ends at the latest at the block's last byte.
    if (count > 0 && block.back() != 0)
        return nullptr;
    return std::unique_ptr<TStringTable>(new TStringTable(std::move(block), count));
}

std::vector<unsigned char> TStringTable::Encode(const std::map<std::uint32_t, std::string>& texts)
{
    std::vector<unsigned char> out;
    PutLE32(out, static_cast<std::uint32_t>(texts.size()));
    std::uint32_t offset = static_cast<std::uint32_t>(4 + 8 * texts.size());
    for (const auto& [key, text] : texts) {
        PutLE32(out, key);
        PutLE32(out, offset);
        offset += static_cast<std::uint32_t>(text.size() + 1);
    }
    for (const auto& entry : texts) {
        out.insert(out.end(), entry.second.begin(), entry.second.end());
        out.push_back(0);
    }
    return out;
}

std::uint32_t TStringTable::KeyAt(std::uint32_t index) const
{
    return index < count_ ? GetLE32(block_.data() + 4 + 8 * index) : 0;
}

const char* TStringTable::TextAtIndex(std::uint32_t index) const
{
    if (index >= count_)
        return "";
    return reinterpret_cast<const char*>(block_.data() + GetLE32(block_.data() + 4 + 8 * index + 4));
}

const char* TStringTable::Get(int section, int number) const
{
    std::uint32_t key = Key(section, number);
    std::uint32_t low = 0;
    std::uint32_t high = count_;
    while (low < high) {
        std::uint32_t middle = low + (high - low) / 2;
        std::uint32_t probe = KeyAt(middle);
        if (probe == key)
            return TextAtIndex(middle);
        if (probe < key)
            low = middle + 1;
        else
            high = middle;
    }
    return "";
}

std::unique_ptr<TStringTable> LoadStringTable(const std::string& fileName)
{
    std::vector<unsigned char> bytes;
    if (!platform::ReadWholeFile(fileName, bytes))
        return nullptr;
    return TStringTable::FromBytes(std::move(bytes));
}

void InstallStringTable(const TStringTable* table)
{
    installedTable = table;
}

const char* GetString(int section, int number)
{
    return installedTable ? installedTable->Get(section, number) : "";
}
