#include "game/Matcher.h"

#include "base/TextHelpers.h"

namespace {

bool EndsWith(const std::string& typed, const std::string& answer)
{
    if (answer.size() > typed.size())
        return EqualsNoCase(typed.c_str(), answer.c_str());
    return EqualsNoCase(typed.c_str() + (typed.size() - answer.size()), answer.c_str());
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
