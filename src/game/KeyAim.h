#pragma once
// Which word a key was meant for and which letter it should have been, for
// the teacher's statistics: the next letter of the word the typed letters
// are the beginning of; with nothing begun, the first letter of a word on
// screen (the key's own when some word starts with it, else the lowest
// word's). Worked out before the key changes what was typed.

#include <cstdint>

class Playfield;

struct KeyAim {
    int lane = -1;       // -1: nothing on screen could take a key
    char expected = 0;   // 0 with lane -1
    bool right = false;
};

KeyAim AimOfKey(const Playfield& field, char key, std::uint32_t now);
