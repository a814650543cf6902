#include "app/TMouse.h"

#include "app/Input.h"
#include "gfx/Screen.h"

#include <algorithm>

TMouse* theMouse = nullptr;

void TSubCursor::AddChanged(int left, int top, int right, int bottom)
{
    Rect r = {left, top, right, bottom};
    if (ClipRect(r, theScreen.viewPort))
        UniteRect(changed_, r);
}

void TSubCursor::Paint()
{
    SDL_Surface* picture = Picture();
    if (!picture || !theScreen.surface)
        return;
    SDL_Rect at = {static_cast<Sint16>(x_ + theScreen.originX), static_cast<Sint16>(y_ + theScreen.originY), 0, 0};
    SDL_BlitSurface(picture, nullptr, theScreen.surface, &at);
    AddChanged(x_, y_, x_ + picture->w - 1, y_ + picture->h - 1);
}

void TSubCursor::RestoreBackground()
{
    SDL_Surface* saved = SavedBackground();
    if (!saved || !theScreen.surface)
        return;
    SDL_Rect at = {static_cast<Sint16>(SavedX() + theScreen.originX), static_cast<Sint16>(SavedY() + theScreen.originY),
                   0, 0};
    SDL_BlitSurface(saved, nullptr, theScreen.surface, &at);
    AddChanged(SavedX(), SavedY(), SavedX() + saved->w - 1, SavedY() + saved->h - 1);
    DropSavedBackground();
}

void TSubCursor::FlushChanged()
{
    if (changed_.left == kEmptyRect)
        return;
    UpdateArea(changed_.left, changed_.top, changed_.right, changed_.bottom);
    changed_.left = kEmptyRect;
}

TMouse::TMouse(SDL_Surface* picture) : TSubCursor(0, 0, picture)
{
    x_ = theScreen.width / 2;
    y_ = theScreen.height / 2;
    SetDrawingOffset(theScreen.originX, theScreen.originY);
    PointerSink sink;
    sink.moveTo = [this](int x, int y) { MoveTo(x, y); };
    sink.setEnabled = [this](bool on) { enabled = on; };
    sink.markInside = [this] { visible = true; };
    SetPointerSink(std::move(sink));
    SetMousePosition(x_, y_);
    theMouse = this;
}

TMouse::~TMouse()
{
    SetPointerSink({});
    if (theMouse == this)
        theMouse = nullptr;
}

void TMouse::MoveTo(int x, int y)
{
    TActor::MoveTo(x, y);
    PlaceSubCursor();
}

void TMouse::PlaceSubCursor()
{
    if (!sub_)
        return;
    sub_->MoveTo(x_ + sub_->offsetX + Width() / 2 - 1, y_ + sub_->offsetY + Height() / 2 - 1);
}

void TMouse::SetSubCursor(int dx, int dy, SDL_Surface* picture)
{
    if (!picture) {
        sub_.reset();
        return;
    }
    if (sub_) {
        sub_->offsetX = dx;
        sub_->offsetY = dy;
        sub_->SetPicture(picture);
    } else {
        sub_ = std::make_unique<TSubCursor>(dx, dy, picture);
    }
    PlaceSubCursor();
}

void TMouse::SaveBackground()
{
    if (!Drawable())
        return;
    if (sub_)
        sub_->SaveBackground();
    TSubCursor::SaveBackground();
}

void TMouse::Paint()
{
    if (!Drawable())
        return;
    if (sub_)
        sub_->Paint();
    TSubCursor::Paint();
}

void TMouse::RestoreBackground()
{
    if (!Drawable())
        return;
    if (sub_)
        sub_->RestoreBackground();
    TSubCursor::RestoreBackground();
}

void TMouse::FlushCursor()
{
    FlushChanged();
    if (sub_)
        sub_->FlushChanged();
}

TMouse::Shown TMouse::Current() const
{
    Shown s;
    s.valid = true;
    s.drawn = Drawable() && Picture();
    s.x = x_;
    s.y = y_;
    s.picture = Picture();
    if (sub_) {
        s.subX = sub_->X();
        s.subY = sub_->Y();
        s.subPicture = sub_->Picture();
    }
    return s;
}

namespace {

bool Meets(const Rect& dirty, int x, int y, SDL_Surface* picture)
{
    if (!picture)
        return false;
    Rect r = {x, y, x + picture->w - 1, y + picture->h - 1};
    return ClipRect(r, dirty);
}

}  // namespace

void TMouse::PresentFrame()
{
    Shown now = Current();
    const Shown& last = lastShown_;
    bool same = last.valid && now.drawn == last.drawn && now.x == last.x && now.y == last.y &&
                now.picture == last.picture && now.subX == last.subX && now.subY == last.subY &&
                now.subPicture == last.subPicture;
    bool underChanged = !DirtyIsEmpty() && now.drawn &&
                        (Meets(theScreen.dirty, now.x, now.y, now.picture) ||
                         Meets(theScreen.dirty, now.subX, now.subY, now.subPicture));
    if (same && !underChanged) {
        FlushScreen();
        return;
    }
    Show();
    FlushScreen();
    FlushCursor();
    RestoreBackground();
    lastShown_ = now;
}
