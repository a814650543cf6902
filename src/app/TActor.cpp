#include "app/TActor.h"

#include "app/Clock.h"
#include "gfx/Screen.h"
#include "base/TList.h"

void TActor::MoveTo(int x, int y)
{
    x_ = x;
    y_ = y;
}

void TActor::MoveBy(int dx, int dy)
{
    MoveTo(x_ + dx, y_ + dy);
}

bool TActor::Overlaps(const TActor& other) const
{
    return x_ < other.x_ + other.Width() && other.x_ < x_ + Width() && y_ < other.y_ + other.Height() &&
           other.y_ < y_ + Height();
}

void TActor::SaveBackground()
{
    saved_.reset();
    if (!picture_)
        return;
    Rect r = {x_, y_, x_ + picture_->w - 1, y_ + picture_->h - 1};
    if (!ClipRect(r, theScreen.clip))
        return;
    saved_.reset(CreateScreenSurface(r.right - r.left + 1, r.bottom - r.top + 1));
    if (!saved_)
        return;
    SaveScreenArea(r.left, r.top, saved_.get());
    savedX_ = r.left;
    savedY_ = r.top;
}

void TActor::Show()
{
    SaveBackground();
    Paint();
}

void TActor::Paint()
{
    if (picture_)
        DrawImage(x_, y_, picture_);
}

void TActor::RestoreBackground()
{
    if (saved_)
        DrawImage(savedX_, savedY_, saved_.get());
}

void TActor::StartAnimation(const FrameEntry* table, SDL_Surface* const* images, int count, std::uint32_t frameMs,
                            int loops)
{
    if (!table || !images || count < 1)
        return;
    table_ = table;
    images_ = images;
    frameCount_ = count;
    frameMs_ = frameMs;
    loopsWanted_ = loops;
    frame_ = 1;
    SetPicture(images[table[0].image]);
    if (applyFirstOffset)
        MoveBy(table[0].dx, table[0].dy);
    loopsDone_ = 0;
    frameStart_ = Now();
}

void TActor::Animate()
{
    if (frame_ == 0 || !Elapsed(frameStart_, frameMs_))
        return;
    if (++frame_ > frameCount_) {
        frame_ = 1;
        if (loopsWanted_ != 0 && ++loopsDone_ == loopsWanted_) {
            frame_ = 0;
            return;
        }
    }
    const FrameEntry& entry = table_[frame_ - 1];
    MoveBy(entry.dx, entry.dy);
    SetPicture(images_[entry.image]);
    frameStart_ = Now();
}

namespace {

template <typename F>
void EachActor(TList& actors, F f)
{
    for (TElement* e = actors.First(); e; e = e->Next())
        if (auto* actor = dynamic_cast<TActor*>(e))
            f(*actor);
}

}  // namespace

void AnimateAll(TList& actors)
{
    EachActor(actors, [](TActor& a) { a.Animate(); });
}

void ShowAll(TList& actors)
{
    EachActor(actors, [](TActor& a) {
        a.SaveBackground();
        a.Paint();
    });
}

void FrameAll(TList& actors)
{
    EachActor(actors, [](TActor& a) { a.RestoreBackground(); });
    EachActor(actors, [](TActor& a) { a.Animate(); });
    EachActor(actors, [](TActor& a) { a.SaveBackground(); });
    EachActor(actors, [](TActor& a) { a.Paint(); });
}
