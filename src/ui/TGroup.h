#pragma once
// A view that owns child views, drawn and fed events in list order, with
// one focused child.

#include "base/TList.h"
#include "ui/TView.h"

#include <memory>

class TGroup;

// The children of a group; the list points back to its group.
class TViewList : public TList {
public:
    explicit TViewList(TGroup* owner) : group(owner) {}
    TGroup* group;
};

class TGroup : public TView {
public:
    TGroup(int left, int top, int right, int bottom, unsigned options = 0);
    ~TGroup() override = default;

    void Draw() override;
    void SetState(unsigned bits, bool on) override;
    void HandleEvent(TEvent& event) override;
    void Open() override;
    void Close() override;
    void Idle() override;
    virtual void FocusPrevious();
    virtual void FocusNext();

    // Appends a child; the group owns it. Answers the child.
    template <typename T>
    T& Insert(std::unique_ptr<T> view)
    {
        T& inserted = *view;
        Append(view.release());
        return inserted;
    }
    // Focuses a child of this group (nothing when it cannot take the focus).
    void FocusChild(TView* view);
    TView* Current() const { return current_; }
    // Makes a child current without any focus change.
    void SetCurrent(TView* view) { current_ = view; }
    TViewList& Children() { return children_; }

    template <typename F>
    void EachChild(F f)
    {
        for (TElement* e = children_.First(); e;) {
            TElement* next = e->Next();
            if (!e->IsHidden())
                f(static_cast<TView*>(e));
            e = next;
        }
    }

protected:
    TView* current_ = nullptr;

private:
    void Append(TView* view);
    // To the next (or previous) visible child that takes the focus; past
    // the end it wraps round only when the group asks for it.
    void MoveFocus(bool forward);

    TViewList children_;
};
