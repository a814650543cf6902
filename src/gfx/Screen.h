#pragma once
// The single drawing target: the video surface, the logical screen inside
// it, the clip rectangle, and the dirty rectangle that collects everything
// drawn in a frame so it reaches the display in one update.

#include "gfx/Display.h"

#include "SDL.h"

#include <cstdint>
#include <vector>

class TFont;

constexpr int kEmptyRect = 0x7777;

struct Screen {
    std::uint32_t pen = 0;     // raw pixel value
    int width = 0, height = 0;
    TFont* font = nullptr;     // the current font, not owned
    std::uint8_t hAnchor = 0;  // 0 left, 1 centre, 2 right
    std::uint8_t vAnchor = 0;  // 0 bottom, 1 middle, 2 top
    bool palettised = false;
    int originX = 0, originY = 0;
    SDL_Surface* surface = nullptr;
    Rect dirty = {kEmptyRect, 0, 0, 0};
    Rect viewPort = {0, 0, -1, -1};
    Rect clip = {0, 0, -1, -1};
    int lockCount = 0;
};

extern Screen theScreen;

// Sets the video mode (retrying windowed when full screen is refused); a
// mode that cannot be had at all ends the program.
// Keeps the screen's pen, font and text anchors while it lives and puts
// them back when it goes: drawing code changes them freely in between.
class DrawingState {
public:
    DrawingState();
    ~DrawingState();
    DrawingState(const DrawingState&) = delete;
    DrawingState& operator=(const DrawingState&) = delete;

private:
    std::uint32_t pen_;
    TFont* font_;
    std::uint8_t hAnchor_, vAnchor_;
};

void OpenScreen(int width, int height, int depth, std::uint32_t flags);
void CloseScreen();
// Makes `surface` the video surface with a logical screen of width x height
// centred in it (what OpenScreen does once the mode is set).
void AttachScreen(SDL_Surface* surface, int width, int height, bool palettised);

// Called with every area pushed to the display (tests watch the display).
using UpdateHook = void (*)(const Rect& area);
void SetUpdateHook(UpdateHook hook);

void SetPalette(const std::uint8_t* table256x4);
void SetClip(int left, int top, int right, int bottom);
void ResetClip();
void MarkDirty(int left, int top, int right, int bottom);
bool DirtyIsEmpty();
void FlushScreen();
// Sends an area to the display: only the parts that changed since they
// were last sent.
void UpdateArea(int left, int top, int right, int bottom);
// The display was refreshed behind our back: send everything next time.
void ForgetPushedPicture();
// The display lost the picture: all of it again, now.
void ShowWholeScreen();

// Locking for direct pixel access; nested calls lock once.
void LockScreen();
void UnlockScreen();

void FillBoxRaw(int left, int top, int right, int bottom, std::uint32_t colour);
void FillBox(int left, int top, int right, int bottom, std::uint32_t colour);
void ClearScreen(std::uint32_t colour);

// Intersects `r` with `clip`; false when nothing is left.
bool ClipRect(Rect& r, const Rect& clip);
// Grows `into` to hold `r`; an `into` whose left is kEmptyRect becomes `r`.
void UniteRect(Rect& into, const Rect& r);

// What has reached the display since start-up (the benchmarks ask).
struct PushStats {
    std::uint64_t frames = 0;  // pushes that sent something
    std::uint64_t pixels = 0;
};
const PushStats& Pushed();

// Counts every drawing on the screen: a view that drew the last picture
// knows, when it has not moved on, that nobody else drew since.
std::uint64_t DrawCount();
// The next push compares and sends only these areas (clipped to the view
// port), for a picture whose maker knows where it changed; if anything is
// drawn before the push, it sends their union with that as usual.
void LimitPushTo(const std::vector<Rect>& areas);
