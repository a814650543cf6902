#include "game/PlayStep.h"

#include "game/PictureView.h"
#include "game/Playfield.h"

bool StepPlainLanes(Playfield& field, std::uint32_t now)
{
    bool landed = false;
    for (int i = 0; i < field.Lanes(); ++i) {
        const PlayLane& lane = field.Lane(i);
        if (!lane.hasWord)
            continue;
        if (lane.hit == HitState::kMatched) {
            field.ReleaseMatched(i);
        } else if (field.HasLanded(i, now)) {
            field.Release(i);
            landed = true;
        }
    }
    return landed;
}

bool StepPictureLanes(Playfield& field, PictureView& pictures, GameState state, std::uint32_t now)
{
    int landed = -1;
    if (state != GameState::kLifeLost)
        for (int i = 0; i < field.Lanes() && landed < 0; ++i)
            if (field.HasLanded(i, now))
                landed = i;
    std::vector<ShotEvent> events = pictures.Step(field, state, landed, now);
    if (landed >= 0)
        field.Land(landed);
    ApplyShotEvents(field, events, false);
    return landed >= 0;
}

bool ApplyShotEvents(Playfield& field, const std::vector<ShotEvent>& events, bool bonus)
{
    bool ended = false;
    for (const ShotEvent& event : events) {
        if (event.kind == ShotEvent::kHit) {
            field.Destroy(event.lane, bonus);
        } else {
            field.ShotEnded(event.lane);
            ended = true;
        }
    }
    return ended;
}
