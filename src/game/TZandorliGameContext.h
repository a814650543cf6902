#pragma once
// A game: the chosen exercise played level by level. The context runs the
// game's states (title screens, play, a lost life, the bonus stage, the
// final screen, the top ten), one small method a state; the Playfield holds
// the rules, a view draws them in the chosen theme and the recorder writes
// every happening to the child's results.

#include "game/FrameClock.h"
#include "game/GameScreens.h"
#include "game/GameState.h"
#include "game/LetterStrip.h"
#include "game/Playfield.h"
#include "game/TGameContext.h"
#include "session/GameSettings.h"
#include "session/VoiceSettings.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

class GameRecorder;
class GameView;
class PictureView;

class TZandorliGameContext : public TGameContext {
public:
    TZandorliGameContext();
    ~TZandorliGameContext() override;

    void Start() override;
    void HandleEvent(TEvent& event) override;
    void Idle() override;
    void Stop() override;

    // The character typed, already upper-cased.
    void Match(unsigned char c);
    // What the child's switches did (the device's flags): a step moves the
    // letter strip's highlight, a press types the highlighted letter.
    void OnSwitches(int flags);
    // The words are heard, not read (the child chose dictation and the
    // voice can speak).
    bool Dictation() const { return dictation_; }
    // What the voice says for the lane's word ("[[...]]" for phonemes).
    const std::string& SpokenWord(int lane) const { return spoken_[lane]; }
    // The letter strip; null unless the profile plays with switches.
    const LetterStrip* Strip() const { return strip_.get(); }

    GameState State() const { return state_; }
    const Playfield& Field() const { return field_; }
    const GameView& View() const { return *view_; }
    const GameScreens& Screens() const { return screens_; }
    // The picture themes' view; null in the plain theme.
    const PictureView* Pictures() const { return pictures_; }
    const Scoreboard& Board() const { return field_.Board(); }

private:
    // The current user's settings as the game began: the views draw with them.
    GameSettings settings_;

    void LoadLevel();
    // The voice: a launched word's text as it is said, the level's words
    // synthesised ahead (one a pass, during the level's title), and the
    // lowest word said again.
    std::string SpokenText(const std::string& shown, const std::string& answer) const;
    void PrepareVoices();
    void RepeatWord();
    void Speak(const std::string& text) const;
    // Switch 1 held this long says the word again.
    static constexpr std::uint32_t kRepeatHoldMs = 1000;
    void Launch();
    // One pass of play: the rules move on, and a picture is drawn when due.
    void Frame();
    void BonusFrame();
    void LifeLost();
    void LevelDone();
    // How long the loop may sleep before the game's next pass.
    std::uint32_t NextPassIn(std::uint32_t now) const;
    void GameOver();
    void Leave();

    // One step of each state, once a pass of the loop.
    void ShowLevelTitle();
    void WaitForLevel();
    void Play();
    void AfterLifeLost();
    void AfterLevelDone();
    void ShowFinalScreen();
    void WaitOnFinalScreen();
    void ShowBonusTitle();
    void WaitForBonus();
    void SetUpBonus();
    void EndBonus();
    void NextLevel();
    void ShowLoadError();
    void WaitOnLoadError();
    void WaitOnGameOver();

    GameState state_ = GameState::kStopped;
    GameState lastDrawnState_ = GameState::kStopped;
    Playfield field_;
    GameScreens screens_;
    std::unique_ptr<GameView> view_;
    PictureView* pictures_ = nullptr;  // view_, when it shows pictures
    std::unique_ptr<GameRecorder> recorder_;
    bool finalised_ = false;
    std::uint32_t phaseStart_ = 0;
    bool inputSinceFrame_ = false;  // a key or a switch not drawn yet
    FrameClock frames_;
    int errorLine_ = 0, errorCode_ = 0;
    std::string levelMessage_;
    VoiceSettings voice_;
    bool speaking_ = false, dictation_ = false;
    std::map<std::string, std::string> pronunciations_;
    std::vector<std::string> toPrepare_;
    std::string spoken_[Playfield::kMaxLanes];
    std::uint32_t switch1Since_ = 0;  // switch 1 pressed then, still held
    bool repeatedThisHold_ = false;
    std::unique_ptr<LetterStrip> strip_;  // the profile plays with a switch device
};
