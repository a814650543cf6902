#pragma once
// The joysticks as the switch device sees them: how many there are, and the
// buttons and axes of the one it opened. The real source is the multimedia
// library's; tests put a fake in its place.

#include <functional>
#include <memory>

class JoystickSource {
public:
    virtual ~JoystickSource() = default;
    virtual int Count() = 0;
    // False when the joystick exists but cannot be opened.
    virtual bool Open(int index) = 0;
    virtual void Close() = 0;
    // Brings buttons and axes up to date before they are read.
    virtual void Update() = 0;
    virtual int Buttons() = 0;
    virtual int Axes() = 0;
    virtual bool Button(int index) = 0;
    virtual int Axis(int index) = 0;
};

using JoystickFactory = std::function<std::unique_ptr<JoystickSource>()>;

std::unique_ptr<JoystickSource> MakeJoystickSource();
// Replaces the real source (tests); an empty factory puts it back.
void SetJoystickFactory(JoystickFactory factory);
