#include "game/PlainView.h"

#include "app/Clock.h"
#include "game/GameScreens.h"
#include "gfx/Screen.h"
#include "menus/GameSettings.h"
#include "resources/StringTable.h"

#include <cstdio>

FallGeometry PlainView::Geometry(int lineSkip) const
{
    return {lineSkip + 16, Floor()};
}

int PlainView::LaunchWord(int lane, const std::string& shown, std::uint32_t fallMs)
{
    int lineSkip = screens_.WordLineHeight();
    auto word = std::make_unique<TActorParola>(fallMs, shown.c_str(), LaneCentre(lane), -lineSkip - 16);
    // The box sits on the line's foot whatever the word's size.
    textOffset_[lane] = lineSkip - word->TextHeight();
    word->MoveBy(0, textOffset_[lane]);
    words_[lane] = std::move(word);
    return 0;
}

void PlainView::KeepHitWord(int lane)
{
    hit_ = std::move(words_[lane]);
    hitAt_ = Now();
}

void PlainView::ClearLanes()
{
    for (auto& word : words_)
        word.reset();
    hit_.reset();
}

namespace {

std::string WordKey(const TActorParola& word, bool lifeLost)
{
    char head[96];
    std::snprintf(head, sizeof head, "%p %d %d %d %d ", static_cast<const void*>(&word), word.X(), word.Y(),
                  word.Highlighted(), word.ShowsWarning(lifeLost) ? 1 : 0);
    return head + word.Text();
}

bool Overlap(const Rect& a, const Rect& b)
{
    return a.left <= b.right && b.left <= a.right && a.top <= b.bottom && b.top <= a.bottom;
}

bool OverlapsAny(const Rect& r, const std::vector<Rect>& areas)
{
    for (const Rect& a : areas)
        if (Overlap(r, a))
            return true;
    return false;
}

}  // namespace

void PlainView::Draw(const Playfield& field, GameState state, std::uint32_t now)
{
    ShowTyping(field, now);
    bool lifeLost = state == GameState::kLifeLost;
    // What the picture holds, back to front, each with a key that says what
    // it looks like: the same key, the same pixels in the same place.
    std::vector<Piece> pieces(kPieces);
    for (int i = 0; i < field.Lanes(); ++i) {
        if (!field.Lane(i).hasWord)
            words_[i].reset();
        TActorParola* word = words_[i].get();
        if (!word)
            continue;
        long long y = textOffset_[i] + field.Travelled(i, now) - field.Rules().topMargin;
        word->MoveTo(word->X(), static_cast<int>(y));
        pieces[i] = {WordKey(*word, lifeLost), [word, lifeLost] { word->DrawWord(lifeLost); }};
    }
    if (hit_ && now - hitAt_ >= kHitShownMs)
        hit_.reset();
    if (hit_)
        pieces[kHitPiece] = {WordKey(*hit_, true), [this] { hit_->DrawWord(true); }};
    // The lives with their name, so that a child knows what the number is.
    char lives[64];
    if (field.Rules().infiniteLives)
        std::snprintf(lives, sizeof lives, "%s: Inf.", GetString(10, 108));
    else
        std::snprintf(lives, sizeof lives, "%s: %d", GetString(10, 108), field.Board().Lives());
    std::uint32_t ink = static_cast<std::uint32_t>(theGameSettings.textColour);
    bool atTop = strip_ != nullptr;
    pieces[kLivesPiece] = {std::string(lives) + ' ' + std::to_string(ink) + (atTop ? " top" : ""),
                           [this, lives, ink, atTop] { screens_.DrawLivesText(lives, ink, atTop); }};
    std::uint32_t score = field.Board().Score();
    pieces[kScorePiece] = {std::to_string(score) + (atTop ? " top" : ""),
                           [this, score, atTop] { screens_.DrawScore(score, atTop); }};
    pieces[kFeedbackPiece] = {FeedbackKey(field, state, now),
                              [this, &field, state, now] { DrawFeedback(field, state, now); }};
    Paint(pieces);
}

void PlainView::Paint(const std::vector<Piece>& pieces)
{
    const std::uint32_t background = static_cast<std::uint32_t>(theGameSettings.backgroundColour);
    drawn_.resize(kPieces);
    // Once anyone else has drawn on the screen, all of it is painted again.
    bool whole = alwaysWhole_ || DrawCount() != drawnAt_;
    std::vector<bool> repaint(kPieces, whole);
    for (std::size_t i = 0; i < kPieces; ++i)
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
        for (std::size_t i = 0; i < kPieces; ++i)
            if (repaint[i] && !drawn_[i].key.empty())
                grown.push_back(drawn_[i].box);
        for (std::size_t i = 0; i < kPieces; ++i)
            if (!repaint[i] && !drawn_[i].key.empty() && OverlapsAny(drawn_[i].box, grown)) {
                repaint[i] = true;
                settled = false;
            }
        if (!settled)
            continue;
        if (whole)
            ClearScreen(background);
        else
            for (const Rect& r : grown)
                FillBox(r.left, r.top, r.right, r.bottom, background);
        std::vector<Rect> sent = grown;
        std::vector<Drawn> now(kPieces);
        for (std::size_t i = 0; i < kPieces && settled; ++i) {
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
            for (std::size_t j = 0; j < kPieces; ++j)
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
