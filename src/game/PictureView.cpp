#include "game/PictureView.h"

#include "app/Clock.h"
#include "app/Random.h"
#include "app/Sound.h"
#include "game/GameScreens.h"
#include "gfx/Colours.h"
#include "gfx/Display.h"
#include "gfx/Images.h"
#include "gfx/Primitives.h"
#include "gfx/Screen.h"
#include "session/GameSettings.h"

#include <algorithm>
#include <string>

namespace {

int ResolutionSlot()
{
    return std::clamp(theResolutionIndex, 0, 2);
}

}  // namespace

PictureView::PictureView(GameScreens& screens, int lanes, int theme, const GameSettings& settings)
    : GameView(screens, lanes, settings),
      theme_(theme),
      painter_([this](const Rect& r) { DrawBackgroundIn(r); }, [this] { DrawBackground(); })
{
    for (int i = 0; i < Playfield::kMaxLanes; ++i)
        lanes_[i].decoration = decorations_[i];
}

bool PictureView::Load(bool endlessLives)
{
    if (!pictures_.Load(theme_, theResolutionIndex, endlessLives))
        return false;
    PlaceBases();
    static const int kBaseHeight[2][3] = {{20, 25, 32}, {23, 28, 35}};
    baseHeight_ = kBaseHeight[theme_ - themeart::kQuoli][ResolutionSlot()];
    return true;
}

FallGeometry PictureView::Geometry(int lineSkip) const
{
    int baseTall = lanes_[0].base ? lanes_[0].base->Height() : 0;
    return {lineSkip + 36, Floor() + baseHeight_ + lineSkip - baseTall + 36};
}

void PictureView::PlaceBases()
{
    for (int i = 0; i < laneCount_; ++i)
        PlaceBase(lanes_[i], LaneCentre(i), Floor());
}

void PictureView::PlaceBase(LanePictures& lane, int centreX, int floor)
{
    int picture = theme_ == themeart::kSpace ? themeart::kSpaceBase : themeart::kQuoliBase;
    SDL_Surface* image = pictures_.images[picture];
    lane.base = std::make_unique<TActor>(centreX - ImageWidth(image) / 2, floor - ImageHeight(image), image);
}

void PictureView::ReleaseLane(LanePictures& lane)
{
    lane.sprite.reset();
    lane.word.reset();
    lane.shot.reset();
    lane.stage = ShotStage::kNone;
    lane.landing = false;
}

void PictureView::ClearLanes()
{
    for (LanePictures& lane : lanes_) {
        ReleaseLane(lane);
        lane.base.reset();
    }
    motion_.Stop();
    PlaceBases();
}

int PictureView::LaunchWord(int laneIndex, const std::string& shown, std::uint32_t fallMs)
{
    LanePictures& lane = lanes_[laneIndex];
    int centreX = LaneCentre(laneIndex);
    int lineSkip = screens_.WordLineHeight();
    lane.word = std::make_unique<TActorParola>(fallMs, shown.c_str(), centreX, -lineSkip - 16, settings_);
    if (theme_ == themeart::kSpace) {
        lane.variant = RandomBetween(0, 2);
        SDL_Surface* image = pictures_.images[themeart::kSpaceFirstShip + 3 * lane.variant];
        lane.sprite = std::make_unique<TActor>(centreX - ImageWidth(image) / 2, 0, image);
    } else {
        static const int kHangOffset[3] = {6, 7, 8};
        SDL_Surface* image = pictures_.images[themeart::kQuoliCreature];
        lane.sprite = std::make_unique<TActor>(centreX - ImageWidth(image) / 2 + kHangOffset[ResolutionSlot()], 0, image);
    }
    lane.spriteHeight = lane.sprite->Height();
    lane.sprite->MoveTo(lane.sprite->X(), -Geometry(lineSkip).topMargin - lane.spriteHeight);
    themeart::Play(*lane.sprite, themeart::Falling(theme_, lane.variant), pictures_.images, 0);
    lane.stage = ShotStage::kNone;
    lane.landing = false;
    lane.launchTime = Now();
    return lane.spriteHeight;
}

void PictureView::AnimateLane(LanePictures& lane)
{
    for (TActor* actor : {lane.base.get(), lane.sprite.get(), lane.shot.get()})
        if (actor)
            actor->Animate();
}

std::vector<ShotEvent> PictureView::Step(const Playfield& field, GameState state, int landed, std::uint32_t now)
{
    std::vector<ShotEvent> events;
    for (int i = 0; i < laneCount_; ++i)
        AnimateLane(lanes_[i]);
    StartShots(field, laneCount_, now);
    Fall(field, state, landed, now);
    MoveShots(laneCount_, false, now, events);
    return events;
}

void PictureView::Fall(const Playfield& field, GameState state, int landed, std::uint32_t now)
{
    bool frozen = state == GameState::kLifeLost;
    for (int i = 0; i < laneCount_; ++i) {
        LanePictures& lane = lanes_[i];
        long long travelled = field.Travelled(i, now);
        bool wordFalls = !frozen && (state == GameState::kPlaying ||
                                     (state == GameState::kLevelDone && field.Lane(i).hit != HitState::kIdle));
        if (lane.word && wordFalls)
            lane.word->MoveTo(lane.word->X(), static_cast<int>(travelled - screens_.WordLineHeight() - 16));
        if (lane.landing) {
            if (lane.sprite && !lane.sprite->IsAnimating())
                lane.sprite.reset();
            continue;
        }
        if (!lane.sprite || frozen)
            continue;
        lane.sprite->MoveTo(lane.sprite->X(), field.CarrierY(i, now));
        if (i == landed) {
            Land(i);
            frozen = true;  // nothing falls while a life is lost
        }
    }
}

