#include "ui/TListBox.h"

#include "app/CommandQueue.h"
#include "app/Commands.h"
#include "gfx/Colours.h"
#include "gfx/Primitives.h"
#include "gfx/Screen.h"
#include "gfx/Text.h"
#include "ui/TScrollBar.h"
#include "base/TStringList.h"
#include "base/TextHelpers.h"
#include "base/dstring.h"

#include <algorithm>
#include <cstring>
#include <string>

bool theFileListSelectionChanged = false;

TListBox::TListBox(int l, int t, int r, int b, unsigned options, int* selection, TList* items)
    : TGroup(l, t, r, b, options), items_(items), selection_(selection)
{
    ChangeBits(view::kSunken | view::kDarkFace, true);
    kind = view::kListBox;
    theScreen.font = font;
    rowHeight_ = LineHeight() + 2;
    rows_ = std::max(0, (bottom - top - 5) / rowHeight_);
    if (!(options & listbox::kKeepHeight))
        bottom = top + rows_ * rowHeight_ + 5;
    Rect bar = PlaceInGroup(this, -theScreen.width / 32, 0, 0, 0);
    bar_ = &Insert(std::make_unique<TScrollBar>(bar.left, bar.top, bar.right, bar.bottom, options, &top_, 0, 0, 1, 1));
    bar_->SetState(view::kFramed, false);
    bar_->linked = this;
    current_ = bar_;
    listArea_ = {left, top, bar_->left, bottom};
    UpdateRange();
    ClampSelection();
}

void TListBox::UpdateRange()
{
    int count = ItemCount();
    knownCount_ = count;
    bar_->SetRange(0, count > rows_ ? count - rows_ : 0, 1, count > rows_ ? rows_ : 1);
    bar_->ClampValue();
    bar_->Layout();
}

void TListBox::ClampSelection()
{
    int& sel = *selection_;
    if (sel == 0)
        return;
    sel = std::clamp(sel, 1, std::max(1, ItemCount()));
    if (ItemCount() == 0)
        sel = 0;
    if (sel == 0)
        return;
    if (top_ >= sel)
        top_ = sel - 1;
    if (top_ + rows_ < sel)
        top_ = sel - rows_;
}

void TListBox::Select(int n)
{
    *selection_ = n;
    ClampSelection();
}

void TListBox::MoveUp(int n)
{
    *selection_ = *selection_ > n ? *selection_ - n : 1;
    ClampSelection();
}

void TListBox::MoveDown(int n)
{
    *selection_ = std::min(*selection_ + n, ItemCount());
    ClampSelection();
}

void TListBox::ScrollRows(int n)
{
    int old = top_;
    top_ += n;
    bar_->ClampValue();
    if (top_ != old)
        Draw();
}

std::string TListBox::SpokenLabel() const
{
    int n = Selection();
    return n >= 1 && n <= ItemCount() ? ItemText(n - 1) : std::string();
}

void TListBox::Press()
{
    ChangeBits(view::kMouseInside, false);
    PostCommand(command::kChosen);
}

void TListBox::DrawBody()
{
    DrawBevel(listArea_.left, listArea_.top, listArea_.right, listArea_.bottom, 2, state_);
    if (ItemCount() != knownCount_) {
        UpdateRange();
        bar_->Changed();
    }
    bool live = Has(view::kActive | view::kEnabled);
    int width = listArea_.right - listArea_.left;
    int y = listArea_.top + 3;
    for (int i = 1; i <= rows_; ++i, y += rowHeight_) {
        int number = top_ + i;
        bool selected = number == *selection_;
        int background = selected ? (live ? 13 : 14) : 0;
        int text = selected ? (live ? 15 : 16) : (live ? 16 : 17);
        FillBox(listArea_.left + 3, y, listArea_.right - 3, y + rowHeight_ - 1, SchemeColour(background));
        if (number > ItemCount())
            continue;
        std::string shown = ItemText(number - 1);
        while (!shown.empty() && TextWidth(shown.c_str()) > width - 16)
            shown.pop_back();
        theScreen.pen = SchemeColour(text);
        theScreen.hAnchor = 0;
        theScreen.vAnchor = 1;
        DrawText(listArea_.left + 10, y + rowHeight_ / 2, shown.c_str());
    }
}

std::string TListBox::ItemText(int index) const
{
    auto* item = dynamic_cast<dstring*>(items_ ? items_->At(index) : nullptr);
    return item && item->Text() ? item->Text() : std::string();
}

void TListBox::DrawFrame()
{
    ::DrawFrame(left - 1, top - 1, right + 1, bottom + 1);
}

