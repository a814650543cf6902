#pragma once
// The game's typefaces and what it draws with them whatever the theme: the
// score box, the lives as a number, and the framed title and final screens.

#include "gfx/Display.h"
#include "gfx/Images.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class TFont;
class TJoinElement;
struct GameSettings;

// Colour numbers of the framed title and final screens. Every text stands
// out from the dark inner frame by a contrast of 4.5:1 or more, so that a
// child who is learning to read sees each letter.
namespace framedcolours {

constexpr std::uint32_t kBorder = 15;
constexpr std::uint32_t kInside = 1;
constexpr std::uint32_t kTitle = 15;
constexpr std::uint32_t kLevelMessage = 5;      // gold
constexpr std::uint32_t kBonusInstruction = 16; // pink
constexpr std::uint32_t kFinalMessage = 4;

}  // namespace framedcolours

class GameScreens {
public:
    GameScreens();
    ~GameScreens();
    GameScreens(const GameScreens&) = delete;
    GameScreens& operator=(const GameScreens&) = delete;

    // Opens the typefaces; without the game's own bitmap font the program
    // cannot go on. Drawing leaves the screen's own font in place, so that
    // a dialog opened over the game (the top ten) is drawn as anywhere.
    void Open(const GameSettings& settings);
    void Close();

    // The height of a line in the words' typeface.
    int WordLineHeight() const { return wordLineHeight_; }

    // The score box, in the bottom right corner standing on `floor` (0: the
    // screen's bottom) or, where the picture themes' launchers stand at the
    // bottom, in the top right one.
    void DrawScore(std::uint32_t score, bool atTop = false, int floor = 0);
    Rect ScoreBox(bool atTop, int floor = 0) const;
    // The lives, bottom left, standing on `floor` (0: the screen's bottom).
    void DrawLivesText(const char* text, std::uint32_t colour, int floor = 0);
    Rect LivesTextBox(const char* text, int floor = 0) const;
    // Two nested round frames over the whole screen.
    void DrawFramedScreen();
    // "Livello n" and the level's message, or the bonus stage's title.
    void DrawTitleScreen(bool bonus, int levelNumber, const std::string& message);
    void DrawFinalScreen();
    // A short count ("x 7") in a box like the score's, its left side at x
    // and its middle at y; the width it takes.
    int DrawCount(int x, int y, const char* text);
    int CountWidth(const char* text) const;
    int CountHeight() const;
    // The switch player's letters along the bottom of the screen, the
    // highlighted one large; the height it takes.
    int DrawLetterStrip(const std::vector<char>& cells, int highlighted);
    int LetterStripHeight() const;
    // A message across the middle of the screen, in a box, with a second
    // line in smaller letters when `more` is not empty.
    void DrawBanner(const char* text, const std::string& more = std::string());
    // A red frame round the screen, a side at a time (0 to 3): that key
    // began no word.
    void DrawWrongKeyFrameSide(int side);
    // A centred line in the score's typeface.
    void DrawScoreLine(int x, int y, const char* text, std::uint32_t colour);

private:
    TFont* OrFallback(const std::unique_ptr<TFont>& font) const;

    TJoinElement* fallbackEntry_ = nullptr;
    std::unique_ptr<TFont> fallback_, scoreFont_, livesFont_, title42_, title36_, wordFont_;
    int wordLineHeight_ = 0;
    // The strip as last drawn: drawn again only when its cells or its
    // highlight change (its letters are rendered type), else copied.
    struct DrawnStrip {
        SurfacePtr picture;
        std::vector<char> cells;
        int highlighted = -1;
    } strip_;
};
