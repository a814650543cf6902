// The INI reader on hostile files.

#include "FuzzFile.h"
#include "resources/IniFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string path = WriteFuzzFile("ini", data, size);
    const char* sections[] = {"global", "", nullptr, "GLOBAL"};
    const char* keys[] = {"RESOLUTION", "FULLSCREEN", "AUDIO", ""};
    for (const char* section : sections)
        for (const char* key : keys)
            GetValue(path.c_str(), section, key, "1");
    return 0;
}
