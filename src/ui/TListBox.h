#pragma once
// A scrollable list of texts with a 1-based selection (0 for none) kept in
// the caller's variable; a file list box fills itself from a folder and
// keeps the selected name in the caller's buffer. The wheel over a list
// moves its view, not its selection.

#include "resources/TFileList.h"
#include "ui/TGroup.h"

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class TScrollBar;

namespace listbox {

constexpr unsigned kKeepHeight = 0x200;

}  // namespace listbox

class TListBox : public TGroup {
public:
    TListBox(int left, int top, int right, int bottom, unsigned options, int* selection, TList* items);

    void DrawBody() override;
    void DrawFrame() override;
    void Press() override;
    void HandleEvent(TEvent& event) override;
    virtual void Select(int n);
    virtual void MoveUp(int n);
    virtual void MoveDown(int n);
    virtual void SelectionChanged() {}
    // What row `index` (0-based) shows: the item's text.
    virtual std::string ItemText(int index) const;
    // The selected entry.
    std::string SpokenLabel() const override;

    void UpdateRange();
    // Moves the view by n rows (negative: up), leaving the selection alone.
    void ScrollRows(int n);
    int Rows() const { return rows_; }
    int RowHeight() const { return rowHeight_; }
    int TopRow() const { return top_; }
    int Selection() const { return *selection_; }
    TScrollBar* ScrollBar() const { return bar_; }
    const Rect& ListArea() const { return listArea_; }

protected:
    void SetItems(TList* items) { items_ = items; }
    void ClampSelection();
    int ItemCount() const { return items_ ? items_->Count() : 0; }

    TList* items_;
    int* selection_;

private:
    TScrollBar* bar_ = nullptr;
    Rect listArea_{};
    int rows_ = 0;
    int knownCount_ = 0;
    int rowHeight_ = 0;
    int top_ = 0;
};

class TFileListBox : public TListBox {
public:
    TFileListBox(int left, int top, int right, int bottom, unsigned options, char* name, std::size_t nameSize,
                 const char* folder, const char* extension, int flags);

    void Select(int n) override;
    std::string ItemText(int index) const override;
    // How entries are shown and which are left out; the list is ordered by
    // what it shows, and the caller's buffer still gets the file name.
    using ShownForm = std::function<std::string(const std::string& fileName)>;
    using HiddenTest = std::function<bool(const std::string& fileName)>;
    void SetPresentation(ShownForm shown, HiddenTest hidden = nullptr);
    // Selects the entry equal to `name` (none when absent) and shows it.
    void SelectName(const char* name);
    // Lists the folder again and selects nothing.
    void Rescan(const char* folder, const char* extension, int flags);
    TFileList& Files() { return *files_; }

private:
    void CopyName();
    // Applies the presentation to the freshly listed files.
    void Present();
    int ownSelection_ = 0;
    char* name_;
    std::size_t nameSize_;
    std::unique_ptr<TFileList> files_;
    ShownForm shownForm_;
    HiddenTest hidden_;
    std::vector<std::string> shown_;  // one a file when there is a presentation
};

// A file list box that raises a program-wide flag when its selection changes.
class TMFileListBox : public TFileListBox {
public:
    using TFileListBox::TFileListBox;
    void SelectionChanged() override;
};

extern bool theFileListSelectionChanged;
