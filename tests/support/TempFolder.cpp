#include "support/TempFolder.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace fs = std::filesystem;

TempFolder::TempFolder()
{
    std::string pattern = (fs::temp_directory_path() / "quoli-test-XXXXXX").string();
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back(0);
    if (!::mkdtemp(buffer.data()))
        throw std::runtime_error("mkdtemp failed");
    path_ = buffer.data();
}

TempFolder::~TempFolder()
{
    std::error_code ignored;
    // Folders a test made read-only must become writable again to be removed.
    for (auto it = fs::recursive_directory_iterator(path_, ignored); it != fs::recursive_directory_iterator();
         it.increment(ignored))
        if (it->is_directory(ignored))
            fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ignored);
    fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ignored);
    fs::remove_all(path_, ignored);
}

void TempFolder::Write(const std::string& name, const std::string& bytes) const
{
    std::ofstream out(*this / name, std::ios::binary | std::ios::trunc);
    out << bytes;
}

void TempFolder::Write(const std::string& name, const std::vector<unsigned char>& bytes) const
{
    Write(name, std::string(bytes.begin(), bytes.end()));
}

std::string TempFolder::Read(const std::string& name) const
{
    return ReadBinaryFile(*this / name);
}

void TempFolder::MakeFolder(const std::string& name) const
{
    fs::create_directories(*this / name);
}

std::vector<std::string> TempFolder::List(const std::string& name) const
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(name.empty() ? path_ : *this / name))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::string ReadBinaryFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

ScopedCurrentFolder::ScopedCurrentFolder(const std::string& folder)
{
    previous_ = fs::current_path().string();
    fs::current_path(folder);
}

ScopedCurrentFolder::~ScopedCurrentFolder()
{
    std::error_code ignored;
    fs::current_path(previous_, ignored);
}
