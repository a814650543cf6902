// The picture themes' play as the child sees it: the pieces of each picture
// (launchers and flowers, creatures and their threads, words, shots, lives,
// score and what is said), the background under them, the life icons and
// the title screens' pictures.

#include "game/PictureView.h"

#include "game/GameScreens.h"
#include "gfx/Images.h"
#include "gfx/Screen.h"
#include "resources/StringTable.h"
#include "session/GameSettings.h"

#include <algorithm>
#include <string>

namespace {

// Up to this many lives are drawn one icon each; more are one icon and
// their number, so that ten lives do not cover half the sky.
constexpr int kIconsInARow = 5;

std::string LivesCount(const Playfield& field, GameState state)
{
    return field.Rules().infiniteLives ? std::string() : "x " + std::to_string(ShownLives(field, state));
}

}  // namespace

void PictureView::Draw(const Playfield& field, GameState state, std::uint32_t now)
{
    ShowTyping(field, now);
    // Back to front: the launchers (with their flowers) and the creatures,
    // in the theme's order, then the words, the shots, the lives, the score
    // and what is said over play.
    std::vector<PiecePainter::Piece> pieces;
    pieces.reserve(5 * Playfield::kMaxLanes + 3);
    if (theme_ == themeart::kQuoli) {
        AddBases(pieces);
        AddSprites(pieces);
    } else {
        AddSprites(pieces);
        AddBases(pieces);
    }
    bool lifeLost = state == GameState::kLifeLost;
    // A word comes into sight below the score and the lives, never under them.
    std::vector<Rect> panels = PanelBoxes(field, state);
    drawnWords_.clear();
    for (int i = 0; i < laneCount_; ++i) {
        TActorParola* word = lanes_[i].word.get();
        if (word && !ClearOfPanels(word->Box(), panels))
            word = nullptr;
        pieces.push_back(word ? PiecePainter::Piece{word->Looks(lifeLost), [word, lifeLost] { word->DrawWord(lifeLost); }}
                              : PiecePainter::Piece{});
        if (word)
            drawnWords_.push_back(word->Box());
    }
    for (int i = 0; i < laneCount_; ++i) {
        TActor* shot = lanes_[i].shot.get();
        pieces.push_back(shot ? PiecePainter::Piece{SpriteKey(*shot), [shot] { shot->Paint(); }}
                              : PiecePainter::Piece{});
    }
    int lives = ShownLives(field, state);
    pieces.push_back({LivesCount(field, state) + ' ' + std::to_string(lives),
                      [this, &field, state] { DrawLifeIcons(field, state); }});
    std::uint32_t score = field.Board().Score();
    pieces.push_back({std::to_string(score), [this, score] { screens_.DrawScore(score, true); }});
    AddFeedback(pieces, field, state, now);
    bool plain = settings_.plainBackground || !pictures_.background;
    painter_.Paint(pieces, plain ? std::to_string(settings_.backgroundColour) : "picture");
}

void PictureView::AddBases(std::vector<PiecePainter::Piece>& pieces)
{
    for (int i = 0; i < laneCount_; ++i) {
        LanePictures& lane = lanes_[i];
        if (!lane.base) {
            pieces.emplace_back();
            continue;
        }
        pieces.push_back({SpriteKey(*lane.base) + ' ' + std::to_string(lane.decoration), [this, i] {
                              Rect flower = DecorationBox(i);
                              if (flower.right >= flower.left)
                                  DrawImage(flower.left, flower.top, pictures_.images[lanes_[i].decoration]);
                              lanes_[i].base->Paint();
                          }});
    }
}

void PictureView::AddSprites(std::vector<PiecePainter::Piece>& pieces)
{
    for (int i = 0; i < laneCount_; ++i) {
        LanePictures& lane = lanes_[i];
        TActor* sprite = lane.sprite.get();
        // The quoli creatures hang from a thread: a piece of its own, so that
        // a creature's box stays as small as the creature.
        int y = sprite ? sprite->Y() : 0;
        if (sprite && theme_ == themeart::kQuoli && !lane.landing && y + Scaled(50) > 0) {
            int centre = LaneCentre(i);
            pieces.push_back({"thread " + std::to_string(centre) + ' ' + std::to_string(y),
                              [centre, y] { FillBox(centre - Scaled(1), 0, centre + Scaled(1), y + 10, 3); }});
        } else {
            pieces.emplace_back();
        }
        pieces.push_back(sprite ? PiecePainter::Piece{SpriteKey(*sprite), [sprite] { sprite->Paint(); }}
                                : PiecePainter::Piece{});
    }
}

