#pragma once
// A screen of the program. Contexts form a chain under the application
// object; each may have one child, which it owns, and the deepest one is the
// screen the user sees. Every frame the event goes down the chain until a
// context marks it handled, then every context gets an idle tick.

#include "app/TEvent.h"

#include <memory>

class TContext {
public:
    TContext() = default;
    virtual ~TContext();
    TContext(const TContext&) = delete;
    TContext& operator=(const TContext&) = delete;

    virtual void Start() {}
    virtual void HandleEvent(TEvent&) {}
    virtual void Idle() {}
    virtual void Stop() {}

    // Stops and deletes the current child chain (deepest first), then
    // installs and starts the new child. Null just clears.
    void SetChild(std::unique_ptr<TContext> newChild);
    // The same, answering the new child.
    template <typename T>
    T& Install(std::unique_ptr<T> newChild)
    {
        T& installed = *newChild;
        SetChild(std::move(newChild));
        return installed;
    }
    // Hands this context's place to `next`; this context is deleted by the
    // call and must not touch itself afterwards.
    void ReplaceWith(std::unique_ptr<TContext> next);
    // Stops the passing of the current event or idle tick down the chain.
    void MarkHandled();
    TContext* Root();

    bool IsActive() const { return active_; }
    TContext* Parent() const { return parent_; }
    TContext* Child() const { return child_.get(); }
    bool Handled() const { return handled_; }
    void ClearHandled() { handled_ = false; }

    // Stops every active context from the deepest up to this one.
    void StopChain();
    void Activate();

private:
    bool active_ = false;
    bool handled_ = false;
    TContext* parent_ = nullptr;
    std::unique_ptr<TContext> child_;
};

void DispatchEvent(TContext* root, TEvent& event);
void DispatchIdle(TContext* root);
