// The switch device on its own: each source read from events or from fake
// hardware, the acceptance time and the scan timer on a clock the test
// moves, and the events it takes for itself.

#include "app/Clock.h"
#include "app/Input.h"
#include "devices/TExtDevice.h"
#include "support/FakeDevices.h"
#include "support/HeadlessApp.h"

#include <gtest/gtest.h>

#include <vector>

using namespace switchflag;

namespace {

struct ExtDeviceTest : ::testing::Test {
    TExtDevice device;

    void SetUp() override
    {
        FakeClock::Set(5000);
        SetTickSource(FakeClock::Ticks);
        ResetClock();
        ResetInput();
    }
    void TearDown() override
    {
        device.Close();
        SetTickSource(nullptr);
        ResetClock();
        ResetInput();
    }
    static DeviceSettings Settings(int kind, int switches, int directions = 0, int acceptance = 0, int scan = 10)
    {
        DeviceSettings s;
        s.enabled = 1;
        s.kind = kind;
        s.switches = switches;
        s.directions = directions;
        s.acceptance = acceptance;
        s.scanInterval = scan;
        return s;
    }
    static TEvent Empty()
    {
        TEvent e;
        e.Clear();
        return e;
    }
    static TEvent KeyEvent(SDLKey sym, bool down)
    {
        TEvent e = Empty();
        e.event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
        e.event.key.keysym.sym = sym;
        e.keyAction = down ? key::kPressed : key::kReleased;
        e.keySym = e.keyChar = sym;
        return e;
    }
    int Poll(TEvent e = Empty())
    {
        device.Poll(e);
        return e.deviceInput;
    }
    int Key(SDLKey sym, bool down) { return Poll(KeyEvent(sym, down)); }
    // Polls every `step` ms for `ms` ms and answers every word seen.
    std::vector<int> PollFor(int ms, int step = 10)
    {
        std::vector<int> words;
        for (int t = 0; t < ms; t += step) {
            FakeClock::Advance(static_cast<std::uint32_t>(step));
            words.push_back(Poll());
        }
        return words;
    }
};

int Count(const std::vector<int>& words, int bit)
{
    int n = 0;
    for (int w : words)
        n += (w & bit) ? 1 : 0;
    return n;
}

}  // namespace

TEST_F(ExtDeviceTest, AcceptanceIgnoresShortPressesAndDelaysLongOnes)
{
    device.Open(Settings(devicekind::kKeyboard, 2, 0, 3));
    // 250 ms: never more than the 300 ms the device waits.
    std::vector<int> words = {Key(SDLK_RETURN, true)};
    for (int w : PollFor(250))
        words.push_back(w);
    words.push_back(Key(SDLK_RETURN, false));
    for (int w : words)
        EXPECT_EQ(w, 0);

    // 400 ms: pressed once the 300 ms are over, held, released once.
    EXPECT_EQ(Key(SDLK_RETURN, true), 0);
    std::vector<int> held = PollFor(400);
    int firstHeld = -1;
    for (std::size_t i = 0; i < held.size(); ++i)
        if (held[i] & Held(kSwitch1)) {
            firstHeld = static_cast<int>(i);
            break;
        }
    ASSERT_GE(firstHeld, 0);
    EXPECT_EQ((firstHeld + 1) * 10, 310) << "the first poll more than 300 ms after the press";
    EXPECT_EQ(held[static_cast<std::size_t>(firstHeld)], Pressed(kSwitch1) | Held(kSwitch1));
    EXPECT_EQ(Count(held, Pressed(kSwitch1)), 1);
    EXPECT_EQ(Count(held, Held(kSwitch1)), static_cast<int>(held.size()) - firstHeld);
    EXPECT_EQ(Key(SDLK_RETURN, false), Released(kSwitch1));
    EXPECT_EQ(Poll(), 0);
}

TEST_F(ExtDeviceTest, WithoutAcceptanceAPressCountsAtOnce)
{
    device.Open(Settings(devicekind::kKeyboard, 2, 1));
    EXPECT_EQ(Key(SDLK_SPACE, true), Pressed(kSwitch2) | Held(kSwitch2));
    EXPECT_EQ(Key(SDLK_LEFT, true), Held(kSwitch2) | Pressed(kLeft) | Held(kLeft));
    EXPECT_EQ(Key(SDLK_SPACE, false), Released(kSwitch2) | Held(kLeft));
    EXPECT_EQ(Key(SDLK_LEFT, false), Released(kLeft));
    for (SDLKey k : {SDLK_UP, SDLK_RIGHT, SDLK_DOWN}) {
        int input = k == SDLK_UP ? kUp : k == SDLK_RIGHT ? kRight : kDown;
        EXPECT_EQ(Key(k, true), Pressed(input) | Held(input)) << k;
        EXPECT_EQ(Key(k, false), Released(input)) << k;
    }
}

