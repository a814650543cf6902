#include "devices/Joystick.h"

bool Joystick::Open(int number)
{
    Close();
    source_ = MakeJoystickSource();
    if (number < 1 || source_->Count() < number) {
        source_.reset();
        return false;
    }
    opened_ = source_->Open(number - 1);
    if (opened_) {
        buttons_ = source_->Buttons();
        axes_ = source_->Axes();
    }
    return true;
}

void Joystick::Close()
{
    if (source_ && opened_)
        source_->Close();
    source_.reset();
    opened_ = false;
    buttons_ = axes_ = 0;
    held_[0] = held_[1] = false;
}

int Joystick::Read()
{
    if (!opened_)
        return 0;
    source_->Update();
    int bits = 0;
    for (int b = 0; b < 2 && b < buttons_; ++b) {
        bool now = source_->Button(b);
        int shift = 3 * b;
        if (now)
            bits |= (held_[b] ? 0 : joystick::kButton0Pressed << shift) | joystick::kButton0Held << shift;
        else if (held_[b])
            bits |= joystick::kButton0Released << shift;
        held_[b] = now;
    }
    if (axes_ >= 2) {
        int x = source_->Axis(0), y = source_->Axis(1);
        if (x < -joystick::kAxisThreshold)
            bits |= joystick::kLeft;
        if (x > joystick::kAxisThreshold)
            bits |= joystick::kRight;
        if (y < -joystick::kAxisThreshold)
            bits |= joystick::kUp;
        if (y > joystick::kAxisThreshold)
            bits |= joystick::kDown;
    }
    return bits;
}
