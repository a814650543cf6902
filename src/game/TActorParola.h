#pragma once
// A falling word: its text in the user's typeface, as large as fits the
// lane, inside a rounded box that gains a warning halo when the word is
// about to land.

#include "app/TActor.h"
#include "gfx/Display.h"
#include "gfx/Images.h"

#include <cstdint>
#include <memory>
#include <string>

class TFont;
struct GameSettings;

class TActorParola : public TActor {
public:
    // x is the word's centre and y the top of its box.
    // Drawn with the font, case and colours of `settings`, which outlive it.
    TActorParola(std::uint32_t durationMs, const char* text, int x, int y, const GameSettings& settings);
    ~TActorParola() override;

    // Draws box, halo and text; the halo comes once 90% of the fall time has
    // passed, unless the game is showing a lost life.
    void DrawWord(bool lifeLost);
    // Shows `text` instead (as launched, before the game's case), its first
    // `highlighted` characters in the colour of progress.
    void ShowProgress(const std::string& text, int highlighted);
    int Highlighted() const { return highlighted_; }

    int TextHeight() const { return textHeight_; }
    // All DrawWord may cover, the warning halo too.
    Rect Box() const;
    int HalfWidth() const { return halfWidth_; }
    int PointSize() const { return pointSize_; }
    const std::string& Text() const { return text_; }
    bool Warning() const { return warning_; }
    // Whether DrawWord would draw the halo now, and how long until it will
    // (UINT32_MAX once it does).
    bool ShowsWarning(bool lifeLost) const;
    std::uint32_t WarningIn() const;
    // What DrawWord would draw, as a key: equal keys, equal pixels.
    std::string Looks(bool lifeLost) const;

private:
    const GameSettings& settings_;
    std::uint32_t halo_ = 0;
    bool warning_ = false;
    std::uint32_t created_ = 0;
    std::uint32_t warningDelay_ = 0;
    int halfWidth_ = 0;
    int pointSize_ = 0;
    std::unique_ptr<TFont> font_;
    SurfacePtr rendered_;
    SurfacePtr progress_;  // the highlighted beginning, drawn over the text
    int highlighted_ = 0;
    int textHeight_ = 0;
    std::string text_;
};

// Two hidden letters in a row as two gaps a child can count ("GA_ _O"), not
// one long bar; `highlighted` (a count of leading characters) follows.
std::string ApartBlanks(const std::string& text, int& highlighted);
// The word as the game shows it: 2 upper-cases (accented letters too, so
// that a child learning capitals reads CAFFÈ, not CAFFè), 3 lower-cases
// (ASCII only). Only the showing changes: what is typed and matched does not.
std::string ApplyTextCase(const std::string& text, int textCase);
// A colour for typed letters that stands out on the box and differs from
// the text's colour.
std::uint32_t ProgressColour(int boxColour, int textColour);
