#pragma once
// The screens shown over a running game: the pause, and the question asked
// when Escape is pressed. Both stop the game clock and the effects while
// they are shown, so the game resumes exactly where it stopped.

#include "ui/TMenuContext.h"
#include "game/ScreenState.h"

#include <cstdint>
#include <memory>
#include <string>

class TFont;

// The whole screen says "Pausa" and how to go on, so that a child who
// pressed the key by chance knows what happened.
class TPauseDialog : public TDialog {
public:
    TPauseDialog();
    ~TPauseDialog() override;
    void DrawBody() override;
    // Where the two lines are written.
    Rect TitleArea() const;
    Rect HintArea() const;

private:
    std::unique_ptr<TFont> title_;
};

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

// A message over the running game (what a print of the screen came to):
// the game waits under it and goes on when it is closed.
class TToldContext : public TMenuContext {
public:
    TToldContext(std::string title, std::string text);
    void Start() override;
    void Stop() override;

private:
    std::string title_, text_;
    ScreenState saved_;
};

// Stops the clock and the effects and saves the screen (pause, exit, top ten).
void Freeze(ScreenState& saved);
void Thaw(ScreenState& saved);
