#pragma once
// Start-up choices the platform makes through the environment.

namespace platform {

// The plain video driver of the desktop (SDL's own X11 driver), unless the
// environment already names one.
void ChoosePlainVideoDriver();

}  // namespace platform
