#include "game/TZandorliGameContext.h"

#include "app/Clock.h"
#include "app/CommandQueue.h"
#include "app/Commands.h"
#include "app/Input.h"
#include "app/Sound.h"
#include "app/TApp.h"
#include "base/FatalError.h"
#include "base/TextHelpers.h"
#include "exercises/ExercisePaths.h"
#include "exercises/TExerciseDocument.h"
#include "game/GameCommands.h"
#include "game/GameRecorder.h"
#include "game/PictureView.h"
#include "game/PlainView.h"
#include "game/TTopTen.h"
#include "gfx/Screen.h"
#include "menus/GameSettings.h"
#include "menus/TMainMenuContext.h"
#include "resources/StringTable.h"
#include "ui/StandardDialogs.h"
#include "users/CurrentUser.h"

#include <algorithm>
#include <cstdio>

namespace {

const char* kMusic[3] = {"music\\neutro1.xm", "music\\quoli1.xm", "music\\spazio1.xm"};

}  // namespace

TZandorliGameContext::TZandorliGameContext() = default;

TZandorliGameContext::~TZandorliGameContext() = default;

void TZandorliGameContext::Start()
{
    const GameSettings& s = theGameSettings;
    ShowMouse(false);
    OpenEffects(s.effectsOn != 0, s.musicOn != 0);
    recorder_ = std::make_unique<GameRecorder>(theUserName, s);
    finalised_ = false;

    int lanes = std::clamp(s.lanes, 1, Playfield::kMaxLanes);
    int theme = std::clamp(s.theme, 1, 3);
    screens_.Open(s);
    if (theme == 1) {
        view_ = std::make_unique<PlainView>(screens_, lanes);
    } else {
        auto pictures = std::make_unique<PictureView>(screens_, lanes, theme);
        if (!pictures->Load(s.infiniteLives != 0))
            FatalError(GetString(1, 10), "Game Images");
        pictures_ = pictures.get();
        view_ = std::move(pictures);
    }

    PlayRules rules;
    rules.lanes = lanes;
    rules.spawnMs = static_cast<std::uint32_t>(std::max(0, s.spawnSeconds)) * 1000;
    rules.fallMs = static_cast<std::uint32_t>(std::max(1, s.fallSeconds)) * 1000;
    FallGeometry fall = view_->Geometry(screens_.WordLineHeight());
    rules.topMargin = fall.topMargin;
    rules.bottomLine = fall.bottomLine;
    rules.exerciseType = s.exerciseType;
    rules.scoreOnMatch = !pictures_;  // the picture themes score when the shot hits
    rules.infiniteLives = s.infiniteLives != 0;
    rules.lives = s.lives;
    field_.Start(rules);
    field_.SetLevelIndex(std::max(0, s.startLevel - 1));

    escapeAllowed_ = true;
    ClearScreen(0);
    LoadLevel();
    LoadMusic(kMusic[theme - 1]);
}

void TZandorliGameContext::Stop()
{
    FreeMusic();
    if (recorder_)
        recorder_->ContextClosed();
    levelMessage_.clear();
    pictures_ = nullptr;
    view_.reset();
    recorder_.reset();
    screens_.Close();
    CloseEffects();
    ShowMouse(true);
}

void TZandorliGameContext::LoadLevel()
{
    errorLine_ = errorCode_ = 0;
    std::string path = ExercisePath(theGameSettings.exerciseType, theGameSettings.exerciseName);
    PlayLevel level = LoadLevelForPlay(path.c_str(), field_.LevelIndex());
    if (level.status == 1) {
        state_ = GameState::kCompleted;
        return;
    }
    if (level.status != 0) {
        errorCode_ = level.status;
        errorLine_ = level.errorLine;
        state_ = GameState::kLoadError;
        return;
    }
    field_.SetLevelIndex(level.levelIndex);
    field_.SetLevel(std::move(level.words), level.target, level.header);
    levelMessage_ = level.title;
    state_ = GameState::kLevelIntro;
}

void TZandorliGameContext::Launch()
{
    Playfield::Launched launched = field_.Launch(Now());
    if (launched.error) {
        errorCode_ = launched.error;  // the word stays where it is
        return;
    }
    if (launched.lane < 0)
        return;
    recorder_->Shown(launched.answer);
    int carrier = view_->Launched(launched.lane, launched.shown, field_.Rules().fallMs);
    field_.SetCarrierHeight(launched.lane, carrier);
}

bool TZandorliGameContext::FrameDue(bool force)
{
    // Positions follow the clock, so moving and drawing everything about as
    // often as a monitor shows a picture looks the same as doing it on
    // every pass of the loop, at a small part of the cost.
    std::uint32_t now = Now();
    if (!force && now - lastFrame_ < kDrawEveryMs)
        return false;
    lastFrame_ = now;
    return true;
}

void TZandorliGameContext::Frame()
{
    if (pictures_) {
        if (!FrameDue())
            return;
        StepPictures();
    } else {
        StepPlainLanes();
        // A new state is drawn at once (a landing shows without the halo).
        if (!FrameDue(state_ != lastDrawnState_))
            return;
        lastDrawnState_ = state_;
    }
    view_->Draw(field_, state_, Now());
}

void TZandorliGameContext::StepPlainLanes()
{
    // A typed word goes at once; the others fall, and go when they land.
    std::uint32_t now = Now();
    for (int i = 0; i < field_.Lanes(); ++i) {
        const PlayLane& lane = field_.Lane(i);
        if (!lane.hasWord)
            continue;
        if (lane.hit == HitState::kMatched) {
            field_.ReleaseMatched(i);
        } else if (field_.HasLanded(i, now)) {
            field_.Release(i);
            LifeLost();
        }
    }
}

