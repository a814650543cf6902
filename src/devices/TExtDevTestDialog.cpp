#include "devices/TExtDevTestDialog.h"

#include "devices/TExtDevice.h"
#include "gfx/Colours.h"
#include "gfx/Primitives.h"
#include "gfx/Screen.h"
#include "gfx/Text.h"
#include "resources/StringTable.h"
#include "ui/TStaticText.h"

#include <algorithm>
#include <cstdio>

using namespace switchflag;

namespace {

constexpr std::uint32_t kHeldColour = 8;
constexpr std::uint32_t kFreeColour = 15;

Rect Around(int cx, int cy, int size)
{
    return {cx - size / 2, cy - size / 2, cx - size / 2 + size - 1, cy - size / 2 + size - 1};
}

// A triangle filled line by line: the tip, then the two ends of its base.
void FillTriangle(int x1, int y1, int x2, int y2, int x3, int y3, std::uint32_t fill)
{
    SetPen(fill);
    int steps = std::max(std::abs(x2 - x3), std::abs(y2 - y3));
    for (int i = 0; i <= steps; ++i) {
        int bx = x2 + (x3 - x2) * i / std::max(steps, 1), by = y2 + (y3 - y2) * i / std::max(steps, 1);
        DrawLine(x1, y1, bx, by);
    }
    SetPen(0);
    DrawLine(x1, y1, x2, y2);
    DrawLine(x2, y2, x3, y3);
    DrawLine(x3, y3, x1, y1);
}

}  // namespace

TExtDevTestDialog::TExtDevTestDialog(TExtDevice& device)
    : TDialog(0, 0, 0, 0, dialog::kSaveBackground), device_(device)
{
    LockDraw();
    const DeviceSettings& s = device.Settings();
    if (s.kind == devicekind::kPointer)
        look_ = Look::kPointer;
    else if (s.directions && s.kind >= devicekind::kKeyboard && s.kind <= devicekind::kJoystick)
        look_ = Look::kDirections;
    else
        look_ = Look::kSwitches;
    const char* text = GetString(6, 32);
    int u = theScreen.width / 64;
    int w = std::min(std::max(Scaled(360), TextWidth(text) + Scaled(90)), theScreen.width - 2 * u);
    int h = Scaled(230);
    int l = (theScreen.width - w) / 2, t = (theScreen.height - h) / 2;
    Resize(l, t, l + w - 1, t + h - 1);
    Rect r = PlaceDesign(this, 20, 24, -45, 24);
    Insert(std::make_unique<TStaticText>(r.left, r.top, r.right, r.top + LineHeight(), text, statictext::kCentreAcross));
    UnlockDraw();
}

Rect TExtDevTestDialog::SwitchBox(int number) const
{
    int y = bottom - Scaled(80);
    switch (look_) {
    case Look::kSwitches:
        return Around(number == 1 ? left + Scaled(75) : right - Scaled(75), y, Scaled(40));
    case Look::kDirections:
        if (number == 1)
            return Around(right - Scaled(60), y, Scaled(20));
        break;
    case Look::kPointer:
        break;
    }
    return {0, 0, -1, -1};
}

void TExtDevTestDialog::HandleEvent(TEvent& event)
{
    // The device sees the event first: the keys and buttons it uses are
    // taken out before any control could act on them.
    device_.Poll(event);
    TDialog::HandleEvent(event);
    bool moved = look_ == Look::kPointer && (event.devicePointerX != drawnX_ || event.devicePointerY != drawnY_);
    if (event.deviceInput != drawnFlags_ || moved) {
        drawnFlags_ = event.deviceInput;
        if (look_ == Look::kPointer) {
            drawnX_ = event.devicePointerX;
            drawnY_ = event.devicePointerY;
        }
        Draw();
    }
}

void TExtDevTestDialog::DrawBody()
{
    TDialog::DrawBody();
    theScreen.font = font;
    switch (look_) {
    case Look::kSwitches:
        DrawBox(SwitchBox(1), drawnFlags_ & Held(kSwitch1), "OK");
        DrawBox(SwitchBox(2), drawnFlags_ & Held(kSwitch2), "scan");
        break;
    case Look::kDirections:
        DrawArrows();
        DrawBox(SwitchBox(1), drawnFlags_ & Held(kSwitch1), "OK");
        break;
    case Look::kPointer:
        DrawPointerField();
        break;
    }
}

void TExtDevTestDialog::DrawBox(const Rect& box, bool held, const char* label) const
{
    FillBox(box.left, box.top, box.right, box.bottom, MapColour(held ? kHeldColour : kFreeColour));
    SetPen(0);
    ::DrawFrame(box.left, box.top, box.right, box.bottom);
    // The label goes under the box: the small box has no room inside.
    theScreen.hAnchor = 1;
    theScreen.vAnchor = 2;
    DrawText((box.left + box.right) / 2, box.bottom + Scaled(4), label);
}

void TExtDevTestDialog::DrawArrows() const
{
    int cx = left + Scaled(90), cy = bottom - Scaled(80);
    int tip = Scaled(40), base = Scaled(14), half = Scaled(13);
    auto colour = [this](int input) { return drawnFlags_ & Held(input) ? kHeldColour : kFreeColour; };
    FillTriangle(cx, cy - tip, cx - half, cy - base, cx + half, cy - base, colour(kUp));
    FillTriangle(cx + tip, cy, cx + base, cy - half, cx + base, cy + half, colour(kRight));
    FillTriangle(cx, cy + tip, cx - half, cy + base, cx + half, cy + base, colour(kDown));
    FillTriangle(cx - tip, cy, cx - base, cy - half, cx - base, cy + half, colour(kLeft));
}

void TExtDevTestDialog::DrawPointerField() const
{
    int size = Scaled(140);
    Rect field = {left + Scaled(20), bottom - Scaled(20) - size, left + Scaled(20) + size, bottom - Scaled(20)};
    FillBox(field.left, field.top, field.right, field.bottom, MapColour(kFreeColour));
    SetPen(0);
    ::DrawFrame(field.left, field.top, field.right, field.bottom);
    if (drawnX_ < 0 || drawnY_ < 0)
        return;
    // The whole screen shrunk into the field.
    int x = field.left + 1 + std::clamp(drawnX_, 0, theScreen.width - 1) * (size - 2) / std::max(theScreen.width, 1);
    int y = field.top + 1 + std::clamp(drawnY_, 0, theScreen.height - 1) * (size - 2) / std::max(theScreen.height, 1);
    int m = Scaled(4);
    SetPen(kHeldColour);
    DrawLine(x - m, y, x + m, y);
    DrawLine(x, y - m, x, y + m);
    char text[32];
    std::snprintf(text, sizeof text, "%d,%d", drawnX_, drawnY_);
    SetPen(0);
    theScreen.hAnchor = 0;
    theScreen.vAnchor = 0;
    DrawText(left + Scaled(200), bottom - Scaled(100), text);
}
