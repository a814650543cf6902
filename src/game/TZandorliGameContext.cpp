#include "game/TZandorliGameContext.h"

#include "app/DataProblems.h"
#include "app/Clock.h"
#include "app/CommandQueue.h"
#include "app/Commands.h"
#include "app/Input.h"
#include "app/Sound.h"
#include "app/TApp.h"
#include "app/Voice.h"
#include "base/FatalError.h"
#include "base/TextHelpers.h"
#include "exercises/ExerciseKinds.h"
#include "exercises/ExercisePaths.h"
#include "exercises/TExerciseDocument.h"
#include "game/GameCommands.h"
#include "game/GameRecorder.h"
#include "game/KeyAim.h"
#include "game/PictureView.h"
#include "game/PlainView.h"
#include "game/TTopTen.h"
#include "gfx/Screen.h"
#include "session/GameSettings.h"
#include "resources/StringTable.h"
#include "ui/StandardContexts.h"
#include "session/Session.h"
#include "session/ScanVoice.h"
#include "session/SwitchFlags.h"

#include <algorithm>
#include <cstdio>

namespace {

const char* kMusic[3] = {"music\\neutro1.xm", "music\\quoli1.xm", "music\\spazio1.xm"};

}  // namespace

TZandorliGameContext::TZandorliGameContext() = default;

TZandorliGameContext::~TZandorliGameContext() = default;

void TZandorliGameContext::Start()
{
    settings_ = theSession.settings;
    const GameSettings& s = settings_;
    ShowMouse(false);
    OpenEffects(s.effectsOn != 0, s.musicOn != 0);
    recorder_ = std::make_unique<GameRecorder>(theSession.userName, s);
    finalised_ = false;

    int lanes = std::clamp(s.lanes, 1, Playfield::kMaxLanes);
    int theme = std::clamp(s.theme, 1, 3);
    screens_.Open(s);
    if (theme == 1) {
        view_ = std::make_unique<PlainView>(screens_, lanes, settings_);
    } else {
        auto pictures = std::make_unique<PictureView>(screens_, lanes, theme, settings_);
        if (!pictures->Load(s.infiniteLives != 0))
            FatalError(GetString(1, 10), "Game Images");
        pictures_ = pictures.get();
        view_ = std::move(pictures);
    }

    // A child with switches types on a strip of letters along the bottom:
    // the words land on top of it.
    strip_.reset();
    if (s.device.enabled != 0) {
        strip_ = std::make_unique<LetterStrip>();
        view_->ShowLetterStrip(strip_.get());
    }

    // The voice speaks only when the child chose it and it can; without it
    // a dictation is played with the words shown.
    voice_ = theSession.voice;
    speaking_ = voice_.SpeaksInPlay() && voice::Ready();
    dictation_ = speaking_ && voice_.dictation != 0;
    voice::SetVolume(voice_.volume);
    view_->FillGaps(dictation_);
    if (dictation_)
        recorder_->Dictation();

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
    field_.Board().SetLevelIndex(std::max(0, s.startLevel - 1));


    escapeAllowed_ = true;
    ClearScreen(0);
    LoadLevel();
    LoadMusic(kMusic[theme - 1]);
}

void TZandorliGameContext::Stop()
{
    voice::Forget();
    FreeMusic();
    if (recorder_)
        recorder_->ContextClosed(field_.Board().Score(), field_.Board().LevelNumber());
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
    std::string path = ExercisePath(settings_.exerciseType, settings_.exerciseName);
    PlayLevel level = LoadLevelForPlay(path.c_str(), field_.Board().LevelIndex(),
                                       settings_.exerciseType == exercise::kComplete);
    if (level.status == exercise::kNoLevelLeft) {
        state_ = GameState::kCompleted;
        return;
    }
    if (level.status != exercise::kLevelFound) {
        errorCode_ = level.status;
        errorLine_ = level.errorLine;
        state_ = GameState::kLoadError;
        return;
    }
    field_.Board().SetLevelIndex(level.levelIndex);
    pronunciations_ = std::move(level.pronunciations);
    toPrepare_.clear();
    if (speaking_) {
        for (const std::string& word : level.words) {
            std::size_t space = settings_.exerciseType == exercise::kLevels ? std::string::npos : word.find(' ');
            toPrepare_.push_back(space == std::string::npos ? SpokenText(word, word)
                                                            : SpokenText(word.substr(0, space), word.substr(space + 1)));
            if (voice_.sayLetters)
                for (char c : word)
                    if (c != ' ' && c != '_')
                        toPrepare_.push_back(std::string(1, ToLowerAscii(c)));
        }
        std::sort(toPrepare_.begin(), toPrepare_.end());
        toPrepare_.erase(std::unique(toPrepare_.begin(), toPrepare_.end()), toPrepare_.end());
    }
    field_.SetLevel(std::move(level.words), level.target, level.header);
    levelMessage_ = level.title;
    state_ = GameState::kLevelIntro;
}

