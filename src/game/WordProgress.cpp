#include "game/WordProgress.h"

#include <algorithm>

WordOnScreen ShowTyped(const std::string& shown, const std::string& answer, bool fillsBlanks, int typed)
{
    WordOnScreen out{shown, 0};
    if (typed <= 0)
        return out;
    if (!fillsBlanks) {
        out.highlighted = std::min<int>(typed, static_cast<int>(shown.size()));
        return out;
    }
    std::size_t next = 0;
    for (std::size_t p = 0; p < out.text.size() && next < answer.size() && static_cast<int>(next) < typed; ++p) {
        if (out.text[p] != '_')
            continue;
        out.text[p] = answer[next++];
        out.highlighted = static_cast<int>(p) + 1;
    }
    return out;
}
