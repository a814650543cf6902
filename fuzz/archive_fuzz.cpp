// Archive directory and entry expansion on hostile bytes.

#include "FuzzFile.h"
#include "resources/RunLength.h"
#include "resources/TJoinFile.h"

#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    TJoinFile archive(WriteFuzzFile("archive", data, size));
    int count = archive.LoadDirectory();
    for (int i = 0; i < count && i < 64; ++i) {
        if (unsigned char* bytes = archive.LoadEntry(i)) {
            // Touch every byte so a short buffer shows up.
            volatile unsigned sum = 0;
            for (std::size_t j = 0; j < archive.Entry(i)->DataLength(); ++j)
                sum = sum + bytes[j];
        }
    }
    if (count > 0) {
        archive.LoadData(archive.Entry(0)->type, count);
        archive.LoadItem(archive.Entry(count - 1)->type, 1);
    }

    // The expansion on its own, with the first two bytes as the wanted size.
    if (size >= 2) {
        std::vector<unsigned char> out(static_cast<std::size_t>(data[0] | (data[1] << 8)));
        ExpandRunLength(data + 2, size - 2, out.data(), out.size());
    }
    return 0;
}
