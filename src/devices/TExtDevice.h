#pragma once
// The switch device: one or two switches and, if wanted, four directions,
// read from keys, the mouse, the first joystick, a switch box on a serial
// port, or the pointer's own events. Each poll turns what the source says
// into the switch flags of the event, after an acceptance time that ignores
// short touches; with one switch and no directions a scan timer stands in
// for the second switch.

#include "app/TEvent.h"
#include "session/DeviceSettings.h"
#include "devices/Joystick.h"
#include "session/SwitchFlags.h"
#include "platform/SerialPort.h"

#include <cstdint>
#include <memory>

namespace extdevice {

constexpr int kOpenFailed = -1;   // joystick missing, port absent, busy or no port at all
constexpr int kRaiseFailed = -2;  // the port would not power the switches
constexpr int kMoveDistance = 10; // pixels the mouse must travel to give a direction
constexpr int kMoveHoldMs = 200;  // a mouse direction lasts this long after the move
constexpr int kPulseMs = 200;     // a scan pulse is the last part of each period

}  // namespace extdevice

class TExtDevice {
public:
    TExtDevice() = default;
    ~TExtDevice();
    TExtDevice(const TExtDevice&) = delete;
    TExtDevice& operator=(const TExtDevice&) = delete;

    // Takes a copy of the settings, closes whatever was open and opens
    // the source; a failure shows in Error().
    void Open(const DeviceSettings& settings);
    void Close();
    // Reads the source and leaves the switch flags in event.deviceInput
    // (and, for pointer events, the position in devicePointerX/Y). Keyboard
    // and mouse events the device uses are taken out of the event.
    void Poll(TEvent& event);

    int Error() const { return error_; }
    const DeviceSettings& Settings() const { return settings_; }
    // One switch without directions: the scan timer is switch 2.
    bool Scanning() const { return settings_.switches == 1 && settings_.directions == 0; }

private:
    void ReadKeyboard(TEvent& event);
    void ReadMouse(TEvent& event);
    void ReadJoystick();
    void ReadSerial();
    int Accept();
    int Scan(int flags);
    void Set(int input, bool on) { pressed_[input] = on; }

    DeviceSettings settings_;
    int error_ = 0;
    bool pressed_[switchflag::kInputs] = {};
    bool counted_[switchflag::kInputs] = {};  // counted as pressed in the last poll
    bool timed_[switchflag::kInputs] = {};    // pressTime_ holds a time
    std::uint32_t pressTime_[switchflag::kInputs] = {};
    bool scanRunning_ = false, scanHeld_ = false;
    std::uint32_t scanStart_ = 0;
    bool leftButton_ = false, rightButton_ = false;
    int lastX_ = 0, lastY_ = 0;
    std::uint32_t moveTime_[switchflag::kInputs] = {};
    Joystick joystick_;
    std::unique_ptr<platform::SerialPort> port_;
};
