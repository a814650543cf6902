#include "game/GameScreens.h"

#include "base/FatalError.h"
#include "gfx/Colours.h"
#include "gfx/Primitives.h"
#include "gfx/Screen.h"
#include "gfx/TFont.h"
#include "gfx/Text.h"
#include "session/GameSettings.h"
#include "resources/Archives.h"
#include "resources/FileHelpers.h"
#include "resources/StringTable.h"
#include "resources/TJoinFile.h"

#include <algorithm>
#include <cstdio>

namespace {

std::unique_ptr<TFont> GameFont(const char* stem, int size)
{
    return TFont::OpenTrueType(FontsFolder() + stem + ".ttf", Scaled(size));
}

}  // namespace

GameScreens::GameScreens() = default;

GameScreens::~GameScreens()
{
    Close();
}

void GameScreens::Open(const GameSettings& s)
{
    fallbackEntry_ = theArchive ? theArchive->LoadItem(5, 2) : nullptr;
    if (fallbackEntry_)
        fallback_ = TFont::FromBitmap(fallbackEntry_->Data(), fallbackEntry_->DataLength());
    if (!fallback_)
        FatalError(GetString(1, 5), "Game Comic Font");
    scoreFont_ = GameFont("comicbd", 22);
    livesFont_ = GameFont("arialbd", 20);
    title42_ = GameFont("comicbd", 42);
    title36_ = GameFont("comicbd", 36);
    wordFont_ = GameFont(s.fontName, s.fontSize);
    DrawingState saved;
    theScreen.font = OrFallback(wordFont_);
    wordLineHeight_ = LineHeight();
}

void GameScreens::Close()
{
    if (!fallback_ && !fallbackEntry_)
        return;
    for (auto* font : {&scoreFont_, &livesFont_, &title42_, &title36_, &wordFont_, &fallback_})
        CloseFont(*font);
    TJoinFile::Release(fallbackEntry_);
    fallbackEntry_ = nullptr;
    theScreen.font = DefaultFont();
}

TFont* GameScreens::OrFallback(const std::unique_ptr<TFont>& font) const
{
    return font ? font.get() : fallback_.get();
}

namespace {

int FloorOr(int floor)
{
    return floor > 0 ? floor : theScreen.height;
}

}  // namespace

Rect GameScreens::ScoreBox(bool atTop, int floor) const
{
    DrawingState saved;
    theScreen.font = OrFallback(scoreFont_);
    int cell = TextWidth("0") + Scaled(2);
    int width = 8 * cell + Scaled(18) - Scaled(2);
    int tall = LineHeight() + Scaled(8);
    int right = theScreen.width - Scaled(10), bottom = atTop ? Scaled(8) + tall : FloorOr(floor) - Scaled(8);
    return {right - width, bottom - tall, right, bottom};
}

void GameScreens::DrawScore(std::uint32_t score, bool atTop, int floor)
{
    DrawingState saved;  // the screen keeps its own font for the dialogs
    Rect box = ScoreBox(atTop, floor);
    theScreen.font = OrFallback(scoreFont_);
    char digits[16];
    std::snprintf(digits, sizeof digits, "%08u", score);
    int cell = TextWidth("0") + Scaled(2);
    int width = box.right - box.left;
    int left = box.left, top = box.top, right = box.right, bottom = box.bottom;
    theScreen.pen = MapColour(0);
    FillRoundBox(left, top, right, bottom, Scaled(16));
    theScreen.pen = MapColour(4);
    FillRoundBox(left + 3, top + 3, right - 3, bottom - 3, Scaled(16));
    theScreen.pen = MapColour(8);
    theScreen.hAnchor = 1;
    theScreen.vAnchor = 1;
    int x0 = left + (width - 8 * cell) / 2;
    for (int i = 0; i < 8; ++i) {
        char one[2] = {digits[i], 0};
        DrawText(x0 + cell * i + cell / 2, (top + bottom) / 2, one);
    }
}

void GameScreens::DrawLivesText(const char* text, std::uint32_t colour, int floor)
{
    DrawingState saved;  // the screen keeps its own font for the dialogs
    theScreen.font = OrFallback(livesFont_);
    theScreen.pen = MapColour(colour);
    theScreen.hAnchor = 0;
    theScreen.vAnchor = 0;
    DrawText(Scaled(10), FloorOr(floor) - Scaled(5), text);
}

