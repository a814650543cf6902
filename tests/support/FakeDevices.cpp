#include "support/FakeDevices.h"

#include "devices/JoystickSource.h"
#include "platform/SerialPort.h"

#include <memory>

namespace {

class FakePort : public platform::SerialPort {
public:
    explicit FakePort(FakeSwitchBox& box) : box_(box) {}
    bool RaiseRtsDtr() override
    {
        box_.raised = true;
        return box_.raiseWorks;
    }
    bool ReadModemLines(int& lines) override
    {
        if (!box_.readWorks)
            return false;
        lines = box_.lines;
        return true;
    }

private:
    FakeSwitchBox& box_;
};

class FakeSource : public JoystickSource {
public:
    explicit FakeSource(FakeJoystick& stick) : stick_(stick) {}
    int Count() override { return stick_.count; }
    bool Open(int index) override
    {
        stick_.openedIndex = index;
        return stick_.opens;
    }
    void Close() override { stick_.openedIndex = -1; }
    void Update() override {}
    int Buttons() override { return stick_.buttons; }
    int Axes() override { return stick_.axes; }
    bool Button(int index) override { return index < 2 && stick_.button[index]; }
    int Axis(int index) override { return index < 2 ? stick_.axis[index] : 0; }

private:
    FakeJoystick& stick_;
};

}  // namespace

FakeSwitchBox::FakeSwitchBox()
{
    platform::SetSerialPortOpener([this](const std::string& name) -> std::unique_ptr<platform::SerialPort> {
        openedName = name;
        if (!present)
            return nullptr;
        return std::make_unique<FakePort>(*this);
    });
}

FakeSwitchBox::~FakeSwitchBox()
{
    platform::SetSerialPortOpener(nullptr);
}

FakeJoystick::FakeJoystick()
{
    SetJoystickFactory([this] { return std::make_unique<FakeSource>(*this); });
}

FakeJoystick::~FakeJoystick()
{
    SetJoystickFactory(nullptr);
}
