#include "gfx/Screen.h"

#include "base/FatalError.h"
#include "gfx/Colours.h"
#include "gfx/PushedCopy.h"
#include "gfx/Text.h"
#include "platform/WindowPicture.h"

#include "SDL_ttf.h"

#include <algorithm>
#include <utility>
#include <vector>

Screen theScreen;

namespace {

UpdateHook updateHook = nullptr;
TPushedCopy pushedPicture;

}  // namespace

bool ClipRect(Rect& r, const Rect& clip)
{
    if (r.left > clip.right || r.top > clip.bottom || r.right < clip.left || r.bottom < clip.top)
        return false;
    r.left = std::max(r.left, clip.left);
    r.top = std::max(r.top, clip.top);
    r.right = std::min(r.right, clip.right);
    r.bottom = std::min(r.bottom, clip.bottom);
    return true;
}

void UniteRect(Rect& into, const Rect& r)
{
    if (into.left == kEmptyRect) {
        into = r;
        return;
    }
    into.left = std::min(into.left, r.left);
    into.top = std::min(into.top, r.top);
    into.right = std::max(into.right, r.right);
    into.bottom = std::max(into.bottom, r.bottom);
}

void OpenScreen(int width, int height, int depth, std::uint32_t flags)
{
    SDL_Surface* surface = SDL_SetVideoMode(width, height, depth, flags);
    if (!surface && (flags & SDL_FULLSCREEN))
        surface = SDL_SetVideoMode(width, height, depth, flags & ~static_cast<std::uint32_t>(SDL_FULLSCREEN));
    if (!surface)
        FatalError("Couldn't set video mode:", SDL_GetError());
    AttachScreen(surface, width, height, depth < 9);
    TTF_Init();
}

void AttachScreen(SDL_Surface* surface, int width, int height, bool palettised)
{
    pushedPicture.Forget();  // a new mode shows a new, empty window
    theScreen = Screen{};
    theScreen.surface = surface;
    theScreen.width = width;
    theScreen.height = height;
    theScreen.originX = (surface->w - width) / 2;
    theScreen.originY = (surface->h - height) / 2;
    theScreen.palettised = palettised;
    theScreen.viewPort = {0, 0, width - 1, height - 1};
    theScreen.clip = theScreen.viewPort;
}

void SetUpdateHook(UpdateHook hook)
{
    updateHook = hook;
}

void CloseScreen()
{
    if (!theScreen.surface)
        return;
    FillBoxRaw(0, 0, theScreen.width - 1, theScreen.height - 1, 0);
    MarkDirty(0, 0, theScreen.width - 1, theScreen.height - 1);
    FlushScreen();
    ForgetRenderedTexts(nullptr);
    TTF_Quit();
    theScreen.surface = nullptr;
}

void SetPalette(const std::uint8_t* table)
{
    SDL_Color colours[256];
    for (int i = 0; i < 256; ++i)
        colours[i] = {table[i * 4], table[i * 4 + 1], table[i * 4 + 2], 0};
    if (theScreen.surface)
        SDL_SetColors(theScreen.surface, colours, 0, 256);
}

void SetClip(int left, int top, int right, int bottom)
{
    theScreen.clip = {left, top, right, bottom};
    if (!theScreen.surface)
        return;
    SDL_Rect r = {static_cast<Sint16>(left + theScreen.originX), static_cast<Sint16>(top + theScreen.originY),
                  static_cast<Uint16>(std::max(0, right - left + 1)), static_cast<Uint16>(std::max(0, bottom - top + 1))};
    SDL_SetClipRect(theScreen.surface, &r);
}

void ResetClip()
{
    const Rect& v = theScreen.viewPort;
    SetClip(v.left, v.top, v.right, v.bottom);
}

namespace {

std::uint64_t drawings = 0;
std::vector<Rect> pushAreas;  // the next push's areas, while nothing else is drawn
std::uint64_t limitedAt = 0;  // the drawing count when they were given

}  // namespace

std::uint64_t DrawCount()
{
    return drawings;
}

void LimitPushTo(const std::vector<Rect>& areas)
{
    // The dirty rectangle becomes their union: it stays what changed, for
    // whoever asks (the pointer) and for a push after more drawing.
    theScreen.dirty.left = kEmptyRect;
    pushAreas.clear();
    for (Rect r : areas)
        if (ClipRect(r, theScreen.viewPort)) {
            pushAreas.push_back(r);
            UniteRect(theScreen.dirty, r);
        }
    limitedAt = drawings;
}

void MarkDirty(int left, int top, int right, int bottom)
{
    ++drawings;
    Rect r = {left, top, right, bottom};
    if (ClipRect(r, theScreen.clip))
        UniteRect(theScreen.dirty, r);
}

bool DirtyIsEmpty()
{
    return theScreen.dirty.left == kEmptyRect;
}

namespace {

PushStats pushStats;

}  // namespace