void PictureView::Land(int laneIndex)
{
    // The creature bumps onto its launcher, which is hurt.
    LanePictures& lane = lanes_[laneIndex];
    PlayEffectNumber(theme_, 2);
    themeart::Play(*lane.sprite, themeart::Landing(theme_), pictures_.images, 1);
    int baseTop = lane.base ? lane.base->Y() : Floor();
    int baseTall = lane.base ? lane.base->Height() : 0;
    lane.sprite->CentreOn(LaneCentre(laneIndex), baseTop + baseTall / 3 - lane.sprite->Height() / 2);
    if (lane.base)
        themeart::Play(*lane.base, themeart::Hurt(theme_), pictures_.images, 0);
    lane.landing = true;
    lane.word.reset();
}

void PictureView::StartShots(const Playfield& field, int lanes, std::uint32_t now)
{
    static const int kQuoliShotRise[3] = {62, 79, 101};
    static const int kSpaceShotRise[3] = {11, 14, 17};
    bool space = theme_ == themeart::kSpace;
    for (int i = 0; i < lanes; ++i) {
        LanePictures& lane = lanes_[i];
        if (!lane.base)
            continue;
        if (lane.stage == ShotStage::kNone && field.Lane(i).hit == HitState::kMatched) {
            PlayEffectNumber(theme_, 0);
            themeart::Play(*lane.base, themeart::Firing(theme_), pictures_.images, 1);
            lane.stage = ShotStage::kFiring;
        } else if (lane.stage == ShotStage::kFiring && !lane.base->IsAnimating()) {
            SDL_Surface* shot = pictures_.images[space ? themeart::kSpaceShot : themeart::kQuoliShot];
            int rise = (space ? kSpaceShotRise : kQuoliShotRise)[ResolutionSlot()];
            int centreX = lane.base->CentreX();
            lane.shot = std::make_unique<TActor>(centreX - ImageWidth(shot) / 2,
                                                 lane.base->Y() - ImageHeight(shot) + rise, shot);
            themeart::Play(*lane.shot, themeart::Shot(theme_), pictures_.images, 0);
            hitAllowance_ = space ? lane.spriteHeight * 3 / 5 : lane.spriteHeight * 2 / 7;
            lane.shotTimer = now;
            lane.stage = ShotStage::kFlying;
        }
    }
}

bool PictureView::ShotHits(const LanePictures& lane, bool bonus) const
{
    if (!lane.sprite || !lane.shot)
        return false;
    if (bonus)
        return lane.shot->Overlaps(*lane.sprite);
    return lane.shot->Y() < lane.sprite->Y() + hitAllowance_;
}

void PictureView::Explode(LanePictures& lane, bool bonus, std::uint32_t now)
{
    if (bonus)
        bonusBox_.Hit(now);
    lane.sprite.reset();
    lane.word.reset();
    PlayEffectNumber(theme_, 1);
    int centreX = bonus ? theScreen.width / 2 : lane.shot->CentreX();
    int centreY = lane.shot->Y();
    if (theme_ == themeart::kSpace)
        centreY -= hitAllowance_ / 4;
    themeart::Play(*lane.shot, themeart::Explosion(theme_), pictures_.images, 1);
    lane.shot->CentreOn(centreX, centreY);
    lane.stage = ShotStage::kExploding;
}

void PictureView::MoveShots(int lanes, bool bonus, std::uint32_t now, std::vector<ShotEvent>& events)
{
    bool space = theme_ == themeart::kSpace;
    auto endShot = [&events](LanePictures& lane, int i) {
        lane.shot.reset();
        lane.stage = ShotStage::kNone;
        events.push_back({ShotEvent::kEnded, i});
    };
    for (int i = 0; i < lanes; ++i) {
        LanePictures& lane = lanes_[i];
        if (!lane.shot)
            continue;
        TActor& shot = *lane.shot;
        if (lane.stage == ShotStage::kFlying) {
            if (ShotHits(lane, bonus)) {
                Explode(lane, bonus, now);
                events.push_back({ShotEvent::kHit, i});
            } else if (now - lane.shotTimer > 13) {
                shot.MoveBy(0, -Scaled(space ? 4 : 3));
                lane.shotTimer = now;
                // A shot that leaves the screen has missed (in play this
                // only happens when its target is gone).
                if (shot.Y() + shot.Height() < 0 && (bonus || !lane.sprite))
                    endShot(lane, i);
            }
        } else if (lane.stage == ShotStage::kExploding && !shot.IsAnimating()) {
            if (space) {
                endShot(lane, i);
            } else {
                PlayEffectNumber(2, 3);
                int cx = shot.CentreX(), cy = shot.Y() + shot.Height() / 2;
                themeart::Play(shot, themeart::Debris(), pictures_.images, 1);
                shot.CentreOn(cx, cy);
                lane.stage = ShotStage::kDebris;
            }
        } else if (lane.stage == ShotStage::kDebris && now - lane.launchTime > 200) {
            shot.MoveBy(0, -Scaled(2));
            if (shot.Y() + shot.Height() <= -20)
                endShot(lane, i);
        }
    }
}
