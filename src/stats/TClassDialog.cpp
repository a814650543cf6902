#include "stats/TClassDialog.h"

#include "base/TextHelpers.h"
#include "devices/DesktopLibrary.h"
#include "gfx/Colours.h"
#include "gfx/Primitives.h"
#include "gfx/Screen.h"
#include "gfx/Text.h"
#include "resources/StringTable.h"
#include "stats/CsvExport.h"
#include "stats/ProgressPage.h"
#include "stats/StatsCommands.h"
#include "stats/StatsStore.h"
#include "stats/StatsTexts.h"
#include "ui/StandardDialogs.h"
#include "ui/TButton.h"
#include "ui/TStaticText.h"

#include <algorithm>
#include <ctime>

namespace {

constexpr int kColumns = static_cast<int>(stats::ClassColumn::kCount);
constexpr int kWhite = 15, kBlack = 0, kLightGrey = 3, kPale = 31;

}  // namespace

void TSortMark::DrawBody()
{
    if (mark_ == kNone)
        return;
    // A solid black triangle, so it reads without telling colours apart.
    DrawingState keep;
    SetPen(kBlack);
    int height = bottom - top + 1, cx = (left + right) / 2;
    for (int i = 0; i < height; ++i) {
        int y = mark_ == kUp ? top + i : bottom - i;
        DrawLine(cx - i, y, cx + i, y);
    }
}

TClassTable::TClassTable(int l, int t, int r, int b, std::vector<int> columnsX)
    : TView(l, t, r, b), columnsX_(std::move(columnsX))
{
}

std::vector<std::string> TClassTable::Cells(const stats::ClassRow& row)
{
    std::string speed = stats::DecimalComma(row.now.WordsPerMinute());
    return {stats::ScreenText(row.name),
            row.lastGame ? stats::DateText(row.lastGame) : "-",
            std::to_string(row.gamesThisWeek),
            stats::PercentText(row.now.Accuracy()),
            speed.empty() ? "-" : speed,
            stats::TrendText(row.trend),
            row.weakest.empty() ? "-" : stats::ScreenText(row.weakest)};
}

int TClassTable::VisibleRows() const
{
    return std::max(1, (bottom - top + 1) / (LineHeight() + theScreen.width / 128));
}

void TClassTable::SetRows(std::vector<stats::ClassRow> rows)
{
    rows_ = std::move(rows);
    first_ = 0;
}

void TClassTable::Scroll(int n)
{
    int most = std::max(0, static_cast<int>(rows_.size()) - VisibleRows());
    first_ = std::clamp(first_ + n, 0, most);
    Draw();
}

void TClassTable::DrawBody()
{
    DrawingState keep;
    FillBox(left, top, right, bottom, kWhite);
    SetPen(Has(view::kFocused) ? kBlack : kLightGrey);
    ::DrawFrame(left, top, right, bottom);
    int row = LineHeight() + theScreen.width / 128;
    theScreen.hAnchor = 0;
    theScreen.vAnchor = 2;
    int shown = VisibleRows();
    for (int i = 0; i < shown && first_ + i < static_cast<int>(rows_.size()); ++i) {
        int y = top + 2 + i * row;
        if ((first_ + i) % 2)
            FillBox(left + 1, y, right - 1, y + row - 1, kPale);
        std::vector<std::string> cells = Cells(rows_[static_cast<std::size_t>(first_ + i)]);
        SetPen(kBlack);
        for (int c = 0; c < kColumns; ++c) {
            // Cut to its column: a long name never runs into the next.
            int limit = (c + 1 < kColumns ? columnsX_[static_cast<std::size_t>(c + 1)] : right) - 4;
            std::string text = cells[static_cast<std::size_t>(c)];
            while (!text.empty() && columnsX_[static_cast<std::size_t>(c)] + TextWidth(text.c_str()) > limit)
                text.pop_back();
            DrawText(columnsX_[static_cast<std::size_t>(c)], y + row / 2 - LineHeight() / 2, text.c_str());
        }
    }
}

void TClassTable::HandleEvent(TEvent& event)
{
    TView::HandleEvent(event);
    int notch = (event.mouseButtons & mouse::kWheelDown) ? 1 : (event.mouseButtons & mouse::kWheelUp) ? -1 : 0;
    if (notch != 0 && Contains(event.mouseX, event.mouseY)) {
        Scroll(notch * kWheelLines);
        ConsumeWheel(event);
    }
    if (event.keyAction != key::kPressed || !Has(view::kFocused))
        return;
    int step = 0;
    switch (event.keySym) {
    case SDLK_UP: step = -1; break;
    case SDLK_DOWN: step = 1; break;
    case SDLK_PAGEUP: step = -VisibleRows(); break;
    case SDLK_PAGEDOWN: step = VisibleRows(); break;
    default: return;
    }
    Scroll(step);
    ConsumeKey(event);
}

