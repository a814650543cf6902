#include "game/Matcher.h"

#include "base/TextHelpers.h"

namespace {

// Letters are compared folded, accented ones too: with Caps Lock on, a
// typed \xC0 hits a word showing \xE0.
bool EndsWith(const std::string& typed, const std::string& answer)
{
    if (answer.size() > typed.size())
        return false;
    return EqualsFolded(typed.substr(typed.size() - answer.size()), answer);
}

}  // namespace

int FindWinner(const std::vector<MatchCandidate>& lanes, const std::string& typed)
{
    int winner = -1;
    for (int i = 0; i < static_cast<int>(lanes.size()); ++i) {
        const MatchCandidate& c = lanes[static_cast<std::size_t>(i)];
        if (!c.present)
            continue;
        // An empty answer matches only once its carrier is on screen.
        if (c.answer.empty() ? c.spriteY < 1 : !EndsWith(typed, c.answer))
            continue;
        if (winner < 0) {
            winner = i;
            continue;
        }
        const MatchCandidate& best = lanes[static_cast<std::size_t>(winner)];
        if (c.answer.size() > best.answer.size() ||
            (c.answer.size() == best.answer.size() && c.spriteY > best.spriteY))
            winner = i;
    }
    return winner;
}
