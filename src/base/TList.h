#pragma once
// An intrusive doubly linked list of TElement. The list owns its elements:
// removing, clearing or destroying the list deletes them.

#include "base/TElement.h"

class TList : public TElement {
public:
    using TestFn = bool (*)(TList* list, TElement* element, int index, void* user);
    using ActionFn = void (*)(TList* list, TElement* element, int index, void* user);

    TList() = default;
    ~TList() override;

    // Links the element at the end and takes ownership; returns the new count.
    // A null element is ignored.
    int Append(TElement* element);
    // Links the element right after `reference`; a null reference puts it first.
    void InsertAfter(TElement* reference, TElement* element);
    // Takes the element at the index out of the list; the caller owns it again.
    TElement* Unlink(int index);
    TElement* Unlink(TElement* element);
    // Unlinks the element and deletes it.
    void Remove(TElement* element);
    void Clear();

    TElement* At(int index) const;
    int IndexOf(const TElement* element) const;
    TElement* First() const { return first_; }
    TElement* Last() const { return last_; }
    int Count() const { return count_; }

    // The first visible element the test accepts. The index passed to the test
    // counts every element, hidden ones included.
    TElement* FirstThat(TestFn test, void* user);
    // Calls the action on every visible element; the next element is taken
    // before the call, so the action may delete the one it is given.
    void ForEach(ActionFn action, void* user);
    void Swap(int i, int j);

    // An ordering of two elements, for lists that sort; 0 here.
    virtual int Compare(const TElement* a, const TElement* b) const;

private:
    void Link(TElement* after, TElement* element);
    void Detach(TElement* element);

    TElement* first_ = nullptr;
    TElement* last_ = nullptr;
    int count_ = 0;
};
