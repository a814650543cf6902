#include "ui/TGroup.h"

#include "session/ScanVoice.h"

TGroup::TGroup(int l, int t, int r, int b, unsigned options) : TView(l, t, r, b, options), children_(this) {}

void TGroup::Append(TView* view)
{
    children_.Append(view);  // the list owns its elements
}

void TGroup::Draw()
{
    TView::Draw();
    if (DrawLocked() || !(state_ & view::kVisible))
        return;
    EachChild([](TView* v) { v->Draw(); });
}

void TGroup::SetState(unsigned bits, bool on)
{
    LockDraw();
    ChangeBits(bits, on);
    EachChild([&](TView* v) { v->SetState(bits, on); });
    UnlockDraw();
    if (!DrawLocked())
        Draw();
}

void TGroup::HandleEvent(TEvent& event)
{
    TView::HandleEvent(event);
    if (current_)
        current_->HandleEvent(event);
    EachChild([&](TView* v) {
        if (v != current_ && v->Has(view::kVisible | view::kActive | view::kEnabled) && !(v->State() & view::kFocused))
            v->HandleEvent(event);
    });
}

void TGroup::Open()
{
    EachChild([](TView* v) { v->Open(); });
}

void TGroup::Close()
{
    EachChild([](TView* v) { v->Close(); });
}

void TGroup::Idle()
{
    EachChild([](TView* v) { v->Idle(); });
}

void TGroup::FocusChild(TView* view)
{
    if (!view || view == current_ || !view->CanFocus())
        return;
    TView* previous = current_;
    if (previous)
        previous->SetState(view::kFocused, false);
    current_ = view;
    view->SetState(view::kFocused, true);
    // A rounded view does not paint the corners of its box, where the scan
    // mark was: the group is drawn again so that no red is left behind.
    if (previous && theDeviceNavigation && (previous->State() & view::kRounded) && !DrawLocked())
        Draw();
    // The scan mark moved: the child hears where it is.
    if (theDeviceNavigation)
        SayScanMark(view->SpokenLabel());
}

void TGroup::FocusNext()
{
    MoveFocus(true);
}

void TGroup::FocusPrevious()
{
    MoveFocus(false);
}

void TGroup::MoveFocus(bool forward)
{
    auto step = [forward](TElement* e) { return forward ? e->Next() : e->Prev(); };
    TElement* candidate = nullptr;
    if (current_) {
        for (TElement* e = step(current_); e; e = step(e))
            if (!e->IsHidden() && static_cast<TView*>(e)->CanFocus()) {
                candidate = e;
                break;
            }
        if (!candidate && !(state_ & view::kWrapFocus))
            return;
    }
    if (!candidate)
        candidate = forward ? Children().First() : Children().Last();
    FocusChild(static_cast<TView*>(candidate));
}