TClassDialog::TClassDialog() : TDialog(0, 0, theScreen.width - 1, theScreen.height - 1, dialog::kSaveBackground)
{
    LockDraw();
    {
        stats::StatsStore store;
        if (store.Ready())
            rows_ = stats::ClassTable(store, static_cast<long long>(std::time(nullptr)));
    }
    int u = theScreen.width / 64, L = LineHeight(), bh = L + 2 * u;
    Insert(std::make_unique<TStaticText>(left + 2 * u, top + 2 * u, right - 6 * u, top + 2 * u + L - 1,
                                         WithoutHotkeyMarks(GetString(15, 2)).c_str(),
                                         statictext::kCentreAcross));
    // Each column as wide as its heading's button or its widest cell; the
    // table's columns start under the buttons.
    std::vector<int> widths;
    for (int c = 0; c < kColumns; ++c)
        widths.push_back(HotkeyTextWidth(GetString(15, 70 + c)) + 2 * u);
    for (const stats::ClassRow& r : rows_) {
        std::vector<std::string> cells = TClassTable::Cells(r);
        for (int c = 1; c < kColumns; ++c)
            widths[static_cast<std::size_t>(c)] =
                std::max(widths[static_cast<std::size_t>(c)], TextWidth(cells[static_cast<std::size_t>(c)].c_str()) + 2 * u);
    }
    // The names take what is left, a long one is cut in its column.
    int others = 0;
    for (int c = 1; c < kColumns; ++c)
        others += widths[static_cast<std::size_t>(c)] + u / 2;
    widths[0] = std::max(widths[0], (right - 2 * u) - (left + 2 * u) - others);
    std::vector<int> xs;
    int x = left + 2 * u, y = top + 4 * u + L, markHeight = std::max(5, u * 3 / 5);
    for (int c = 0; c < kColumns; ++c) {
        int w = widths[static_cast<std::size_t>(c)];
        xs.push_back(x + u);
        Insert(std::make_unique<TTextButton>(x, y, x + w, y + bh, GetString(15, 70 + c), -1, command::kSortClass + c,
                                             button::kCentred));
        marks_.push_back(&Insert(std::make_unique<TSortMark>(x, y + bh + 2, x + w, y + bh + 1 + markHeight)));
        x += w + u / 2;
    }
    int buttonsTop = bottom - 2 * u - bh;
    const char* print = GetString(15, 55);
    Insert(std::make_unique<TTextButton>(left + 2 * u, buttonsTop, left + 2 * u + HotkeyTextWidth(print) + 4 * u,
                                         buttonsTop + bh, print, -1, command::kPrintPage, button::kCentred));
    auto table = std::make_unique<TClassTable>(left + 2 * u, y + bh + markHeight + 4, right - 2 * u, buttonsTop - u, xs);
    table_ = &Insert(std::move(table));
    if (rows_.empty())
        Insert(std::make_unique<TStaticText>(left + 4 * u, y + bh + 2 * u, right - 4 * u, y + bh + 2 * u + L - 1,
                                             GetString(15, 45)));
    stats::SortClassRows(rows_, column_, reverse_);
    table_->SetRows(rows_);
    ShowSorting();
    FocusChild(table_);
    UnlockDraw();
}

void TClassDialog::SortBy(stats::ClassColumn column)
{
    reverse_ = column == column_ ? !reverse_ : false;
    column_ = column;
    stats::SortClassRows(rows_, column_, reverse_);
    table_->SetRows(rows_);
    ShowSorting();
    Draw();  // the table and the triangles, the old one gone
}

const TSortMark& TClassDialog::Mark(stats::ClassColumn column) const
{
    return *marks_[static_cast<std::size_t>(column)];
}

void TClassDialog::ShowSorting()
{
    // Names and letters first sort from A, figures from the largest.
    bool alphabetical = column_ == stats::ClassColumn::kName || column_ == stats::ClassColumn::kWeakest;
    TSortMark::Mark mark = alphabetical != reverse_ ? TSortMark::kUp : TSortMark::kDown;
    for (std::size_t c = 0; c < marks_.size(); ++c)
        marks_[c]->SetMark(static_cast<int>(c) == static_cast<int>(column_) ? mark : TSortMark::kNone);
}

void TClassDialog::PrintTable()
{
    // The table as it is on the screen, as a picture.
    bool printed = desktop::PrintBitmap(WithoutHotkeyMarks(GetString(15, 2)), theScreen.surface);
    ShowMessage(this, GetString(0, 11), GetString(15, printed ? 56 : 57));
}

void TClassDialog::HandleEvent(TEvent& event)
{
    TDialog::HandleEvent(event);
    if (event.command == command::kPrintPage) {
        event.command = 0;
        PrintTable();
        return;
    }
    int c = event.command - command::kSortClass;
    if (c >= 0 && c < kColumns) {
        event.command = 0;
        SortBy(static_cast<stats::ClassColumn>(c));
    }
}
