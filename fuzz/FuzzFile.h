#pragma once
// The readers under test take file names, so each input is written to one
// scratch file per process first (in memory-backed /dev/shm when there is one).

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <unistd.h>

inline std::string WriteFuzzFile(const char* target, const std::uint8_t* data, std::size_t size)
{
    static const std::string path = std::string(access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp") +
                                    "/quoli-fuzz-" + target + "-" + std::to_string(getpid());
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (f) {
        if (size)
            std::fwrite(data, 1, size, f);
        std::fclose(f);
    }
    return path;
}
