#include "app/Input.h"

#include "app/Clock.h"
#include "app/CommandQueue.h"
#include "app/WakeUp.h"
#include "platform/DisplayWait.h"
#include "platform/Keyboard.h"

#include <algorithm>

namespace {

constexpr std::uint32_t kRepeatDelay = 200;
constexpr std::uint32_t kRepeatEvery = 50;
constexpr std::uint32_t kDoubleClick = 250;

struct Button {
    bool held = false;
    std::uint32_t stamp = 0;
    bool repeating = false;
    bool everPressed = false;
};

struct InputState {
    bool keyHeld = false;
    int heldChar = 0;
    int heldSym = 0;
    std::uint32_t keyStamp = 0;
    bool keyRepeating = false;
    int modifiers = 0;
    Button left, right;
    int x = 0, y = 0;
    int reportedX = -1, reportedY = -1;
    int speedNum = 1, speedDen = 1;
    int offsetX = 0, offsetY = 0;
    int swallow = 0;
    bool reentered = false;
    int hideDepth = 0;
    bool devicePointer = false;
};

InputState state;
PointerSink sink;
bool (*numLockSource)() = platform::NumLockOn;

// A repeat is due 200 ms after the press, then every 50 ms.
bool RepeatDue(std::uint32_t& stamp, bool& repeating)
{
    std::uint32_t wait = repeating ? kRepeatEvery : kRepeatDelay;
    if (!Elapsed(stamp, wait)) {
        wakeup::In(stamp + wait + 1 - Now());  // the loop comes round for the repeat
        return false;
    }
    stamp = Now();
    repeating = true;
    wakeup::In(kRepeatEvery + 1);
    return true;
}

int KeypadCharacter(int sym, bool numLock)
{
    switch (sym) {
    case SDLK_KP_DIVIDE: return '/';
    case SDLK_KP_MULTIPLY: return '*';
    case SDLK_KP_MINUS: return '-';
    case SDLK_KP_PLUS: return '+';
    case SDLK_KP_ENTER: return 13;
    default: break;
    }
    if (sym >= SDLK_KP0 && sym <= SDLK_KP9 && numLock)
        return '0' + (sym - SDLK_KP0);
    if (sym == SDLK_KP_PERIOD)
        return numLock ? '.' : static_cast<int>(SDLK_DELETE);
    static const int navigation[10] = {SDLK_INSERT, SDLK_END,  SDLK_DOWN, SDLK_PAGEDOWN, SDLK_LEFT,
                                       SDLK_KP5,    SDLK_RIGHT, SDLK_HOME, SDLK_UP,       SDLK_PAGEUP};
    if (sym >= SDLK_KP0 && sym <= SDLK_KP9)
        return navigation[sym - SDLK_KP0];
    return sym;
}

int KeyCharacter(const SDL_keysym& k, bool numLock)
{
    int unicode = k.unicode & 0xFFFF;
    return unicode ? unicode : KeypadCharacter(k.sym, numLock);
}

void MoveSprite()
{
    if (sink.moveTo)
        sink.moveTo(state.x, state.y);
}

void Warp()
{
    SDL_WarpMouse(static_cast<Uint16>(std::max(0, state.x + state.offsetX)),
                  static_cast<Uint16>(std::max(0, state.y + state.offsetY)));
}

int FilterThunk(const SDL_Event* event)
{
    return MotionFilter(event);
}

void Buttons(TEvent& r)
{
    const SDL_Event& e = r.event;
    // A wheel notch is a press and a release at once; the press is the notch.
    if (e.type == SDL_MOUSEBUTTONDOWN && e.button.button == SDL_BUTTON_WHEELUP)
        r.mouseButtons |= mouse::kWheelUp;
    if (e.type == SDL_MOUSEBUTTONDOWN && e.button.button == SDL_BUTTON_WHEELDOWN)
        r.mouseButtons |= mouse::kWheelDown;
    if (e.type == SDL_MOUSEBUTTONDOWN || e.type == SDL_MOUSEBUTTONUP) {
        bool isLeft = e.button.button == SDL_BUTTON_LEFT;
        bool isRight = e.button.button == SDL_BUTTON_RIGHT;
        if (isLeft || isRight) {
            Button& b = isLeft ? state.left : state.right;
            if (e.type == SDL_MOUSEBUTTONDOWN) {
                if (b.everPressed && !Elapsed(b.stamp, kDoubleClick))
                    r.mouseButtons |= isLeft ? mouse::kLeftDouble : mouse::kRightDouble;
                b.held = true;
                b.everPressed = true;
                b.stamp = Now();
                b.repeating = false;
                wakeup::In(kRepeatDelay + 1);
                r.mouseButtons |= isLeft ? mouse::kLeftPressed : mouse::kRightPressed;
            } else {
                b.held = false;
                b.repeating = false;
                r.mouseButtons |= isLeft ? mouse::kLeftReleased : mouse::kRightReleased;
            }
        }
    }
    if (state.left.held) {
        r.mouseButtons |= mouse::kLeftHeld;
        if (RepeatDue(state.left.stamp, state.left.repeating))
            r.mouseButtons |= mouse::kLeftRepeat;
    }
    if (state.right.held) {
        r.mouseButtons |= mouse::kRightHeld;
        if (RepeatDue(state.right.stamp, state.right.repeating))
            r.mouseButtons |= mouse::kRightRepeat;
    }
}

}  // namespace

namespace {

void (*inputHook)(TEvent& event) = nullptr;

}  // namespace

