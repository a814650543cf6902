// The game's states, one small method each, and the frames of play: the
// rules move on at every pass, a picture is drawn when one is due.

#include "game/TZandorliGameContext.h"

#include "app/Clock.h"
#include "app/CommandQueue.h"
#include "app/Input.h"
#include "app/Sound.h"
#include "app/WakeUp.h"
#include "exercises/ExerciseKinds.h"
#include "game/GameCommands.h"
#include "game/GameRecorder.h"
#include "game/PictureView.h"
#include "game/PlayStep.h"
#include "gfx/Screen.h"
#include "resources/StringTable.h"
#include "ui/StandardDialogs.h"

#include <algorithm>
#include <cstdio>

namespace {

// "Fine della partita" stays this long before the top ten; a lost life
// and a won level are shown this long before the game goes on.
constexpr std::uint32_t kGameOverShownMs = 3000;
constexpr std::uint32_t kLifeLostShownMs = 6000, kLevelDoneShownMs = 8000;

}  // namespace

void TZandorliGameContext::Idle()
{
    TMenuContext::Idle();
    switch (state_) {
    case GameState::kLevelIntro: ShowLevelTitle(); break;
    case GameState::kIntroWait: WaitForLevel(); break;
    case GameState::kPlaying: Play(); break;
    case GameState::kLifeLost: AfterLifeLost(); break;
    case GameState::kLevelDone: AfterLevelDone(); break;
    case GameState::kCompleted: ShowFinalScreen(); break;
    case GameState::kFinalWait: WaitOnFinalScreen(); break;
    case GameState::kBonusIntro: ShowBonusTitle(); break;
    case GameState::kBonusIntroWait: WaitForBonus(); break;
    case GameState::kBonusSetUp: SetUpBonus(); break;
    case GameState::kBonusPlay: BonusFrame(); break;
    case GameState::kBonusEnd: EndBonus(); break;
    case GameState::kNextLevel: NextLevel(); break;
    case GameState::kLoadError: ShowLoadError(); break;
    case GameState::kErrorWait: WaitOnLoadError(); break;
    case GameState::kGameOver: WaitOnGameOver(); break;
    case GameState::kStopped: break;
    }
    if (state_ != GameState::kStopped)
        wakeup::In(NextPassIn(Now()));
}

std::uint32_t TZandorliGameContext::NextPassIn(std::uint32_t now) const
{
    // The game keeps time: the loop comes round for the next frame (a state
    // that draws none, waiting on a title, looks as often). Plain play
    // knows better: nothing changes on screen until a word moves a pixel, a
    // word is due, a message goes or the state's time is up, so the loop
    // sleeps until then, but never less than a frame, and a key or a switch
    // is drawn in the next frame.
    std::uint32_t frame = frames_.NextIn(now);
    std::uint32_t shownMs = state_ == GameState::kLifeLost ? kLifeLostShownMs
                            : state_ == GameState::kLevelDone ? kLevelDoneShownMs
                                                               : 0;
    bool plainPlay = !pictures_ && (state_ == GameState::kPlaying || shownMs != 0);
    if (!plainPlay || inputSinceFrame_)
        return frame;
    std::uint32_t next = std::min(field_.NextMoveIn(now), view_->NextChangeIn(field_, now));
    if (shownMs != 0) {
        std::uint32_t since = now - phaseStart_;
        next = std::min(next, since > shownMs ? 0 : shownMs + 1 - since);
    }
    return std::max(frame, next);
}

void TZandorliGameContext::ShowLevelTitle()
{
    field_.BeginLevel();
    // The levels of this game, counted as the points count them; the level
    // message says which of the exercise's levels it is.
    screens_.DrawTitleScreen(false, field_.Board().LevelNumber(), levelMessage_);
    view_->DrawTitleDecorations();
    recorder_->LevelStarted(levelMessage_, field_.Board().LevelNumber(), field_.Board().Score());
    phaseStart_ = Now();
    state_ = GameState::kIntroWait;
}

void TZandorliGameContext::WaitForLevel()
{
    PrepareVoices();
    if (!Elapsed(phaseStart_, 6000))
        return;
    FadeInMusic();
    state_ = GameState::kPlaying;
    Launch();
}

void TZandorliGameContext::Play()
{
    if (field_.LaunchDue(Now()))
        Launch();
    Frame();
}

void TZandorliGameContext::AfterLifeLost()
{
    Frame();
    if (!Elapsed(phaseStart_, kLifeLostShownMs))
        return;
    recorder_->Mistyped(field_.TakeTyped());
    recorder_->LifeLost(field_.Board().Lives());
    if (field_.Board().LoseLife()) {
        state_ = GameState::kNextLevel;
        return;
    }
    recorder_->OutOfLives();
    // The child is told before the top ten comes.
    state_ = GameState::kGameOver;
    view_->Draw(field_, state_, Now());
    screens_.DrawBanner(GetString(10, 107));
    phaseStart_ = Now();
}

