#pragma once
// The ten best scores: a 240-byte file of ten 24-byte entries, best first;
// names are stored with the two halves of each byte swapped.

#include <cstdint>
#include <string>

struct TopTenEntry {
    char name[20] = {};
    std::uint32_t score = 0;
};

// Where the top ten is kept: the data folder, which is the user's own when
// the program folder cannot be written.
std::string TopTenPath();

class TopTenTable {
public:
    static constexpr int kEntries = 10;
    static constexpr int kFileSize = 240;

    // Reads the file; a missing or short file is written anew as an empty
    // table (when the folder lets it). One that exists but cannot be read
    // is shown empty and left alone.
    void Open(const std::string& path);
    bool Save(const std::string& path) const;
    // 1..10: where the score belongs (an equal score ranks below); 11 when
    // it does not enter.
    int Rank(std::uint32_t score) const;
    // Puts the entry at the row, moving the rows below down one place.
    void Insert(int row, const char* name, std::uint32_t score);

    TopTenEntry entries[kEntries];

    static unsigned char SwapNibbles(unsigned char b) { return static_cast<unsigned char>((b << 4) | (b >> 4)); }
};
