#include "game/GameView.h"

#include "gfx/Screen.h"

int GameView::LaneCentre(int lane) const
{
    return theScreen.width * (2 * lane + 1) / (2 * laneCount_);
}
