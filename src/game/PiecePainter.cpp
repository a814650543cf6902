#include "game/PiecePainter.h"

#include "app/TActor.h"
#include "gfx/Screen.h"

#include <cstdio>

namespace {

bool Overlap(Rect a, const Rect& b)
{
    return ClipRect(a, b);
}

bool OverlapsAny(const Rect& r, const std::vector<Rect>& areas)
{
    for (const Rect& a : areas)
        if (Overlap(r, a))
            return true;
    return false;
}

}  // namespace

void PiecePainter::Paint(const std::vector<Piece>& pieces, const std::string& background)
{
    const std::size_t count = pieces.size();
    bool whole = alwaysWhole_ || DrawCount() != drawnAt_ || drawn_.size() != count || background != background_;
    background_ = background;
    drawn_.resize(count);
    std::vector<bool> repaint(count, whole);
    for (std::size_t i = 0; i < count; ++i)
        if (pieces[i].key != drawn_[i].key)
            repaint[i] = true;
    // Where a piece was and changes is painted with the background; a piece
    // that did not change is painted again only when such a place touches
    // it, or when a piece painted again now reaches it. Each round can only
    // add pieces, so this ends.
    std::vector<Rect> cleared;
    for (bool settled = false; !settled;) {
        settled = true;
        std::vector<Rect> grown = cleared;
        for (std::size_t i = 0; i < count; ++i)
            if (repaint[i] && !drawn_[i].key.empty())
                grown.push_back(drawn_[i].box);
        for (std::size_t i = 0; i < count; ++i)
            if (!repaint[i] && !drawn_[i].key.empty() && OverlapsAny(drawn_[i].box, grown)) {
                repaint[i] = true;
                settled = false;
            }
        if (!settled)
            continue;
        if (whole)
            clearAll_();
        else
            for (const Rect& r : grown)
                clearArea_(r);
        std::vector<Rect> sent = grown;
        std::vector<Drawn> now(count);
        for (std::size_t i = 0; i < count && settled; ++i) {
            if (!repaint[i]) {
                now[i] = drawn_[i];
                continue;
            }
            now[i].key = pieces[i].key;
            if (pieces[i].key.empty())
                continue;
            theScreen.dirty.left = kEmptyRect;
            pieces[i].draw();
            now[i].box = theScreen.dirty;
            if (DirtyIsEmpty()) {
                now[i].key.clear();
                continue;
            }
            sent.push_back(now[i].box);
            // Drawn where a piece that is not painted again stands: that one
            // is painted again too (behind or in front, it must be on a
            // clean background), and the picture made once more.
            for (std::size_t j = 0; j < count; ++j)
                if (!repaint[j] && !drawn_[j].key.empty() && Overlap(drawn_[j].box, now[i].box)) {
                    repaint[j] = true;
                    settled = false;
                }
            if (!settled)
                cleared = sent;
        }
        if (!settled)
            continue;
        LimitPushTo(whole ? std::vector<Rect>{theScreen.viewPort} : sent);
        drawn_ = std::move(now);
    }
    drawnAt_ = DrawCount();
}

std::string SpriteKey(const TActor& sprite)
{
    char key[96];
    std::snprintf(key, sizeof key, "%p %d %d %p", static_cast<const void*>(&sprite), sprite.X(), sprite.Y(),
                  static_cast<const void*>(sprite.Picture()));
    return key;
}
