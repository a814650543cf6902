#pragma once
// Fills the frame's event record: one library event at most, keys with
// their own repeat (200 ms, then every 50 ms), keypad translation by the real
// Num Lock state, mouse buttons with repeat and double click (250 ms), the
// program's own pointer position, wheel notches, and one command from the
// queue.
//
// Motion events never reach the record: a filter inside the library's poll
// keeps the position, scaling relative motion when a mouse speed is set.

#include "app/TEvent.h"

#include <cstdint>
#include <functional>

void GetEvent(TEvent& record);
// Sleeps until input arrives, a command is waiting, or `ms` have passed.
void WaitForInput(std::uint32_t ms);
// Empties the command queue and installs the motion filter.
void InstallInputFilter();
// Called with every event read, after the keyboard and the mouse: the
// switch device adds its flags there. Null for none.
void SetInputHook(void (*hook)(TEvent& event));
// The filter itself: 0 drops the event (every motion event), 1 keeps it.
int MotionFilter(const SDL_Event* event);

void SetMousePosition(int x, int y);
void GetMousePosition(int& x, int& y);
void SetMouseSpeed(int numerator, int denominator);
void GetMouseSpeed(int& numerator, int& denominator);
void SetDrawingOffset(int x, int y);
// Nested hiding of the pointer: a show undoes one hide.
void ShowMouse(bool show);
int MouseHideDepth();
// Set by the application when the pointer comes back into the window.
void SetMouseReentered();

bool DevicePointerMode();
void SetDevicePointerMode(bool on);

// Where the pointer sprite goes; the cursor object installs itself here.
struct PointerSink {
    std::function<void(int, int)> moveTo;
    std::function<void(bool)> setEnabled;
    std::function<void()> markInside;
};
void SetPointerSink(PointerSink sink);

// How Num Lock is read; replaceable for tests.
void SetNumLockSource(bool (*source)());

// Back to the state at start-up (tests).
void ResetInput();
// Forgets the keys typed but not yet read, and any key held down: what a
// child was still typing when a game ended must not land in the next box.
void DropPendingKeys();
