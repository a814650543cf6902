#include "base/TList.h"

#include <utility>

TList::~TList()
{
    Clear();
}

void TList::Link(TElement* after, TElement* element)
{
    element->owner_ = this;
    element->prev_ = after;
    element->next_ = after ? after->next_ : first_;
    if (element->next_)
        element->next_->prev_ = element;
    else
        last_ = element;
    if (after)
        after->next_ = element;
    else
        first_ = element;
    ++count_;
}

void TList::Detach(TElement* element)
{
    if (element->prev_)
        element->prev_->next_ = element->next_;
    else
        first_ = element->next_;
    if (element->next_)
        element->next_->prev_ = element->prev_;
    else
        last_ = element->prev_;
    element->owner_ = nullptr;
    element->prev_ = element->next_ = nullptr;
    --count_;
}

int TList::Append(TElement* element)
{
    if (element)
        Link(last_, element);
    return count_;
}

void TList::InsertAfter(TElement* reference, TElement* element)
{
    if (!element || (reference && reference->owner_ != this))
        return;
    Link(reference, element);
}

TElement* TList::Unlink(int index)
{
    return Unlink(At(index));
}

TElement* TList::Unlink(TElement* element)
{
    if (!element || element->owner_ != this)
        return nullptr;
    Detach(element);
    return element;
}

void TList::Remove(TElement* element)
{
    delete Unlink(element);
}

void TList::Clear()
{
    while (first_)
        Remove(first_);
}

TElement* TList::At(int index) const
{
    if (index < 0 || index >= count_)
        return nullptr;
    TElement* element = first_;
    while (index-- > 0)
        element = element->next_;
    return element;
}

int TList::IndexOf(const TElement* element) const
{
    int index = 0;
    for (const TElement* e = first_; e; e = e->next_, ++index)
        if (e == element)
            return index;
    return -1;
}

TElement* TList::FirstThat(TestFn test, void* user)
{
    int index = 0;
    for (TElement* e = first_; e; e = e->next_, ++index)
        if (!e->hidden_ && test(this, e, index, user))
            return e;
    return nullptr;
}

void TList::ForEach(ActionFn action, void* user)
{
    int index = 0;
    for (TElement* e = first_; e; ++index) {
        TElement* next = e->next_;
        if (!e->hidden_)
            action(this, e, index, user);
        e = next;
    }
}

void TList::Swap(int i, int j)
{
    if (i == j)
        return;
    if (i > j)
        std::swap(i, j);
    TElement* a = At(i);
    TElement* b = At(j);
    if (!a || !b)
        return;
    TElement* beforeA = a->prev_;
    TElement* beforeB = b->prev_;
    Detach(a);
    Detach(b);
    Link(beforeA, b);
    Link(beforeB == a ? b : beforeB, a);
}

int TList::Compare(const TElement*, const TElement*) const
{
    return 0;
}