void TListBox::HandleEvent(TEvent& event)
{
    int old = *selection_;
    if ((state_ & view::kFocused) && event.KeyPressedOrRepeat()) {
        bool used = true;
        switch (event.keyChar) {
        case 13: if (event.keyAction == key::kPressed) Press(); break;
        case SDLK_UP: MoveUp(1); break;
        case SDLK_DOWN: MoveDown(1); break;
        case SDLK_PAGEUP: MoveUp(rows_); break;
        case SDLK_PAGEDOWN: MoveDown(rows_); break;
        default: used = false; break;
        }
        if (used)
            ConsumeKey(event);
    }
    TGroup::HandleEvent(event);
    if (int notches = event.WheelNotches(); notches && Contains(event.mouseX, event.mouseY)) {
        ConsumeWheel(event);
        ScrollRows(notches * kWheelLines);
    }
    int buttons = event.mouseButtons;
    if (buttons & mouse::kLeftReleased)
        ChangeBits(view::kDragging, false);
    if (buttons & (mouse::kLeftPressed | mouse::kLeftHeld)) {
        int x = event.mouseX, y = event.mouseY;
        const Rect& a = listArea_;
        bool insideX = x > a.left + 2 && x < a.right - 2;
        if (insideX && y > a.top + 2 && y < a.bottom - 2) {
            int d = (y - a.top - 3) / rowHeight_;
            if (d < rows_ && d < ItemCount()) {
                if (buttons & mouse::kLeftPressed) {
                    ChangeBits(view::kDragging, true);
                    if (buttons & mouse::kLeftDouble)
                        Press();
                }
                if (state_ & view::kDragging)
                    Select(top_ + d + 1);
            }
        } else if ((state_ & view::kDragging) && (buttons & mouse::kLeftRepeat)) {
            if (y <= a.top + 2)
                MoveUp(1);
            else if (y >= a.bottom - 2)
                MoveDown(1);
        }
    }
    if (*selection_ != old) {
        Select(*selection_);
        Draw();
        SelectionChanged();
    }
}

TFileListBox::TFileListBox(int l, int t, int r, int b, unsigned options, char* name, std::size_t nameSize,
                           const char* folder, const char* extension, int flags)
    : TListBox(l, t, r, b, options, &ownSelection_, nullptr), name_(name), nameSize_(nameSize),
      files_(std::make_unique<TFileList>(folder, extension, flags))
{
    kind = view::kFileListBox;
    SetItems(files_.get());
    UpdateRange();
    SelectName(name_);
}

void TFileListBox::CopyName()
{
    if (!name_ || nameSize_ == 0)
        return;
    const char* chosen = ownSelection_ ? files_->TextAt(ownSelection_ - 1) : "";
    std::strncpy(name_, chosen, nameSize_ - 1);
    name_[nameSize_ - 1] = 0;
}

void TFileListBox::Select(int n)
{
    TListBox::Select(n);
    CopyName();
}

void TFileListBox::SelectName(const char* name)
{
    int index = (name && *name) ? files_->IndexOfText(name) : -1;
    ownSelection_ = index + 1;
    ClampSelection();
    CopyName();
}

void TFileListBox::Rescan(const char* folder, const char* extension, int flags)
{
    files_->Clear();
    files_->Scan(folder, extension, flags);
    Present();
    ownSelection_ = 0;
    CopyName();
    UpdateRange();
}

std::string TFileListBox::ItemText(int index) const
{
    if (index >= 0 && index < static_cast<int>(shown_.size()))
        return shown_[static_cast<std::size_t>(index)];
    return TListBox::ItemText(index);
}

void TFileListBox::SetPresentation(ShownForm shown, HiddenTest hidden)
{
    shownForm_ = std::move(shown);
    hidden_ = std::move(hidden);
    std::string keep = name_ ? name_ : "";
    Present();
    UpdateRange();
    SelectName(keep.c_str());
}

void TFileListBox::Present()
{
    shown_.clear();
    if (!shownForm_ && !hidden_)
        return;
    struct Entry {
        std::string shown, file;
    };
    std::vector<Entry> entries;
    for (TElement* e = files_->First(); e; e = e->Next()) {
        std::string file = static_cast<dstring*>(e)->Text();
        if (hidden_ && hidden_(file))
            continue;
        entries.push_back({shownForm_ ? shownForm_(file) : file, file});
    }
    std::stable_sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
        return CompareNoCase(a.shown.c_str(), b.shown.c_str()) < 0;
    });
    // Files shown alike are told apart by their file names.
    std::vector<bool> alike(entries.size(), false);
    for (std::size_t i = 1; i < entries.size(); ++i)
        if (EqualsNoCase(entries[i].shown.c_str(), entries[i - 1].shown.c_str()))
            alike[i] = alike[i - 1] = true;
    files_->Clear();
    for (std::size_t i = 0; i < entries.size(); ++i) {
        files_->AppendText(entries[i].file.c_str());
        shown_.push_back(alike[i] ? entries[i].shown + " (" + entries[i].file + ")" : entries[i].shown);
    }
}

void TMFileListBox::SelectionChanged()
{
    theFileListSelectionChanged = true;
}
