#include "app/TContext.h"

TContext::~TContext() = default;

TContext* TContext::Root()
{
    TContext* c = this;
    while (c->parent_)
        c = c->parent_;
    return c;
}

void TContext::MarkHandled()
{
    Root()->handled_ = true;
}

void TContext::Activate()
{
    if (!active_) {
        active_ = true;
        Start();
    }
}

void TContext::StopChain()
{
    TContext* deepest = this;
    while (deepest->child_)
        deepest = deepest->child_.get();
    for (TContext* c = deepest;; c = c->parent_) {
        if (c->active_) {
            c->active_ = false;
            c->Stop();
        }
        if (c == this)
            break;
    }
}

void TContext::SetChild(std::unique_ptr<TContext> newChild)
{
    if (child_) {
        child_->StopChain();
        std::unique_ptr<TContext> old = std::move(child_);
        old.reset();
    }
    if (!newChild)
        return;
    child_ = std::move(newChild);
    child_->parent_ = this;
    child_->Activate();
}

void TContext::ReplaceWith(std::unique_ptr<TContext> next)
{
    MarkHandled();
    if (parent_)
        parent_->SetChild(std::move(next));
}

void DispatchEvent(TContext* root, TEvent& event)
{
    root->ClearHandled();
    for (TContext* c = root; c;) {
        c->HandleEvent(event);
        // A context that handed its place over is gone: check before reading it.
        if (root->Handled())
            break;
        c = c->Child();
    }
}

void DispatchIdle(TContext* root)
{
    root->ClearHandled();
    for (TContext* c = root; c;) {
        c->Idle();
        if (root->Handled())
            break;
        c = c->Child();
    }
}
