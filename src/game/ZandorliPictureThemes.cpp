// Play in the picture themes: creatures carry the words down their lanes,
// the launcher at the bottom of a lane fires when the child types the word,
// the shot flies, explodes and (quoli) leaves a butterfly rising.

#include "game/TZandorliGameContext.h"

#include "app/Clock.h"
#include "app/Random.h"
#include "app/Sound.h"
#include "game/TActorParola.h"
#include "gfx/Colours.h"
#include "gfx/Display.h"
#include "gfx/Images.h"
#include "gfx/Screen.h"
#include "menus/GameSettings.h"

#include <algorithm>

namespace {

int ResolutionSlot()
{
    return std::clamp(theResolutionIndex, 0, 2);
}

}  // namespace

int TZandorliGameContext::LaneCentre(int i) const
{
    return theScreen.width * (2 * i + 1) / (2 * lanesWanted_);
}

void TZandorliGameContext::PlaceBases()
{
    for (int i = 0; i < lanesWanted_; ++i)
        PlaceBase(lanes_[i], LaneCentre(i));
}

void TZandorliGameContext::PlaceBase(Lane& lane, int centreX)
{
    int picture = theme_ == themeart::kSpace ? themeart::kSpaceBase : themeart::kQuoliBase;
    SDL_Surface* image = pictures_.images[picture];
    lane.base = std::make_unique<TActor>(centreX - ImageWidth(image) / 2, theScreen.height - ImageHeight(image), image);
}

void TZandorliGameContext::DressLaunchedLane(Lane& lane, int centreX)
{
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
    lane.sprite->MoveTo(lane.sprite->X(), -topMargin_ - lane.spriteHeight);
    themeart::Play(*lane.sprite, themeart::Falling(theme_, lane.variant), pictures_.images, 0);
}

void TZandorliGameContext::PictureFrame()
{
    if (!FrameDue())
        return;
    for (int i = 0; i < lanesWanted_; ++i)
        for (TActor* actor : {lanes_[i].base.get(), lanes_[i].sprite.get(), lanes_[i].shot.get()})
            if (actor)
                actor->Animate();
    StartShots();
    PictureFall();
    MoveShots(false);
    DrawBackground();
    DrawPictureLanes();
    for (int i = 0; i < lanesWanted_; ++i)
        if (lanes_[i].word)
            lanes_[i].word->DrawWord(state_ == GameState::kLifeLost);
    for (int i = 0; i < lanesWanted_; ++i)
        if (lanes_[i].shot)
            lanes_[i].shot->Paint();
    DrawLives();
    DrawScore();
}

void TZandorliGameContext::PictureFall()
{
    std::uint32_t now = Now();
    for (int i = 0; i < lanesWanted_; ++i) {
        Lane& lane = lanes_[i];
        long long travelled = static_cast<long long>(now - lane.launchTime) * bottomLine_ / fallMs_;
        if (lane.word && (state_ == GameState::kPlaying || (state_ == GameState::kLevelDone && lane.hitState != kIdle)))
            lane.word->MoveTo(lane.word->X(), static_cast<int>(travelled - lineSkip_ - 16));
        if (lane.hitState == kLanded) {
            if (lane.sprite && !lane.sprite->IsAnimating())
                lane.sprite.reset();
            continue;
        }
        if (!lane.sprite || state_ == GameState::kLifeLost)
            continue;
        int y = static_cast<int>(travelled - lane.spriteHeight - topMargin_);
        lane.sprite->MoveTo(lane.sprite->X(), y);
        if (lane.hitState != kIdle || y + lane.spriteHeight + topMargin_ <= bottomLine_)
            continue;
        // Landed: the creature bumps onto its launcher, which is hurt.
        PlayEffectNumber(theme_, 2);
        themeart::Play(*lane.sprite, themeart::Landing(theme_), pictures_.images, 1);
        int baseTop = lane.base ? lane.base->Y() : theScreen.height;
        int baseTall = lane.base ? lane.base->Height() : 0;
        lane.sprite->CentreOn(LaneCentre(i), baseTop + baseTall / 3 - lane.sprite->Height() / 2);
        if (lane.base)
            themeart::Play(*lane.base, themeart::Hurt(theme_), pictures_.images, 0);
        lane.hitState = kLanded;
        lane.word.reset();
        lane.answer.clear();
        state_ = GameState::kLifeLost;
        phaseStart_ = now;
    }
}

