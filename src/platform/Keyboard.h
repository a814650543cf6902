#pragma once
// The keyboard's Num Lock state as the desktop reports it.

namespace platform {

// Asks the X server when the window lives on one, else trusts SDL's
// modifier state.
bool NumLockOn();

}  // namespace platform
