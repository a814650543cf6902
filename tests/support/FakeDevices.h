#pragma once
// Stand-ins for the hardware of the switch device: a serial switch box
// whose modem lines the test sets, and a joystick whose buttons and axes
// the test sets. Installed for as long as the object lives.

#include <string>

struct FakeSwitchBox {
    FakeSwitchBox();
    ~FakeSwitchBox();
    FakeSwitchBox(const FakeSwitchBox&) = delete;
    FakeSwitchBox& operator=(const FakeSwitchBox&) = delete;

    bool present = true;     // false: the port cannot be opened
    bool raiseWorks = true;  // false: RTS and DTR cannot be raised
    bool readWorks = true;
    int lines = 0;           // platform::kCtsOn | platform::kDsrOn
    std::string openedName;  // the "COMn" asked for
    bool raised = false;
};

struct FakeJoystick {
    FakeJoystick();
    ~FakeJoystick();
    FakeJoystick(const FakeJoystick&) = delete;
    FakeJoystick& operator=(const FakeJoystick&) = delete;

    int count = 1;           // joysticks present
    bool opens = true;
    int openedIndex = -1;
    int buttons = 2, axes = 2;
    bool button[2] = {};
    int axis[2] = {};
};
