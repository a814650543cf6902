// Turns a UTF-8 text source into the program's text form: Latin-1 with CR LF
// line ends (exercise files, help pages).
//
//   quoli-text SOURCE OUT
//
// A character outside Latin-1 is refused with the file and line.

#include "platform/Paths.h"

#include <fstream>
#include <iostream>
#include <string>

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::cerr << "usage: quoli-text SOURCE OUT\n";
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    if (!in) {
        std::cerr << argv[1] << ": cannot read\n";
        return 1;
    }
    std::string out;
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        std::string latin1;
        if (!platform::Utf8ToLatin1(line, latin1)) {
            std::cerr << argv[1] << ":" << number << ": a character outside Latin-1 (or bytes that are not UTF-8)\n";
            return 1;
        }
        out += latin1 + "\r\n";
    }
    std::ofstream file(argv[2], std::ios::binary | std::ios::trunc);
    file << out;
    return file ? 0 : 1;
}
