#pragma once
// The rules' side of a frame of play: the lanes move on by the clock and
// what the pictures did (a shot hit, a shot ended) is applied to the
// playfield. The game's states decide what a landing or an ended shot means.

#include "game/GameState.h"

#include <cstdint>
#include <vector>

class Playfield;
class PictureView;
struct ShotEvent;

// The plain theme: a typed word goes at once; the others fall, and go when
// they land. True when a word landed.
bool StepPlainLanes(Playfield& field, std::uint32_t now);
// The picture themes: the pictures play on; the first word past the bottom
// lands (none while a lost life is shown). True when a word landed.
bool StepPictureLanes(Playfield& field, PictureView& pictures, GameState state, std::uint32_t now);
// A shot that hit destroys its word (in the bonus stage, its target); true
// when a shot ended.
bool ApplyShotEvents(Playfield& field, const std::vector<ShotEvent>& events, bool bonus);
