#include "game/ScreenState.h"

#include "app/Input.h"
#include "gfx/Screen.h"
#include "app/TMouse.h"

void ScreenState::Save()
{
    font_ = theScreen.font;
    hAnchor_ = theScreen.hAnchor;
    vAnchor_ = theScreen.vAnchor;
    picture_.reset(CreateScreenSurface(theScreen.width, theScreen.height));
    SaveScreenArea(0, 0, picture_.get());
}

void ScreenState::Restore()
{
    if (picture_)
        DrawImage(0, 0, picture_.get());
    picture_.reset();
    theScreen.hAnchor = hAnchor_;
    theScreen.vAnchor = vAnchor_;
    theScreen.font = font_;
}

void RevealPointer()
{
    if (theMouse)
        theMouse->enabled = true;
}

void ReHidePointer()
{
    if (theMouse && MouseHideDepth() != 0)
        theMouse->enabled = false;
}