void TZandorliGameContext::StartShots()
{
    static const int kQuoliShotRise[3] = {62, 79, 101};
    static const int kSpaceShotRise[3] = {11, 14, 17};
    bool space = theme_ == themeart::kSpace;
    for (int i = 0; i < lanesWanted_; ++i) {
        Lane& lane = lanes_[i];
        if (!lane.base)
            continue;
        if (lane.hitState == kMatched) {
            PlayEffectNumber(theme_, 0);
            themeart::Play(*lane.base, themeart::Firing(theme_), pictures_.images, 1);
            lane.hitState = kFiring;
        } else if (lane.hitState == kFiring && !lane.base->IsAnimating()) {
            SDL_Surface* restingBase = pictures_.images[space ? themeart::kSpaceBase : themeart::kQuoliBase];
            SDL_Surface* shot = pictures_.images[space ? themeart::kSpaceShot : themeart::kQuoliShot];
            int rise = (space ? kSpaceShotRise : kQuoliShotRise)[ResolutionSlot()];
            int centreX = lane.base->CentreX();
            lane.shot = std::make_unique<TActor>(centreX - ImageWidth(shot) / 2,
                                                 theScreen.height - ImageHeight(restingBase) - ImageHeight(shot) + rise, shot);
            themeart::Play(*lane.shot, themeart::Shot(theme_), pictures_.images, 0);
            hitAllowance_ = space ? lane.spriteHeight * 3 / 5 : lane.spriteHeight * 2 / 7;
            lane.shotTimer = Now();
            lane.hitState = kShotFlying;
        }
    }
}

bool TZandorliGameContext::ShotHits(const Lane& lane, bool bonus) const
{
    if (!lane.sprite || !lane.shot)
        return false;
    if (bonus)
        return lane.shot->Overlaps(*lane.sprite);
    return lane.shot->Y() < lane.sprite->Y() + hitAllowance_;
}

void TZandorliGameContext::Explode(Lane& lane, bool bonus)
{
    if (bonus)
        bonusBox_.Hit(Now());
    else
        score_ += 25;
    lane.sprite.reset();
    lane.word.reset();
    lane.answer.clear();
    PlayEffectNumber(theme_, 1);
    int centreX = bonus ? theScreen.width / 2 : lane.shot->CentreX();
    int centreY = lane.shot->Y();
    if (theme_ == themeart::kSpace)
        centreY -= hitAllowance_ / 4;
    themeart::Play(*lane.shot, themeart::Explosion(theme_), pictures_.images, 1);
    lane.shot->CentreOn(centreX, centreY);
    lane.hitState = kExploding;
}

void TZandorliGameContext::EndShot(Lane& lane)
{
    lane.shot.reset();
    lane.hitState = kIdle;
    if (occupied_ > 0)
        --occupied_;
    if (state_ == GameState::kBonusPlay) {
        state_ = GameState::kBonusEnd;
        phaseStart_ = Now();
    }
}

