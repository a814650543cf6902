#pragma once
// The word a switch device leaves in each event: three bits for each of
// its six inputs, pressed now (the press edge), held, and released now.

namespace switchflag {

enum Input { kSwitch1, kSwitch2, kUp, kRight, kDown, kLeft, kInputs };

constexpr int Pressed(int input) { return 1 << (3 * input); }
constexpr int Held(int input) { return 2 << (3 * input); }
constexpr int Released(int input) { return 4 << (3 * input); }

}  // namespace switchflag
