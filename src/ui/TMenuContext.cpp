#include "ui/TMenuContext.h"

#include "app/CommandQueue.h"
#include "app/Commands.h"
#include "ui/TDialog.h"

TMenuContext::~TMenuContext()
{
    top_ = nullptr;
    first_.reset();
}

void TMenuContext::Add(std::unique_ptr<TDialog> owned)
{
    if (!owned)
        return;
    TDialog* dialog = owned.get();
    if (!first_) {
        first_ = std::move(owned);
    } else {
        dialog->below = top_;
        top_->above = std::move(owned);
        top_->SetState(TDialog::kActive, false);
    }
    top_ = dialog;
    dialog->owner = this;
    dialog->Open();
    dialog->Draw();
}

void TMenuContext::CloseTopDialog()
{
    if (!top_)
        return;
    TDialog* closing = top_;
    TDialog* below = closing->below;
    closing->Close();
    closing->RestoreBackground();
    // Closing happens in two steps: the dialog puts back what it covered,
    // then it is destroyed, which draws nothing.
    top_ = below;
    if (below)
        below->above.reset();
    else
        first_.reset();
    if (!below)
        return;
    for (TDialog* d = first_.get(); d; d = d->above.get())
        d->Draw();
    top_->SetState(TDialog::kActive, true);
}

void TMenuContext::HandleEvent(TEvent& event)
{
    if (event.command == command::kCloseDialog)
        CloseTopDialog();
    if (top_)
        top_->HandleEvent(event);
}

void TMenuContext::Idle()
{
    if (top_)
        top_->Idle();
    if (!first_ && closeCommand_ != 0)
        PostCommand(closeCommand_);
}
