#pragma once
// Start-up choices the platform makes through the environment.

namespace platform {

// The plain video driver of the desktop (SDL's own X11 driver), unless the
// environment already names one or the desktop is Wayland's without X.
void ChoosePlainVideoDriver();

}  // namespace platform
