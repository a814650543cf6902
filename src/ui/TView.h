#pragma once
// Something on screen the user works with: a rectangle (screen pixels,
// corners inclusive) that draws itself, may hold the focus and reacts to
// events. Views live in their group's list; the group owns them.

#include "app/TEvent.h"
#include "gfx/Display.h"
#include "base/TElement.h"
#include "ui/ViewState.h"

#include <cstdint>
#include <string>

class TFont;
class TGroup;

// Set while a child's switch device steers the program: every dialog then
// moves its focus and presses with the switches, and the focused control
// is marked thick enough to follow.
extern bool theDeviceNavigation;
// No drawing locked and no device navigation, as at the start of the process.
void ResetViewState();

class TView : public TElement {
public:
    TView(int left, int top, int right, int bottom, unsigned options = 0);
    ~TView() override = default;

    virtual void DrawBody();
    virtual void DrawFrame();
    // The thick mark of the focused control under switch control.
    void DrawScanMark();
    virtual void Draw();
    virtual void Press();
    virtual void SetState(unsigned bits, bool on);
    virtual bool CanFocus() const;
    virtual void HandleEvent(TEvent& event);
    virtual void Open() {}
    virtual void Close() {}
    virtual void Idle() {}
    // Pixel value of the frame: the active colour when the owner group is
    // active and enabled.
    virtual std::uint32_t FrameColour() const;
    // What a child with switches hears when the scan mark comes to it.
    virtual std::string SpokenLabel() const { return {}; }

    void SetBounds(int l, int t, int r, int b);
    TGroup* OwnerGroup() const;
    unsigned State() const { return state_; }
    bool Has(unsigned bits) const { return (state_ & bits) == bits; }
    unsigned Options() const { return options_; }
    void SetOptions(unsigned options) { options_ = options; }
    bool Contains(int x, int y) const;

    int left, top, right, bottom;
    unsigned short kind = view::kView;
    int bevel = 2;
    TFont* font;  // the default font unless given another

protected:
    // Sets or clears bits without drawing.
    void ChangeBits(unsigned bits, bool on) { state_ = on ? (state_ | bits) : (state_ & ~bits); }
    unsigned state_ = view::kNew;
    unsigned options_;
};

// The bevelled face every button and selector is drawn on.
void DrawBevel(int l, int t, int r, int b, int width, unsigned state);

void LockDraw();
void UnlockDraw();
bool DrawLocked();

bool PointIn(int x, int y, int left, int top, int right, int bottom);
// A rectangle placed in a group: negative offsets count from the far edge,
// and 0 means the near edge for left/top but the far edge for right/bottom.
Rect PlaceInGroup(const TView* group, int dx1, int dy1, int dx2, int dy2);
// PlaceInGroup with offsets in design units of the 640x480 screen.
Rect PlaceDesign(const TView* group, int dx1, int dy1, int dx2, int dy2);
// Folds the key and compares it with the event's symbol (letters) or character.
bool HotkeyMatches(const TEvent& event, int key);
// The colour-scheme role of a view's hot-key letters: 10 when it is active
// and enabled, 11 when only enabled, -1 (its text colour) when disabled.
int HotkeyRole(const TView* view);
// Takes a key out of the event so that no other view sees it.
void ConsumeKey(TEvent& event);
// Takes the wheel notch out of the event once a view has scrolled by it.
void ConsumeWheel(TEvent& event);
// How many lines one notch of the wheel scrolls.
constexpr int kWheelLines = 3;
// A text without its hot-key marks ("~N~ome" is "Nome").
std::string WithoutHotkeyMarks(const std::string& text);
// Focuses the view in its owner group.
void Focus(TView* view);