TEST_F(ExtDeviceTest, TheScanPulseIsTheLastTwoHundredMillisecondsOfEachPeriod)
{
    device.Open(Settings(devicekind::kKeyboard, 1, 0, 0, 10));
    ASSERT_TRUE(device.Scanning());
    EXPECT_EQ(Poll(), 0);  // starts the timer
    std::vector<int> words = PollFor(1001, 1);  // 1 ms to 1001 ms after the start
    for (int t = 1; t <= 1001; ++t) {
        int w = words[static_cast<std::size_t>(t - 1)];
        bool inPulse = t > 800 && t <= 1000;
        EXPECT_EQ((w & Held(kSwitch2)) != 0, inPulse) << t << " ms";
        EXPECT_EQ((w & Pressed(kSwitch2)) != 0, t == 801) << t << " ms";
        EXPECT_EQ((w & Released(kSwitch2)) != 0, t == 1001) << t << " ms";
    }
    // The timer starts again at the next poll: the next pulse 800 ms later.
    EXPECT_EQ(Poll(), 0);
    EXPECT_EQ(Count(PollFor(800, 1), Held(kSwitch2)), 0);
    EXPECT_EQ(Poll(), 0);
    FakeClock::Advance(1);
    EXPECT_EQ(Poll(), Pressed(kSwitch2) | Held(kSwitch2));
}

TEST_F(ExtDeviceTest, PressingTheSwitchRestartsTheScanPeriod)
{
    device.Open(Settings(devicekind::kKeyboard, 1, 0, 0, 10));
    Poll();
    PollFor(500);
    EXPECT_EQ(Key(SDLK_SPACE, true), Pressed(kSwitch1) | Held(kSwitch1));
    Key(SDLK_SPACE, false);
    // 800 ms after the press, not after the first start.
    std::vector<int> words = PollFor(800, 1);
    EXPECT_EQ(Count(words, Held(kSwitch2)), 0);
    FakeClock::Advance(1);
    EXPECT_EQ(Poll(), Pressed(kSwitch2) | Held(kSwitch2));
    // A press during the pulse cuts it short, with its release edge.
    FakeClock::Advance(50);
    EXPECT_EQ(Key(SDLK_SPACE, true), Pressed(kSwitch1) | Held(kSwitch1) | Released(kSwitch2));
    EXPECT_EQ(Key(SDLK_SPACE, false), Released(kSwitch1));
    EXPECT_EQ(Count(PollFor(800, 1), Held(kSwitch2)), 0);
}

TEST_F(ExtDeviceTest, DirectionsOrTwoSwitchesStopTheScan)
{
    for (DeviceSettings s : {Settings(devicekind::kKeyboard, 2), Settings(devicekind::kKeyboard, 1, 1)}) {
        device.Open(s);
        EXPECT_FALSE(device.Scanning());
        Poll();
        EXPECT_EQ(Count(PollFor(2000), Held(kSwitch2)), 0);
    }
}

TEST_F(ExtDeviceTest, TheKeysTheDeviceUsesAreTakenOutOfTheEvent)
{
    device.Open(Settings(devicekind::kKeyboard, 2, 0));
    TEvent enter = KeyEvent(SDLK_RETURN, true);
    device.Poll(enter);
    EXPECT_EQ(enter.event.type, SDL_NOEVENT);
    EXPECT_EQ(enter.keyAction, 0);
    EXPECT_EQ(enter.keySym, 0);
    // Its hold and repeats on later frames too.
    TEvent held = Empty();
    held.keyAction = key::kHeld | key::kRepeat;
    held.keySym = held.keyChar = SDLK_RETURN;
    device.Poll(held);
    EXPECT_EQ(held.keyAction, 0);
    EXPECT_EQ(held.deviceInput, Held(kSwitch1));
    // Keys it does not use stay: a letter, Escape, and the arrows without directions.
    for (SDLKey k : {SDLK_a, SDLK_ESCAPE, SDLK_UP}) {
        TEvent other = KeyEvent(k, true);
        device.Poll(other);
        EXPECT_EQ(other.event.type, SDL_KEYDOWN) << k;
        EXPECT_EQ(other.keySym, k) << k;
    }
    // With one switch, Enter is not a switch and stays too.
    device.Open(Settings(devicekind::kKeyboard, 1, 0));
    TEvent free = KeyEvent(SDLK_RETURN, true);
    device.Poll(free);
    EXPECT_EQ(free.keySym, SDLK_RETURN);
    EXPECT_EQ(free.deviceInput & Held(kSwitch1), 0);
    EXPECT_EQ(Key(SDLK_SPACE, true) & Held(kSwitch1), Held(kSwitch1));
}

