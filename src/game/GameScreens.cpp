#include "game/GameScreens.h"

#include "base/FatalError.h"
#include "gfx/Colours.h"
#include "gfx/Primitives.h"
#include "gfx/Screen.h"
#include "gfx/TFont.h"
#include "gfx/Text.h"
#include "menus/GameSettings.h"
#include "resources/Archives.h"
#include "resources/FileHelpers.h"
#include "resources/StringTable.h"
#include "resources/TJoinFile.h"

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

void GameScreens::DrawScore(std::uint32_t score)
{
    theScreen.font = OrFallback(scoreFont_);
    char digits[16];
    std::snprintf(digits, sizeof digits, "%08u", score);
    int cell = TextWidth("0") + Scaled(2);
    int width = 8 * cell + Scaled(18) - Scaled(2);
    int right = theScreen.width - Scaled(10), bottom = theScreen.height - Scaled(8);
    int left = right - width, top = bottom - (LineHeight() + Scaled(8));
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

void GameScreens::DrawLivesNumber(int lives, bool endless, std::uint32_t colour)
{
    theScreen.font = OrFallback(livesFont_);
    theScreen.pen = MapColour(colour);
    theScreen.hAnchor = 0;
    theScreen.vAnchor = 0;
    char text[16];
    if (endless)
        std::snprintf(text, sizeof text, "Inf.");
    else
        std::snprintf(text, sizeof text, "%d", lives);
    DrawText(Scaled(10), theScreen.height - Scaled(5), text);
}

void GameScreens::DrawFramedScreen()
{
    int W = theScreen.width, H = theScreen.height;
    ClearScreen(21);
    theScreen.pen = MapColour(15);
    FillRoundBox(Scaled(5), Scaled(5), W - 1 - Scaled(5), H - 1 - Scaled(5), Scaled(20));
    theScreen.pen = MapColour(1);
    FillRoundBox(Scaled(10), Scaled(10), W - 1 - Scaled(10), H - 1 - Scaled(10), Scaled(20));
    theScreen.hAnchor = 1;
    theScreen.vAnchor = 1;
}

void GameScreens::DrawTitleScreen(bool bonus, int levelNumber, const std::string& message)
{
    int W = theScreen.width, H = theScreen.height;
    DrawFramedScreen();
    theScreen.font = OrFallback(title42_);
    theScreen.pen = MapColour(15);
    char title[300];
    if (bonus)
        std::snprintf(title, sizeof title, "%s", GetString(10, 102));
    else
        std::snprintf(title, sizeof title, "%s %d", GetString(10, 100), levelNumber);
    DrawText(W / 2, H / 3 + Scaled(30), title);
    theScreen.font = OrFallback(bonus ? scoreFont_ : title36_);
    theScreen.pen = MapColour(8);
    DrawText(W / 2, H / 3 + Scaled(90), bonus ? GetString(10, 103) : message.c_str());
}

void GameScreens::DrawFinalScreen()
{
    DrawFramedScreen();
    theScreen.font = OrFallback(title42_);
    theScreen.pen = MapColour(4);
    DrawText(theScreen.width / 2, theScreen.height / 2, GetString(10, 101));
}

void GameScreens::DrawScoreLine(int x, int y, const char* text, std::uint32_t colour)
{
    theScreen.font = OrFallback(scoreFont_);
    theScreen.pen = MapColour(colour);
    theScreen.hAnchor = 1;
    theScreen.vAnchor = 1;
    DrawText(x, y, text);
}
