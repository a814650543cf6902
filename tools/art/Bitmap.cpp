#include "Bitmap.h"

#include "gfx/ColourTable.h"

#include <algorithm>
#include <fstream>
#include <map>

namespace {

void Put16(std::vector<unsigned char>& out, unsigned v)
{
    out.push_back(static_cast<unsigned char>(v & 0xFF));
    out.push_back(static_cast<unsigned char>((v >> 8) & 0xFF));
}

void Put32(std::vector<unsigned char>& out, unsigned v)
{
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

std::vector<unsigned char> Header(int width, int height, int bits, int paletteSize, unsigned imageBytes)
{
    std::vector<unsigned char> out;
    unsigned offset = 14 + 40 + static_cast<unsigned>(paletteSize) * 4;
    out.push_back('B');
    out.push_back('M');
    Put32(out, offset + imageBytes);
    Put32(out, 0);
    Put32(out, offset);
    Put32(out, 40);
    Put32(out, static_cast<unsigned>(width));
    Put32(out, static_cast<unsigned>(height));
    Put16(out, 1);
    Put16(out, static_cast<unsigned>(bits));
    Put32(out, 0);
    Put32(out, imageBytes);
    Put32(out, 2835);
    Put32(out, 2835);
    Put32(out, static_cast<unsigned>(paletteSize));
    Put32(out, 0);
    return out;
}

bool Save(const std::string& path, const std::vector<unsigned char>& bytes)
{
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(file);
}

int Distance(Rgb a, Rgb b)
{
    int dr = a.r - b.r, dg = a.g - b.g, db = a.b - b.b;
    return 3 * dr * dr + 4 * dg * dg + 2 * db * db;
}

}  // namespace

bool WriteBmp24(const std::string& path, const Picture& picture, Rgb matte)
{
    int rowBytes = (picture.width * 3 + 3) & ~3;
    auto bytes = Header(picture.width, picture.height, 24, 0, static_cast<unsigned>(rowBytes * picture.height));
    for (int y = picture.height - 1; y >= 0; --y) {
        for (int x = 0; x < picture.width; ++x) {
            const Pixel& p = picture.pixels[static_cast<std::size_t>(y) * picture.width + x];
            auto mix = [&](int c, int m) { return static_cast<unsigned char>((c * p.alpha + m * (255 - p.alpha)) / 255); };
            bytes.push_back(mix(p.colour.b, matte.b));
            bytes.push_back(mix(p.colour.g, matte.g));
            bytes.push_back(mix(p.colour.r, matte.r));
        }
        for (int pad = picture.width * 3; pad < rowBytes; ++pad)
            bytes.push_back(0);
    }
    return Save(path, bytes);
}

bool WriteBmp8(const std::string& path, const Picture& picture, const std::vector<Rgb>& palette,
               int transparentIndex)
{
    int rowBytes = (picture.width + 3) & ~3;
    auto bytes = Header(picture.width, picture.height, 8, 256, static_cast<unsigned>(rowBytes * picture.height));
    for (int i = 0; i < 256; ++i) {
        Rgb c = i < static_cast<int>(palette.size()) ? palette[i] : Rgb{};
        bytes.push_back(c.b);
        bytes.push_back(c.g);
        bytes.push_back(c.r);
        bytes.push_back(0);
    }
    std::map<unsigned, unsigned char> nearest;
    for (int y = picture.height - 1; y >= 0; --y) {
        for (int x = 0; x < picture.width; ++x) {
            const Pixel& p = picture.pixels[static_cast<std::size_t>(y) * picture.width + x];
            if (p.alpha < 128) {
                bytes.push_back(static_cast<unsigned char>(transparentIndex));
                continue;
            }
            unsigned key = (p.colour.r << 16) | (p.colour.g << 8) | p.colour.b;
            auto found = nearest.find(key);
            if (found == nearest.end()) {
                int best = -1, bestDistance = 0;
                for (int i = 0; i < static_cast<int>(palette.size()) && i < 256; ++i) {
                    if (i == transparentIndex)
                        continue;
                    int d = Distance(p.colour, palette[i]);
                    if (best < 0 || d < bestDistance) {
                        best = i;
                        bestDistance = d;
                    }
                }
                found = nearest.emplace(key, static_cast<unsigned char>(best < 0 ? 0 : best)).first;
            }
            bytes.push_back(found->second);
        }
        for (int pad = picture.width; pad < rowBytes; ++pad)
            bytes.push_back(0);
    }
    return Save(path, bytes);
}

std::vector<Rgb> MedianCutPalette(const Picture& picture, int count)
{
    struct Entry {
        Rgb colour;
        unsigned weight;
    };
    std::map<unsigned, unsigned> histogram;
    for (const Pixel& p : picture.pixels)
        if (p.alpha >= 128)
            ++histogram[(p.colour.r << 16) | (p.colour.g << 8) | p.colour.b];
    std::vector<Entry> entries;
    for (auto [key, weight] : histogram)
        entries.push_back({{static_cast<std::uint8_t>(key >> 16), static_cast<std::uint8_t>(key >> 8),
                            static_cast<std::uint8_t>(key)}, weight});
    std::vector<std::vector<Entry>> boxes;
    if (!entries.empty())
        boxes.push_back(entries);
    auto channel = [](const Rgb& c, int k) { return k == 0 ? c.r : k == 1 ? c.g : c.b; };
    while (static_cast<int>(boxes.size()) < count) {
        int widest = -1, widestRange = 0, widestChannel = 0;
        for (int i = 0; i < static_cast<int>(boxes.size()); ++i) {
            if (boxes[i].size() < 2)
                continue;
            for (int k = 0; k < 3; ++k) {
                int lo = 255, hi = 0;
                for (const Entry& e : boxes[i]) {
                    lo = std::min<int>(lo, channel(e.colour, k));
                    hi = std::max<int>(hi, channel(e.colour, k));
                }
                if (hi - lo > widestRange) {
                    widest = i;
                    widestRange = hi - lo;
                    widestChannel = k;
                }
            }
        }
        if (widest < 0)
            break;
        auto& box = boxes[widest];
        std::sort(box.begin(), box.end(), [&](const Entry& a, const Entry& b) {
            return channel(a.colour, widestChannel) < channel(b.colour, widestChannel);
        });
        unsigned total = 0, half = 0;
        for (const Entry& e : box)
            total += e.weight;
        std::size_t cut = 1;
        for (; cut < box.size(); ++cut) {
            half += box[cut - 1].weight;
            if (half * 2 >= total)
                break;
        }
        cut = std::min(std::max<std::size_t>(cut, 1), box.size() - 1);
        std::vector<Entry> upper(box.begin() + static_cast<long>(cut), box.end());
        box.resize(cut);
        boxes.push_back(std::move(upper));
    }
    std::vector<Rgb> palette;
    for (const auto& box : boxes) {
        unsigned long r = 0, g = 0, b = 0, w = 0;
        for (const Entry& e : box) {
            r += e.colour.r * static_cast<unsigned long>(e.weight);
            g += e.colour.g * static_cast<unsigned long>(e.weight);
            b += e.colour.b * static_cast<unsigned long>(e.weight);
            w += e.weight;
        }
        palette.push_back({static_cast<std::uint8_t>(r / w), static_cast<std::uint8_t>(g / w),
                           static_cast<std::uint8_t>(b / w)});
    }
    return palette;
}

std::vector<Rgb> ProgramPalette()
{
    std::vector<Rgb> palette;
    for (const NamedColour& c : kColourTable)
        palette.push_back({c.r, c.g, c.b});
    for (int r = 0; r < 6; ++r)
        for (int g = 0; g < 6; ++g)
            for (int b = 0; b < 6; ++b)
                palette.push_back({static_cast<std::uint8_t>(r * 51), static_cast<std::uint8_t>(g * 51),
                                   static_cast<std::uint8_t>(b * 51)});
    for (int i = 0; palette.size() < 256; ++i) {
        auto v = static_cast<std::uint8_t>(8 + i * 32);
        palette.push_back({v, v, v});
    }
    return palette;
}

namespace {

std::uint32_t Crc32(const unsigned char* data, std::size_t size, std::uint32_t crc = 0)
{
    crc = ~crc;
    for (std::size_t i = 0; i < size; ++i) {
        crc ^= data[i];
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

void PutBE32(std::vector<unsigned char>& out, std::uint32_t v)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<unsigned char>(v >> shift));
}

void Chunk(std::vector<unsigned char>& png, const char* type, const std::vector<unsigned char>& data)
{
    PutBE32(png, static_cast<std::uint32_t>(data.size()));
    std::vector<unsigned char> body(type, type + 4);
    body.insert(body.end(), data.begin(), data.end());
    png.insert(png.end(), body.begin(), body.end());
    PutBE32(png, Crc32(body.data(), body.size()));
}

}  // namespace

bool WritePng(const std::string& path, const Picture& picture)
{
    std::vector<unsigned char> raw;  // each row: filter 0, then RGBA
    for (int y = 0; y < picture.height; ++y) {
        raw.push_back(0);
        for (int x = 0; x < picture.width; ++x) {
            const Pixel& p = picture.pixels[static_cast<std::size_t>(y) * picture.width + x];
            raw.insert(raw.end(), {p.colour.r, p.colour.g, p.colour.b, p.alpha});
        }
    }
    std::vector<unsigned char> zlib{0x78, 0x01};
    std::uint32_t a = 1, b = 0;
    for (unsigned char c : raw) {
        a = (a + c) % 65521;
        b = (b + a) % 65521;
    }
    for (std::size_t at = 0; at < raw.size() || at == 0; at += 65535) {
        std::size_t n = std::min<std::size_t>(65535, raw.size() - at);
        bool last = at + n >= raw.size();
        zlib.push_back(last ? 1 : 0);
        zlib.insert(zlib.end(), {static_cast<unsigned char>(n), static_cast<unsigned char>(n >> 8),
                                 static_cast<unsigned char>(~n), static_cast<unsigned char>(~n >> 8)});
        zlib.insert(zlib.end(), raw.begin() + static_cast<long>(at), raw.begin() + static_cast<long>(at + n));
        if (last)
            break;
    }
    PutBE32(zlib, (b << 16) | a);
    std::vector<unsigned char> png{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<unsigned char> header;
    PutBE32(header, static_cast<std::uint32_t>(picture.width));
    PutBE32(header, static_cast<std::uint32_t>(picture.height));
    header.insert(header.end(), {8, 6, 0, 0, 0});  // 8 bits, RGBA
    Chunk(png, "IHDR", header);
    Chunk(png, "IDAT", zlib);
    Chunk(png, "IEND", {});
    return Save(path, png);
}
