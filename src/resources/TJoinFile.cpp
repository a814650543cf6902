#include "resources/TJoinFile.h"

#include "platform/Files.h"
#include "resources/LittleEndian.h"
#include "resources/RunLength.h"

#include <cstring>
#include <memory>
#include <vector>

const char TJoinFile::kMagic[16] = "Velmorana data.";

TJoinFile::TJoinFile(std::string fileName) : fileName_(std::move(fileName)) {}

namespace {

long long SizeOf(std::FILE* file)
{
    if (std::fseek(file, 0, SEEK_END) != 0)
        return -1;
    long size = std::ftell(file);
    std::rewind(file);
    return size;
}

}  // namespace

int TJoinFile::LoadDirectory()
{
    Clear();
    platform::FilePtr file = platform::OpenFile(fileName_, "rb");
    if (!file)
        return 0;
    long long fileSize = SizeOf(file.get());
    if (fileSize < kHeaderSize || std::fread(header_, 1, kHeaderSize, file.get()) != kHeaderSize)
        return 0;
    if (std::memcmp(header_, kMagic, sizeof kMagic) != 0)
        return 0;
    std::uint32_t count = GetLE32(header_ + 16);
    // A count the file cannot hold marks a damaged archive: keep nothing.
    long long directoryBytes = static_cast<long long>(count) * TJoinElement::kEntrySize;
    if (directoryBytes > fileSize - kHeaderSize)
        return 0;
    std::vector<unsigned char> directory(static_cast<std::size_t>(directoryBytes));
    if (std::fread(directory.data(), 1, directory.size(), file.get()) != directory.size())
        return 0;
    for (std::uint32_t i = 0; i < count; ++i) {
        const unsigned char* p = directory.data() + i * TJoinElement::kEntrySize;
        auto* entry = new TJoinElement;
        entry->type = GetLE16(p);
        entry->tag = GetLE16(p + 2);
        entry->offset = GetLE32(p + 4);
        entry->unpackedSize = GetLE32(p + 8);
        entry->packedSize = GetLE32(p + 12);
        entry->nameLength = p[16];
        std::memcpy(entry->name, p + 17, 15);
        entry->name[14] = 0;
        Append(entry);
    }
    return Count();
}

TJoinElement* TJoinFile::Entry(int index) const
{
    return static_cast<TJoinElement*>(At(index));
}

int TJoinFile::FindType(int type) const
{
    int index = 0;
    for (TElement* e = First(); e; e = e->Next(), ++index)
        if (static_cast<TJoinElement*>(e)->type == type)
            return index;
    return -1;
}

unsigned char* TJoinFile::LoadEntry(int index)
{
    TJoinElement* entry = Entry(index);
    if (!entry)
        return nullptr;
    platform::FilePtr file = platform::OpenFile(fileName_, "rb");
    if (!file)
        return nullptr;
    entry->Release();

    long long fileSize = SizeOf(file.get());
    long long end = static_cast<long long>(entry->offset) + entry->StoredSize();
    if (fileSize < 0 || end > fileSize)
        return nullptr;
    if (entry->IsPacked() && entry->unpackedSize > MaxExpandedSize(entry->packedSize))
        return nullptr;
    if (std::fseek(file.get(), static_cast<long>(entry->offset), SEEK_SET) != 0)
        return nullptr;

    std::unique_ptr<unsigned char[]> buffer(new unsigned char[entry->unpackedSize ? entry->unpackedSize : 1]);
    if (!entry->IsPacked()) {
        if (std::fread(buffer.get(), 1, entry->unpackedSize, file.get()) != entry->unpackedSize)
            return nullptr;
    } else {
        std::vector<unsigned char> packed(entry->packedSize);
        if (std::fread(packed.data(), 1, packed.size(), file.get()) != packed.size())
            return nullptr;
        if (!ExpandRunLength(packed.data(), packed.size(), buffer.get(), entry->unpackedSize))
            return nullptr;
    }
    entry->AdoptData(std::move(buffer), entry->unpackedSize);
    return entry->Data();
}

int TJoinFile::IndexOf(int type, int number) const
{
    // A missing type yields nothing, not an entry counted from -1.
    int base = FindType(type);
    if (base < 0 || number < 0)
        return -1;
    return base + number;
}

unsigned char* TJoinFile::LoadData(int type, int number)
{
    return LoadEntry(IndexOf(type, number));
}

TJoinElement* TJoinFile::LoadItem(int type, int number)
{
    int index = IndexOf(type, number);
    return LoadEntry(index) ? Entry(index) : nullptr;
}

void TJoinFile::Release(TJoinElement* entry)
{
    if (entry)
        entry->Release();
}
