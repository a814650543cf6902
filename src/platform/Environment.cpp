#include "platform/Environment.h"

#include <cstdlib>

namespace platform {

void ChoosePlainVideoDriver()
{
    ::setenv("SDL_VIDEODRIVER", "x11", 0);
}

}  // namespace platform
