#include "game/ThemeArt.h"

#include "gfx/Images.h"
#include "gfx/ImageLoaders.h"

#include <initializer_list>

namespace themeart {
namespace {

// Quoli: the creature kicks its legs as it hangs on its thread.
constexpr FrameEntry kQuoliFalling[] = {{5, 0, 0}, {6, 0, 0}, {7, 0, 0}, {6, 0, 0},
                                        {5, 0, 0}, {8, 0, 0}, {7, 0, 0}, {8, 0, 0}};
constexpr FrameEntry kQuoliLanding[] = {{2, 0, 0}, {3, 0, 0}, {4, 0, 0}, {4, 0, 0}};
// The band is pulled down three notches, held, and let go as the seed flies.
constexpr FrameEntry kQuoliFiring[] = {{12, 0, 0}, {13, 0, 0}, {14, 0, 0}, {14, 0, 0},
                                       {14, 0, 0}, {12, 0, 0}, {11, 0, 0}};
// The pot rocks and bobs: the offsets cancel over one loop.
constexpr FrameEntry kQuoliHurt[] = {{15, 0, 2}, {16, 0, -2}};
constexpr FrameEntry kQuoliShotFrames[] = {{17, 0, 0}, {18, 0, 0}};
constexpr FrameEntry kQuoliExplosion[] = {{19, 0, 0}, {20, 0, 0}, {21, 0, 0}, {22, 0, 0}};
constexpr FrameEntry kQuoliDebris[] = {{9, 0, 0}, {23, 0, 0}, {10, 0, 0}, {23, 0, 0}};

constexpr FrameEntry kSaucer[] = {{5, 0, 0}, {6, 0, 0}, {7, 0, 0}};
constexpr FrameEntry kSquid[] = {{8, 0, 0}, {9, 0, 0}, {10, 0, 0}};
constexpr FrameEntry kArrow[] = {{11, 0, 0}, {12, 0, 0}, {13, 0, 0}};
constexpr FrameEntry kSpaceLanding[] = {{4, 0, 0}, {1, 0, 0}, {2, 0, 0}, {23, 0, 0}};
constexpr FrameEntry kSpaceFiring[] = {{14, 0, 0}, {15, 0, 0}, {16, 0, 0}, {14, 0, 0}, {17, 0, 0}};
constexpr FrameEntry kSpaceHurt[] = {{18, 0, 1}, {19, 0, -1}, {20, 0, 0}};
constexpr FrameEntry kSpaceShotFrames[] = {{21, 0, 0}, {22, 0, 0}};
constexpr FrameEntry kSpaceExplosion[] = {{0, 0, 0}, {1, 0, 0}, {2, 0, 0}, {3, 0, 0}};

template <std::size_t N>
constexpr Animation Of(const FrameEntry (&frames)[N], std::uint32_t ms)
{
    return {frames, static_cast<int>(N), ms};
}

}  // namespace

namespace {

// Pictures drawn every frame are kept in the screen's own format, so that
// drawing them is a plain copy; the colour key goes with them.
void ToScreenFormat(SDL_Surface*& picture)
{
    if (!picture || !SDL_GetVideoSurface())
        return;
    if (SDL_Surface* converted = SDL_DisplayFormat(picture)) {
        SDL_FreeSurface(picture);
        picture = converted;
    }
}

}  // namespace

int PictureType(int theme, int resolutionIndex)
{
    return (theme == kSpace ? 10 : 7) + resolutionIndex;
}

int LifeIconEntry(int theme, int resolutionIndex, bool endlessLives)
{
    return resolutionIndex + (theme == kSpace ? 6 : 0) + (endlessLives ? 3 : 0);
}

Animation Falling(int theme, int variant)
{
    if (theme != kSpace)
        return Of(kQuoliFalling, 150);
    switch (variant) {
    case 1:
        return Of(kSquid, 100);
    case 2:
        return Of(kArrow, 100);
    default:
        return Of(kSaucer, 100);
    }
}

Animation Landing(int theme)
{
    return theme == kSpace ? Of(kSpaceLanding, 150) : Of(kQuoliLanding, 150);
}

Animation Firing(int theme)
{
    return theme == kSpace ? Of(kSpaceFiring, 150) : Of(kQuoliFiring, 150);
}

Animation Hurt(int theme)
{
    return theme == kSpace ? Of(kSpaceHurt, 150) : Of(kQuoliHurt, 150);
}

Animation Shot(int theme)
{
    return theme == kSpace ? Of(kSpaceShotFrames, 150) : Of(kQuoliShotFrames, 150);
}

Animation Explosion(int theme)
{
    return theme == kSpace ? Of(kSpaceExplosion, 150) : Of(kQuoliExplosion, 150);
}

Animation Debris()
{
    return Of(kQuoliDebris, 150);
}

Animation SpaceTarget()
{
    return Of(kArrow, 100);
}

int AllAnimations(int theme, Animation out[], int capacity)
{
    Animation all[] = {Falling(theme, 0), Falling(theme, 1), Falling(theme, 2), Landing(theme),  Firing(theme),
                       Hurt(theme),       Shot(theme),       Explosion(theme),  Debris(),        SpaceTarget()};
    int n = 0;
    for (const Animation& a : all)
        if (n < capacity)
            out[n++] = a;
    return n;
}

void Play(TActor& actor, const Animation& animation, SDL_Surface* const* images, int loops)
{
    actor.applyFirstOffset = true;
    actor.StartAnimation(animation.frames, images, animation.count, animation.frameMs, loops);
}

}  // namespace themeart

bool TThemePictures::Load(int theme, int resolutionIndex, bool endlessLives)
{
    Free();
    int type = themeart::PictureType(theme, resolutionIndex);
    titleFirst = LoadImage(type, 0);
    titleSecond = LoadImage(type, 1);
    for (SDL_Surface* title : {titleFirst, titleSecond})
        if (title)
            SetImageKey(title, KEY_TOP_LEFT);
    // The background covers the whole screen: drawn opaque, so that no
    // colour of it can let an old picture show through.
    background = LoadImage(type, 2);
    LoadShapes(images, type, themeart::kFirstImageEntry, themeart::kImageCount, KEY_TOP_LEFT);
    lifeIcon = LoadImage(themeart::kLifeIconType, themeart::LifeIconEntry(theme, resolutionIndex, endlessLives));
    if (lifeIcon)
        SetImageKey(lifeIcon, KEY_TOP_LEFT);
    for (SDL_Surface** picture : {&background, &lifeIcon, &titleFirst, &titleSecond})
        themeart::ToScreenFormat(*picture);
    for (SDL_Surface*& image : images)
        themeart::ToScreenFormat(image);
    return background && lifeIcon;
}

void TThemePictures::Free()
{
    for (SDL_Surface** picture : {&background, &lifeIcon, &titleFirst, &titleSecond}) {
        if (*picture)
            SDL_FreeSurface(*picture);
        *picture = nullptr;
    }
    FreeImages(images, themeart::kImageCount);
}
