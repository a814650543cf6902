#include "gfx/Display.h"

#include "base/TextHelpers.h"

DisplaySettings theDisplay;
int theResolutionIndex = 1;

namespace {

struct Resolution {
    const char* name;
    int width, height, scaleNum, scaleDen;
};

const Resolution kResolutions[3] = {
    {"640x480", 640, 480, 1, 1},
    {"800x600", 800, 600, 5, 4},
    {"1024x768", 1024, 768, 8, 5},
};

}  // namespace

int ResolutionIndex(const char* value)
{
    for (int i = 0; i < 3; ++i)
        if (value && EqualsNoCase(value, kResolutions[i].name))
            return i;
    return 1;
}

void SetResolution(int index)
{
    if (index < 0 || index > 2)
        index = 1;
    const Resolution& r = kResolutions[index];
    theDisplay.width = r.width;
    theDisplay.height = r.height;
    theDisplay.scaleNum = r.scaleNum;
    theDisplay.scaleDen = r.scaleDen;
    theResolutionIndex = index;
}

int Scaled(int v)
{
    return v * theDisplay.scaleNum / theDisplay.scaleDen;
}

int Unscaled(int v)
{
    return v * theDisplay.scaleDen / theDisplay.scaleNum;
}

Rect ScaledRect(int left, int top, int right, int bottom)
{
    return {Scaled(left), Scaled(top), Scaled(right), Scaled(bottom)};
}

void ResetDisplay()
{
    theDisplay = DisplaySettings{};
    theResolutionIndex = 1;
}
