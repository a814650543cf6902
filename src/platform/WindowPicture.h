#pragma once
// Over SDL 2 (the compatibility layer, Debian 13's SDL 1.2) on X11, an update
// of the screen makes the layer clear the whole window, copy the whole
// picture into it and send all of it to the X server, up to 60 times a
// second while a word falls: three times the processor classic SDL 1.2
// needs, which sends only the areas asked. Here the changed areas go
// straight into the window's own pixels (scaled, when full screen is
// another size) and only they are sent.

#include "SDL.h"

namespace platform {

enum class WindowPush {
    kShown,    // the areas are in the window
    kNotHere,  // not on the layer over X11 (or turned off): update through SDL
};

// Shows these areas of the video surface `screen` in the window.
// QUOLI_WINDOW_PUSH=layer in the environment leaves every update to the
// layer (to compare).
WindowPush ShowAreasInWindow(SDL_Surface* screen, const SDL_Rect* areas, int count);

// Whether an earlier update went straight into the window: the layer's own
// copy of the picture is then out of date, and an update through SDL must
// send the whole picture.
bool WindowShownDirectly();

}  // namespace platform
