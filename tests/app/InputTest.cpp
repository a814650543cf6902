#include "app/Clock.h"
#include "app/CommandQueue.h"
#include "app/Input.h"
#include "app/TEvent.h"
#include "app/WakeUp.h"
#include "support/HeadlessApp.h"

#include <gtest/gtest.h>

namespace {

bool numLock = false;

bool FakeNumLock()
{
    return numLock;
}

// Input without an application: a real SDL event queue on the dummy driver.
struct InputTest : ::testing::Test {
    void SetUp() override
    {
        ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0);
        ASSERT_NE(SDL_SetVideoMode(320, 200, 16, 0), nullptr);
        FakeClock::Set(1000);
        SetTickSource(FakeClock::Ticks);
        ResetClock();
        ResetInput();
        ClearCommands();
        SetNumLockSource(FakeNumLock);
        numLock = false;
    }
    void TearDown() override
    {
        SetNumLockSource(nullptr);
        SetTickSource(nullptr);
        ResetInput();
        SDL_Quit();
    }
    TEvent Next()
    {
        TEvent r;
        GetEvent(r);
        return r;
    }
    void Key(SDLKey sym, bool down, Uint16 unicode = 0)
    {
        SDL_Event e{};
        e.type = down ? SDL_KEYDOWN : SDL_KEYUP;
        e.key.keysym.sym = sym;
        e.key.keysym.unicode = unicode;
        SDL_PushEvent(&e);
    }
    void Button(int button, bool down)
    {
        SDL_Event e{};
        e.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
        e.button.button = static_cast<Uint8>(button);
        SDL_PushEvent(&e);
    }
};

}  // namespace

TEST_F(InputTest, HeldKeyRepeatsAfter200ThenEvery50Milliseconds)
{
    Key(SDLK_a, true, 'a');
    TEvent first = Next();
    EXPECT_EQ(first.keyAction, key::kPressed);
    EXPECT_EQ(first.keyChar, 'a');
    FakeClock::Advance(100);
    EXPECT_EQ(Next().keyAction, key::kHeld);
    FakeClock::Advance(100);
    EXPECT_EQ(Next().keyAction, key::kHeld);  // 200 ms exactly: not yet more than 200
    FakeClock::Advance(1);
    TEvent repeat = Next();
    EXPECT_EQ(repeat.keyAction, key::kHeld | key::kRepeat);
    EXPECT_EQ(repeat.keyChar, 'a');
    FakeClock::Advance(50);
    EXPECT_EQ(Next().keyAction, key::kHeld);
    FakeClock::Advance(1);
    EXPECT_EQ(Next().keyAction, key::kHeld | key::kRepeat);
    Key(SDLK_a, false);
    EXPECT_EQ(Next().keyAction, key::kReleased);
    EXPECT_EQ(Next().keyAction, 0);
}

TEST_F(InputTest, ReleasingAnyKeyForgetsTheHeldOne)
{
    Key(SDLK_a, true, 'a');
    Next();
    Key(SDLK_b, false);
    Next();
    FakeClock::Advance(500);
    EXPECT_EQ(Next().keyAction, 0);
}

TEST_F(InputTest, KeypadFollowsNumLock)
{
    numLock = false;
    Key(SDLK_KP8, true);
    TEvent off = Next();
    EXPECT_EQ(off.keyChar, SDLK_UP);
    EXPECT_EQ(off.modifiers & KMOD_NUM, 0);
    Key(SDLK_KP8, false);
    Next();
    numLock = true;
    Key(SDLK_KP8, true);
    TEvent on = Next();
    EXPECT_EQ(on.keyChar, '8');
    EXPECT_NE(on.modifiers & KMOD_NUM, 0);
    Key(SDLK_KP_ENTER, true);
    EXPECT_EQ(Next().keyChar, 13);
    Key(SDLK_F1, true);
    EXPECT_EQ(Next().keyChar, SDLK_F1);  // keys without a character carry their symbol
    numLock = false;
    Key(SDLK_KP_PERIOD, true);
    EXPECT_EQ(Next().keyChar, 127);
}

TEST_F(InputTest, DoubleClickWithin250Milliseconds)
{
    Button(SDL_BUTTON_LEFT, true);
    TEvent first = Next();
    EXPECT_TRUE(first.mouseButtons & mouse::kLeftPressed);
    EXPECT_FALSE(first.mouseButtons & mouse::kLeftDouble);
    Button(SDL_BUTTON_LEFT, false);
    EXPECT_TRUE(Next().mouseButtons & mouse::kLeftReleased);
    FakeClock::Advance(200);
    Button(SDL_BUTTON_LEFT, true);
    EXPECT_TRUE(Next().mouseButtons & mouse::kLeftDouble);
    Button(SDL_BUTTON_LEFT, false);
    Next();
    FakeClock::Advance(300);
    Button(SDL_BUTTON_LEFT, true);
    EXPECT_FALSE(Next().mouseButtons & mouse::kLeftDouble);
    // Held: the repeat follows the keys' timing.
    FakeClock::Advance(201);
    TEvent held = Next();
    EXPECT_TRUE(held.mouseButtons & mouse::kLeftHeld);
    EXPECT_TRUE(held.mouseButtons & mouse::kLeftRepeat);
    Button(SDL_BUTTON_MIDDLE, true);
    EXPECT_EQ(Next().mouseButtons & ~(mouse::kLeftHeld | mouse::kLeftRepeat), 0);
}

