#pragma once
// The grid on which the teacher hides letters of a "Completa" word: three
// rows of ten cells, one letter each. Shown letters sit on black, hidden
// ones on red, unused cells are grey. Space (or a click) hides or shows the
// letter under the cursor; the arrows move only onto letters.

#include "ui/TView.h"

#include <memory>
#include <string>

class TFont;

class TLetteraSelector : public TView {
public:
    static constexpr int kRows = 3, kColumns = 10;

    // The word is read, the mask ("1" hidden, "0" shown) edited in place;
    // both belong to the caller.
    TLetteraSelector(int left, int top, int right, int bottom, unsigned options, const std::string& word,
                     std::string& mask);
    ~TLetteraSelector() override;

    void DrawBody() override;
    void HandleEvent(TEvent& event) override;

    int Cursor() const { return cursor_; }
    // Letters in row 0, 1 or 2.
    int CellsInRow(int row) const;
    Rect Inner() const;
    Rect Cell(int row, int column) const;

private:
    void MoveTo(int index);
    void Toggle();
    int Length() const { return static_cast<int>(word_.size()); }

    const std::string& word_;
    std::string& mask_;
    int cursor_ = 0;
    std::unique_ptr<TFont> letterFont_;  // large letters; the view's font when it cannot be opened
};