void TZandorliGameContext::MoveShots(bool bonus)
{
    bool space = theme_ == themeart::kSpace;
    for (int i = 0; i < lanesWanted_; ++i) {
        Lane& lane = lanes_[i];
        if (!lane.shot)
            continue;
        TActor& shot = *lane.shot;
        if (lane.hitState == kShotFlying) {
            if (ShotHits(lane, bonus)) {
                Explode(lane, bonus);
            } else if (Elapsed(lane.shotTimer, 13)) {
                shot.MoveBy(0, -Scaled(space ? 4 : 3));
                lane.shotTimer = Now();
                // A shot that leaves the screen has missed (in play this
                // only happens when its target is gone).
                if (shot.Y() + shot.Height() < 0 && (bonus || !lane.sprite))
                    EndShot(lane);
            }
        } else if (lane.hitState == kExploding && !shot.IsAnimating()) {
            if (space) {
                EndShot(lane);
            } else {
                PlayEffectNumber(2, 3);
                int cx = shot.CentreX(), cy = shot.Y() + shot.Height() / 2;
                themeart::Play(shot, themeart::Debris(), pictures_.images, 1);
                shot.CentreOn(cx, cy);
                lane.hitState = kDebris;
            }
        } else if (lane.hitState == kDebris && Elapsed(lane.launchTime, 200)) {
            shot.MoveBy(0, -Scaled(2));
            if (shot.Y() + shot.Height() <= -20)
                EndShot(lane);
        }
    }
}

void TZandorliGameContext::DrawBackground()
{
    if (theGameSettings.plainBackground || !pictures_.background)
        ClearScreen(static_cast<std::uint32_t>(theGameSettings.backgroundColour));
    else
        DrawImage(0, 0, pictures_.background);
}

void TZandorliGameContext::DrawPictureLanes()
{
    auto drawBases = [this] {
        for (int i = 0; i < lanesWanted_; ++i) {
            Lane& lane = lanes_[i];
            if (!lane.base)
                continue;
            if (theme_ == themeart::kQuoli) {
                SDL_Surface* decoration = pictures_.images[lane.decoration];
                int left = LaneCentre(i) - ImageWidth(pictures_.images[themeart::kQuoliBase]) / 2;
                if (decoration)
                    DrawImage(left - decoration->w + Scaled(12), theScreen.height - decoration->h, decoration);
            }
            lane.base->Paint();
        }
    };
    bool threads = state_ != GameState::kFinalWait && state_ != GameState::kBonusPlay && state_ != GameState::kBonusEnd;
    auto drawSprites = [this, threads] {
        for (int i = 0; i < lanesWanted_; ++i) {
            Lane& lane = lanes_[i];
            if (!lane.sprite)
                continue;
            int y = lane.sprite->Y();
            if (theme_ == themeart::kQuoli && threads && lane.hitState != kLanded && y + Scaled(50) > 0) {
                int centre = LaneCentre(i);
                FillBox(centre - Scaled(1), 0, centre + Scaled(1), y + 10, 3);
            }
            lane.sprite->Paint();
        }
    };
    if (theme_ == themeart::kQuoli) {
        drawBases();
        drawSprites();
    } else {
        drawSprites();
        drawBases();
    }
}

void TZandorliGameContext::DrawLifeIcons()
{
    SDL_Surface* icon = pictures_.lifeIcon;
    if (!icon)
        return;
    int y = theScreen.height - icon->h - Scaled(5);
    int count = theGameSettings.infiniteLives ? 1 : lives_;
    for (int k = 0; k < count; ++k)
        DrawImage(Scaled(10) + k * (icon->w + Scaled(10)), y, icon);
}

void TZandorliGameContext::DrawTitleDecorations()
{
    if (!PictureTheme())
        return;
    int W = theScreen.width, H = theScreen.height;
    SDL_Surface* first = pictures_.titleFirst;
    SDL_Surface* second = pictures_.titleSecond;
    if (theme_ == themeart::kQuoli) {
        if (second)
            DrawImage(W - second->w - Scaled(40), Scaled(40), second);
        if (first)
            DrawImage(Scaled(70), H - first->h - Scaled(50), first);
    } else {
        if (first)
            DrawImage(Scaled(20), Scaled(30), first);
        if (second)
            DrawImage(W - second->w - Scaled(100), H - second->h - Scaled(50), second);
    }
}
