#pragma once
// The play screen's common part: Escape asks whether to leave, Pause pauses,
// Ctrl+P prints the screen.

#include "ui/TMenuContext.h"

#include <cstdint>

class TGameContext : public TMenuContext {
public:
    TGameContext() : TMenuContext(0) {}
    ~TGameContext() override;

    void HandleEvent(TEvent& event) override;

protected:
    bool escapeAllowed_ = true;
    bool pauseAllowed_ = true;
    std::uint8_t exitConfirmed_ = 0;
};
