#pragma once
// A look at the display before SDL opens it. SDL 2's Wayland driver (under
// the compatibility layer) dies of a segmentation fault on a compositor
// that offers no seat (no keyboard, no pointer): the program asks first, so
// that such a display ends in a fatal error that says why.

#include <string>

namespace platform {

// Empty when the video driver SDL will use may be started; else, in
// English like SDL's own errors, what the display lacks.
std::string VideoDisplayProblem();

}  // namespace platform