TEST_F(ExtDeviceTest, MouseButtonsAreSwitchesAndTheirEventsAreTaken)
{
    auto button = [this](Uint8 which, bool down) {
        TEvent e = Empty();
        e.event.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
        e.event.button.button = which;
        e.mouseButtons = mouse::kLeftPressed | mouse::kLeftHeld;
        device.Poll(e);
        EXPECT_EQ(e.event.type, SDL_NOEVENT);
        EXPECT_EQ(e.mouseButtons, 0);
        return e.deviceInput;
    };
    device.Open(Settings(devicekind::kMouse, 2));
    EXPECT_EQ(button(SDL_BUTTON_LEFT, true), Pressed(kSwitch1) | Held(kSwitch1));
    EXPECT_EQ(button(SDL_BUTTON_RIGHT, true), Held(kSwitch1) | Pressed(kSwitch2) | Held(kSwitch2));
    EXPECT_EQ(button(SDL_BUTTON_LEFT, false), Released(kSwitch1) | Held(kSwitch2));
    EXPECT_EQ(button(SDL_BUTTON_RIGHT, false), Released(kSwitch2));
    // One switch: either button; it stays held while one of them is.
    device.Open(Settings(devicekind::kMouse, 1, 1));
    EXPECT_EQ(button(SDL_BUTTON_RIGHT, true), Pressed(kSwitch1) | Held(kSwitch1));
    EXPECT_EQ(button(SDL_BUTTON_LEFT, true), Held(kSwitch1));
    EXPECT_EQ(button(SDL_BUTTON_RIGHT, false), Held(kSwitch1));
    EXPECT_EQ(button(SDL_BUTTON_LEFT, false), Released(kSwitch1));
}

TEST_F(ExtDeviceTest, MouseMovesOfMoreThanTenPixelsGiveDirectionsFor200Ms)
{
    SetMousePosition(100, 100);
    device.Open(Settings(devicekind::kMouse, 1, 1));
    auto moveTo = [this](int x, int y) {
        TEvent e = Empty();
        e.mouseX = x;
        e.mouseY = y;
        e.mouseMoved = true;
        device.Poll(e);
        EXPECT_FALSE(e.mouseMoved);
        return e.deviceInput;
    };
    EXPECT_EQ(moveTo(110, 90), 0) << "ten pixels each way are not enough";
    EXPECT_EQ(moveTo(111, 100), Pressed(kRight) | Held(kRight));
    EXPECT_EQ(Poll(), Held(kRight));
    FakeClock::Advance(200);
    EXPECT_EQ(Poll(), Held(kRight));
    FakeClock::Advance(1);
    EXPECT_EQ(Poll(), Released(kRight));
    // A diagonal move: both directions; measured from the last move.
    EXPECT_EQ(moveTo(99, 112), Pressed(kDown) | Held(kDown) | Pressed(kLeft) | Held(kLeft));
    EXPECT_EQ(moveTo(99, 100), Held(kDown) | Held(kLeft) | Pressed(kUp) | Held(kUp));
}

TEST_F(ExtDeviceTest, JoystickButtonsAndAxesBeyondHalfTravel)
{
    FakeJoystick stick;
    device.Open(Settings(devicekind::kJoystick, 2, 1));
    ASSERT_EQ(device.Error(), 0);
    EXPECT_EQ(stick.openedIndex, 0) << "joystick number 1 is index 0";
    for (int v : {16384, -16384, 0}) {
        stick.axis[0] = stick.axis[1] = v;
        EXPECT_EQ(Poll(), 0) << v;
    }
    stick.axis[0] = 16385;
    stick.axis[1] = -16385;
    EXPECT_EQ(Poll(), Pressed(kRight) | Held(kRight) | Pressed(kUp) | Held(kUp));
    stick.axis[0] = -32768;
    stick.axis[1] = 32767;
    EXPECT_EQ(Poll(), Released(kRight) | Released(kUp) | Pressed(kLeft) | Held(kLeft) | Pressed(kDown) | Held(kDown));
    stick.axis[0] = stick.axis[1] = 0;
    Poll();
    stick.button[1] = true;
    EXPECT_EQ(Poll(), Pressed(kSwitch2) | Held(kSwitch2));
    // One switch: either button; without directions the axes do nothing.
    device.Open(Settings(devicekind::kJoystick, 1));
    stick.axis[0] = 30000;
    EXPECT_EQ(Poll() & Held(kSwitch1), Held(kSwitch1));
    EXPECT_EQ(Poll() & (Held(kRight) | Held(kSwitch2)), 0);
}

