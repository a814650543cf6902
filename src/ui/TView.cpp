#include "ui/TView.h"

#include <algorithm>

#include "gfx/Colours.h"
#include "gfx/Primitives.h"
#include "gfx/Screen.h"
#include "gfx/TFont.h"
#include "ui/TGroup.h"
#include "ui/TListBox.h"

#include <utility>

namespace {

int drawLock = 0;

}  // namespace

void LockDraw()
{
    ++drawLock;
}

void UnlockDraw()
{
    if (drawLock > 0)
        --drawLock;
}

bool DrawLocked()
{
    return drawLock != 0;
}

TView::TView(int l, int t, int r, int b, unsigned options)
    : left(l), top(t), right(r), bottom(b), font(DefaultFont() ? DefaultFont() : theScreen.font), options_(options)
{
}

void TView::SetBounds(int l, int t, int r, int b)
{
    left = l;
    top = t;
    right = r;
    bottom = b;
}

TGroup* TView::OwnerGroup() const
{
    auto* list = dynamic_cast<TViewList*>(Owner());
    return list ? list->group : nullptr;
}

bool TView::Contains(int x, int y) const
{
    return PointIn(x, y, left, top, right, bottom);
}

void DrawBevel(int l, int t, int r, int b, int n, unsigned s)
{
    using namespace view;
    if (s & kPressed)
        s |= kSunken;
    bool live = (s & kActive) && (s & kEnabled);
    std::uint32_t e = SchemeColour(live ? 3 : 6);
    std::uint32_t f = SchemeColour(live ? 4 : 7);
    std::uint32_t g = SchemeColour(live ? 5 : 8);
    if (s & kSunken)
        std::swap(f, g);
    std::uint32_t h = (s & kDarkFace) ? SchemeColour(0) : e;
    std::uint32_t outline = SchemeColour(2);

    if (s & kRounded) {
        int m = Scaled(12), u = Scaled(10);
        if (!(s & kTransparent)) {
            theScreen.pen = h;
            FillRoundBox(l, t, r, b, m);
        }
        theScreen.pen = f;
        FillQuarterArc(l + m, t + m, m, m, -1, -1);
        FillQuarterArc(l + m, b - m, m, m, -1, 1);
        theScreen.pen = h;
        FillQuarterArc(l + m, t + m, u, u, -1, -1);
        FillQuarterArc(l + m, b - m, u, u, -1, 1);
        FillBox(l, t + m, l + m - u - 1, b - m, f);
        int v = (l + r) / 2;
        FillBox(l + m, t, v, t + m - u - 1, f);
        FillGradientH(v, t, r - m, t + m - u - 1, f, g, 100);
        theScreen.pen = g;
        FillQuarterArc(r - m, b - m, m, m, 1, 1);
        FillQuarterArc(r - m, t + m, m, m, 1, -1);
        theScreen.pen = h;
        FillQuarterArc(r - m, b - m, u, u, 1, 1);
        FillQuarterArc(r - m, t + m, u, u, 1, -1);
        FillBox(r - m + u + 1, t + m, r, b - m, g);
        FillGradientH(l + m, b - m + u + 1, v, b, f, g, 100);
        FillBox(v, b - m + u + 1, r - m, b, g);
        if (s & kOutlined) {
            theScreen.pen = outline;
            DrawRoundFrame(l, t, r, b, m);
        }
        return;
    }
    int o = (s & kOutlined) ? 1 : 0;
    if (s & kPressed) {
        theScreen.pen = g;
        DrawLine(l + o, t + o, r - o, t + o);
        DrawLine(l + o, t + o + 1, l + o, b - o);
    }
    if (!(s & kTransparent))
        FillBox(l + n, t + n, r - n, b - n, h);
    for (int i = o; i < o + n; ++i) {
        PutPixel(r - i, t + i, e);
        PutPixel(l + i, b - i, e);
        theScreen.pen = f;
        DrawLine(l + i, t + i, r - i - 1, t + i);
        DrawLine(l + i, t + i + 1, l + i, b - i - 1);
        theScreen.pen = g;
        DrawLine(l + i + 1, b - i, r - i, b - i);
        DrawLine(r - i, t + i + 1, r - i, b - i - 1);
    }
    if (s & kOutlined) {
        theScreen.pen = outline;
        ::DrawFrame(l, t, r, b);
    }
}

