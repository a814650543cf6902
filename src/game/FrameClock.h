#pragma once
// When the game draws: positions follow the clock, so moving and drawing
// everything about as often as a monitor shows a picture looks the same as
// doing it on every pass of the loop, at a small part of the cost.

#include <cstdint>

class FrameClock {
public:
    static constexpr std::uint32_t kEveryMs = 15;

    // True when a picture is due at `now` (or `force`d); it then counts as
    // drawn.
    bool Due(std::uint32_t now, bool force = false)
    {
        if (!force && now - last_ < kEveryMs)
            return false;
        last_ = now;
        return true;
    }
    // How long from `now` until the next picture is due.
    std::uint32_t NextIn(std::uint32_t now) const
    {
        std::uint32_t since = now - last_;
        return since >= kEveryMs ? kEveryMs : kEveryMs - since;
    }

private:
    std::uint32_t last_ = 0;
};
