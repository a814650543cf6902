#pragma once
// What one frame hands down the chain of screens: at most one library
// event, translated keys and mouse buttons, the pointer, the switch device's
// word, and at most one command.

#include "SDL.h"

namespace key {

constexpr int kPressed = 1;
constexpr int kReleased = 2;
constexpr int kHeld = 4;
constexpr int kRepeat = 8;  // added to kHeld when a repeat is due

}  // namespace key

namespace mouse {

constexpr int kLeftHeld = 0x001;
constexpr int kRightHeld = 0x002;
constexpr int kLeftPressed = 0x004;
constexpr int kRightPressed = 0x008;
constexpr int kLeftReleased = 0x010;
constexpr int kRightReleased = 0x020;
constexpr int kLeftRepeat = 0x040;
constexpr int kRightRepeat = 0x080;
constexpr int kLeftDouble = 0x100;
constexpr int kRightDouble = 0x200;
// One notch of the wheel this frame (SDL reports a notch as a button press).
constexpr int kWheelUp = 0x400;
constexpr int kWheelDown = 0x800;

}  // namespace mouse

struct TEvent {
    SDL_Event event;        // type 0 when none was waiting
    int keyAction;
    int keyChar;
    int keySym;
    int modifiers;
    int mouseX, mouseY;
    bool mouseMoved;
    int mouseButtons;
    int deviceInput;
    int devicePointerX, devicePointerY;
    int command;

    void Clear();
    bool KeyPressed() const { return keyAction == key::kPressed; }
    bool KeyPressedOrRepeat() const { return keyAction == key::kPressed || (keyAction & key::kRepeat); }
    // -1 for a notch up (towards the start), 1 for a notch down, else 0.
    int WheelNotches() const
    {
        return (mouseButtons & mouse::kWheelDown) ? 1 : (mouseButtons & mouse::kWheelUp) ? -1 : 0;
    }
};