TEST_F(InputTest, AWheelNotchIsOneRecordAndHoldsNothing)
{
    Button(SDL_BUTTON_WHEELDOWN, true);
    TEvent down = Next();
    EXPECT_EQ(down.mouseButtons, mouse::kWheelDown);
    EXPECT_EQ(down.WheelNotches(), 1);
    Button(SDL_BUTTON_WHEELDOWN, false);
    TEvent release = Next();
    EXPECT_EQ(release.mouseButtons, 0);  // SDL's release half of the notch
    EXPECT_EQ(release.WheelNotches(), 0);
    Button(SDL_BUTTON_WHEELUP, true);
    EXPECT_EQ(Next().WheelNotches(), -1);
    FakeClock::Advance(300);
    EXPECT_EQ(Next().mouseButtons, 0);  // no hold, no repeat
    // A notch between two clicks does not break the double click.
    Button(SDL_BUTTON_LEFT, true);
    Next();
    Button(SDL_BUTTON_LEFT, false);
    Next();
    Button(SDL_BUTTON_WHEELUP, true);
    EXPECT_EQ(Next().mouseButtons, mouse::kWheelUp);
    Button(SDL_BUTTON_LEFT, true);
    EXPECT_TRUE(Next().mouseButtons & mouse::kLeftDouble);
}

TEST_F(InputTest, FirstRecordReportsTheMouseAsMoved)
{
    EXPECT_TRUE(Next().mouseMoved);
    EXPECT_FALSE(Next().mouseMoved);
    SDL_Event motion{};
    motion.type = SDL_MOUSEMOTION;
    motion.motion.x = 30;
    motion.motion.y = 40;
    EXPECT_EQ(MotionFilter(&motion), 0);
    TEvent moved = Next();
    EXPECT_TRUE(moved.mouseMoved);
    EXPECT_EQ(moved.mouseX, 30);
    EXPECT_EQ(moved.mouseY, 40);
}

TEST_F(InputTest, MouseSpeedScalesRelativeMotionAndSwallowsTheWarp)
{
    SetMousePosition(100, 100);
    SDL_Event warp{};
    warp.type = SDL_MOUSEMOTION;
    warp.motion.x = 100;
    warp.motion.y = 100;
    MotionFilter(&warp);  // the warp of SetMousePosition itself
    SetMouseSpeed(2, 1);
    SDL_Event motion{};
    motion.type = SDL_MOUSEMOTION;
    motion.motion.x = 103;
    motion.motion.y = 100;
    motion.motion.xrel = 3;
    MotionFilter(&motion);
    int x, y;
    GetMousePosition(x, y);
    EXPECT_EQ(x, 106);
    EXPECT_EQ(y, 100);
    SDL_Event echo{};
    echo.type = SDL_MOUSEMOTION;
    echo.motion.x = 106;
    echo.motion.xrel = 3;
    MotionFilter(&echo);  // the warp's own motion is ignored
    GetMousePosition(x, y);
    EXPECT_EQ(x, 106);
}

TEST_F(InputTest, OneCommandPerRecord)
{
    PostCommand(7);
    PostCommand(8);
    EXPECT_EQ(Next().command, 7);
    EXPECT_EQ(Next().command, 8);
    EXPECT_EQ(Next().command, 0);
}

TEST_F(InputTest, ShowMouseNests)
{
    ShowMouse(false);
    ShowMouse(false);
    EXPECT_EQ(MouseHideDepth(), 2);
    ShowMouse(true);
    ShowMouse(true);
    ShowMouse(true);
    EXPECT_EQ(MouseHideDepth(), 0);
}

TEST_F(InputTest, ClockStopsCountingPausedTime)
{
    std::uint32_t start = Now();
    FakeClock::Advance(100);
    PauseClock();
    FakeClock::Advance(60000);
    ResumeClock();
    EXPECT_EQ(Now() - start, 100u);
    EXPECT_TRUE(Elapsed(start, 99));
    EXPECT_FALSE(Elapsed(start, 100));
    ResumeClock();  // not paused: ignored
    EXPECT_EQ(Now() - start, 100u);
}

// The loop sleeps between passes; a held key or button keeps it coming
// round in time for its repeats, and nothing held lets it sleep long.
TEST_F(InputTest, AHeldKeyOrButtonWakesTheLoopForItsRepeats)
{
    wakeup::TakeSleep();
    EXPECT_EQ(Next().keyAction, 0);
    EXPECT_EQ(wakeup::TakeSleep(), wakeup::kLongestSleepMs) << "nothing held";
    Key(SDLK_a, true, 'a');
    Next();
    FakeClock::Advance(201);
    EXPECT_EQ(Next().keyAction, key::kHeld | key::kRepeat);
    EXPECT_LE(wakeup::TakeSleep(), 51u) << "the next repeat is 50 ms on";
    FakeClock::Advance(30);
    Next();
    EXPECT_LE(wakeup::TakeSleep(), 21u);
    Key(SDLK_a, false);
    Next();
    EXPECT_EQ(wakeup::TakeSleep(), wakeup::kLongestSleepMs);
    Button(SDL_BUTTON_LEFT, true);
    Next();
    FakeClock::Advance(201);
    EXPECT_NE(Next().mouseButtons & mouse::kLeftRepeat, 0);
    EXPECT_LE(wakeup::TakeSleep(), 51u);
}