Rect GameScreens::LivesTextBox(const char* text, int floor) const
{
    DrawingState saved;
    theScreen.font = OrFallback(livesFont_);
    theScreen.hAnchor = 0;
    theScreen.vAnchor = 0;
    return TextBounds(Scaled(10), FloorOr(floor) - Scaled(5), TextWidth(text));
}

void GameScreens::DrawFramedScreen()
{
    int W = theScreen.width, H = theScreen.height;
    ClearScreen(21);
    theScreen.pen = MapColour(framedcolours::kBorder);
    FillRoundBox(Scaled(5), Scaled(5), W - 1 - Scaled(5), H - 1 - Scaled(5), Scaled(20));
    theScreen.pen = MapColour(framedcolours::kInside);
    FillRoundBox(Scaled(10), Scaled(10), W - 1 - Scaled(10), H - 1 - Scaled(10), Scaled(20));
    theScreen.hAnchor = 1;
    theScreen.vAnchor = 1;
}

void GameScreens::DrawTitleScreen(bool bonus, int levelNumber, const std::string& message)
{
    DrawingState saved;  // the screen keeps its own font for the dialogs
    int W = theScreen.width, H = theScreen.height;
    DrawFramedScreen();
    theScreen.font = OrFallback(title42_);
    theScreen.pen = MapColour(framedcolours::kTitle);
    char title[300];
    if (bonus)
        std::snprintf(title, sizeof title, "%s", GetString(10, 102));
    else
        std::snprintf(title, sizeof title, "%s %d", GetString(10, 100), levelNumber);
    DrawText(W / 2, H / 3 + Scaled(30), title);
    theScreen.font = OrFallback(bonus ? scoreFont_ : title36_);
    theScreen.pen = MapColour(bonus ? framedcolours::kBonusInstruction : framedcolours::kLevelMessage);
    DrawText(W / 2, H / 3 + Scaled(90), bonus ? GetString(10, 103) : message.c_str());
}

void GameScreens::DrawFinalScreen()
{
    DrawingState saved;  // the screen keeps its own font for the dialogs
    DrawFramedScreen();
    theScreen.font = OrFallback(title42_);
    theScreen.pen = MapColour(framedcolours::kFinalMessage);
    DrawText(theScreen.width / 2, theScreen.height / 2, GetString(10, 101));
}

void GameScreens::DrawScoreLine(int x, int y, const char* text, std::uint32_t colour)
{
    DrawingState saved;  // the screen keeps its own font for the dialogs
    theScreen.font = OrFallback(scoreFont_);
    theScreen.pen = MapColour(colour);
    theScreen.hAnchor = 1;
    theScreen.vAnchor = 1;
    DrawText(x, y, text);
}

void GameScreens::DrawBanner(const char* text, const std::string& more)
{
    DrawingState saved;
    theScreen.font = OrFallback(livesFont_);
    int moreWidth = more.empty() ? 0 : TextWidth(more.c_str()), moreHeight = more.empty() ? 0 : LineHeight();
    theScreen.font = OrFallback(title36_);
    int lineHeight = LineHeight();
    int w = std::max(TextWidth(text), moreWidth) + Scaled(40), h = lineHeight + moreHeight + Scaled(24);
    w = std::min(w, theScreen.width - Scaled(20));
    int left = (theScreen.width - w) / 2, top = theScreen.height / 2 - h / 2 - Scaled(40);
    // Dark red on white: well above the contrast text needs.
    theScreen.pen = MapColour(9);
    FillRoundBox(left, top, left + w, top + h, Scaled(16));
    theScreen.pen = MapColour(15);
    FillRoundBox(left + 3, top + 3, left + w - 3, top + h - 3, Scaled(14));
    theScreen.pen = MapColour(9);
    theScreen.hAnchor = 1;
    theScreen.vAnchor = 1;
    int firstMiddle = top + Scaled(12) + lineHeight / 2;
    DrawText(theScreen.width / 2, firstMiddle, text);
    if (!more.empty()) {
        theScreen.font = OrFallback(livesFont_);
        theScreen.pen = MapColour(0);
        DrawText(theScreen.width / 2, firstMiddle + lineHeight / 2 + moreHeight / 2, more.c_str());
    }
}