void PictureView::DrawBackground()
{
    if (settings_.plainBackground || !pictures_.background)
        ClearScreen(static_cast<std::uint32_t>(settings_.backgroundColour));
    else
        DrawImage(0, 0, pictures_.background);
}

void PictureView::DrawBackgroundIn(const Rect& r)
{
    if (settings_.plainBackground || !pictures_.background)
        FillBox(r.left, r.top, r.right, r.bottom, static_cast<std::uint32_t>(settings_.backgroundColour));
    else
        DrawImagePart(r.left, r.top, r.right - r.left + 1, r.bottom - r.top + 1, r.left, r.top, pictures_.background);
}

std::vector<Rect> PictureView::PanelBoxes(const Playfield& field, GameState state) const
{
    return {LifeIconsBox(field, state), screens_.ScoreBox(true)};
}

Rect PictureView::LivesLabelBox(const Playfield& field, GameState state) const
{
    // "Vite" in a box like the score's, so that the icons read as lives and
    // not as more creatures.
    SDL_Surface* icon = pictures_.lifeIcon;
    if (!icon || (ShownLives(field, state) == 0 && !field.Rules().infiniteLives))
        return {0, 0, -1, -1};
    int top = Scaled(5), left = Scaled(10);
    int width = screens_.CountWidth(GetString(10, 108));
    return {left, top, left + width, top + std::max(icon->h, screens_.CountHeight()) - 1};
}

Rect PictureView::LifeIconsBox(const Playfield& field, GameState state) const
{
    SDL_Surface* icon = pictures_.lifeIcon;
    int count = field.Rules().infiniteLives ? 1 : ShownLives(field, state);
    Rect label = LivesLabelBox(field, state);
    if (!icon || count == 0 || label.right < label.left)
        return {0, 0, -1, -1};
    // At the top: the launchers and their flowers fill the bottom.
    int top = label.top, left = label.right + 1 + Scaled(6);
    int width = count <= kIconsInARow ? count * (icon->w + Scaled(10)) - Scaled(10)
                                      : icon->w + Scaled(6) + screens_.CountWidth(LivesCount(field, state).c_str());
    return {label.left, top, left + width - 1, label.bottom};
}

Rect PictureView::DecorationBox(int lane) const
{
    SDL_Surface* decoration = pictures_.images[lanes_[lane].decoration];
    if (theme_ != themeart::kQuoli || !lanes_[lane].base || !decoration)
        return {0, 0, -1, -1};
    SDL_Surface* base = pictures_.images[themeart::kQuoliBase];
    int left = LaneCentre(lane) - ImageWidth(base) / 2 - decoration->w + Scaled(12);
    int floor = lanes_[lane].base->Y() + ImageHeight(base);  // where its launcher stands
    return {left, floor - decoration->h, left + decoration->w - 1, floor - 1};
}

void PictureView::DrawLifeIcons(const Playfield& field, GameState state)
{
    Rect box = LifeIconsBox(field, state);
    SDL_Surface* icon = pictures_.lifeIcon;
    if (box.right < box.left)
        return;
    Rect label = LivesLabelBox(field, state);
    screens_.DrawCount(label.left, (label.top + label.bottom) / 2, GetString(10, 108));
    int left = label.right + 1 + Scaled(6), middle = (box.top + box.bottom) / 2, iconTop = middle - icon->h / 2;
    if (ShownLives(field, state) > kIconsInARow && !field.Rules().infiniteLives) {
        DrawImage(left, iconTop, icon);
        screens_.DrawCount(left + icon->w + Scaled(6), middle, LivesCount(field, state).c_str());
        return;
    }
    for (int x = left; x < box.right; x += icon->w + Scaled(10))
        DrawImage(x, iconTop, icon);
}

void PictureView::DrawTitleDecorations()
{
    int W = theScreen.width, H = theScreen.height;
    SDL_Surface* first = pictures_.titleFirst;
    SDL_Surface* second = pictures_.titleSecond;
    if (theme_ == themeart::kQuoli) {
        if (second)
            DrawImage(W - second->w - Scaled(40), Scaled(40), second);
        if (first)
            DrawImage(Scaled(70), H - first->h - Scaled(50), first);
    } else {
        if (first)
            DrawImage(Scaled(20), Scaled(30), first);
        if (second)
            DrawImage(W - second->w - Scaled(100), H - second->h - Scaled(50), second);
    }
}
