#include "devices/TExtDevice.h"

#include "app/WakeUp.h"
#include "app/Clock.h"
#include "app/Input.h"
#include "ui/TView.h"

#include <algorithm>
#include <cstdlib>
#include <string>

using namespace switchflag;

namespace {

// Often enough for a switch held a moment; the scan pulse lasts 200 ms.
constexpr std::uint32_t kPollMs = 20;
constexpr Input kDirections[] = {kUp, kRight, kDown, kLeft};

}  // namespace

TExtDevice::~TExtDevice()
{
    Close();
}

void TExtDevice::Open(const DeviceSettings& settings)
{
    Close();
    settings_ = settings;
    settings_.switches = std::clamp(settings_.switches, 1, 2);
    settings_.port = std::clamp(settings_.port, 1, 4);
    settings_.acceptance = std::clamp(settings_.acceptance, 0, 10);
    settings_.scanInterval = std::clamp(settings_.scanInterval, 5, 50);
    error_ = 0;
    std::fill(std::begin(pressed_), std::end(pressed_), false);
    std::fill(std::begin(counted_), std::end(counted_), false);
    std::fill(std::begin(timed_), std::end(timed_), false);
    scanRunning_ = scanHeld_ = false;
    leftButton_ = rightButton_ = false;
    switch (settings_.kind) {
    case devicekind::kMouse:
        GetMousePosition(lastX_, lastY_);
        break;
    case devicekind::kJoystick:
        if (!joystick_.Open(1))
            error_ = extdevice::kOpenFailed;
        break;
    case devicekind::kSerial: {
        // The box has no direction inputs.
        settings_.directions = 0;
        std::string name = "COM1";
        name.back() = static_cast<char>('0' + settings_.port);
        port_ = platform::OpenSerialPort(name);
        if (!port_)
            error_ = extdevice::kOpenFailed;
        else if (!port_->RaiseRtsDtr())
            error_ = extdevice::kRaiseFailed;
        break;
    }
    case devicekind::kPointer:
        settings_.directions = 0;
        break;
    default:
        break;
    }
}

void TExtDevice::Close()
{
    joystick_.Close();
    port_.reset();
}

void TExtDevice::Poll(TEvent& event)
{
    event.deviceInput = 0;
    // A device switched off reports nothing, not even scan pulses.
    if (error_ == extdevice::kOpenFailed || !settings_.enabled)
        return;
    // Lines, buttons, the scan and the acceptance time keep their own time.
    wakeup::In(kPollMs);
    switch (settings_.kind) {
    case devicekind::kKeyboard: ReadKeyboard(event); break;
    case devicekind::kMouse: ReadMouse(event); break;
    case devicekind::kJoystick: ReadJoystick(); break;
    case devicekind::kSerial: ReadSerial(); break;
    case devicekind::kPointer:
        event.devicePointerX = event.mouseX;
        event.devicePointerY = event.mouseY;
        break;
    default: break;
    }
    int flags = Accept();
    if (Scanning())
        flags |= Scan(flags);
    event.deviceInput = flags;
}

void TExtDevice::ReadKeyboard(TEvent& event)
{
    auto inputOf = [this](int sym) -> int {
        switch (sym) {
        case SDLK_RETURN: return settings_.switches == 2 ? kSwitch1 : -1;
        case SDLK_SPACE: return settings_.switches == 2 ? kSwitch2 : kSwitch1;
        case SDLK_UP: return settings_.directions ? kUp : -1;
        case SDLK_RIGHT: return settings_.directions ? kRight : -1;
        case SDLK_DOWN: return settings_.directions ? kDown : -1;
        case SDLK_LEFT: return settings_.directions ? kLeft : -1;
        default: return -1;
        }
    };
    const SDL_Event& e = event.event;
    if (e.type == SDL_KEYDOWN || e.type == SDL_KEYUP) {
        int input = inputOf(e.key.keysym.sym);
        if (input >= 0) {
            Set(input, e.type == SDL_KEYDOWN);
            event.event.type = SDL_NOEVENT;
            ConsumeKey(event);
        }
    }
    // The frames after the press carry the same key as held or repeated.
    if (event.keyAction && inputOf(event.keySym) >= 0)
        ConsumeKey(event);
}

