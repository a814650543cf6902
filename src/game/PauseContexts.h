#pragma once
// The screens shown over a running game: the pause, and the question asked
// when Escape is pressed. Both stop the game clock and the effects while
// they are shown, so the game resumes exactly where it stopped.

#include "ui/TMenuContext.h"
#include "game/ScreenState.h"

#include <cstdint>

class TPauseContext : public TMenuContext {
public:
    TPauseContext();
    void Start() override;
    void Stop() override;

private:
    ScreenState saved_;
};

class TWantExitContext : public TMenuContext {
public:
    explicit TWantExitContext(std::uint8_t* answer);
    void Start() override;
    void Stop() override;

private:
    std::uint8_t* answer_;
    ScreenState saved_;
};

// Stops the clock and the effects and saves the screen (pause, exit, top ten).
void Freeze(ScreenState& saved);
void Thaw(ScreenState& saved);
