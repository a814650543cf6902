#pragma once
// A child's switch device for the whole session, not only in the test
// panel: while the current profile has it enabled it stays open, is read at
// every event, and every dialog is steered by it (switch 2 or the scan
// pulse moves the focus, switch 1 presses).

#include "app/TEvent.h"
#include "session/DeviceSettings.h"

namespace sessiondevice {

// Opens the device when `settings` enable it (so that the first screen
// is drawn for it already), closes it when they do not; true when open.
bool Follow(const DeviceSettings& settings);
// Reads the device into the event when `settings` enable it, opening (or
// opening again) when they changed; closes it when they do not.
void Poll(const DeviceSettings& settings, TEvent& event);
// While the controls dialog tries a device of its own, the session's one
// stands aside.
void StandAside(bool aside);
// Open and steering the dialogs now.
bool Active();
// The device closed and nothing standing aside, as at the start of the process.
void Reset();

}  // namespace sessiondevice