void TView::DrawBody()
{
    DrawBevel(left, top, right, bottom, bevel, state_);
}

bool theDeviceNavigation = false;

void TView::DrawScanMark()
{
    int t = std::max(2, Scaled(3));
    const std::uint32_t red = 8;
    FillBox(left, top, right, top + t - 1, red);
    FillBox(left, bottom - t + 1, right, bottom, red);
    FillBox(left, top, left + t - 1, bottom, red);
    FillBox(right - t + 1, top, right, bottom, red);
}

void TView::DrawFrame()
{
    if (state_ & view::kRounded)
        DrawRoundFrame(left, top, right, bottom, Scaled(16));
    else
        ::DrawFrame(left, top, right, bottom);
}

void TView::Draw()
{
    if (DrawLocked() || !(state_ & view::kVisible))
        return;
    DrawingState saved;  // what one view sets for itself stays with it
    theScreen.font = font;
    DrawBody();
    if (state_ & view::kFramed) {
        bool focused = (state_ & view::kFocused) != 0;
        if (focused)
            theScreen.pen = SchemeColour(Has(view::kActive | view::kEnabled) ? 9 : 7);
        else
            theScreen.pen = FrameColour();
        DrawFrame();
        // A child following the scan sees the focused control at a glance.
        if (focused && theDeviceNavigation && Has(view::kActive | view::kEnabled))
            DrawScanMark();
    }
    state_ &= ~view::kUndrawn;
}

void TView::Press()
{
    ChangeBits(view::kMouseInside, false);
}

void TView::SetState(unsigned bits, bool on)
{
    ChangeBits(bits, on);
    if (!DrawLocked())
        Draw();
}

bool TView::CanFocus() const
{
    return Has(view::kVisible | view::kActive | view::kSelectable | view::kFramed | view::kEnabled);
}

std::uint32_t TView::FrameColour() const
{
    const TView* owner = OwnerGroup();
    if (!owner)
        owner = this;
    return SchemeColour(owner->Has(view::kActive | view::kEnabled) ? 3 : 6);
}

void TView::HandleEvent(TEvent& event)
{
    bool inside = Contains(event.mouseX, event.mouseY);
    ChangeBits(view::kMouseInside, inside);
    if ((event.mouseButtons & mouse::kLeftPressed) && inside && !(state_ & view::kFocused))
        Focus(this);
}

bool PointIn(int x, int y, int l, int t, int r, int b)
{
    return l <= x && x <= r && t <= y && y <= b;
}

Rect PlaceInGroup(const TView* g, int dx1, int dy1, int dx2, int dy2)
{
    return {dx1 < 0 ? g->right + dx1 : g->left + dx1, dy1 < 0 ? g->bottom + dy1 : g->top + dy1,
            dx2 <= 0 ? g->right + dx2 : g->left + dx2, dy2 <= 0 ? g->bottom + dy2 : g->top + dy2};
}

bool HotkeyMatches(const TEvent& event, int key)
{
    if (key >= 'A' && key <= 'Z')
        key = key - 'A' + 'a';
    if (key >= 'a' && key <= 'z')
        return event.keySym == key;
    return key != 0 && event.keyChar == key;
}

Rect PlaceDesign(const TView* group, int dx1, int dy1, int dx2, int dy2)
{
    auto s = [](int v) { return v < 0 ? -Scaled(-v) : Scaled(v); };
    return PlaceInGroup(group, s(dx1), s(dy1), s(dx2), s(dy2));
}

int HotkeyRole(const TView* view)
{
    if (!view || !(view->State() & view::kEnabled))
        return -1;
    return (view->State() & view::kActive) ? 10 : 11;
}

void ConsumeKey(TEvent& event)
{
    event.keyAction = 0;
    event.keyChar = 0;
    event.keySym = 0;
}

void ConsumeWheel(TEvent& event)
{
    event.mouseButtons &= ~(mouse::kWheelUp | mouse::kWheelDown);
}

void Focus(TView* v)
{
    TGroup* g = v ? v->OwnerGroup() : nullptr;
    if (g)
        g->FocusChild(v);
}

void ResetViewState()
{
    drawLock = 0;
    theDeviceNavigation = false;
    theFileListSelectionChanged = false;
}

std::string WithoutHotkeyMarks(const std::string& text)
{
    std::string out;
    for (char c : text)
        if (c != '~')
            out.push_back(c);
    return out;
}