TEST_F(ExtDeviceTest, AMissingJoystickIsAnErrorButOneThatWillNotOpenIsSilent)
{
    FakeJoystick stick;
    stick.count = 0;
    device.Open(Settings(devicekind::kJoystick, 1, 1));
    EXPECT_EQ(device.Error(), extdevice::kOpenFailed);
    stick.count = 1;
    stick.opens = false;
    stick.button[0] = true;
    device.Open(Settings(devicekind::kJoystick, 2, 1));
    EXPECT_EQ(device.Error(), 0);
    EXPECT_EQ(Poll(), 0);
}

TEST_F(ExtDeviceTest, TheSwitchBoxReadsCtsAndDsr)
{
    FakeSwitchBox box;
    DeviceSettings s = Settings(devicekind::kSerial, 1);
    s.port = 3;
    device.Open(s);
    EXPECT_EQ(box.openedName, "COM3");
    EXPECT_TRUE(box.raised);
    ASSERT_EQ(device.Error(), 0);
    // One switch: either line.
    for (int lines : {platform::kCtsOn, platform::kDsrOn}) {
        box.lines = lines;
        EXPECT_EQ(Poll() & (Pressed(kSwitch1) | Held(kSwitch1)), Pressed(kSwitch1) | Held(kSwitch1)) << lines;
        box.lines = 0;
        EXPECT_EQ(Poll() & Released(kSwitch1), Released(kSwitch1)) << lines;
    }
    // Two switches: CTS is the first, DSR the second.
    device.Open(Settings(devicekind::kSerial, 2));
    box.lines = platform::kDsrOn;
    EXPECT_EQ(Poll(), Pressed(kSwitch2) | Held(kSwitch2));
    box.lines = platform::kCtsOn;
    EXPECT_EQ(Poll(), Pressed(kSwitch1) | Held(kSwitch1) | Released(kSwitch2));
    // A port that stops answering has its lines released.
    box.readWorks = false;
    EXPECT_EQ(Poll(), Released(kSwitch1));
}

TEST_F(ExtDeviceTest, TheSwitchBoxAndThePointerHaveNoDirections)
{
    FakeSwitchBox box;
    for (int kind : {devicekind::kSerial, devicekind::kPointer}) {
        device.Open(Settings(kind, 1, 1));
        EXPECT_EQ(device.Settings().directions, 0) << kind;
        EXPECT_TRUE(device.Scanning()) << kind;
    }
    device.Open(Settings(devicekind::kKeyboard, 1, 1));
    EXPECT_EQ(device.Settings().directions, 1);
}

TEST_F(ExtDeviceTest, APortThatCannotBeUsedIsAnError)
{
    FakeSwitchBox box;
    box.present = false;
    device.Open(Settings(devicekind::kSerial, 1));
    EXPECT_EQ(device.Error(), extdevice::kOpenFailed);
    Poll();
    EXPECT_EQ(Count(PollFor(3000), ~0), 0) << "no flags at all, not even the scan";

    // RTS and DTR refused: in error, both lines released whatever they say.
    box.present = true;
    box.raiseWorks = false;
    box.lines = platform::kCtsOn | platform::kDsrOn;
    device.Open(Settings(devicekind::kSerial, 2));
    EXPECT_EQ(device.Error(), extdevice::kRaiseFailed);
    EXPECT_EQ(Count(PollFor(500), Held(kSwitch1) | Held(kSwitch2)), 0);
}

TEST_F(ExtDeviceTest, PointerEventsGiveThePositionAndASwitchedOffDeviceNothing)
{
    device.Open(Settings(devicekind::kPointer, 2));
    TEvent e = Empty();
    e.mouseX = 123;
    e.mouseY = 45;
    device.Poll(e);
    EXPECT_EQ(e.devicePointerX, 123);
    EXPECT_EQ(e.devicePointerY, 45);

    DeviceSettings off = Settings(devicekind::kKeyboard, 1);
    off.enabled = 0;
    device.Open(off);
    TEvent space = KeyEvent(SDLK_SPACE, true);
    device.Poll(space);
    EXPECT_EQ(space.deviceInput, 0);
    EXPECT_EQ(space.keySym, SDLK_SPACE) << "a device switched off takes no keys";
    EXPECT_EQ(Count(PollFor(3000), ~0), 0);
}
