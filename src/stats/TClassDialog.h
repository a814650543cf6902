#pragma once
// The class at a glance: a row a child (last game, games this week,
// accuracy and speed now, the trend, the three weakest letters). A click
// on a column's heading, or its hot key, sorts by it; again, the other way
// round; a triangle under its heading points the way it is sorted. Up,
// Down, Page Up, Page Down and the wheel scroll the rows; "Stampa" prints
// the table as it is on the screen.

#include "stats/StatsFigures.h"
#include "ui/TDialog.h"

#include <array>
#include <string>
#include <vector>

class TClassTable : public TView {
public:
    TClassTable(int left, int top, int right, int bottom, std::vector<int> columnsX);
    void DrawBody() override;
    void HandleEvent(TEvent& event) override;
    bool CanFocus() const override { return true; }
    void SetRows(std::vector<stats::ClassRow> rows);
    const std::vector<stats::ClassRow>& Rows() const { return rows_; }
    int FirstRow() const { return first_; }
    int VisibleRows() const;
    void Scroll(int n);
    // The row's texts, column by column (Latin-1).
    static std::vector<std::string> Cells(const stats::ClassRow& row);

private:
    std::vector<int> columnsX_;
    std::vector<stats::ClassRow> rows_;
    int first_ = 0;
};

// The strip under a column's heading: a triangle when the table is sorted
// by that column, pointing up when the smallest (or A) comes first, down
// when the largest (or Z) does; empty otherwise.
class TSortMark : public TView {
public:
    enum Mark { kNone, kUp, kDown };
    TSortMark(int l, int t, int r, int b) : TView(l, t, r, b) {}
    void DrawBody() override;
    void DrawFrame() override {}
    void SetMark(Mark mark) { mark_ = mark; }
    Mark Shown() const { return mark_; }

private:
    Mark mark_ = kNone;
};

class TClassDialog : public TDialog {
public:
    TClassDialog();
    void HandleEvent(TEvent& event) override;
    void SortBy(stats::ClassColumn column);
    const TClassTable& Table() const { return *table_; }
    stats::ClassColumn SortColumn() const { return column_; }
    bool Reversed() const { return reverse_; }
    const TSortMark& Mark(stats::ClassColumn column) const;

private:
    void ShowSorting();
    void PrintTable();

    TClassTable* table_ = nullptr;
    std::vector<TSortMark*> marks_;
    std::vector<stats::ClassRow> rows_;
    stats::ClassColumn column_ = stats::ClassColumn::kName;
    bool reverse_ = false;
};
