#pragma once
// Reading and writing little-endian integers field by field. Readers take the
// bytes actually present and answer false instead of reading past them.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

inline std::uint16_t GetLE16(const unsigned char* p)
{
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

inline std::uint32_t GetLE32(const unsigned char* p)
{
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

inline void PutLE16(std::vector<unsigned char>& out, std::uint16_t v)
{
    out.push_back(static_cast<unsigned char>(v & 0xFF));
    out.push_back(static_cast<unsigned char>(v >> 8));
}

inline void PutLE32(std::vector<unsigned char>& out, std::uint32_t v)
{
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(static_cast<unsigned char>((v >> shift) & 0xFF));
}

// A bounds-checked cursor over a block of bytes.
class ByteReader {
public:
    ByteReader(const unsigned char* data, std::size_t size) : data_(data), size_(size) {}

    bool Read16(std::uint16_t& v)
    {
        if (Left() < 2)
            return false;
        v = GetLE16(data_ + pos_);
        pos_ += 2;
        return true;
    }
    bool Read32(std::uint32_t& v)
    {
        if (Left() < 4)
            return false;
        v = GetLE32(data_ + pos_);
        pos_ += 4;
        return true;
    }
    bool ReadBytes(void* out, std::size_t n);
    bool Skip(std::size_t n)
    {
        if (Left() < n)
            return false;
        pos_ += n;
        return true;
    }
    std::size_t Left() const { return size_ - pos_; }
    std::size_t Position() const { return pos_; }

private:
    const unsigned char* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

inline bool ByteReader::ReadBytes(void* out, std::size_t n)
{
    if (Left() < n)
        return false;
    auto* dst = static_cast<unsigned char*>(out);
    for (std::size_t i = 0; i < n; ++i)
        dst[i] = data_[pos_ + i];
    pos_ += n;
    return true;
}
