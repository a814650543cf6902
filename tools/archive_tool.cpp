// Builds, lists and unpacks resource archives.
//
//   quoli-archive build -o OUT [-I DIR]... MANIFEST
//   quoli-archive list ARCHIVE
//   quoli-archive extract ARCHIVE INDEX OUT
//
// A manifest line is "type tag name source", in directory order; '#' starts a
// comment line. Sources are looked for in each -I folder in turn, then beside
// the manifest. An entry is packed only when packing makes it smaller.

#include "resources/LittleEndian.h"
#include "resources/RunLength.h"
#include "resources/TJoinFile.h"

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Source {
    unsigned type = 0;
    unsigned tag = 0;
    std::string name;
    std::vector<unsigned char> data;
};

bool ReadFile(const std::string& path, std::vector<unsigned char>& out)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    out.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return true;
}

bool WriteFile(const std::string& path, const std::vector<unsigned char>& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

bool ParseNumber(const std::string& text, unsigned& value)
{
    if (text.empty() || text.size() > 5 || text.find_first_not_of("0123456789") != std::string::npos)
        return false;
    value = static_cast<unsigned>(std::stoul(text));
    return value <= 0xFFFF;
}

bool ReadManifest(const std::string& manifest, const std::vector<std::string>& folders,
                  std::vector<Source>& sources)
{
    std::ifstream in(manifest);
    if (!in) {
        std::cerr << manifest << ": cannot read\n";
        return false;
    }
    std::string here = manifest.substr(0, manifest.find_last_of('/') + 1);
    std::set<unsigned> closedTypes;
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        std::string where = manifest + ":" + std::to_string(number) + ": ";
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty() || line[0] == '#')
            continue;
        std::istringstream fields(line);
        std::string type, tag, name, file, extra;
        if (!(fields >> type >> tag >> name >> file) || (fields >> extra)) {
            std::cerr << where << "expected: type tag name source\n";
            return false;
        }
        Source source;
        if (!ParseNumber(type, source.type) || !ParseNumber(tag, source.tag)) {
            std::cerr << where << "type and tag are numbers from 0 to 65535\n";
            return false;
        }
        if (name.size() > TJoinElement::kMaxNameLength) {
            std::cerr << where << "name \"" << name << "\" is longer than 14 characters\n";
            return false;
        }
        // Lookups count entries from the first of a type: a type's entries
        // must stand together.
        if (!sources.empty() && sources.back().type != source.type) {
            closedTypes.insert(sources.back().type);
            if (closedTypes.count(source.type)) {
                std::cerr << where << "type " << source.type << " is split by other types\n";
                return false;
            }
        }
        source.name = name;
        std::vector<std::string> candidates;
        if (file[0] == '/')
            candidates.push_back(file);
        for (const std::string& folder : folders)
            candidates.push_back(folder + "/" + file);
        candidates.push_back(here + file);
        bool found = false;
        for (const std::string& candidate : candidates)
            if ((found = ReadFile(candidate, source.data)))
                break;
        if (!found) {
            std::cerr << where << "cannot read source " << file << "\n";
            return false;
        }
        sources.push_back(std::move(source));
    }
    return true;
}

std::vector<unsigned char> BuildArchive(const std::vector<Source>& sources)
{
    std::vector<std::vector<unsigned char>> stored;
    std::vector<bool> packed;
    for (const Source& s : sources) {
        std::vector<unsigned char> p = PackRunLength(s.data.data(), s.data.size());
        bool worth = p.size() < s.data.size();
        packed.push_back(worth);
        stored.push_back(worth ? std::move(p) : s.data);
    }
    std::vector<unsigned char> out(TJoinFile::kMagic, TJoinFile::kMagic + 16);
    auto count = static_cast<std::uint32_t>(sources.size());
    PutLE32(out, count);
    PutLE32(out, 1);
    PutLE32(out, TJoinElement::kEntrySize);
    PutLE32(out, count * TJoinElement::kEntrySize);
    std::uint32_t offset = TJoinFile::kHeaderSize + count * TJoinElement::kEntrySize;
    for (std::size_t i = 0; i < sources.size(); ++i) {
        const Source& s = sources[i];
        PutLE16(out, static_cast<std::uint16_t>(s.type));
        PutLE16(out, static_cast<std::uint16_t>(s.tag));
        PutLE32(out, offset);
        PutLE32(out, static_cast<std::uint32_t>(s.data.size()));
        PutLE32(out, packed[i] ? static_cast<std::uint32_t>(stored[i].size()) : 0);
        out.push_back(static_cast<unsigned char>(s.name.size()));
        char name[15] = {};
        std::memcpy(name, s.name.data(), s.name.size());
        out.insert(out.end(), name, name + 15);
        offset += static_cast<std::uint32_t>(stored[i].size());
    }
    for (const auto& bytes : stored)
        out.insert(out.end(), bytes.begin(), bytes.end());
    return out;
}

int Build(int argc, char** argv)
{
    std::string output, manifest;
    std::vector<std::string> folders;
    for (int i = 2; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "-o" && i + 1 < argc)
            output = argv[++i];
        else if (arg == "-I" && i + 1 < argc)
            folders.push_back(argv[++i]);
        else
            manifest = arg;
    }
    if (output.empty() || manifest.empty()) {
        std::cerr << "usage: quoli-archive build -o OUT [-I DIR]... MANIFEST\n";
        return 2;
    }
    std::vector<Source> sources;
    if (!ReadManifest(manifest, folders, sources))
        return 1;
    if (!WriteFile(output, BuildArchive(sources))) {
        std::cerr << output << ": cannot write\n";
        return 1;
    }
    return 0;
}

bool Open(const char* path, TJoinFile& archive)
{
    if (archive.LoadDirectory() > 0)
        return true;
    std::cerr << path << ": not an archive, damaged, or empty\n";
    return false;
}

int List(const char* path)
{
    TJoinFile archive(path);
    if (!Open(path, archive))
        return 1;
    std::printf("index type number tag name            size  packed  offset\n");
    int number = 0;
    for (int i = 0; i < archive.Count(); ++i) {
        TJoinElement* e = archive.Entry(i);
        number = (i > 0 && archive.Entry(i - 1)->type == e->type) ? number + 1 : 0;
        std::printf("%5d %4u %6d %3u %-14s %7u %7u %7u\n", i, e->type, number, e->tag, e->name,
                    e->unpackedSize, e->packedSize, e->offset);
    }
    return 0;
}

int Extract(const char* path, const char* index, const char* output)
{
    TJoinFile archive(path);
    if (!Open(path, archive))
        return 1;
    int i = std::atoi(index);
    unsigned char* data = archive.LoadEntry(i);
    if (!data) {
        std::cerr << path << ": entry " << index << " is missing or damaged\n";
        return 1;
    }
    std::vector<unsigned char> bytes(data, data + archive.Entry(i)->DataLength());
    return WriteFile(output, bytes) ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv)
{
    std::string verb = argc > 1 ? argv[1] : "";
    if (verb == "build")
        return Build(argc, argv);
    if (verb == "list" && argc == 3)
        return List(argv[2]);
    if (verb == "extract" && argc == 5)
        return Extract(argv[2], argv[3], argv[4]);
    std::cerr << "usage: quoli-archive build -o OUT [-I DIR]... MANIFEST\n"
                 "       quoli-archive list ARCHIVE\n"
                 "       quoli-archive extract ARCHIVE INDEX OUT\n";
    return 2;
}
