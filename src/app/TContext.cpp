#include "app/TContext.h"

TContext::~TContext()
{
    delete child_;
}

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
        deepest = deepest->child_;
    for (TContext* c = deepest;; c = c->parent_) {
        if (c->active_) {
            c->active_ = false;
            c->Stop();
        }
        if (c == this)
            break;
    }
}

void TContext::SetChild(TContext* newChild)
{
    if (child_) {
        child_->StopChain();
        TContext* old = child_;
        child_ = nullptr;
        delete old;
    }
    if (!newChild)
        return;
    child_ = newChild;
    newChild->parent_ = this;
    newChild->Activate();
}

void TContext::ReplaceWith(TContext* next)
{
    MarkHandled();
    if (parent_)
        parent_->SetChild(next);
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
