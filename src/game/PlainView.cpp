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
    // On a plain background only where something was or is changes: those
    // places are painted again (the background first, so that blended text
    // is never drawn over itself) and sent; the rest of the screen is left
    // as it is. Once anyone else has drawn on the screen, all of it is.
    const std::uint32_t background = static_cast<std::uint32_t>(theGameSettings.backgroundColour);
    bool whole = alwaysWhole_ || DrawCount() != drawnAt_;
    if (whole)
        ClearScreen(background);
    else
        for (const Rect& r : drawnBoxes_)
            FillBox(r.left, r.top, r.right, r.bottom, background);
    std::vector<Rect> boxes;
    // Each thing drawn marks exactly its box as dirty: that is its box.
    auto tracked = [&boxes](auto&& draw) {
        theScreen.dirty.left = kEmptyRect;
        draw();
        if (!DirtyIsEmpty())
            boxes.push_back(theScreen.dirty);
    };
    ShowTyping(field, now);
    for (int i = 0; i < field.Lanes(); ++i) {
        if (!field.Lane(i).hasWord)
            words_[i].reset();
        if (!words_[i])
            continue;
        long long y = textOffset_[i] + field.Travelled(i, now) - field.Rules().topMargin;
        words_[i]->MoveTo(words_[i]->X(), static_cast<int>(y));
        tracked([&] { words_[i]->DrawWord(state == GameState::kLifeLost); });
    }
    if (hit_ && now - hitAt_ >= kHitShownMs)
        hit_.reset();
    if (hit_)
        tracked([&] { hit_->DrawWord(true); });
    // The lives with their name, so that a child knows what the number is.
    char lives[64];
    if (field.Rules().infiniteLives)
        std::snprintf(lives, sizeof lives, "%s: Inf.", GetString(10, 108));
    else
        std::snprintf(lives, sizeof lives, "%s: %d", GetString(10, 108), field.Board().Lives());
    std::uint32_t ink = static_cast<std::uint32_t>(theGameSettings.textColour);
    tracked([&] { screens_.DrawLivesText(lives, ink, strip_ != nullptr); });
    tracked([&] { screens_.DrawScore(field.Board().Score(), strip_ != nullptr); });
    tracked([&] { DrawFeedback(field, state, now); });

    std::vector<Rect> changed = whole ? std::vector<Rect>{theScreen.viewPort} : drawnBoxes_;
    if (!whole)
        changed.insert(changed.end(), boxes.begin(), boxes.end());
    LimitPushTo(changed);
    drawnBoxes_ = std::move(boxes);
    drawnAt_ = DrawCount();
}
