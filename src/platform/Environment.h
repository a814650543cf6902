#pragma once
// Start-up choices the platform makes through the environment.

namespace platform {

// The plain video driver of the desktop (SDL's own X11 driver), unless the
// environment already names one or the desktop is Wayland's without X.
void ChoosePlainVideoDriver();

// On the compatibility layer over SDL 2, the settings of SDL 2 that make
// the program behave as on classic SDL 1.2 (each unless the environment
// already gives it).
void ChooseCompatibilitySettings();

}  // namespace platform
