#pragma once
// A game: the chosen exercise played level by level, words falling in up to
// three lanes, what the child types matched against them, score and lives,
// title screens between levels, the final screen and the top ten. Every
// event of the game goes to the child's results. One state number, advanced
// once a frame, drives it all.

#include "game/TGameContext.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class TActor;
class TActorParola;
class TDataFile;
class TFont;
class TJoinElement;

namespace gamestate {

constexpr int kStopped = 0, kLevelIntro = 10, kIntroWait = 11, kPlaying = 20, kLifeLost = 30, kLevelDone = 40,
              kCompleted = 50, kFinalWait = 51, kBonusIntro = 60, kNextLevel = 70, kLoadError = 1000,
              kErrorWait = 1001;

}  // namespace gamestate

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

    int State() const { return state_; }
    int Score() const { return static_cast<int>(score_); }
    int Lives() const { return lives_; }
    int Hits() const { return hits_; }
    int Target() const { return target_; }
    int LevelNumber() const { return levelNumber_; }
    const std::string& Typed() const { return typed_; }
    struct Lane {
        std::unique_ptr<TActor> sprite;
        std::unique_ptr<TActorParola> word;
        std::string answer;
        int hitState = 0;
        std::uint32_t launchTime = 0;
        int textOffset = 0;
    };
    const Lane& LaneAt(int i) const { return lanes_[i]; }
    int Occupied() const { return occupied_; }

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
    void RecordTyped();
    void FlushShownWords();
    void LevelDone();

    static constexpr std::uint32_t kDrawEveryMs = 15;

    int state_ = gamestate::kStopped;
    bool drawnOnce_ = false;
    std::uint32_t lastDrawn_ = 0;
    int lastDrawnState_ = 0;
    std::unique_ptr<TDataFile> results_;
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
    std::vector<std::string> shown_;
    std::string typed_;
    std::string levelMessage_, keySet_;
    TJoinElement* fallbackEntry_ = nullptr;
    std::unique_ptr<TFont> fallback_, scoreFont_, livesFont_, title42_, title36_, wordFont_;
};
