#pragma once
// The plain theme: the words alone in their boxes on a coloured background,
// the lives as a number and the score.

#include "game/GameView.h"
#include "game/Playfield.h"
#include "game/TActorParola.h"

#include <memory>

class PlainView : public GameView {
public:
    PlainView(GameScreens& screens, int lanes) : GameView(screens, lanes) {}

    FallGeometry Geometry(int lineSkip) const override;
    int Launched(int lane, const std::string& shown, std::uint32_t fallMs) override;
    void ClearLanes() override;
    void Draw(const Playfield& field, GameState state, std::uint32_t now) override;
    const TActorParola* Word(int lane) const override { return words_[lane].get(); }

private:
    std::unique_ptr<TActorParola> words_[Playfield::kMaxLanes];
    int textOffset_[Playfield::kMaxLanes] = {};
};