void GameScreens::DrawWrongKeyFrameSide(int side)
{
    int t = Scaled(6), W = theScreen.width, H = theScreen.height;
    std::uint32_t red = 8;
    switch (side) {
    case 0: FillBox(0, 0, W - 1, t - 1, red); break;
    case 1: FillBox(0, H - t, W - 1, H - 1, red); break;
    case 2: FillBox(0, 0, t - 1, H - 1, red); break;
    default: FillBox(W - t, 0, W - 1, H - 1, red); break;
    }
}

int GameScreens::CountWidth(const char* text) const
{
    DrawingState saved;
    theScreen.font = OrFallback(scoreFont_);
    return TextWidth(text) + Scaled(20);
}

int GameScreens::DrawCount(int x, int y, const char* text)
{
    DrawingState saved;  // the screen keeps its own font for the dialogs
    int w = CountWidth(text);
    theScreen.font = OrFallback(scoreFont_);
    int h = LineHeight() + Scaled(8);
    theScreen.pen = MapColour(0);
    FillRoundBox(x, y - h / 2, x + w, y + h / 2, Scaled(12));
    theScreen.pen = MapColour(4);
    FillRoundBox(x + 3, y - h / 2 + 3, x + w - 3, y + h / 2 - 3, Scaled(12));
    theScreen.pen = MapColour(8);
    theScreen.hAnchor = 1;
    theScreen.vAnchor = 1;
    DrawText(x + w / 2, y, text);
    return w;
}

int GameScreens::CountHeight() const
{
    DrawingState saved;
    theScreen.font = OrFallback(scoreFont_);
    return LineHeight() + Scaled(8) + 1;
}

int GameScreens::LetterStripHeight() const
{
    DrawingState saved;
    theScreen.font = OrFallback(title42_);
    return LineHeight() + Scaled(16);
}

int GameScreens::DrawLetterStrip(const std::vector<char>& cells, int highlighted)
{
    DrawingState saved;
    int H = theScreen.height, height = LetterStripHeight();
    int top = H - height;
    SDL_Surface* last = strip_.picture.get();
    bool sameSize = last && last->w == theScreen.width && last->h == height;
    if (sameSize && strip_.cells == cells && strip_.highlighted == highlighted) {
        DrawImage(0, top, last);
        return height;
    }
    FillBox(0, top, theScreen.width - 1, H - 1, 0);
    // Every cell as wide as the widest letter; the highlighted one twice as
    // wide, in yellow with a red frame, so that it can be followed.
    theScreen.font = OrFallback(scoreFont_);
    const char* cancel = GetString(10, 111);
    int cell = TextWidth("W") + Scaled(14);
    int cancelWidth = TextWidth(cancel) + Scaled(14);
    int total = 0;
    for (std::size_t i = 0; i < cells.size(); ++i)
        total += (cells[i] ? cell : cancelWidth) * (static_cast<int>(i) == highlighted ? 2 : 1) + Scaled(4);
    int x = std::max(Scaled(4), (theScreen.width - total) / 2);
    theScreen.hAnchor = 1;
    theScreen.vAnchor = 1;
    for (std::size_t i = 0; i < cells.size(); ++i) {
        bool lit = static_cast<int>(i) == highlighted;
        int w = (cells[i] ? cell : cancelWidth) * (lit ? 2 : 1);
        int t = lit ? top + Scaled(3) : top + height / 4, b = lit ? H - Scaled(3) : H - height / 4;
        theScreen.pen = MapColour(lit ? 8 : 3);
        FillRoundBox(x, t, x + w, b, Scaled(8));
        theScreen.pen = MapColour(lit ? 4 : 15);
        FillRoundBox(x + 3, t + 3, x + w - 3, b - 3, Scaled(6));
        char letter[2] = {cells[i], 0};
        theScreen.font = OrFallback(lit ? title42_ : scoreFont_);
        theScreen.pen = MapColour(lit ? 9 : 0);
        DrawText(x + w / 2, (t + b) / 2, cells[i] ? letter : cancel);
        x += w + Scaled(4);
    }
    if (!sameSize)
        strip_.picture.reset(CreateScreenSurface(theScreen.width, height));
    if (strip_.picture) {
        SaveScreenArea(0, top, strip_.picture.get());
        strip_.cells = cells;
        strip_.highlighted = highlighted;
    }
    return height;
}
