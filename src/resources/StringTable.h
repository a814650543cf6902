#pragma once
// The table of every user-visible text: a count, a sorted index of
// (section << 16 | number, offset) pairs and the zero-terminated texts, all in
// one block read at start-up. Lookups return pointers into the block.

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

class TStringTable {
public:
    // Takes the block; null when it is damaged (an index or an offset outside
    // the block, or a last text without its terminator).
    static std::unique_ptr<TStringTable> FromBytes(std::vector<unsigned char> block);
    // The texts, keyed by section << 16 | number, as a table file's bytes.
    static std::vector<unsigned char> Encode(const std::map<std::uint32_t, std::string>& texts);

    static std::uint32_t Key(int section, int number)
    {
        return (static_cast<std::uint32_t>(section) << 16) | (static_cast<std::uint32_t>(number) & 0xFFFF);
    }

    // The text of the entry, or the empty text; never null.
    const char* Get(int section, int number) const;
    std::uint32_t Count() const { return count_; }
    std::uint32_t KeyAt(std::uint32_t index) const;
    const char* TextAtIndex(std::uint32_t index) const;

private:
    explicit TStringTable(std::vector<unsigned char> block, std::uint32_t count)
        : block_(std::move(block)), count_(count) {}

    std::vector<unsigned char> block_;
    std::uint32_t count_;
};

// Reads the table file; null when it cannot be read or is damaged.
std::unique_ptr<TStringTable> LoadStringTable(const std::string& fileName);

// The table GetString consults; the application installs it at start-up.
void InstallStringTable(const TStringTable* table);
// The text of entry section/number, or the empty text.
const char* GetString(int section, int number);
