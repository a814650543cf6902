#pragma once
// The part of a dialog that the screens' dialog stacks rely on: its place
// on the stack (the context that shows it, the dialogs below and above,
// the one above owned) and the operations the stack calls.

#include "app/TEvent.h"

class TMenuContext;

class TDialog {
public:
    static constexpr unsigned kActive = 0x2;

    TDialog() = default;
    // Destroys the dialog above first.
    virtual ~TDialog();
    TDialog(const TDialog&) = delete;
    TDialog& operator=(const TDialog&) = delete;

    virtual void Open() {}
    virtual void Close() {}
    virtual void Draw() {}
    virtual void SetState(unsigned bits, bool on);
    virtual void HandleEvent(TEvent&) {}
    virtual void Idle() {}

    unsigned State() const { return state_; }

    TMenuContext* owner = nullptr;
    TDialog* below = nullptr;
    TDialog* above = nullptr;

protected:
    unsigned state_ = kActive;
};
