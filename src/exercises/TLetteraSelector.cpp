#include "exercises/TLetteraSelector.h"

#include "gfx/Colours.h"
#include "gfx/Primitives.h"
#include "gfx/Screen.h"
#include "gfx/TFont.h"
#include "gfx/Text.h"
#include "resources/FileHelpers.h"

#include <algorithm>

TLetteraSelector::TLetteraSelector(int l, int t, int r, int b, unsigned options, const std::string& word,
                                   std::string& mask)
    : TView(l, t, r, b, options), word_(word), mask_(mask)
{
    ChangeBits(view::kSelectable, true);
    mask_.resize(word_.size(), '0');
    int cellHeight = Inner().bottom - Inner().top + 1;
    letterFont_ = TFont::OpenTrueType(FontsFolder() + "arialbd.ttf", std::max(8, cellHeight / kRows * 3 / 5));
}

TLetteraSelector::~TLetteraSelector()
{
    CloseFont(letterFont_);
}

int TLetteraSelector::CellsInRow(int row) const
{
    return std::clamp(Length() - row * kColumns, 0, kColumns);
}

Rect TLetteraSelector::Inner() const
{
    int inset = bevel + 1;
    return {left + inset, top + inset, right - inset, bottom - inset};
}

Rect TLetteraSelector::Cell(int row, int column) const
{
    Rect a = Inner();
    int w = a.right - a.left + 1, h = a.bottom - a.top + 1;
    return {a.left + column * w / kColumns, a.top + row * h / kRows, a.left + (column + 1) * w / kColumns - 1,
            a.top + (row + 1) * h / kRows - 1};
}

void TLetteraSelector::DrawBody()
{
    TView::DrawBody();
    bool live = Has(view::kActive | view::kEnabled);
    bool focused = (state_ & view::kFocused) != 0;
    for (int row = 0; row < kRows; ++row)
        for (int column = 0; column < kColumns; ++column) {
            int index = row * kColumns + column;
            Rect c = Cell(row, column);
            bool used = column < CellsInRow(row);
            bool hidden = used && mask_[static_cast<std::size_t>(index)] == '1';
            FillBox(c.left + 2, c.top + 2, c.right - 2, c.bottom - 2, MapColour(!used ? 2 : hidden ? 8 : 0));
            bool isCursor = index == cursor_;
            theScreen.pen = isCursor ? SchemeColour(focused && live ? 9 : 7) : FrameColour();
            ::DrawFrame(c.left, c.top, c.right, c.bottom);
            if (isCursor)
                ::DrawFrame(c.left + 1, c.top + 1, c.right - 1, c.bottom - 1);
            if (!used)
                continue;
            char letter[2] = {word_[static_cast<std::size_t>(index)], 0};
            theScreen.font = letterFont_ ? letterFont_.get() : font;
            theScreen.pen = MapColour(15);
            theScreen.hAnchor = 1;
            theScreen.vAnchor = 1;
            DrawText((c.left + c.right + 1) / 2, (c.top + c.bottom + 1) / 2, letter);
        }
    theScreen.font = font;  // whoever measures next expects the interface font
}

void TLetteraSelector::MoveTo(int index)
{
    if (index >= 0 && index < Length())
        cursor_ = index;
}

void TLetteraSelector::Toggle()
{
    if (cursor_ >= Length())
        return;
    char& m = mask_[static_cast<std::size_t>(cursor_)];
    m = m == '1' ? '0' : '1';
}

void TLetteraSelector::HandleEvent(TEvent& event)
{
    TView::HandleEvent(event);
    if (!(state_ & view::kFocused))
        return;
    bool used = true;
    if (event.KeyPressedOrRepeat()) {
        int row = cursor_ / kColumns, column = cursor_ % kColumns;
        switch (event.keyChar) {
        case ' ': Toggle(); break;
        case SDLK_UP: if (row > 0) MoveTo(cursor_ - kColumns); break;
        case SDLK_DOWN: if (row < kRows - 1) MoveTo(cursor_ + kColumns); break;
        case SDLK_LEFT: if (column > 0) MoveTo(cursor_ - 1); break;
        case SDLK_RIGHT: if (column < kColumns - 1) MoveTo(cursor_ + 1); break;
        default: used = false; break;
        }
        if (used)
            ConsumeKey(event);
    } else if (event.mouseButtons & mouse::kLeftPressed) {
        Rect a = Inner();
        int x = event.mouseX, y = event.mouseY;
        used = PointIn(x, y, a.left, a.top, a.right, a.bottom);
        if (used) {
            int row = (y - a.top) * kRows / (a.bottom - a.top + 1);
            int column = (x - a.left) * kColumns / (a.right - a.left + 1);
            int index = row * kColumns + column;
            used = index < Length();
            if (used) {
                cursor_ = index;
                Toggle();
            }
        }
    } else {
        used = false;
    }
    if (used)
        Draw();
}
