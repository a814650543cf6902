#include "game/PlainView.h"

#include "game/GameScreens.h"
#include "gfx/Screen.h"
#include "menus/GameSettings.h"

FallGeometry PlainView::Geometry(int lineSkip) const
{
    return {lineSkip + 16, theScreen.height};
}

int PlainView::Launched(int lane, const std::string& shown, std::uint32_t fallMs)
{
    int lineSkip = screens_.WordLineHeight();
    auto word = std::make_unique<TActorParola>(fallMs, shown.c_str(), LaneCentre(lane), -lineSkip - 16);
    // The box sits on the line's foot whatever the word's size.
    textOffset_[lane] = lineSkip - word->TextHeight();
    word->MoveBy(0, textOffset_[lane]);
    words_[lane] = std::move(word);
    return 0;
}

void PlainView::ClearLanes()
{
    for (auto& word : words_)
        word.reset();
}

void PlainView::Draw(const Playfield& field, GameState state, std::uint32_t now)
{
    ClearScreen(static_cast<std::uint32_t>(theGameSettings.backgroundColour));
    for (int i = 0; i < field.Lanes(); ++i) {
        if (!field.Lane(i).hasWord)
            words_[i].reset();
        if (!words_[i])
            continue;
        long long y = textOffset_[i] + field.Travelled(i, now) - field.Rules().topMargin;
        words_[i]->MoveTo(words_[i]->X(), static_cast<int>(y));
        words_[i]->DrawWord(state == GameState::kLifeLost);
    }
    screens_.DrawLivesNumber(field.Lives(), field.Rules().infiniteLives,
                             static_cast<std::uint32_t>(theGameSettings.textColour));
    screens_.DrawScore(field.Score());
}
