#include "ui/TCustomSelector.h"

#include "app/CommandQueue.h"
#include "app/Commands.h"
#include "gfx/Colours.h"
#include "gfx/Primitives.h"
#include "gfx/Screen.h"
#include "gfx/Text.h"
#include "ui/TSelectorItem.h"

SItem* NewItem(const char* text, int hotkey, SItem* next)
{
    auto* item = new SItem{text ? text : "", hotkey, nullptr};
    item->next.reset(next);
    return item;
}

TCustomSelector::TCustomSelector(int l, int t, int r, int b, const char* title, unsigned options, SItem* items)
    : TGroup(l, t, r, b, options), title_(title ? title : ""), hasTitle_(title != nullptr), pending_(items)
{
    ChangeBits(view::kRounded | view::kSunken, true);
    kind = view::kCustomSelector;
}

void TCustomSelector::Open()
{
    TGroup::Open();
    if (!pending_)
        return;
    int n = 0;
    for (SItem* i = pending_.get(); i; i = i->next.get())
        ++n;
    int height = bottom - top;
    if (hasTitle_)
        titleRowHeight_ = height / (n + 2);
    int m = theScreen.width / 80;
    int k = 0;
    for (SItem* i = pending_.get(); i; i = i->next.get(), ++k) {
        int offset = hasTitle_ ? height * (k + 2) / (n + 2) : height * (k + 1) / (n + 1);
        TView& item = Insert(CreateItem(left + m + 1, top + offset - m - 2, right - m - 1, top + offset + m + 2, *i, k));
        item.Open();
    }
    pending_.reset();
    if (!current_ && Children().First())
        current_ = static_cast<TView*>(Children().First());
}

void TCustomSelector::DrawBody()
{
    TView::DrawBody();
    if (!hasTitle_)
        return;
    theScreen.pen = SchemeColour(12);
    theScreen.hAnchor = 1;
    theScreen.vAnchor = 1;
    DrawHotkeyText(HotkeyRole(this), (left + right) / 2, top + titleRowHeight_, title_.c_str());
}

Rect TCustomSelector::TitleArea() const
{
    if (!hasTitle_)
        return {left, top, left - 1, top - 1};
    DrawingState saved;
    theScreen.font = font;
    theScreen.hAnchor = 1;
    theScreen.vAnchor = 1;
    return TextBounds((left + right) / 2, top + titleRowHeight_, HotkeyTextWidth(title_.c_str()));
}

void TCustomSelector::DrawFrame()
{
    if (state_ & view::kRounded)
        DrawRoundFrame(left + 5, top + 5, right - 5, bottom - 5, Scaled(10));
    else
        ::DrawFrame(left + 5, top + 5, right - 5, bottom - 5);
}

void TCustomSelector::SetState(unsigned bits, bool on)
{
    if (bits != view::kFocused) {
        TGroup::SetState(bits, on);
        return;
    }
    ChangeBits(view::kFocused, on);
    if (current_)
        current_->SetState(view::kFocused, on);
    if (!DrawLocked())
        Draw();
}

void TCustomSelector::HandleEvent(TEvent& event)
{
    TGroup::HandleEvent(event);
    if (!((state_ & view::kFocused) || !OwnerGroup()) || Children().Count() == 0)
        return;
    if (event.KeyPressedOrRepeat() && (event.keyChar == SDLK_UP || event.keyChar == SDLK_DOWN)) {
        PostCommand(event.keyChar == SDLK_UP ? command::kPreviousItem : command::kNextItem);
        ConsumeKey(event);
    }
    if (event.command == command::kPreviousItem)
        FocusPrevious();
    else if (event.command == command::kNextItem)
        FocusNext();
}

TCheckBoxes::TCheckBoxes(int l, int t, int r, int b, const char* title, unsigned options, std::uint8_t* flags,
                         SItem* items)
    : TCustomSelector(l, t, r, b, title, options, items), flags_(flags)
{
}

std::unique_ptr<TView> TCheckBoxes::CreateItem(int l, int t, int r, int b, const SItem& item, int index)
{
    return std::make_unique<TCheckBox>(l, t, r, b, item.text.c_str(), item.hotkey, flags_ ? flags_ + index : nullptr);
}

TRadioButtons::TRadioButtons(int l, int t, int r, int b, const char* title, unsigned options, int* value,
                             SItem* items)
    : TCustomSelector(l, t, r, b, title, options, items), value_(value)
{
    kind = view::kRadioButtons;
}

std::unique_ptr<TView> TRadioButtons::CreateItem(int l, int t, int r, int b, const SItem& item, int index)
{
    auto button = std::make_unique<TRadioButton>(l, t, r, b, item.text.c_str(), item.hotkey, value_, index + 1);
    if (value_ && *value_ == index + 1)
        current_ = button.get();
    return button;
}

void TRadioButtons::FocusPrevious()
{
    TView* before = current_;
    TGroup::FocusPrevious();
    if (current_ && current_ != before)
        current_->Press();
}

void TRadioButtons::FocusNext()
{
    TView* before = current_;
    TGroup::FocusNext();
    if (current_ && current_ != before)
        current_->Press();
}

std::string TCustomSelector::SpokenLabel() const
{
    if (hasTitle_ && !title_.empty())
        return WithoutHotkeyMarks(title_);
    return current_ ? current_->SpokenLabel() : std::string();
}

void EnableItem(TCustomSelector* selector, int n, bool on)
{
    auto* item = static_cast<TView*>(selector->Children().At(n - 1));
    if (!item)
        return;
    item->SetState(view::kEnabled, on);
    if (!on && selector->Current() == item)
        selector->SetCurrent(static_cast<TView*>(selector->Children().First()));
}
