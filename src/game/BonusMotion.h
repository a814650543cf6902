#pragma once
// The moving targets of the picture themes (the bonus target and the
// creature of the final screen) and the box that grows after a bonus hit.
// Plain arithmetic on game-clock times: the play context draws what these
// compute, and each steps at most once per frame, restarting its interval
// from the frame's time, so a slow machine slows the motion rather than
// making it jump.

#include "gfx/Display.h"

#include <cstdint>
#include <memory>

struct ScreenPoint {
    int x, y;
};

// A creature swinging on a rope from a fixed pivot. The phase moves one
// notch per step and turns round at +30 and -30; the angle from the
// vertical is 0.5 * sin(phase * pi / 60) radians.
class TPendulum {
public:
    static constexpr std::uint32_t kStepMs = 25;
    static constexpr int kHalfPeriod = 30;
    static constexpr int kPoses = 4;

    TPendulum(ScreenPoint pivot, int arm, std::uint32_t now);

    // Steps once when more than kStepMs have passed; true when it did.
    bool Update(std::uint32_t now);
    void Step();

    int Phase() const { return phase_; }
    int Direction() const { return direction_; }
    int Arm() const { return arm_; }
    ScreenPoint Pivot() const { return pivot_; }
    ScreenPoint Centre() const;
    // Which of the four swing pictures shows: 0 far left ... 3 far right.
    int Pose() const;

private:
    ScreenPoint pivot_;
    int arm_;
    int phase_ = 0;
    int direction_ = 1;
    std::uint32_t lastStep_;
};

// A ship that circles a centre: each step moves it by its velocity, then
// pulls each velocity component one pixel towards the centre.
class TCircler {
public:
    static constexpr std::uint32_t kStepMs = 37;

    TCircler(ScreenPoint start, ScreenPoint velocity, ScreenPoint centre, std::uint32_t now);
    // The starting velocity for resolution index 0, 1 or 2.
    static ScreenPoint StartVelocity(int resolutionIndex);

    bool Update(std::uint32_t now);
    void Step();

    ScreenPoint Centre() const { return position_; }
    ScreenPoint Velocity() const { return velocity_; }

private:
    ScreenPoint position_;
    ScreenPoint velocity_;
    ScreenPoint centre_;
    std::uint32_t lastStep_;
};

// What moves the bonus stage's target and the final screen's creature: a
// pendulum in the quoli theme, a ship circling in space; nothing until one
// starts.
class TargetMotion {
public:
    void Swing(ScreenPoint pivot, int arm, std::uint32_t now)
    {
        Stop();
        pendulum_ = std::make_unique<TPendulum>(pivot, arm, now);
    }
    void Circle(ScreenPoint start, ScreenPoint velocity, ScreenPoint centre, std::uint32_t now)
    {
        Stop();
        circler_ = std::make_unique<TCircler>(start, velocity, centre, now);
    }
    void Stop()
    {
        pendulum_.reset();
        circler_.reset();
    }
    void Update(std::uint32_t now)
    {
        if (pendulum_)
            pendulum_->Update(now);
        if (circler_)
            circler_->Update(now);
    }
    const TPendulum* Pendulum() const { return pendulum_.get(); }
    const TCircler* Circler() const { return circler_.get(); }

private:
    std::unique_ptr<TPendulum> pendulum_;
    std::unique_ptr<TCircler> circler_;
};

// The box that grows at the screen's horizontal centre after the bonus
// target is hit, and the hundred points it gives once it is full.
class TBonusHitBox {
public:
    static constexpr std::uint32_t kGrowMs = 50;
    static constexpr int kFull = 12;
    static constexpr int kPoints = 100;

    void Hit(std::uint32_t now);
    void Reset() { counter_ = 0; }
    // Grows by one when more than kGrowMs have passed; returns the points
    // earned by this call (kPoints once, on reaching kFull, else 0).
    int Update(std::uint32_t now);

    int Counter() const { return counter_; }
    bool WasHit() const { return counter_ > 0; }
    bool ShowsPoints() const { return counter_ >= kFull; }
    Rect Box(int screenWidth) const;
    int CornerRadius() const;

private:
    int counter_ = 0;  // 0: no hit
    std::uint32_t lastGrowth_ = 0;
};
