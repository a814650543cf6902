#pragma once
// A screen that shows a stack of dialogs: the top one has the focus and
// gets the events. When the last dialog closes, the context posts its close
// command (1 ends the program, 6 ends a modal loop, 0 posts nothing).

#include "app/TContext.h"
#include "ui/TDialog.h"

#include <memory>

class TMenuContext : public TContext {
public:
    explicit TMenuContext(int closeCommand) : closeCommand_(closeCommand) {}
    ~TMenuContext() override;

    void HandleEvent(TEvent& event) override;
    void Idle() override;

    // Puts the dialog on top (the one below greys), opens and draws it; the
    // stack owns it from then on. Answers the dialog.
    template <typename T>
    T& AddDialog(std::unique_ptr<T> dialog)
    {
        T& shown = *dialog;
        Add(std::unique_ptr<TDialog>(std::move(dialog)));
        return shown;
    }
    void CloseTopDialog();

    TDialog* FirstDialog() const { return first_.get(); }
    TDialog* TopDialog() const { return top_; }
    int CloseCommand() const { return closeCommand_; }

private:
    void Add(std::unique_ptr<TDialog> dialog);

    std::unique_ptr<TDialog> first_;  // each dialog owns the one above it
    TDialog* top_ = nullptr;
    int closeCommand_;
};
