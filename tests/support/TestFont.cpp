#include "support/TestFont.h"

std::vector<unsigned char> SolidBitmapFont(int first, const std::vector<int>& widths, int height)
{
    std::vector<unsigned char> area;
    std::vector<int> offsets;
    for (int w : widths) {
        offsets.push_back(static_cast<int>(area.size()));
        area.push_back(static_cast<unsigned char>(w));
        for (int row = 0; row < height; ++row)
            for (int b = 0; b < (w + 7) / 8; ++b)
                area.push_back(0xFF);
    }
    std::vector<unsigned char> font = {0xB4, 0xF7, 0, 0, 0, 0, 1, static_cast<unsigned char>(first),
                                       static_cast<unsigned char>(widths.size()), 0,
                                       static_cast<unsigned char>(height), static_cast<unsigned char>(height)};
    for (int o : offsets) {
        font.push_back(static_cast<unsigned char>(o & 0xFF));
        font.push_back(static_cast<unsigned char>(o >> 8));
    }
    font.insert(font.end(), area.begin(), area.end());
    return font;
}
