#include "game/PlainView.h"

#include "app/Clock.h"
#include "game/GameScreens.h"
#include "gfx/Screen.h"
#include "session/GameSettings.h"
#include "resources/StringTable.h"

#include <algorithm>
#include <cstdio>

FallGeometry PlainView::Geometry(int lineSkip) const
{
    // A word's box reaches 4 pixels below the line it has travelled to:
    // it lands before it would touch the score or the lives.
    int panelsTop = theScreen.height;
    for (const Rect& panel : Panels("Vite: 10"))
        panelsTop = std::min(panelsTop, panel.top);
    return {lineSkip + 16, panelsTop - Scaled(4) - 5};
}

std::vector<Rect> PlainView::Panels(const char* livesText) const
{
    return {screens_.LivesTextBox(livesText, Floor()), screens_.ScoreBox(false, Floor())};
}

std::vector<Rect> PlainView::PanelBoxes(const Playfield& field, GameState state) const
{
    return Panels(LivesText(field, state).c_str());
}

std::string PlainView::LivesText(const Playfield& field, GameState state)
{
    // The lives with their name, so that a child knows what the number is.
    char lives[64];
    if (field.Rules().infiniteLives)
        std::snprintf(lives, sizeof lives, "%s: Inf.", GetString(10, 108));
    else
        std::snprintf(lives, sizeof lives, "%s: %d", GetString(10, 108), ShownLives(field, state));
    return lives;
}

int PlainView::LaunchWord(int lane, const std::string& shown, std::uint32_t fallMs)
{
    int lineSkip = screens_.WordLineHeight();
    auto word = std::make_unique<TActorParola>(fallMs, shown.c_str(), LaneCentre(lane), -lineSkip - 16, settings_);
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

std::uint32_t PlainView::NextChangeIn(const Playfield& field, std::uint32_t now) const
{
    std::uint32_t soonest = WrongKeyLeftIn(field, now);
    if (hit_)
        soonest = std::min(soonest, now - hitAt_ >= kHitShownMs ? 0 : kHitShownMs - (now - hitAt_));
    for (const auto& word : words_)
        if (word)
            soonest = std::min(soonest, word->WarningIn());
    return soonest;
}

void PlainView::ClearLanes()
{
    for (auto& word : words_)
        word.reset();
    hit_.reset();
}

std::uint32_t PlainView::Background() const
{
    return static_cast<std::uint32_t>(settings_.backgroundColour);
}

PlainView::PlainView(GameScreens& screens, int lanes, const GameSettings& settings)
    : GameView(screens, lanes, settings),
      painter_([this](const Rect& r) { FillBox(r.left, r.top, r.right, r.bottom, Background()); },
               [this] { ClearScreen(Background()); })
{
}

void PlainView::Draw(const Playfield& field, GameState state, std::uint32_t now)
{
    ShowTyping(field, now);
    bool lifeLost = state == GameState::kLifeLost;
    // What the picture holds, back to front, each with a key that says what
    // it looks like: the same key, the same pixels in the same place.
    std::vector<PiecePainter::Piece> pieces(kFeedbackPiece);
    drawnWords_.clear();
    for (int i = 0; i < field.Lanes(); ++i) {
        if (!field.Lane(i).hasWord)
            words_[i].reset();
        TActorParola* word = words_[i].get();
        if (!word)
            continue;
        long long y = textOffset_[i] + field.Travelled(i, now) - field.Rules().topMargin;
        word->MoveTo(word->X(), static_cast<int>(y));
        pieces[i] = {word->Looks(lifeLost), [word, lifeLost] { word->DrawWord(lifeLost); }};
        drawnWords_.push_back(word->Box());
    }
    if (hit_ && now - hitAt_ >= kHitShownMs)
        hit_.reset();
    if (hit_) {
        pieces[kHitPiece] = {hit_->Looks(true), [this] { hit_->DrawWord(true); }};
        drawnWords_.push_back(hit_->Box());
    }
    // The score and the lives stand on the floor, below where words land
    // (above the letter strip when a child plays with switches).
    std::string lives = LivesText(field, state);
    std::uint32_t ink = static_cast<std::uint32_t>(settings_.textColour);
    int floor = Floor();
    pieces[kLivesPiece] = {lives + ' ' + std::to_string(ink) + ' ' + std::to_string(floor),
                           [this, lives, ink, floor] { screens_.DrawLivesText(lives.c_str(), ink, floor); }};
    std::uint32_t score = field.Board().Score();
    pieces[kScorePiece] = {std::to_string(score) + ' ' + std::to_string(floor),
                           [this, score, floor] { screens_.DrawScore(score, false, floor); }};
    pieces.resize(kFeedbackPiece);
    AddFeedback(pieces, field, state, now);
    painter_.Paint(pieces, std::to_string(Background()));
}
