#pragma once
// A fresh folder under the system's temporary folder, removed with all its
// contents when the test ends; optionally the current folder meanwhile.

#include <string>
#include <vector>

class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& Path() const { return path_; }
    // `name` inside the folder, as a Linux path.
    std::string operator/(const std::string& name) const { return path_ + "/" + name; }

    void Write(const std::string& name, const std::string& bytes) const;
    void Write(const std::string& name, const std::vector<unsigned char>& bytes) const;
    std::string Read(const std::string& name) const;
    void MakeFolder(const std::string& name) const;
    // Entry names of a folder inside (or of the folder itself), sorted.
    std::vector<std::string> List(const std::string& name = "") const;

private:
    std::string path_;
};

// Makes a folder the current folder until the object goes away.
class ScopedCurrentFolder {
public:
    explicit ScopedCurrentFolder(const std::string& folder);
    ~ScopedCurrentFolder();

private:
    std::string previous_;
};

std::string ReadBinaryFile(const std::string& path);
