#pragma once
// How a child's switch device is set up: which source it reads, how many
// switches and whether directions are used, and its timings. Stored in each
// profile at offset 440 of the game settings.

#include <cstdint>

namespace devicekind {

constexpr int kKeyboard = 1;
constexpr int kMouse = 2;
constexpr int kJoystick = 3;
constexpr int kSerial = 4;
constexpr int kPointer = 5;  // pointer events, offered only when the profile allows it

}  // namespace devicekind

struct DeviceSettings {
    std::int32_t enabled = 0;
    std::int32_t kind = devicekind::kKeyboard;
    std::int32_t switches = 1;
    std::int32_t directions = 0;    // only its first byte is stored
    std::int32_t port = 1;          // COM1 to COM4
    std::int32_t acceptance = 0;    // tenths of a second
    std::int32_t scanInterval = 10; // tenths of a second
    std::int32_t pointerSpeed = 150;
    std::uint8_t holdToMove = 0;
    std::uint8_t accelerate = 0;
    std::uint8_t fifthKindOffered = 0;
    std::uint8_t reserved = 0;
};
