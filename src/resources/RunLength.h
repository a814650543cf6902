#pragma once
// The archive's run-length packing. A control byte c starts each run:
// 0 ends the data; 1..127 copies the next c bytes; 128 and above repeats the
// next byte c - 128 times, and 128 itself also ends the data.

#include <cstddef>
#include <vector>

// Expands `packed` into exactly `outSize` bytes at `out`. Fails when the
// stream would write past `outSize` or a run is cut off by the end of the
// packed bytes; a stream that ends early leaves the rest zeroed.
bool ExpandRunLength(const unsigned char* packed, std::size_t packedSize, unsigned char* out,
                     std::size_t outSize);

// Packs `data`, ending with the zero control byte.
std::vector<unsigned char> PackRunLength(const unsigned char* data, std::size_t size);

// The most bytes a packed stream of `packedSize` bytes can expand to.
std::size_t MaxExpandedSize(std::size_t packedSize);