void TZandorliGameContext::WaitOnGameOver()
{
    if (Elapsed(phaseStart_, kGameOverShownMs))
        GameOver();
}

void TZandorliGameContext::AfterLevelDone()
{
    Frame();
    if (!Elapsed(phaseStart_, kLevelDoneShownMs))
        return;
    // Every third level in a row earns a bonus stage in the picture themes.
    bool bonus = field_.Board().ScoreLevel(pictures_ != nullptr);
    FadeOutMusic();
    state_ = bonus ? GameState::kBonusIntro : GameState::kNextLevel;
}

void TZandorliGameContext::ShowFinalScreen()
{
    recorder_->Completed();
    screens_.DrawFinalScreen();
    if (pictures_)
        pictures_->StartFinalCreature(Now());
    phaseStart_ = Now();
    state_ = GameState::kFinalWait;
}

void TZandorliGameContext::WaitOnFinalScreen()
{
    if (pictures_ && frames_.Due(Now()))
        pictures_->FinalFrame(Now());
    if (Elapsed(phaseStart_, 10000))
        GameOver();
}

void TZandorliGameContext::ShowBonusTitle()
{
    screens_.DrawTitleScreen(true, field_.Board().LevelNumber(), levelMessage_);
    view_->DrawTitleDecorations();
    phaseStart_ = Now();
    state_ = GameState::kBonusIntroWait;
}

void TZandorliGameContext::WaitForBonus()
{
    if (Elapsed(phaseStart_, 6000))
        state_ = GameState::kBonusSetUp;
}

void TZandorliGameContext::SetUpBonus()
{
    ClearScreen(0);
    field_.PlaceBonusTarget(Now());
    pictures_->SetUpBonus(Now());
    state_ = GameState::kBonusPlay;
}

void TZandorliGameContext::BonusFrame()
{
    if (!frames_.Due(Now()))
        return;
    std::uint32_t points = 0;
    std::vector<ShotEvent> events = pictures_->StepBonus(field_, Now(), points);
    if (ApplyShotEvents(field_, events, true) && state_ == GameState::kBonusPlay) {
        state_ = GameState::kBonusEnd;
        phaseStart_ = Now();
    }
    field_.Board().AddPoints(points);
    pictures_->DrawBonus(field_);
}

void TZandorliGameContext::EndBonus()
{
    BonusFrame();
    if (!Elapsed(phaseStart_, 6000))
        return;
    recorder_->Bonus(pictures_->BonusBox().WasHit());
    state_ = GameState::kNextLevel;
}

void TZandorliGameContext::NextLevel()
{
    ClearScreen(0);
    view_->ClearLanes();
    field_.ClearLanes();
    LoadLevel();
}

void TZandorliGameContext::ShowLoadError()
{
    ClearScreen(static_cast<std::uint32_t>(settings_.backgroundColour));
    ShowMouse(true);
    AddDialog(std::make_unique<TMessageDialog>(theScreen.width / 2, theScreen.height / 2,
                                               exercise::ErrorLineTitle(errorLine_).c_str(),
                                               GetString(50, errorCode_), 0));
    state_ = GameState::kErrorWait;
}

void TZandorliGameContext::WaitOnLoadError()
{
    if (FirstDialog())
        return;
    errorCode_ = 0;
    PostCommand(command::kGameOver);
    state_ = GameState::kStopped;
}

void TZandorliGameContext::Frame()
{
    if (pictures_) {
        if (!frames_.Due(Now()))
            return;
        int landing = -1;  // the one lane that lands, as the step picks it
        for (int i = 0; i < field_.Lanes() && landing < 0 && state_ != GameState::kLifeLost; ++i)
            if (field_.HasLanded(i, Now()))
                landing = i;
        if (StepPictureLanes(field_, *pictures_, state_, Now())) {
            recorder_->Fallen(landing);
            LifeLost();
        }
    } else {
        for (int i = 0; i < field_.Lanes(); ++i)
            if (field_.HasLanded(i, Now()))
                recorder_->Fallen(i);
        if (StepPlainLanes(field_, Now()))
            LifeLost();
        // A new state is drawn at once (a landing shows without the halo).
        if (!frames_.Due(Now(), state_ != lastDrawnState_))
            return;
        lastDrawnState_ = state_;
    }
    if (strip_)
        strip_->Follow(field_.OpenAnswers());
    view_->Draw(field_, state_, Now());
    inputSinceFrame_ = false;
}
