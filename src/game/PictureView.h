#pragma once
// The two picture themes (quoli and space): creatures carry the words down
// their lanes, the launcher at the bottom of a lane fires when the child has
// typed the word, the shot flies, explodes and (quoli) leaves a butterfly
// rising. Also the bonus stage's moving target and the final screen's
// creature. The view plays the pictures; what they mean for the game (a
// word destroyed, a lane free again) it reports, and the game's rules
// decide.

#include "game/BonusMotion.h"
#include "game/GameView.h"
#include "game/PiecePainter.h"
#include "game/Playfield.h"
#include "game/TActorParola.h"
#include "game/ThemeArt.h"

#include <memory>
#include <vector>

// How far a lane's shot has come.
enum class ShotStage { kNone, kFiring, kFlying, kExploding, kDebris };

// What the pictures reached in a frame.
struct ShotEvent {
    enum Kind { kHit, kEnded } kind;
    int lane;
};

// What a lane shows: its launcher, the creature carrying the word, the word
// and the shot, and how far each has come.
struct LanePictures {
    std::unique_ptr<TActor> base;    // the launcher
    std::unique_ptr<TActor> sprite;  // the creature carrying the word
    std::unique_ptr<TActorParola> word;
    std::unique_ptr<TActor> shot;    // then its explosion and debris
    ShotStage stage = ShotStage::kNone;
    bool landing = false;            // the creature plays its landing
    std::uint32_t shotTimer = 0, launchTime = 0;
    int spriteHeight = 0;
    int variant = 0;
    int decoration = 0;
};

class PictureView : public GameView {
public:
    PictureView(GameScreens& screens, int lanes, int theme, const GameSettings& settings);

    // The theme's pictures at the screen's size; false when some are
    // missing (the game cannot go on).
    bool Load(bool endlessLives);

    FallGeometry Geometry(int lineSkip) const override;
    void ClearLanes() override;
    void Draw(const Playfield& field, GameState state, std::uint32_t now) override;
    void DrawTitleDecorations() override;
    const TActorParola* Word(int lane) const override { return lanes_[lane].word.get(); }

    // One frame of play: animations, shots fired and moving, words and
    // creatures falling. `landed` is the lane whose word has just landed
    // (-1: none); nothing falls any more once one has.
    std::vector<ShotEvent> Step(const Playfield& field, GameState state, int landed, std::uint32_t now);

    // The bonus stage: one launcher in the middle, one moving target.
    void SetUpBonus(std::uint32_t now);
    // One frame of the bonus stage; `points` gets what the hit box counts up.
    std::vector<ShotEvent> StepBonus(const Playfield& field, std::uint32_t now, std::uint32_t& points);
    void DrawBonus(const Playfield& field);

    void StartFinalCreature(std::uint32_t now);
    // Moves and draws the final screen's creature.
    void FinalFrame(std::uint32_t now);

    const LanePictures& Lane(int lane) const { return lanes_[lane]; }
    void PaintWholeAlways(bool always) override { painter_.PaintWholeAlways(always); }
    std::vector<Rect> PanelBoxes(const Playfield& field, GameState state) const override;
    // Where the lives go (their label, then an icon a life), for the lives
    // the child is shown.
    Rect LifeIconsBox(const Playfield& field, GameState state = GameState::kPlaying) const;
    // The flower drawn beside a quoli launcher; empty when none.
    Rect DecorationBox(int lane) const;
    const TBonusHitBox& BonusBox() const { return bonusBox_; }
    const TargetMotion& Motion() const { return motion_; }

private:
    int LaunchWord(int lane, const std::string& shown, std::uint32_t fallMs) override;
    TActorParola* WordActor(int lane) override { return lanes_[lane].word.get(); }
    // Once loaded, the launchers stand on the play area's floor.
    void FloorMoved() override
    {
        if (lanes_[0].base)
            PlaceBases();
    }

    void PlaceBases();
    void PlaceBase(LanePictures& lane, int centreX, int floor);
    void ReleaseLane(LanePictures& lane);
    void AnimateLane(LanePictures& lane);
    void StartShots(const Playfield& field, int lanes, std::uint32_t now);
    void Fall(const Playfield& field, GameState state, int landed, std::uint32_t now);
    void Land(int lane);
    void MoveShots(int lanes, bool bonus, std::uint32_t now, std::vector<ShotEvent>& events);
    bool ShotHits(const LanePictures& lane, bool bonus) const;
    void Explode(LanePictures& lane, bool bonus, std::uint32_t now);
    void PlaceTarget(TActor* target);
    void DrawRope(ScreenPoint pivot, const TActor& target);
    void DrawBackground();
    void DrawBackgroundIn(const Rect& r);
    // The launchers with their flowers, and the creatures: a piece a lane.
    void AddBases(std::vector<PiecePainter::Piece>& pieces);
    void AddSprites(std::vector<PiecePainter::Piece>& pieces);
    void DrawLifeIcons(const Playfield& field, GameState state);
    Rect LivesLabelBox(const Playfield& field, GameState state) const;
    void DrawBonusBox();

    int theme_;
    TThemePictures pictures_;
    LanePictures lanes_[Playfield::kMaxLanes];
    int baseHeight_ = 0;
    int hitAllowance_ = 0;
    TargetMotion motion_;
    std::unique_ptr<TActor> finalCreature_;
    TBonusHitBox bonusBox_;
    PiecePainter painter_;
};