void TExtDevice::ReadMouse(TEvent& event)
{
    const SDL_Event& e = event.event;
    if (e.type == SDL_MOUSEBUTTONDOWN || e.type == SDL_MOUSEBUTTONUP) {
        bool down = e.type == SDL_MOUSEBUTTONDOWN;
        if (e.button.button == SDL_BUTTON_LEFT)
            leftButton_ = down;
        else if (e.button.button == SDL_BUTTON_RIGHT)
            rightButton_ = down;
        event.event.type = SDL_NOEVENT;
    }
    if (settings_.switches == 2) {
        Set(kSwitch1, leftButton_);
        Set(kSwitch2, rightButton_);
    } else {
        Set(kSwitch1, leftButton_ || rightButton_);
    }
    if (settings_.directions) {
        std::uint32_t now = Now();
        int dx = event.mouseX - lastX_, dy = event.mouseY - lastY_;
        constexpr int d = extdevice::kMoveDistance;
        if (event.mouseMoved && (std::abs(dx) > d || std::abs(dy) > d)) {
            bool moved[] = {dy < -d, dx > d, dy > d, dx < -d};
            for (int i = 0; i < 4; ++i)
                if (moved[i]) {
                    Set(kDirections[i], true);
                    moveTime_[kDirections[i]] = now;
                }
            lastX_ = event.mouseX;
            lastY_ = event.mouseY;
        } else {
            for (Input k : kDirections)
                if (pressed_[k] && Elapsed(moveTime_[k], extdevice::kMoveHoldMs))
                    Set(k, false);
        }
    }
    event.mouseButtons = 0;
    event.mouseMoved = false;
}

void TExtDevice::ReadJoystick()
{
    int bits = joystick_.Read();
    bool first = bits & joystick::kButton0Held, second = bits & joystick::kButton1Held;
    if (settings_.switches == 2) {
        Set(kSwitch1, first);
        Set(kSwitch2, second);
    } else {
        Set(kSwitch1, first || second);
    }
    if (settings_.directions) {
        Set(kUp, bits & joystick::kUp);
        Set(kRight, bits & joystick::kRight);
        Set(kDown, bits & joystick::kDown);
        Set(kLeft, bits & joystick::kLeft);
    }
}

void TExtDevice::ReadSerial()
{
    int lines = 0;
    // A port in error, or one that stops answering, has both lines released.
    if (error_ != 0 || !port_ || !port_->ReadModemLines(lines))
        lines = 0;
    if (settings_.switches == 2) {
        Set(kSwitch1, lines & platform::kCtsOn);
        Set(kSwitch2, lines & platform::kDsrOn);
    } else {
        Set(kSwitch1, lines & (platform::kCtsOn | platform::kDsrOn));
    }
}

int TExtDevice::Accept()
{
    std::uint32_t now = Now();
    auto wait = static_cast<std::uint32_t>(settings_.acceptance * 100);
    int flags = 0;
    for (int k = 0; k < kInputs; ++k) {
        if (k == kSwitch2 && Scanning())
            continue;
        if (!pressed_[k])
            timed_[k] = false;
        else if (!timed_[k]) {
            timed_[k] = true;
            pressTime_[k] = now;
        }
        bool counts = pressed_[k] && (wait == 0 || Elapsed(pressTime_[k], wait));
        if (counts)
            flags |= Held(k) | (counted_[k] ? 0 : Pressed(k));
        else if (counted_[k])
            flags |= Released(k);
        counted_[k] = counts;
    }
    return flags;
}

int TExtDevice::Scan(int flags)
{
    std::uint32_t now = Now();
    if (!scanRunning_ || (flags & Pressed(kSwitch1))) {
        scanRunning_ = true;
        scanStart_ = now;
    }
    auto period = static_cast<std::uint32_t>(settings_.scanInterval * 100);
    std::uint32_t passed = now - scanStart_;
    int out = 0;
    if (passed > period) {
        scanRunning_ = false;
    } else if (passed > period - extdevice::kPulseMs) {
        out = Held(kSwitch2) | (scanHeld_ ? 0 : Pressed(kSwitch2));
        scanHeld_ = true;
        return out;
    }
    // The pulse ends at the period's end or when switch 1 restarts it.
    if (scanHeld_)
        out = Released(kSwitch2);
    scanHeld_ = false;
    return out;
}
