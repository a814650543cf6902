#include "support/ContrastCheck.h"

#include "gfx/ColourTable.h"
#include "ui/TDialog.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {

NamedColour Colour(const std::uint8_t rgb[3])
{
    return {rgb[0], rgb[1], rgb[2]};
}

bool IsCopyOf(const DrawnTextLook& copy, const DrawnTextLook& text)
{
    return copy.text == text.text && std::abs(copy.box.left - text.box.left) <= 1 &&
           std::abs(copy.box.top - text.box.top) <= 1;
}

std::string Named(const std::uint8_t rgb[3])
{
    char name[16];
    std::snprintf(name, sizeof name, "#%02x%02x%02x", rgb[0], rgb[1], rgb[2]);
    return name;
}

}  // namespace

std::vector<std::string> ContrastFaults(const std::vector<DrawnTextLook>& looks, double minimum)
{
    std::vector<std::string> faults;
    for (std::size_t i = 0; i < looks.size(); ++i) {
        const DrawnTextLook& look = looks[i];
        bool copy = false;
        for (std::size_t j = i + 1; j < looks.size() && j <= i + 4 && !copy; ++j)
            copy = IsCopyOf(look, looks[j]);
        if (copy || look.text.find_first_not_of(' ') == std::string::npos)
            continue;
        // An outlined text stands out by its outline where its ground does not.
        double ratio = ContrastRatio(Colour(look.ink), Colour(look.ground));
        for (std::size_t j = i >= 4 ? i - 4 : 0; j < i; ++j)
            if (IsCopyOf(looks[j], look))
                ratio = std::max(ratio, ContrastRatio(Colour(look.ink), Colour(looks[j].ink)));
        if (ratio < minimum) {
            char line[160];
            std::snprintf(line, sizeof line, "\"%.60s\" at (%d, %d): %s on %s, contrast %.2f", look.text.c_str(),
                          look.box.left, look.box.top, Named(look.ink).c_str(), Named(look.ground).c_str(), ratio);
            faults.push_back(line);
        }
    }
    return faults;
}

std::vector<DrawnTextLook> RedrawnTextLooks(TDialog* first)
{
    std::vector<DrawnTextLook> looks;
    LogTextLooks(&looks);
    for (TDialog* d = first; d; d = d->above.get())
        d->Draw();
    LogTextLooks(nullptr);
    return looks;
}
