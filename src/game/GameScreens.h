#pragma once
// The game's typefaces and what it draws with them whatever the theme: the
// score box, the lives as a number, and the framed title and final screens.

#include <cstdint>
#include <memory>
#include <string>

class TFont;
class TJoinElement;
struct GameSettings;

class GameScreens {
public:
    GameScreens();
    ~GameScreens();
    GameScreens(const GameScreens&) = delete;
    GameScreens& operator=(const GameScreens&) = delete;

    // Opens the typefaces; without the game's own bitmap font the program
    // cannot go on. Leaves the word typeface on the screen.
    void Open(const GameSettings& settings);
    void Close();

    // The height of a line in the words' typeface.
    int WordLineHeight() const { return wordLineHeight_; }

    void DrawScore(std::uint32_t score);
    void DrawLivesNumber(int lives, bool endless, std::uint32_t colour);
    // Two nested round frames over the whole screen.
    void DrawFramedScreen();
    // "Livello n" and the level's message, or the bonus stage's title.
    void DrawTitleScreen(bool bonus, int levelNumber, const std::string& message);
    void DrawFinalScreen();
    // A centred line in the score's typeface.
    void DrawScoreLine(int x, int y, const char* text, std::uint32_t colour);

private:
    TFont* OrFallback(const std::unique_ptr<TFont>& font) const;

    TJoinElement* fallbackEntry_ = nullptr;
    std::unique_ptr<TFont> fallback_, scoreFont_, livesFont_, title42_, title36_, wordFont_;
    int wordLineHeight_ = 0;
};
