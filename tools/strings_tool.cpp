// Compiles and lists the string table.
//
//   quoli-strings build -o OUT SOURCE...
//   quoli-strings list TABLE
//
// A source line is "section/number<TAB>text" in UTF-8; a line that starts
// with a TAB continues the text above on a new line; '#' starts a comment
// line. Texts are stored in Latin-1. The listing prints the same format, so a
// listed table compiles back to the same bytes.

#include "platform/Paths.h"
#include "resources/StringTable.h"

#include <fstream>
#include <iostream>
#include <map>
#include <string>
#include <vector>

namespace {

bool ParseKey(const std::string& text, std::uint32_t& key)
{
    std::size_t slash = text.find('/');
    if (slash == std::string::npos)
        return false;
    std::string section = text.substr(0, slash);
    std::string number = text.substr(slash + 1);
    for (const std::string* part : {&section, &number})
        if (part->empty() || part->size() > 5 || part->find_first_not_of("0123456789") != std::string::npos)
            return false;
    unsigned long s = std::stoul(section);
    unsigned long n = std::stoul(number);
    if (s > 0xFFFF || n > 0xFFFF)
        return false;
    key = TStringTable::Key(static_cast<int>(s), static_cast<int>(n));
    return true;
}

struct Origin {
    std::string file;
    int line;
};

bool Compile(const std::string& path, std::map<std::uint32_t, std::string>& texts,
             std::map<std::uint32_t, Origin>& origins)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        std::cerr << path << ": cannot read\n";
        return false;
    }
    std::string line;
    std::uint32_t lastKey = 0;
    bool haveLast = false;
    for (int number = 1; std::getline(in, line); ++number) {
        std::string where = path + ":" + std::to_string(number) + ": ";
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty() || line[0] == '#')
            continue;
        std::string utf8;
        bool continuation = line[0] == '\t';
        std::uint32_t key = 0;
        if (continuation) {
            if (!haveLast) {
                std::cerr << where << "continuation line without a text above it\n";
                return false;
            }
            key = lastKey;
            utf8 = line.substr(1);
        } else {
            std::size_t tab = line.find('\t');
            if (tab == std::string::npos || !ParseKey(line.substr(0, tab), key)) {
                std::cerr << where << "expected section/number, a TAB and the text\n";
                return false;
            }
            if (auto seen = origins.find(key); seen != origins.end()) {
                std::cerr << where << "duplicate key " << line.substr(0, tab) << " (first at "
                          << seen->second.file << ":" << seen->second.line << ")\n";
                return false;
            }
            utf8 = line.substr(tab + 1);
        }
        std::string latin1;
        if (!platform::Utf8ToLatin1(utf8, latin1)) {
            std::cerr << where << "a character outside Latin-1 (or bytes that are not UTF-8)\n";
            return false;
        }
        if (continuation) {
            texts[key] += "\n" + latin1;
        } else {
            texts[key] = latin1;
            origins[key] = {path, number};
            lastKey = key;
            haveLast = true;
        }
    }
    return true;
}

int Build(int argc, char** argv)
{
    std::string output;
    std::vector<std::string> sources;
    for (int i = 2; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "-o" && i + 1 < argc)
            output = argv[++i];
        else
            sources.push_back(arg);
    }
    if (output.empty() || sources.empty()) {
        std::cerr << "usage: quoli-strings build -o OUT SOURCE...\n";
        return 2;
    }
    std::map<std::uint32_t, std::string> texts;
    std::map<std::uint32_t, Origin> origins;
    for (const std::string& source : sources)
        if (!Compile(source, texts, origins))
            return 1;
    std::vector<unsigned char> bytes = TStringTable::Encode(texts);
    std::ofstream out(output, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        std::cerr << output << ": cannot write\n";
        return 1;
    }
    return 0;
}

int List(const char* path)
{
    std::unique_ptr<TStringTable> table = LoadStringTable(path);
    if (!table) {
        std::cerr << path << ": not a string table, or damaged\n";
        return 1;
    }
    for (std::uint32_t i = 0; i < table->Count(); ++i) {
        std::uint32_t key = table->KeyAt(i);
        std::string text = platform::Latin1ToUtf8(table->TextAtIndex(i));
        std::string shown;
        for (char c : text)
            shown += (c == '\n') ? std::string("\n\t") : std::string(1, c);
        std::cout << (key >> 16) << "/" << (key & 0xFFFF) << "\t" << shown << "\n";
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    std::string verb = argc > 1 ? argv[1] : "";
    if (verb == "build")
        return Build(argc, argv);
    if (verb == "list" && argc == 3)
        return List(argv[2]);
    std::cerr << "usage: quoli-strings build -o OUT SOURCE...\n"
                 "       quoli-strings list TABLE\n";
    return 2;
}
