#pragma once
// One joystick read as two buttons and four directions: each button held,
// with its press and release edges, and an axis counting only beyond half
// its travel either way.

#include "devices/JoystickSource.h"

#include <memory>

namespace joystick {

constexpr int kButton0Pressed = 0x1;
constexpr int kButton0Held = 0x2;
constexpr int kButton0Released = 0x4;
constexpr int kButton1Pressed = 0x8;
constexpr int kButton1Held = 0x10;
constexpr int kButton1Released = 0x20;
constexpr int kLeft = 0x40;
constexpr int kRight = 0x80;
constexpr int kUp = 0x100;
constexpr int kDown = 0x200;
// An axis must go past this either way to count.
constexpr int kAxisThreshold = 16384;

}  // namespace joystick

class Joystick {
public:
    // Joystick number n (1 to 4). False when fewer than n exist; one that
    // exists but will not open answers true and then reads nothing.
    bool Open(int number);
    void Close();
    int Read();

private:
    std::unique_ptr<JoystickSource> source_;
    bool opened_ = false;
    int buttons_ = 0, axes_ = 0;
    bool held_[2] = {};
};
