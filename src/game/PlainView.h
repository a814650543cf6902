#pragma once
// The plain theme: the words alone in their boxes on a coloured background,
// the lives and the score.

#include "game/GameView.h"
#include "game/PiecePainter.h"
#include "game/Playfield.h"
#include "game/TActorParola.h"

#include "gfx/Display.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class PlainView : public GameView {
public:
    PlainView(GameScreens& screens, int lanes, const GameSettings& settings);

    FallGeometry Geometry(int lineSkip) const override;
    void ClearLanes() override;
    void Draw(const Playfield& field, GameState state, std::uint32_t now) override;
    const TActorParola* Word(int lane) const override { return words_[lane].get(); }
    std::vector<Rect> PanelBoxes(const Playfield& field, GameState state) const override;
    std::uint32_t NextChangeIn(const Playfield& field, std::uint32_t now) const override;
    // The word just hit, shown a moment where it was; null when none.
    const TActorParola* HitWord() const { return hit_.get(); }
    void PaintWholeAlways(bool always) override { painter_.PaintWholeAlways(always); }

private:
    std::uint32_t Background() const;
    std::vector<Rect> Panels(const char* livesText) const;
    static std::string LivesText(const Playfield& field, GameState state);
    int LaunchWord(int lane, const std::string& shown, std::uint32_t fallMs) override;
    TActorParola* WordActor(int lane) override { return words_[lane].get(); }
    void KeepHitWord(int lane) override;

    static constexpr std::uint32_t kHitShownMs = 700;

    // What the picture holds, back to front: the lanes' words, then these,
    // then what is said over play.
    static constexpr std::size_t kHitPiece = Playfield::kMaxLanes, kLivesPiece = kHitPiece + 1,
                                 kScorePiece = kLivesPiece + 1, kFeedbackPiece = kScorePiece + 1;

    std::unique_ptr<TActorParola> words_[Playfield::kMaxLanes];
    int textOffset_[Playfield::kMaxLanes] = {};
    std::unique_ptr<TActorParola> hit_;
    std::uint32_t hitAt_ = 0;
    PiecePainter painter_;
};
