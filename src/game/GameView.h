#pragma once
// How a game looks: a view draws the Playfield in one of the themes. It
// holds the pictures and the rendered words, never the rules.

#include "game/GameState.h"
#include "game/PiecePainter.h"
#include "gfx/Display.h"

#include <cstdint>
#include <string>
#include <vector>

class GameScreens;
class LetterStrip;
class Playfield;
class TActorParola;

// Where the words fall, in pixels, for a theme at the screen's size.
struct FallGeometry {
    int topMargin = 0;   // the fall starts this far above the screen
    int bottomLine = 0;  // a word past it has landed
};

struct GameSettings;

// The lives the child is shown: during a lost life, already one fewer;
// never below 0.
int ShownLives(const Playfield& field, GameState state);
// What a lost life means now: the lives left and that the level starts again.
std::string AfterTheLoss(const Playfield& field);

class GameView {
public:
    // Draws with `settings`, which outlive the view.
    GameView(GameScreens& screens, int lanes, const GameSettings& settings);
    virtual ~GameView() = default;
    GameView(const GameView&) = delete;
    GameView& operator=(const GameView&) = delete;

    virtual FallGeometry Geometry(int lineSkip) const = 0;
    // A word was launched in `lane` (`answer` as the child must type it);
    // answers its carrier's height.
    int Launched(int lane, const std::string& shown, const std::string& answer, std::uint32_t fallMs);
    // Dictation: each word is launched as gaps, filled as the child types.
    void FillGaps(bool on) { fillsGaps_ = on; }
    // The child typed the lane's word: it is shown whole, in the colour of
    // progress, for as long as it stays on screen.
    void WordHit(int lane);
    // Everything leaves the lanes (between levels).
    virtual void ClearLanes() = 0;
    // One picture of play.
    virtual void Draw(const Playfield& field, GameState state, std::uint32_t now) = 0;
    // How long from `now` until the picture changes by itself while the
    // rules stand still (a message goes, a halo comes); 0: it may change in
    // any frame.
    virtual std::uint32_t NextChangeIn(const Playfield&, std::uint32_t) const { return 0; }
    // Every picture painted whole, as the tests compare.
    virtual void PaintWholeAlways(bool always) = 0;
    // The title screens' pictures, if the theme has any.
    virtual void DrawTitleDecorations() {}
    virtual const TActorParola* Word(int lane) const = 0;
    // The score and the lives as this view places them: no word is ever
    // drawn over them.
    virtual std::vector<Rect> PanelBoxes(const Playfield& field, GameState state) const = 0;
    // Where the words of the last picture were drawn (their halos too).
    const std::vector<Rect>& DrawnWords() const { return drawnWords_; }
    // A child playing with switches: the letters are drawn along the
    // bottom, and what usually stands there goes to the top.
    void ShowLetterStrip(const LetterStrip* strip);

protected:
    const GameSettings& settings_;
    virtual int LaunchWord(int lane, const std::string& shown, std::uint32_t fallMs) = 0;
    virtual TActorParola* WordActor(int lane) = 0;
    // What a plain view does when a word is hit (it keeps it a moment).
    virtual void KeepHitWord(int) {}
    // Every word shows what the child has typed of it.
    void ShowTyping(const Playfield& field, std::uint32_t now);
    // Drawn over play, as pieces of the picture: a red frame a moment after
    // a wrong key, the letter strip, and what the game is doing when nothing
    // can be typed (a word fell, a level is won).
    void AddFeedback(std::vector<PiecePainter::Piece>& pieces, const Playfield& field, GameState state,
                     std::uint32_t now);
    bool FillsBlanks() const;
    static bool ClearOfPanels(const Rect& word, const std::vector<Rect>& panels);

    static constexpr std::uint32_t kWrongKeyMs = 350;
    // How long the red frame of a wrong key stays from `now`; UINT32_MAX
    // when none is shown.
    std::uint32_t WrongKeyLeftIn(const Playfield& field, std::uint32_t now) const;

    // The middle of a lane across the screen.
    int LaneCentre(int lane) const;
    // The bottom of the play area: the top of the letter strip when it is
    // shown, else the bottom of the screen.
    int Floor() const;
    // The play area changed height (a view with launchers moves them).
    virtual void FloorMoved() {}

    GameScreens& screens_;
    int laneCount_;  // lanes in play, 1 to 3
    std::string shown_[3], answers_[3];  // as each lane's word was launched
    const LetterStrip* strip_ = nullptr;
    bool fillsGaps_ = false;
    // Which of the two flowers stands by each lane's launcher (the quoli
    // look shows them).
    int decorations_[3] = {};
    std::vector<Rect> drawnWords_;
};