void TZandorliGameContext::Launch()
{
    Playfield::Launched launched = field_.Launch(Now());
    if (launched.error) {
        // Never silently: the game stops with the error, as a bad file does.
        errorCode_ = launched.error;
        errorLine_ = 0;
        state_ = GameState::kLoadError;
        return;
    }
    if (launched.lane < 0)
        return;
    recorder_->Shown(launched.answer, launched.lane, launched.shown);
    spoken_[launched.lane] = SpokenText(launched.shown, launched.answer);
    // A dictation's word falls as gaps, one a letter to type.
    std::string shown = launched.shown;
    if (dictation_ && settings_.exerciseType != exercise::kComplete)
        shown.assign(launched.answer.size(), '_');
    int carrier = view_->Launched(launched.lane, shown, launched.answer, field_.Rules().fallMs);
    if (voice_.sayOnAppear || dictation_)
        Speak(spoken_[launched.lane]);
    field_.SetCarrierHeight(launched.lane, carrier);
}

void TZandorliGameContext::LifeLost()
{
    state_ = GameState::kLifeLost;
    phaseStart_ = Now();
}

void TZandorliGameContext::LevelDone()
{
    state_ = GameState::kLevelDone;
    field_.Board().LevelWon();
    phaseStart_ = Now();
}

void TZandorliGameContext::GameOver()
{
    ClearScreen(6);
    // Results that could not be kept are never lost silently: the teacher
    // is told which file and why.
    bool told = false;
    for (std::string problem = TakeDataProblem(); !problem.empty(); problem = TakeDataProblem()) {
        TApp::RunModal(Root(), std::make_unique<TDisplayMessageContext>(GetString(0, 11), problem.c_str()));
        ClearScreen(6);
        told = true;
    }
    if (!told && recorder_ && recorder_->LostRecords()) {
        TApp::RunModal(Root(), std::make_unique<TDisplayMessageContext>(GetString(0, 11), GetString(10, 112)));
        ClearScreen(6);
    }
    if (settings_.enterTopTen)
        TApp::RunModal(Root(), std::make_unique<TTopTenContext>(theSession.userName, field_.Board().Score()));
    PostCommand(command::kGameOver);
    state_ = GameState::kStopped;
}

void TZandorliGameContext::Leave()
{
    state_ = GameState::kStopped;
    PostCommand(command::kGameEnded);
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
    KeyAim aim = AimOfKey(field_, static_cast<char>(c), Now());
    Playfield::TypeResult typed = field_.Type(static_cast<char>(c), Now());
    if (!typed.taken)
        return;
    recorder_->Key(static_cast<char>(c), aim);
    recorder_->Mistyped(typed.mistyped);
    if (voice_.sayLetters)
        Speak(std::string(1, ToLowerAscii(static_cast<char>(c))));
    if (typed.lane >= 0) {
        recorder_->Hit(typed.hit, typed.lane, typed.levelDone);
        view_->WordHit(typed.lane);
        if (voice_.sayOnHit)
            Speak(spoken_[typed.lane]);
    }
    if (typed.levelDone)
        LevelDone();
}

void TZandorliGameContext::OnSwitches(int flags)
{
    // Switch 1 pressed: type; switch 2 (or the scan pulse) or right: step
    // on; left: step back.
    using switchflag::Pressed;
    constexpr int kSelect = Pressed(switchflag::kSwitch1), kStep = Pressed(switchflag::kSwitch2),
                  kRight = Pressed(switchflag::kRight), kLeft = Pressed(switchflag::kLeft);
    if (!strip_ || flags == 0)
        return;
    // Switch 1 held a while says the dictation's word again.
    if (flags & kSelect) {
        switch1Since_ = Now();
        repeatedThisHold_ = false;
    } else if ((flags & switchflag::Held(switchflag::kSwitch1)) && !repeatedThisHold_ && dictation_ &&
               Elapsed(switch1Since_, kRepeatHoldMs)) {
        repeatedThisHold_ = true;
        RepeatWord();
    }
    if (flags & kSelect) {
        if (state_ == GameState::kBonusPlay) {
            field_.FireAtBonus();
        } else if (state_ == GameState::kPlaying) {
            char letter = strip_->Highlighted();
            if (letter == LetterStrip::kCancel)
                recorder_->Mistyped(field_.TakeTyped());
            else
                Match(static_cast<unsigned char>(letter));
        }
    }
    if (flags & (kStep | kRight | kLeft)) {
        strip_->Step((flags & (kStep | kRight)) ? 1 : -1);
        char letter = strip_->Highlighted();
        SayScanMark(letter == LetterStrip::kCancel ? GetString(10, 130)
                                                   : std::string(1, ToLowerAscii(letter)));
    }
}

void TZandorliGameContext::HandleEvent(TEvent& event)
{
    TGameContext::HandleEvent(event);
    if (event.keyAction == key::kPressed || event.deviceInput != 0)
        inputSinceFrame_ = true;
    OnSwitches(event.deviceInput);
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
    // Enter says the dictation's word again; it is never typed.
    if (dictation_ && (event.keySym == SDLK_RETURN || event.keySym == SDLK_KP_ENTER)) {
        if (state_ == GameState::kPlaying)
            RepeatWord();
        return;
    }
    // "Any key" fires at the bonus target: arrows, Shift and function keys
    // too, but Escape and Pause, which keep their own meaning.
    if (state_ == GameState::kBonusPlay && event.keySym != SDLK_ESCAPE && event.keySym != SDLK_PAUSE) {
        field_.FireAtBonus();
        return;
    }
    // Only characters: keys without one (Shift, arrows) carry codes above 255.
    if (event.keyChar <= 0 || event.keyChar > 255)
        return;
    Match(static_cast<unsigned char>(ToUpperAscii(static_cast<char>(event.keyChar))));
}