namespace {

// What changed in an area since the last push, added to `changed`.
void CollectChanges(const Rect& r, std::vector<SDL_Rect>& changed)
{
    if (!theScreen.surface || r.right < r.left || r.bottom < r.top)
        return;
    if (updateHook)
        updateHook(r);
    // Only the video surface has a display behind it.
    if (theScreen.surface != SDL_GetVideoSurface())
        return;
    SDL_Rect area = {static_cast<Sint16>(r.left + theScreen.originX), static_cast<Sint16>(r.top + theScreen.originY),
                     static_cast<Uint16>(r.right - r.left + 1), static_cast<Uint16>(r.bottom - r.top + 1)};
    LockScreen();
    std::vector<SDL_Rect> more = pushedPicture.Changes(theScreen.surface, area);
    UnlockScreen();
    changed.insert(changed.end(), more.begin(), more.end());
}

void SendToDisplay(const std::vector<SDL_Rect>& areas)
{
    int count = static_cast<int>(areas.size());
    if (platform::ShowAreasInWindow(theScreen.surface, areas.data(), count) == platform::WindowPush::kShown)
        return;
    // The library's copy of the picture may be behind what the window shows.
    if (platform::WindowShownDirectly())
        SDL_UpdateRect(theScreen.surface, 0, 0, 0, 0);
    else
        SDL_UpdateRects(theScreen.surface, count, const_cast<SDL_Rect*>(areas.data()));
}

// One push for all of them: each push waits for the display to answer.
void PushChanges(const std::vector<SDL_Rect>& changed)
{
    if (changed.empty())
        return;
    SendToDisplay(changed);
    for (const SDL_Rect& r : changed)
        pushStats.pixels += static_cast<std::uint64_t>(r.w) * r.h;
}

}  // namespace

void UpdateArea(int left, int top, int right, int bottom)
{
    std::vector<SDL_Rect> changed;
    CollectChanges({left, top, right, bottom}, changed);
    PushChanges(changed);
}

const PushStats& Pushed()
{
    return pushStats;
}

void ForgetPushedPicture()
{
    pushedPicture.Forget();
}

void ShowWholeScreen()
{
    pushedPicture.Forget();
    if (!theScreen.surface)
        return;
    SendToDisplay({SDL_Rect{0, 0, static_cast<Uint16>(theScreen.surface->w), static_cast<Uint16>(theScreen.surface->h)}});
}

namespace {

void FlushDirty()
{
    std::vector<Rect> areas;
    areas.swap(pushAreas);
    if (!areas.empty() && drawings == limitedAt) {
        theScreen.dirty.left = kEmptyRect;
        std::vector<SDL_Rect> changed;
        for (const Rect& r : areas)
            CollectChanges(r, changed);
        PushChanges(changed);
        return;
    }
    if (DirtyIsEmpty())
        return;
    const Rect d = theScreen.dirty;
    theScreen.dirty.left = kEmptyRect;
    UpdateArea(d.left, d.top, d.right, d.bottom);
}

}  // namespace

void FlushScreen()
{
    // A frame is a push that sent something, in one area or several.
    std::uint64_t before = pushStats.pixels;
    FlushDirty();
    if (pushStats.pixels != before)
        ++pushStats.frames;
}

void LockScreen()
{
    if (theScreen.lockCount++ > 0 || !theScreen.surface || !SDL_MUSTLOCK(theScreen.surface))
        return;
    while (SDL_LockSurface(theScreen.surface) < 0)
        SDL_Delay(10);
}

void UnlockScreen()
{
    if (theScreen.lockCount <= 0)
        return;
    if (--theScreen.lockCount == 0 && theScreen.surface && SDL_MUSTLOCK(theScreen.surface))
        SDL_UnlockSurface(theScreen.surface);
}

void FillBoxRaw(int left, int top, int right, int bottom, std::uint32_t colour)
{
    if (right < left)
        std::swap(left, right);
    if (bottom < top)
        std::swap(top, bottom);
    Rect r = {left, top, right, bottom};
    if (!theScreen.surface || !ClipRect(r, theScreen.clip))
        return;
    if (!theScreen.palettised && colour >= 1 && colour <= 31)
        colour = MapColour(colour);
    SDL_Rect area = {static_cast<Sint16>(r.left + theScreen.originX), static_cast<Sint16>(r.top + theScreen.originY),
                     static_cast<Uint16>(r.right - r.left + 1), static_cast<Uint16>(r.bottom - r.top + 1)};
    SDL_FillRect(theScreen.surface, &area, colour);
}

void FillBox(int left, int top, int right, int bottom, std::uint32_t colour)
{
    FillBoxRaw(left, top, right, bottom, colour);
    MarkDirty(std::min(left, right), std::min(top, bottom), std::max(left, right), std::max(top, bottom));
}

void ClearScreen(std::uint32_t colour)
{
    const Rect& v = theScreen.viewPort;
    FillBoxRaw(v.left, v.top, v.right, v.bottom, colour);
    MarkDirty(v.left, v.top, v.right, v.bottom);
}

DrawingState::DrawingState()
    : pen_(theScreen.pen), font_(theScreen.font), hAnchor_(theScreen.hAnchor), vAnchor_(theScreen.vAnchor)
{
}

DrawingState::~DrawingState()
{
    theScreen.pen = pen_;
    theScreen.font = font_;
    theScreen.hAnchor = hAnchor_;
    theScreen.vAnchor = vAnchor_;
}
