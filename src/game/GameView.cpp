#include "game/GameView.h"

#include "app/Random.h"
#include "exercises/ExerciseKinds.h"
#include "game/GameScreens.h"
#include "game/LetterStrip.h"
#include "game/Playfield.h"
#include "game/TActorParola.h"
#include "game/WordProgress.h"
#include "gfx/Screen.h"
#include "session/GameSettings.h"
#include "resources/StringTable.h"

#include <algorithm>
#include <cstdio>

int GameView::LaneCentre(int lane) const
{
    return theScreen.width * (2 * lane + 1) / (2 * laneCount_);
}

int GameView::Launched(int lane, const std::string& shown, const std::string& answer, std::uint32_t fallMs)
{
    shown_[lane] = shown;
    answers_[lane] = answer;
    return LaunchWord(lane, shown, fallMs);
}

GameView::GameView(GameScreens& screens, int lanes, const GameSettings& settings)
    : settings_(settings), screens_(screens), laneCount_(lanes)
{
    // Chosen in every look, so that a game's random numbers (and with them
    // the order of its words) come out the same whatever it looks like.
    for (int& decoration : decorations_)
        decoration = RandomBetween(0, 1);
}

bool GameView::FillsBlanks() const
{
    return fillsGaps_ || settings_.exerciseType == exercise::kComplete;
}

void GameView::WordHit(int lane)
{
    if (TActorParola* word = WordActor(lane)) {
        WordOnScreen whole = ShowTyped(shown_[lane], answers_[lane], FillsBlanks(), static_cast<int>(answers_[lane].size()));
        word->ShowProgress(whole.text, static_cast<int>(whole.text.size()));
    }
    KeepHitWord(lane);
}

void GameView::ShowTyping(const Playfield& field, std::uint32_t now)
{
    Playfield::Aim aim = field.Aimed(now);
    for (int i = 0; i < laneCount_; ++i) {
        TActorParola* word = WordActor(i);
        if (!word || field.Lane(i).hit != HitState::kIdle)
            continue;
        WordOnScreen shown = ShowTyped(shown_[i], answers_[i], FillsBlanks(), i == aim.lane ? aim.typed : 0);
        word->ShowProgress(shown.text, shown.highlighted);
    }
}

void GameView::ShowLetterStrip(const LetterStrip* strip)
{
    strip_ = strip;
    FloorMoved();
}

int GameView::Floor() const
{
    return theScreen.height - (strip_ ? screens_.LetterStripHeight() : 0);
}

namespace {

bool WrongKeyShown(const Playfield& field, std::uint32_t now, std::uint32_t shownMs)
{
    std::uint32_t wrong = field.LastWrongKey();
    return wrong != 0 && now - wrong < shownMs;
}

// In the bonus stage switch 1 only fires: no letters to choose.
bool InBonus(GameState state)
{
    return state >= GameState::kBonusIntro && state <= GameState::kBonusEnd;
}

}  // namespace

std::uint32_t GameView::WrongKeyLeftIn(const Playfield& field, std::uint32_t now) const
{
    if (!WrongKeyShown(field, now, kWrongKeyMs))
        return UINT32_MAX;
    return kWrongKeyMs - (now - field.LastWrongKey());
}

void GameView::AddFeedback(std::vector<PiecePainter::Piece>& pieces, const Playfield& field, GameState state,
                           std::uint32_t now)
{
    // The frame's sides apart: one box round the screen would touch every
    // other piece.
    bool wrong = WrongKeyShown(field, now, kWrongKeyMs);
    for (int side = 0; side < 4; ++side)
        pieces.push_back(wrong ? PiecePainter::Piece{"wrong", [this, side] { screens_.DrawWrongKeyFrameSide(side); }}
                               : PiecePainter::Piece{});
    if (strip_ && !InBonus(state)) {
        std::string key = std::to_string(strip_->HighlightIndex()) + ':';
        key.append(strip_->Cells().begin(), strip_->Cells().end());
        pieces.push_back({key, [this] { screens_.DrawLetterStrip(strip_->Cells(), strip_->HighlightIndex()); }});
    } else {
        pieces.emplace_back();
    }
    int said = state == GameState::kLifeLost ? 105 : state == GameState::kLevelDone ? 106 : 0;
    std::string more = state == GameState::kLifeLost ? AfterTheLoss(field) : std::string();
    pieces.push_back(said ? PiecePainter::Piece{std::to_string(said) + more,
                                                [this, said, more] { screens_.DrawBanner(GetString(10, said), more); }}
                          : PiecePainter::Piece{});
}

int ShownLives(const Playfield& field, GameState state)
{
    // The life is taken when the level starts again, but the child sees it
    // go at the moment the word lands.
    int lives = field.Board().Lives() - (state == GameState::kLifeLost && !field.Rules().infiniteLives ? 1 : 0);
    return std::max(0, lives);
}

std::string AfterTheLoss(const Playfield& field)
{
    if (field.Rules().infiniteLives)
        return GetString(10, 116);
    int left = ShownLives(field, GameState::kLifeLost);
    if (left == 0)
        return GetString(10, 115);
    if (left == 1)
        return GetString(10, 114);
    char text[128];
    std::snprintf(text, sizeof text, GetString(10, 113), left);
    return text;
}

bool GameView::ClearOfPanels(const Rect& word, const std::vector<Rect>& panels)
{
    for (const Rect& panel : panels)
        if (panel.left <= panel.right && word.left <= panel.right && panel.left <= word.right &&
            word.top <= panel.bottom && panel.top <= word.bottom)
            return false;
    return true;
}
