#pragma once
// The pictures of the two picture themes ("quoli" and "space") and the
// animations made of them. This is the one place in the program that says
// which image plays which role; assets/art/README.md is the same table seen
// from the drawings' side.
//
// Resource archive layout: type 7 + screen-size index holds the quoli
// theme, type 10 + screen-size index the space theme. In each: entry 0 and
// 1 the title-screen decorations, entry 2 the background, entries 3 to 26
// the 24 theme images (image n is entry 3 + n). Type 13 holds the life
// icons at screen-size index + 0 (quoli), + 3 (quoli, endless lives),
// + 6 (space), + 9 (space, endless lives).
//
// Theme 2, quoli                      Theme 3, space
//   0, 1   decorations by a base        0-3    explosion
//   2-4    landing (squashed, dizzy)    4, 23  landing (crash, smoke)
//   5-8    the creature's four poses    5-7    saucer (variant 0)
//   9,10,23 butterfly (debris)          8-10   squid ship (variant 1)
//   11     base at rest                 11-13  arrow ship (variant 2)
//   12-14  base firing                  14-16  base firing
//   15,16  base hurt                    17     base at rest
//   17,18  seed (the shot)              18-20  base hurt
//   19-22  petal burst (explosion)      21,22  laser bolt (the shot)

#include "app/TActor.h"

#include "SDL.h"

#include <cstdint>

namespace themeart {

constexpr int kQuoli = 2, kSpace = 3;
constexpr int kImageCount = 24;
constexpr int kFirstImageEntry = 3;
constexpr int kLifeIconType = 13;

// Pictures named by the game's rules.
constexpr int kQuoliCreature = 5, kQuoliTarget = 6, kQuoliBase = 11, kQuoliShot = 17;
constexpr int kSpaceFirstShip = 5, kSpaceTarget = 11, kSpaceBase = 17, kSpaceShot = 21;

// The archive type holding a theme's pictures at a screen size.
int PictureType(int theme, int resolutionIndex);
// The entry of type 13 holding the life icon.
int LifeIconEntry(int theme, int resolutionIndex, bool endlessLives);

struct Animation {
    const FrameEntry* frames;
    int count;
    std::uint32_t frameMs;
};

// The animations of a theme; `variant` picks the space theme's ship.
Animation Falling(int theme, int variant);
Animation Landing(int theme);
Animation Firing(int theme);
Animation Hurt(int theme);
Animation Shot(int theme);
Animation Explosion(int theme);
Animation Debris();         // quoli only
Animation SpaceTarget();    // the circling ship of the bonus and final screens
// Every animation of a theme, for checks.
int AllAnimations(int theme, Animation out[], int capacity);

// Plays `animation` on `actor` with the theme's images (0 loops: for ever).
void Play(TActor& actor, const Animation& animation, SDL_Surface* const* images, int loops);

}  // namespace themeart

// The pictures a picture-theme game holds while it runs; owns them.
class TThemePictures {
public:
    TThemePictures() = default;
    ~TThemePictures() { Free(); }
    TThemePictures(const TThemePictures&) = delete;
    TThemePictures& operator=(const TThemePictures&) = delete;

    // Loads the theme's pictures at the current screen size; false when the
    // background or the life icon is missing (the game cannot go on).
    bool Load(int theme, int resolutionIndex, bool endlessLives);
    void Free();

    SDL_Surface* background = nullptr;
    SDL_Surface* lifeIcon = nullptr;
    SDL_Surface* titleFirst = nullptr;
    SDL_Surface* titleSecond = nullptr;
    SDL_Surface* images[themeart::kImageCount] = {};
};
