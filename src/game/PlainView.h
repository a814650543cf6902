#pragma once
// The plain theme: the words alone in their boxes on a coloured background,
// the lives and the score.

#include "game/GameView.h"
#include "game/Playfield.h"
#include "game/TActorParola.h"

#include "gfx/Display.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class PlainView : public GameView {
public:
    PlainView(GameScreens& screens, int lanes) : GameView(screens, lanes) {}

    FallGeometry Geometry(int lineSkip) const override;
    void ClearLanes() override;
    void Draw(const Playfield& field, GameState state, std::uint32_t now) override;
    const TActorParola* Word(int lane) const override { return words_[lane].get(); }
    // The word just hit, shown a moment where it was; null when none.
    const TActorParola* HitWord() const { return hit_.get(); }
    // Every picture painted whole, as the tests compare.
    void PaintWholeAlways(bool always) { alwaysWhole_ = always; }

private:
    int LaunchWord(int lane, const std::string& shown, std::uint32_t fallMs) override;
    TActorParola* WordActor(int lane) override { return words_[lane].get(); }
    void KeepHitWord(int lane) override;

    static constexpr std::uint32_t kHitShownMs = 700;

    // One thing the picture holds: an empty key when there is none.
    struct Piece {
        std::string key;
        std::function<void()> draw;
    };
    struct Drawn {
        std::string key;
        Rect box{};
    };
    // The pieces, back to front: the lanes' words, then these.
    static constexpr std::size_t kHitPiece = Playfield::kMaxLanes, kLivesPiece = kHitPiece + 1,
                                 kScorePiece = kLivesPiece + 1, kFeedbackPiece = kScorePiece + 1,
                                 kPieces = kFeedbackPiece + 1;

    // Paints what changed and sends it; a picture equal to the last sends
    // nothing.
    void Paint(const std::vector<Piece>& pieces);

    std::unique_ptr<TActorParola> words_[Playfield::kMaxLanes];
    int textOffset_[Playfield::kMaxLanes] = {};
    std::unique_ptr<TActorParola> hit_;
    std::uint32_t hitAt_ = 0;
    // What the last picture drew over the background, and the screen's
    // drawing count after it.
    std::vector<Drawn> drawn_;
    std::uint64_t drawnAt_ = ~std::uint64_t{0};
    bool alwaysWhole_ = false;
};
