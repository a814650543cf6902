#include "ui/TMenuContext.h"

#include "app/CommandQueue.h"
#include "app/Commands.h"
#include "ui/TDialog.h"

TMenuContext::~TMenuContext()
{
    delete first_;
    first_ = top_ = nullptr;
}

void TMenuContext::Add(std::unique_ptr<TDialog> owned)
{
    if (!owned)
        return;
    TDialog* dialog = owned.release();  // from here the stack owns it
    if (!first_) {
        first_ = dialog;
    } else {
        top_->above = dialog;
        dialog->below = top_;
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
    if (below)
        below->above = nullptr;
    else
        first_ = nullptr;
    top_ = below;
    delete closing;
    if (!below)
        return;
    for (TDialog* d = first_; d; d = d->above)
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
