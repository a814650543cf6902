// The picture themes' bonus stage (a swinging creature or a circling ship
// to hit with one shot) and the creature that moves on the final screen.

#include "game/PictureView.h"

#include "game/GameScreens.h"
#include "gfx/Colours.h"
#include "gfx/Display.h"
#include "gfx/Images.h"
#include "gfx/Primitives.h"
#include "gfx/Screen.h"
#include "session/GameSettings.h"
#include "resources/StringTable.h"

#include <algorithm>
#include <cstdio>

void PictureView::SetUpBonus(std::uint32_t now)
{
    int W = theScreen.width, H = theScreen.height;
    for (LanePictures& lane : lanes_) {
        ReleaseLane(lane);
        lane.base.reset();
    }
    bonusBox_.Reset();
    LanePictures& lane = lanes_[0];
    PlaceBase(lane, W / 2, H);  // the strip is not shown in the bonus stage
    if (theme_ == themeart::kQuoli) {
        SDL_Surface* target = pictures_.images[themeart::kQuoliTarget];
        lane.sprite = std::make_unique<TActor>(target);
        int arm = Scaled(30) + H / 3 + 4 * Scaled(100) - ImageHeight(target) / 2;
        motion_.Swing(ScreenPoint{W / 2, -4 * Scaled(100)}, arm, now);
    } else {
        lane.sprite = std::make_unique<TActor>(pictures_.images[themeart::kSpaceTarget]);
        themeart::Play(*lane.sprite, themeart::SpaceTarget(), pictures_.images, 0);
        motion_.Circle(ScreenPoint{W / 2, H / 4}, TCircler::StartVelocity(theResolutionIndex), ScreenPoint{W / 2, H / 4},
                       now);
    }
    lane.spriteHeight = lane.sprite->Height();
    lane.launchTime = now;
    PlaceTarget(lane.sprite.get());
}

void PictureView::PlaceTarget(TActor* target)
{
    if (!target)
        return;
    if (const TPendulum* pendulum = motion_.Pendulum()) {
        // The swinging creature shows one of its four poses by where it is.
        target->SetPicture(pictures_.images[themeart::kQuoliCreature + pendulum->Pose()]);
        target->CentreOn(pendulum->Centre().x, pendulum->Centre().y);
    } else if (const TCircler* circler = motion_.Circler()) {
        target->CentreOn(circler->Centre().x, circler->Centre().y);
    }
}

std::vector<ShotEvent> PictureView::StepBonus(const Playfield& field, std::uint32_t now, std::uint32_t& points)
{
    std::vector<ShotEvent> events;
    LanePictures& lane = lanes_[0];
    AnimateLane(lane);
    motion_.Update(now);
    PlaceTarget(lane.sprite.get());
    StartShots(field, laneCount_, now);
    MoveShots(laneCount_, true, now, events);
    points = static_cast<std::uint32_t>(bonusBox_.Update(now));
    return events;
}

void PictureView::DrawRope(ScreenPoint pivot, const TActor& target)
{
    int topX = target.CentreX(), topY = target.Y() + 10;
    theScreen.pen = MapColour(3);
    DrawLine(pivot.x, pivot.y, topX, topY);
    DrawLine(pivot.x + 1, pivot.y, topX + 1, topY);
}

void PictureView::DrawBonus(const Playfield& field)
{
    LanePictures& lane = lanes_[0];
    DrawBackground();
    if (theme_ == themeart::kQuoli) {
        if (lane.base)
            lane.base->Paint();
        if (lane.sprite) {
            DrawRope({theScreen.width / 2, -Scaled(100)}, *lane.sprite);
            lane.sprite->Paint();
        }
    } else {
        if (lane.sprite)
            lane.sprite->Paint();
        if (lane.base)
            lane.base->Paint();
    }
    if (lane.shot)
        lane.shot->Paint();
    DrawLifeIcons(field, GameState::kBonusPlay);
    DrawBonusBox();
    screens_.DrawScore(field.Board().Score(), true);
}

void PictureView::DrawBonusBox()
{
    if (!bonusBox_.WasHit())
        return;
    Rect box = bonusBox_.Box(theScreen.width);
    int radius = bonusBox_.CornerRadius();
    auto textColour = static_cast<std::uint32_t>(settings_.textColour);
    theScreen.pen = MapColour(textColour);
    FillRoundBox(box.left, box.top, box.right, box.bottom, radius);
    theScreen.pen = MapColour(static_cast<std::uint32_t>(settings_.boxColour));
    FillRoundBox(box.left + 2, box.top + 2, box.right - 2, box.bottom - 2, std::max(0, radius - 2));
    if (!bonusBox_.ShowsPoints())
        return;
    char text[300];
    std::snprintf(text, sizeof text, "+%d %s", TBonusHitBox::kPoints, GetString(10, 104));
    screens_.DrawScoreLine(theScreen.width / 2, Scaled(300), text, textColour);
}

void PictureView::StartFinalCreature(std::uint32_t now)
{
    int W = theScreen.width, H = theScreen.height;
    motion_.Stop();
    if (theme_ == themeart::kQuoli) {
        SDL_Surface* creature = pictures_.images[themeart::kQuoliTarget];
        finalCreature_ = std::make_unique<TActor>(creature);
        int arm = H + Scaled(100) - ImageHeight(creature) / 2 - Scaled(30);
        motion_.Swing(ScreenPoint{W / 2, -Scaled(100)}, arm, now);
    } else {
        finalCreature_ = std::make_unique<TActor>(pictures_.images[themeart::kSpaceTarget]);
        themeart::Play(*finalCreature_, themeart::SpaceTarget(), pictures_.images, 0);
        motion_.Circle(ScreenPoint{W / 2, H / 4}, TCircler::StartVelocity(theResolutionIndex), ScreenPoint{W / 2, H / 2},
                       now);
    }
}

void PictureView::FinalFrame(std::uint32_t now)
{
    if (!finalCreature_)
        return;
    finalCreature_->Animate();
    motion_.Update(now);
    PlaceTarget(finalCreature_.get());
    screens_.DrawFinalScreen();
    if (motion_.Pendulum())
        DrawRope(motion_.Pendulum()->Pivot(), *finalCreature_);
    finalCreature_->Paint();
}
