#include "ui/TSelectorItem.h"

#include "gfx/Colours.h"
#include "gfx/Primitives.h"
#include "gfx/Screen.h"
#include "gfx/Text.h"
#include "ui/TGroup.h"

TSelectorItem::TSelectorItem(int l, int t, int r, int b, const char* text, int hotkey)
    : TView(l, t, r, b), text_(text ? text : ""), hotkey_(hotkey == -1 ? HotkeyOf(text) : hotkey)
{
    ChangeBits(view::kOutlined, false);
    kind = view::kSelectorItem;
}

Rect TSelectorItem::Box() const
{
    int s = (options_ & selector::kBoxFromHeight) ? (bottom - top + 1) - 4 : theScreen.width / 48 + 2;
    int even = (s + 1) / 2 * 2;
    int mid = (top + bottom) / 2;
    return {left + even, mid - s / 2, left + 2 * even, mid - s / 2 + even};
}

bool TSelectorItem::OnlyChild() const
{
    TGroup* g = OwnerGroup();
    return g && g->Children().Count() == 1;
}

void TSelectorItem::DrawBody()
{
    FillBox(left, top, right, bottom, FrameColour());
    ChangeBits(view::kPressed, IsChecked());
    Rect box = Box();
    DrawBox(box.left, box.top, box.right, box.bottom, theScreen.width / 320);
    if (text_.empty())
        return;
    int even = box.right - box.left;
    int role = (state_ & view::kEnabled) ? 12 : (state_ & view::kActive) ? 6 : 3;
    theScreen.pen = SchemeColour(role);
    theScreen.hAnchor = 0;
    theScreen.vAnchor = 1;
    DrawHotkeyText(HotkeyRole(this), box.right + even, (box.top + box.bottom) / 2, text_.c_str());
}

Rect TSelectorItem::TextArea() const
{
    DrawingState saved;
    theScreen.font = font;
    theScreen.hAnchor = 0;
    theScreen.vAnchor = 1;
    Rect box = Box();
    return TextBounds(box.right + (box.right - box.left), (box.top + box.bottom) / 2, HotkeyTextWidth(text_.c_str()));
}

void TSelectorItem::HandleEvent(TEvent& event)
{
    TView::HandleEvent(event);
    if ((event.mouseButtons & mouse::kLeftPressed) && (state_ & view::kEnabled) && Contains(event.mouseX, event.mouseY)) {
        Press();
        return;
    }
    if (event.keyAction != key::kPressed)
        return;
    bool focused = (state_ & view::kFocused) != 0;
    if (!(HotkeyMatches(event, hotkey_) || (focused && (event.keyChar == 13 || event.keyChar == ' '))))
        return;
    if (!CanFocus())
        return;
    ConsumeKey(event);
    TGroup* group = OwnerGroup();
    if (group && group->OwnerGroup())
        group->OwnerGroup()->FocusChild(group);
    if (group)
        group->FocusChild(this);
    Press();
}

TCheckBox::TCheckBox(int l, int t, int r, int b, const char* text, int hotkey, std::uint8_t* flag)
    : TSelectorItem(l, t, r, b, text, hotkey), flag_(flag)
{
    kind = view::kCheckBox;
}

void TCheckBox::DrawBox(int l, int t, int r, int b, int width)
{
    unsigned look = (state_ & (view::kActive | view::kEnabled)) | (IsChecked() ? view::kSunken : 0);
    DrawBevel(l, t, r, b, width, look);
    if (!IsChecked())
        return;
    theScreen.pen = SchemeColour(Has(view::kActive) && !(state_ & view::kEnabled) ? 6 : 0);
    for (int i = 0; i < width; ++i) {
        int x = l + width + 1 + i;
        DrawLine(x, (t + b) / 2 - i, x, b - width - 1);
        DrawLine(x, b - width - 1, r - width - 1, t + width + 1 + i);
    }
}

void TCheckBox::DrawFrame()
{
    if (OnlyChild())
        return;
    Rect box = Box();
    if (state_ & view::kRounded)
        DrawRoundFrame(box.left - 1, box.top - 1, box.right + 1, box.bottom + 1, Scaled(10));
    else
        ::DrawFrame(box.left - 1, box.top - 1, box.right + 1, box.bottom + 1);
}

void TCheckBox::Press()
{
    ChangeBits(view::kMouseInside, false);
    bool now = !(state_ & view::kPressed);
    if (flag_)
        *flag_ = now ? 1 : 0;
    SetState(view::kPressed, now);
}

TRadioButton::TRadioButton(int l, int t, int r, int b, const char* text, int hotkey, int* value, int ownValue)
    : TSelectorItem(l, t, r, b, text, hotkey), value_(value), ownValue_(ownValue)
{
    kind = view::kRadioButton;
}

void TRadioButton::DrawBox(int l, int t, int r, int b, int width)
{
    // The edges follow the face they sit on: a greyed group's face is the
    // colour of the active dark edge, which would lose the lower half.
    TGroup* group = OwnerGroup();
    bool live = Has(view::kActive | view::kEnabled) && (!group || group->Has(view::kEnabled));
    std::uint32_t light = SchemeColour(live ? 4 : 7), dark = SchemeColour(live ? 5 : 8);
    if (IsChecked())
        std::swap(light, dark);
    int cx = (l + r) / 2, cy = (t + b) / 2, half = (r - l) / 2;
    for (int k = 1; k <= width; ++k) {
        int d = half - k + 1;
        theScreen.pen = light;
        DrawLine(cx - d, cy, cx, cy - d);
        DrawLine(cx, cy - d, cx + d, cy);
        theScreen.pen = dark;
        DrawLine(cx + d, cy, cx, cy + d);
        DrawLine(cx, cy + d, cx - d, cy);
    }
    if (!IsChecked())
        return;
    theScreen.pen = SchemeColour(Has(view::kActive) && !(state_ & view::kEnabled) ? 6 : 0);
    for (int d = 0; d <= half - width - 1; ++d) {
        DrawLine(cx - d, cy, cx, cy - d);
        DrawLine(cx, cy - d, cx + d, cy);
        DrawLine(cx + d, cy, cx, cy + d);
        DrawLine(cx, cy + d, cx - d, cy);
    }
    PutPixel(cx, cy, theScreen.pen);
}

void TRadioButton::DrawFrame()
{
    if (OnlyChild())
        return;
    Rect box = Box();
    int cx = (box.left + box.right) / 2, cy = (box.top + box.bottom) / 2, d = (box.right - box.left) / 2 + 1;
    DrawLine(cx - d, cy, cx, cy - d);
    DrawLine(cx, cy - d, cx + d, cy);
    DrawLine(cx + d, cy, cx, cy + d);
    DrawLine(cx, cy + d, cx - d, cy);
}

void TRadioButton::Press()
{
    ChangeBits(view::kMouseInside, false);
    if (IsChecked())
        return;
    TGroup* group = OwnerGroup();
    if (group)
        group->SetState(view::kPressed, false);
    if (value_)
        *value_ = ownValue_;
    if (group)
        group->Draw();
    Draw();
}
