#include "resources/RunLength.h"

#include <cstring>

bool ExpandRunLength(const unsigned char* packed, std::size_t packedSize, unsigned char* out,
                     std::size_t outSize)
{
    std::size_t in = 0;
    std::size_t written = 0;
    bool ended = false;
    while (in < packedSize) {
        unsigned c = packed[in++];
        if (c == 0 || c == 128) {
            ended = true;
            break;
        }
        if (c < 128) {
            if (packedSize - in < c || outSize - written < c)
                return false;
            std::memcpy(out + written, packed + in, c);  // c >= 1, so out is a real buffer
            in += c;
            written += c;
        } else {
            std::size_t repeat = c - 128;
            if (in >= packedSize || outSize - written < repeat)
                return false;
            if (repeat > 0)
                std::memset(out + written, packed[in], repeat);
            ++in;
            written += repeat;
        }
    }
    // Without an end mark the stream must have filled the entry: it was cut.
    if (!ended && written < outSize)
        return false;
    if (written < outSize)
        std::memset(out + written, 0, outSize - written);
    return true;
}

std::vector<unsigned char> PackRunLength(const unsigned char* data, std::size_t size)
{
    std::vector<unsigned char> out;
    std::size_t i = 0;
    std::size_t literalStart = 0;
    auto flushLiterals = [&](std::size_t end) {
        while (literalStart < end) {
            std::size_t n = end - literalStart;
            if (n > 127)
                n = 127;
            out.push_back(static_cast<unsigned char>(n));
            out.insert(out.end(), data + literalStart, data + literalStart + n);
            literalStart += n;
        }
    };
    while (i < size) {
        std::size_t run = 1;
        while (i + run < size && run < 127 && data[i + run] == data[i])
            ++run;
        // A run of three or more is worth a repeat; shorter ones stay literal.
        if (run >= 3) {
            flushLiterals(i);
            out.push_back(static_cast<unsigned char>(128 + run));
            out.push_back(data[i]);
            i += run;
            literalStart = i;
        } else {
            i += run;
        }
    }
    flushLiterals(size);
    out.push_back(0);
    return out;
}

std::size_t MaxExpandedSize(std::size_t packedSize)
{
    // Two bytes (255, value) give 127 bytes; nothing expands more.
    return (packedSize / 2 + 1) * 127;
}
