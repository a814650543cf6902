#pragma once
// A game: the chosen exercise played level by level, words falling in up to
// three lanes, what the child types matched against them, score and lives,
// title screens between levels, the final screen and the top ten. Every
// event of the game goes to the child's results. One state number, advanced
// once a frame, drives it all.

#include "game/BonusMotion.h"
#include "game/TGameContext.h"
#include "game/ThemeArt.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class TActor;
class TActorParola;
class GameRecorder;
class TFont;
class TJoinElement;

// The game's states; the numbers are those of its state table.
enum class GameState {
    kStopped = 0, kLevelIntro = 10, kIntroWait = 11, kPlaying = 20, kLifeLost = 30, kLevelDone = 40,
    kCompleted = 50, kFinalWait = 51, kBonusIntro = 60, kBonusIntroWait = 61, kBonusSetUp = 62,
    kBonusPlay = 63, kBonusEnd = 64, kNextLevel = 70, kLoadError = 1000, kErrorWait = 1001,
};

class TZandorliGameContext : public TGameContext {
public:
    TZandorliGameContext();
    ~TZandorliGameContext() override;

    void Start() override;
    void HandleEvent(TEvent& event) override;
    void Idle() override;
    void Stop() override;

    // The character typed, already upper-cased for a-z.
    void Match(unsigned char c);

    GameState State() const { return state_; }
    int Score() const { return static_cast<int>(score_); }
    int Lives() const { return lives_; }
    int Hits() const { return hits_; }
    int Target() const { return target_; }
    int LevelNumber() const { return levelNumber_; }
    const std::string& Typed() const { return typed_; }
    // What a lane's hit state means in the picture themes.
    enum HitState { kIdle = 0, kMatched = 1, kFiring = 2, kShotFlying = 3, kExploding = 4, kDebris = 5, kLanded = 10 };
    struct Lane {
        std::unique_ptr<TActor> base;    // picture themes: the launcher
        std::unique_ptr<TActor> sprite;  // the creature carrying the word
        std::unique_ptr<TActorParola> word;
        std::unique_ptr<TActor> shot;    // then its explosion and debris
        std::string answer;
        int hitState = kIdle;
        std::uint32_t launchTime = 0, shotTimer = 0;
        int spriteHeight = 0;
        int textOffset = 0;
        int variant = 0;
        int decoration = 0;
    };
    const Lane& LaneAt(int i) const { return lanes_[i]; }
    int Occupied() const { return occupied_; }
    int Theme() const { return theme_; }
    int Streak() const { return streak_; }
    int BottomLine() const { return bottomLine_; }
    int TopMargin() const { return topMargin_; }
    const TThemePictures& Pictures() const { return pictures_; }
    const TBonusHitBox& BonusBox() const { return bonusBox_; }
    // The bonus target's centre and the final screen's creature.
    const TPendulum* Pendulum() const { return pendulum_.get(); }
    const TCircler* Circler() const { return circler_.get(); }

private:
    void LoadLevel();
    void Launch();
    void Frame();
    void Fall();
    void ReleaseLane(Lane& lane);
    void ReleaseLanes();
    // The title and final screens' background: two nested round frames.
    void DrawFramedScreen();
    TFont* FontOrFallback(const std::unique_ptr<TFont>& font) const;
    void DrawTitleScreen(bool bonus);
    void DrawFinalScreen();
    void DrawScore();
    void DrawLives();
    void GameOver();
    void Leave();
    void LevelDone();

    // One step of each state, once a frame.
    void ShowLevelTitle();
    void WaitForLevel();
    void Play();
    void AfterLifeLost();
    void AfterLevelDone();
    void ShowFinalScreen();
    void WaitOnFinalScreen();
    void ShowBonusTitle();
    void WaitForBonus();
    void EndBonus();
    void NextLevel();
    void ShowLoadError();
    void WaitOnLoadError();

    // The picture themes (quoli and space).
    bool PictureTheme() const { return theme_ != 1; }
    void PlaceBases();
    void PlaceBase(Lane& lane, int centreX);
    void DressLaunchedLane(Lane& lane, int centreX);
    void PictureFrame();
    void PictureFall();
    void StartShots();
    void MoveShots(bool bonus);
    void EndShot(Lane& lane);
    bool ShotHits(const Lane& lane, bool bonus) const;
    void Explode(Lane& lane, bool bonus);
    int LaneCentre(int i) const;
    void DrawBackground();
    void DrawPictureLanes();
    void DrawTitleDecorations();
    void DrawLifeIcons();
    // True about as often as a monitor shows a picture, or when forced.
    bool FrameDue(bool force = false);

    // The bonus stage and the final screen's creature.
    void SetUpBonus();
    void BonusFrame();
    void StepTargets();
    void PlaceTarget();
    void DrawRope(ScreenPoint pivot, const TActor& target);
    void DrawBonusBox();
    void StartFinalCreature();
    void FinalFrame();

    static constexpr std::uint32_t kDrawEveryMs = 15;

    GameState state_ = GameState::kStopped;
    GameState lastDrawnState_ = GameState::kStopped;
    std::unique_ptr<GameRecorder> recorder_;
    bool finalised_ = false;
    Lane lanes_[3];
    int lanesWanted_ = 2;
    int occupied_ = 0;
    int lineSkip_ = 0, topMargin_ = 0, bottomLine_ = 0;
    std::uint32_t spawnMs_ = 3000, fallMs_ = 10000;
    std::uint32_t lastLaunch_ = 0, phaseStart_ = 0;
    int errorLine_ = 0, errorCode_ = 0;
    int target_ = 0, hits_ = 0, launched_ = 0;
    int levelIndex_ = 0, levelNumber_ = 1;
    std::uint16_t streak_ = 0;
    std::vector<std::string> words_;
    std::size_t nextWord_ = 0;
    int lives_ = 3;
    std::uint32_t score_ = 0;
    std::string typed_;
    std::string levelMessage_, keySet_;
    TJoinElement* fallbackEntry_ = nullptr;
    std::unique_ptr<TFont> fallback_, scoreFont_, livesFont_, title42_, title36_, wordFont_;

    int theme_ = 1;
    int baseHeight_ = 0;
    int hitAllowance_ = 0;
    std::uint32_t lastFrame_ = 0;
    TThemePictures pictures_;
    std::unique_ptr<TPendulum> pendulum_;
    std::unique_ptr<TCircler> circler_;
    std::unique_ptr<TActor> finalCreature_;
    TBonusHitBox bonusBox_;
};
