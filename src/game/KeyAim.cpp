#include "game/KeyAim.h"

#include "base/TextHelpers.h"
#include "game/Playfield.h"

#include <string>

namespace {

bool SameLetter(char a, char b)
{
    return EqualsFolded(std::string(1, a), std::string(1, b));
}

}  // namespace

KeyAim AimOfKey(const Playfield& field, char key, std::uint32_t now)
{
    KeyAim aim;
    Playfield::Aim begun = field.Aimed(now);
    if (begun.lane >= 0) {
        const std::string& answer = field.Lane(begun.lane).answer;
        if (static_cast<std::size_t>(begun.typed) < answer.size()) {
            aim.lane = begun.lane;
            aim.expected = answer[static_cast<std::size_t>(begun.typed)];
            aim.right = SameLetter(key, aim.expected);
            return aim;
        }
    }
    int lowest = -1, starting = -1;
    for (int i = 0; i < field.Lanes(); ++i) {
        const PlayLane& lane = field.Lane(i);
        if (!lane.hasWord || lane.hit != HitState::kIdle || lane.answer.empty())
            continue;
        if (lowest < 0 || field.CarrierY(i, now) > field.CarrierY(lowest, now))
            lowest = i;
        if (SameLetter(key, lane.answer[0]) &&
            (starting < 0 || field.CarrierY(i, now) > field.CarrierY(starting, now)))
            starting = i;
    }
    aim.lane = starting >= 0 ? starting : lowest;
    if (aim.lane >= 0) {
        aim.expected = field.Lane(aim.lane).answer[0];
        aim.right = starting >= 0;
    }
    return aim;
}