void TZandorliGameContext::StepPictures()
{
    std::uint32_t now = Now();
    int landed = -1;
    if (state_ != GameState::kLifeLost)
        for (int i = 0; i < field_.Lanes() && landed < 0; ++i)
            if (field_.HasLanded(i, now))
                landed = i;
    std::vector<ShotEvent> events = pictures_->Step(field_, state_, landed, now);
    if (landed >= 0) {
        field_.Land(landed);
        LifeLost();
    }
    ApplyShotEvents(events, false);
}

void TZandorliGameContext::ApplyShotEvents(const std::vector<ShotEvent>& events, bool bonus)
{
    for (const ShotEvent& event : events) {
        if (event.kind == ShotEvent::kHit) {
            field_.Destroy(event.lane, bonus);
        } else {
            field_.ShotEnded(event.lane);
            if (state_ == GameState::kBonusPlay) {
                state_ = GameState::kBonusEnd;
                phaseStart_ = Now();
            }
        }
    }
}

void TZandorliGameContext::LifeLost()
{
    state_ = GameState::kLifeLost;
    phaseStart_ = Now();
}

void TZandorliGameContext::LevelDone()
{
    state_ = GameState::kLevelDone;
    field_.LevelWon();
    phaseStart_ = Now();
}

void TZandorliGameContext::GameOver()
{
    ClearScreen(6);
    if (theGameSettings.enterTopTen)
        TApp::RunModal(Root(), std::make_unique<TTopTenContext>(theUserName, field_.Score()));
    PostCommand(command::kGameOver);
    state_ = GameState::kStopped;
}

void TZandorliGameContext::Leave()
{
    state_ = GameState::kStopped;
    // A game started straight from the command line ends the program;
    // otherwise the child goes back to the main menu.
    if (theDirectStart)
        PostCommand(command::kQuit);
    else
        ReplaceWith(std::make_unique<TMainMenuContext>());
}

void TZandorliGameContext::Match(unsigned char c)
{
    if (c == 27 || c == 19)
        return;
    if (state_ == GameState::kBonusPlay) {
        field_.FireAtBonus();  // any key fires at the bonus target
        return;
    }
    if (state_ != GameState::kPlaying)
        return;
    Playfield::TypeResult typed = field_.Type(static_cast<char>(c), Now());
    if (!typed.taken)
        return;
    recorder_->Mistyped(typed.mistyped);
    if (typed.lane >= 0)
        recorder_->Hit(typed.hit);
    if (typed.levelDone)
        LevelDone();
}

void TZandorliGameContext::HandleEvent(TEvent& event)
{
    TGameContext::HandleEvent(event);
    if (exitConfirmed_) {
        if (!finalised_) {
            recorder_->Mistyped(field_.TakeTyped());
            recorder_->Closed();
            finalised_ = true;
        }
        Leave();
        return;
    }
    if (event.command == command::kGameOver) {
        Leave();
        return;
    }
    if (event.keyAction != key::kPressed)
        return;
    if ((event.modifiers & KMOD_CTRL) && event.keySym == 'p')
        PostCommand(command::kPrintScreen);
    // Only characters: keys without one (Shift, arrows) carry codes above 255.
    if (event.keyChar <= 0 || event.keyChar > 255)
        return;
    Match(static_cast<unsigned char>(ToUpperAscii(static_cast<char>(event.keyChar))));
}

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
    case GameState::kStopped: break;
    }
}

void TZandorliGameContext::ShowLevelTitle()
{
    field_.BeginLevel();
    screens_.DrawTitleScreen(false, field_.LevelNumber(), levelMessage_);
    view_->DrawTitleDecorations();
    recorder_->LevelStarted(levelMessage_);
    phaseStart_ = Now();
    state_ = GameState::kIntroWait;
}

void TZandorliGameContext::WaitForLevel()
{
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
    if (!Elapsed(phaseStart_, 6000))
        return;
    recorder_->Mistyped(field_.TakeTyped());
    recorder_->LifeLost(field_.Lives());
    if (field_.LoseLife())
        state_ = GameState::kNextLevel;
    else
        GameOver();
}

void TZandorliGameContext::AfterLevelDone()
{
    Frame();
    if (!Elapsed(phaseStart_, 8000))
        return;
    // Every third level in a row earns a bonus stage in the picture themes.
    bool bonus = field_.ScoreLevel(pictures_ != nullptr);
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
    if (pictures_ && FrameDue())
        pictures_->FinalFrame(Now());
    if (Elapsed(phaseStart_, 10000))
        GameOver();
}

void TZandorliGameContext::ShowBonusTitle()
{
    screens_.DrawTitleScreen(true, field_.LevelNumber(), levelMessage_);
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
    if (!FrameDue())
        return;
    std::uint32_t points = 0;
    std::vector<ShotEvent> events = pictures_->StepBonus(field_, Now(), points);
    ApplyShotEvents(events, true);
    field_.AddPoints(points);
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
    ClearScreen(static_cast<std::uint32_t>(theGameSettings.backgroundColour));
    ShowMouse(true);
    char title[300];
    std::snprintf(title, sizeof title, "%s %d", GetString(50, 20), errorLine_);
    AddDialog(std::make_unique<TMessageDialog>(theScreen.width / 2, theScreen.height / 2, title,
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
