#pragma once
// What the targets that read user data share: a data folder of their own per
// process (removed at exit), a small string table with the entries those
// readers look up, and a check that stops the run when a property fails.

#include "resources/StringTable.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>
#include <unistd.h>
#include <vector>

// A failed property: libFuzzer saves the input as a finding.
#define FUZZ_CHECK(condition)                                                                   \
    do {                                                                                        \
        if (!(condition)) {                                                                     \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                       \
        }                                                                                       \
    } while (0)

namespace fuzz {

inline std::vector<std::string>& FoldersToRemove()
{
    static std::vector<std::string> folders;
    return folders;
}

// "/dev/shm/quoli-fuzz-<target>-<pid>/" (or under /tmp), made once and
// removed when the process ends normally.
inline const std::string& ScratchFolder(const char* target)
{
    static const std::string folder = [target] {
        std::string path = std::string(access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp") + "/quoli-fuzz-" +
                           target + "-" + std::to_string(getpid()) + "/";
        std::filesystem::create_directories(path);
        FoldersToRemove().push_back(path);
        std::atexit([] {
            std::error_code ignored;
            for (const std::string& f : FoldersToRemove())
                std::filesystem::remove_all(f, ignored);
        });
        return path;
    }();
    return folder;
}

// Every file of the folder removed, the folder kept.
inline void EmptyFolder(const std::string& folder)
{
    std::error_code ignored;
    for (const auto& entry : std::filesystem::directory_iterator(folder, ignored))
        std::filesystem::remove_all(entry.path(), ignored);
}

inline void WriteBytes(const std::string& path, const void* data, std::size_t size)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(static_cast<const char*>(data), static_cast<std::streamsize>(size));
}

inline bool ReadBytes(const std::string& path, std::vector<unsigned char>& bytes)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return true;
}

// The paths of the data files and the report's headings, as the shipped
// table has them (the headings' wording does not matter here).
inline void InstallStrings()
{
    static const auto table = TStringTable::FromBytes(TStringTable::Encode({
        {TStringTable::Key(3, 3), "DATA\\TOP10.DAT"},
        {TStringTable::Key(3, 5), "DATA\\ULTIMO.DAT"},
        {TStringTable::Key(8, 119), "~Tempo di caduta"},
        {TStringTable::Key(8, 120), "Tempo tra due ~parole"},
        {TStringTable::Key(12, 0), "Fine"},
        {TStringTable::Key(12, 1), "Data"},
        {TStringTable::Key(12, 2), "Esercizio"},
        {TStringTable::Key(12, 3), "Vita persa"},
        {TStringTable::Key(12, 4), "Vite"},
        {TStringTable::Key(12, 5), "Bonus preso"},
        {TStringTable::Key(12, 6), "Bonus perso"},
        {TStringTable::Key(12, 7), "Completato"},
    }));
    InstallStringTable(table.get());
}

}  // namespace fuzz
