#include "app/TEvent.h"

#include <cstring>

void TEvent::Clear()
{
    std::memset(&event, 0, sizeof event);
    keyAction = keyChar = keySym = modifiers = 0;
    mouseX = mouseY = 0;
    mouseMoved = false;
    mouseButtons = 0;
    deviceInput = 0;
    devicePointerX = devicePointerY = -1;
    command = 0;
}
