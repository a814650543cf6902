#include "game/BonusMotion.h"

#include <cmath>

namespace {

bool IntervalPassed(std::uint32_t last, std::uint32_t now, std::uint32_t ms)
{
    return now - last > ms;  // unsigned: right across the clock's wrap too
}

int TowardsCentre(int position, int centre)
{
    return position < centre ? 1 : -1;
}

}  // namespace

TPendulum::TPendulum(ScreenPoint pivot, int arm, std::uint32_t now) : pivot_(pivot), arm_(arm), lastStep_(now) {}

bool TPendulum::Update(std::uint32_t now)
{
    if (!IntervalPassed(lastStep_, now, kStepMs))
        return false;
    lastStep_ = now;
    Step();
    return true;
}

void TPendulum::Step()
{
    phase_ += direction_;
    if (phase_ >= kHalfPeriod || phase_ <= -kHalfPeriod)
        direction_ = -direction_;
}

ScreenPoint TPendulum::Centre() const
{
    const double kPi = 3.14159265358979323846;
    double angle = 0.5 * std::sin(phase_ * kPi / 2 / kHalfPeriod);
    return {pivot_.x + static_cast<int>(std::lround(arm_ * std::sin(angle))),
            pivot_.y + static_cast<int>(std::lround(arm_ * std::cos(angle)))};
}

int TPendulum::Pose() const
{
    // Four equal slices of the swing from -30 to +30.
    int pose = (phase_ + kHalfPeriod) * kPoses / (2 * kHalfPeriod);
    return pose < kPoses ? pose : kPoses - 1;
}

TCircler::TCircler(ScreenPoint start, ScreenPoint velocity, ScreenPoint centre, std::uint32_t now)
    : position_(start), velocity_(velocity), centre_(centre), lastStep_(now)
{
}

ScreenPoint TCircler::StartVelocity(int resolutionIndex)
{
    static const ScreenPoint kByResolution[] = {{-21, -10}, {-23, -12}, {-27, -15}};
    if (resolutionIndex < 0 || resolutionIndex > 2)
        resolutionIndex = 0;
    return kByResolution[resolutionIndex];
}

bool TCircler::Update(std::uint32_t now)
{
    if (!IntervalPassed(lastStep_, now, kStepMs))
        return false;
    lastStep_ = now;
    Step();
    return true;
}

void TCircler::Step()
{
    position_.x += velocity_.x;
    position_.y += velocity_.y;
    velocity_.x += TowardsCentre(position_.x, centre_.x);
    velocity_.y += TowardsCentre(position_.y, centre_.y);
}

void TBonusHitBox::Hit(std::uint32_t now)
{
    counter_ = 1;
    lastGrowth_ = now;
}

int TBonusHitBox::Update(std::uint32_t now)
{
    if (counter_ == 0 || counter_ >= kFull || !IntervalPassed(lastGrowth_, now, kGrowMs))
        return 0;
    lastGrowth_ = now;
    ++counter_;
    return counter_ == kFull ? kPoints : 0;
}

Rect TBonusHitBox::Box(int screenWidth) const
{
    int c = counter_;
    int half = Scaled(5 * c + 50);
    return {screenWidth / 2 - half, Scaled(300 - 2 * c), screenWidth / 2 + half, Scaled(300 + 2 * c)};
}

int TBonusHitBox::CornerRadius() const
{
    return Scaled(counter_);
}
