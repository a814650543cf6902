#include "devices/JoystickSource.h"

#include "SDL.h"

#include <utility>

namespace {

class LibraryJoystick : public JoystickSource {
public:
    ~LibraryJoystick() override { Close(); }

    int Count() override { return SDL_NumJoysticks(); }
    bool Open(int index) override
    {
        Close();
        stick_ = SDL_JoystickOpen(index);
        return stick_ != nullptr;
    }
    void Close() override
    {
        if (stick_)
            SDL_JoystickClose(stick_);
        stick_ = nullptr;
    }
    void Update() override { SDL_JoystickUpdate(); }
    int Buttons() override { return stick_ ? SDL_JoystickNumButtons(stick_) : 0; }
    int Axes() override { return stick_ ? SDL_JoystickNumAxes(stick_) : 0; }
    bool Button(int index) override { return stick_ && SDL_JoystickGetButton(stick_, index) != 0; }
    int Axis(int index) override { return stick_ ? SDL_JoystickGetAxis(stick_, index) : 0; }

private:
    SDL_Joystick* stick_ = nullptr;
};

JoystickFactory& Factory()
{
    static JoystickFactory factory;
    return factory;
}

}  // namespace

std::unique_ptr<JoystickSource> MakeJoystickSource()
{
    if (Factory())
        return Factory()();
    return std::make_unique<LibraryJoystick>();
}

void SetJoystickFactory(JoystickFactory factory)
{
    Factory() = std::move(factory);
}