void GetEvent(TEvent& r)
{
    r.Clear();
    if (!SDL_PollEvent(&r.event))
        r.event.type = 0;
    const SDL_Event& e = r.event;

    if (e.type == SDL_KEYUP || e.type == SDL_KEYDOWN) {
        bool numLock = numLockSource();
        state.modifiers = (e.key.keysym.mod & ~KMOD_NUM) | (numLock ? KMOD_NUM : 0);
    }
    if (e.type == SDL_KEYUP) {
        r.keyAction = key::kReleased;
        r.keyChar = KeyCharacter(e.key.keysym, (state.modifiers & KMOD_NUM) != 0);
        r.keySym = e.key.keysym.sym;
        r.modifiers = state.modifiers;
        state.keyHeld = false;
        state.keyRepeating = false;
    } else {
        if (state.keyHeld) {
            r.keyAction = key::kHeld;
            r.keyChar = state.heldChar;
            r.keySym = state.heldSym;
            if (RepeatDue(state.keyStamp, state.keyRepeating))
                r.keyAction |= key::kRepeat;
        }
        if (e.type == SDL_KEYDOWN) {
            r.keyAction = key::kPressed;
            r.keyChar = KeyCharacter(e.key.keysym, (state.modifiers & KMOD_NUM) != 0);
            r.keySym = e.key.keysym.sym;
            state.keyHeld = true;
            state.heldChar = r.keyChar;
            state.heldSym = r.keySym;
            state.keyStamp = Now();
            state.keyRepeating = false;
            wakeup::In(kRepeatDelay + 1);
        }
        r.modifiers = state.modifiers;
    }

    Buttons(r);
    r.mouseX = state.x;
    r.mouseY = state.y;
    r.mouseMoved = state.x != state.reportedX || state.y != state.reportedY;
    state.reportedX = state.x;
    state.reportedY = state.y;
    r.command = TakeCommand();
    if (inputHook)
        inputHook(r);
}

void WaitForInput(std::uint32_t ms)
{
    if (ms == 0 || PendingCommands() > 0)
        return;
    // Motion goes through the filter here, which moves the pointer.
    SDL_PumpEvents();
    SDL_Event waiting;
    if (SDL_PeepEvents(&waiting, 1, SDL_PEEKEVENT, SDL_ALLEVENTS) > 0)
        return;
    if (state.x != state.reportedX || state.y != state.reportedY)
        return;  // the pointer's new place is drawn at once
    platform::WaitForDisplayInput(ms);
}

void SetInputHook(void (*hook)(TEvent& event))
{
    inputHook = hook;
}

int MotionFilter(const SDL_Event* event)
{
    if (event->type != SDL_MOUSEMOTION)
        return 1;
    const SDL_MouseMotionEvent& m = event->motion;
    if (state.swallow > 0) {
        --state.swallow;
        return 0;
    }
    if (state.reentered) {
        if (sink.markInside)
            sink.markInside();
        state.x = m.x - state.offsetX;
        state.y = m.y - state.offsetY;
        state.reentered = false;
        return 0;
    }
    if (state.speedNum == state.speedDen) {
        state.x = m.x - state.offsetX;
        state.y = m.y - state.offsetY;
        return 0;
    }
    state.x += m.xrel * state.speedNum / state.speedDen;
    state.y += m.yrel * state.speedNum / state.speedDen;
    // With a speed of its own the pointer stays on the drawing area.
    if (SDL_Surface* screen = SDL_GetVideoSurface()) {
        state.x = std::clamp(state.x, 0, std::max(0, screen->w - 2 * state.offsetX - 1));
        state.y = std::clamp(state.y, 0, std::max(0, screen->h - 2 * state.offsetY - 1));
    }
    ++state.swallow;
    MoveSprite();
    Warp();
    return 0;
}

void InstallInputFilter()
{
    ClearCommands();
    SDL_SetEventFilter(FilterThunk);
}

void SetMousePosition(int x, int y)
{
    state.x = x;
    state.y = y;
    ++state.swallow;
    MoveSprite();
    Warp();
}

void GetMousePosition(int& x, int& y)
{
    x = state.x;
    y = state.y;
}

void SetMouseSpeed(int numerator, int denominator)
{
    if (numerator > 0 && denominator > 0) {
        state.speedNum = numerator;
        state.speedDen = denominator;
    }
}

void GetMouseSpeed(int& numerator, int& denominator)
{
    numerator = state.speedNum;
    denominator = state.speedDen;
}

void SetDrawingOffset(int x, int y)
{
    state.offsetX = x;
    state.offsetY = y;
}

void ShowMouse(bool show)
{
    if (!show) {
        ++state.hideDepth;
        if (sink.setEnabled)
            sink.setEnabled(false);
        return;
    }
    if (state.hideDepth > 0)
        --state.hideDepth;
    if (state.hideDepth == 0 && sink.setEnabled)
        sink.setEnabled(true);
}

int MouseHideDepth()
{
    return state.hideDepth;
}

void SetMouseReentered()
{
    state.reentered = true;
}

bool DevicePointerMode()
{
    return state.devicePointer;
}

void SetDevicePointerMode(bool on)
{
    state.devicePointer = on;
}

void SetPointerSink(PointerSink newSink)
{
    sink = std::move(newSink);
}

void SetNumLockSource(bool (*source)())
{
    numLockSource = source ? source : platform::NumLockOn;
}

void DropPendingKeys()
{
    SDL_Event events[32];
    while (SDL_PeepEvents(events, 32, SDL_GETEVENT, SDL_KEYDOWNMASK | SDL_KEYUPMASK) > 0) {
    }
    state.keyHeld = false;
    state.keyRepeating = false;
}

void ResetInput()
{
    state = InputState{};
}
