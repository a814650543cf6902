#include "game/PlainView.h"

#include "app/Clock.h"
#include "game/GameScreens.h"
#include "gfx/Screen.h"
#include "menus/GameSettings.h"
#include "resources/StringTable.h"

#include <cstdio>

FallGeometry PlainView::Geometry(int lineSkip) const
{
    return {lineSkip + 16, Floor()};
}

int PlainView::LaunchWord(int lane, const std::string& shown, std::uint32_t fallMs)
{
    int lineSkip = screens_.WordLineHeight();
    auto word = std::make_unique<TActorParola>(fallMs, shown.c_str(), LaneCentre(lane), -lineSkip - 16);
    // The box sits on the line's foot whatever the word's size.
    textOffset_[lane] = lineSkip - word->TextHeight();
    word->MoveBy(0, textOffset_[lane]);
    words_[lane] = std::move(word);
    return 0;
}

void PlainView::KeepHitWord(int lane)
{
    hit_ = std::move(words_[lane]);
    hitAt_ = Now();
}

void PlainView::ClearLanes()
{
    for (auto& word : words_)
        word.reset();
    hit_.reset();
}

void PlainView::Draw(const Playfield& field, GameState state, std::uint32_t now)
{
    ClearScreen(static_cast<std::uint32_t>(theGameSettings.backgroundColour));
    ShowTyping(field, now);
    for (int i = 0; i < field.Lanes(); ++i) {
        if (!field.Lane(i).hasWord)
            words_[i].reset();
        if (!words_[i])
            continue;
        long long y = textOffset_[i] + field.Travelled(i, now) - field.Rules().topMargin;
        words_[i]->MoveTo(words_[i]->X(), static_cast<int>(y));
        words_[i]->DrawWord(state == GameState::kLifeLost);
    }
    if (hit_ && now - hitAt_ >= kHitShownMs)
        hit_.reset();
    if (hit_)
        hit_->DrawWord(true);
    // The lives with their name, so that a child knows what the number is.
    char lives[64];
    if (field.Rules().infiniteLives)
        std::snprintf(lives, sizeof lives, "%s: Inf.", GetString(10, 108));
    else
        std::snprintf(lives, sizeof lives, "%s: %d", GetString(10, 108), field.Lives());
    screens_.DrawLivesText(lives, static_cast<std::uint32_t>(theGameSettings.textColour), strip_ != nullptr);
    screens_.DrawScore(field.Score(), strip_ != nullptr);
    DrawFeedback(field, state, now);
}
