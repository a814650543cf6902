#include "app/Sound.h"
#include "game/PictureView.h"
#include "game/TActorParola.h"
#include "game/ThemeArt.h"
#include "gfx/Colours.h"
#include "gfx/Screen.h"
#include "gfx/ImageLoaders.h"
#include "resources/TJoinFile.h"
#include "support/ArchiveBytes.h"
#include "support/GameFixture.h"
#include "support/TempFolder.h"
#include "session/Session.h"

#include <gtest/gtest.h>

#include <optional>

#include <algorithm>
#include <cstdlib>
#include <set>

namespace {

// A game in theme 2 or 3; every frame of the picture themes needs 15 ms.
struct PictureThemeTest : GameTest {
    void PlayTheme(int theme, const std::string& exercise, int lanes = 1, int fallSeconds = 20)
    {
        theSession.settings.theme = theme;
        theSession.settings.lanes = lanes;
        theSession.settings.fallSeconds = fallSeconds;
        theSession.settings.spawnSeconds = 1;
        Play(exercise);
    }
    void Frame(int count = 1)
    {
        for (int i = 0; i < count; ++i)
            Wait(16);
    }
    const PictureView& View() { return *game->Pictures(); }
    const PlayLane& FieldLane(int i) { return game->Field().Lane(i); }
    // The stages a lane's shot goes through until the lane is free again.
    std::vector<ShotStage> FollowShot(int& scoreAtExplosion, int laneIndex = 0)
    {
        std::vector<ShotStage> seen = {View().Lane(laneIndex).stage};
        for (int i = 0; i < 2000 && FieldLane(laneIndex).inUse; ++i) {
            Frame();
            ShotStage stage = View().Lane(laneIndex).stage;
            if (stage != seen.back()) {
                seen.push_back(stage);
                if (stage == ShotStage::kExploding)
                    scoreAtExplosion = Score(*game);
            }
            // The lane stays taken, and no new word comes into it, until
            // its shot sequence ends; once the shot has hit, the word is
            // gone from the rules and from the screen.
            if (stage != ShotStage::kNone) {
                EXPECT_EQ(game->Field().Occupied(), 1);
                bool hit = stage == ShotStage::kExploding || stage == ShotStage::kDebris;
                EXPECT_EQ(FieldLane(laneIndex).hit, hit ? HitState::kDestroyed : HitState::kMatched);
                if (hit) {
                    EXPECT_FALSE(FieldLane(laneIndex).hasWord);
                    EXPECT_FALSE(View().Word(laneIndex));
                }
            }
        }
        EXPECT_EQ(FieldLane(laneIndex).hit, HitState::kIdle);
        return seen;
    }
    // From a level's title screen into play.
    void ToNextPlay()
    {
        for (int i = 0; i < 5 && game->State() != GameState::kIntroWait; ++i)
            Frame();
        Wait(6001);
        ASSERT_EQ(game->State(), GameState::kPlaying);
    }
    // Plays levels of one word each until the game reaches `state` (with
    // none, exactly `maxLevels`).
    void PlayLevelsUntil(std::optional<GameState> state, int maxLevels)
    {
        for (int level = 0; level < maxLevels && (!state || game->State() != *state); ++level) {
            ToNextPlay();
            Type(std::string(1, static_cast<char>('A' + game->Board().LevelNumber() - 1)));
            // The shot sequence runs to its end.
            auto shooting = [&] {
                return FieldLane(0).hit != HitState::kIdle ||
                       (game->Pictures() && View().Lane(0).stage != ShotStage::kNone);
            };
            for (int i = 0; i < 400 && shooting(); ++i)
                Frame();
            Wait(8001);  // the level is done
            Frame();
        }
    }
    std::vector<std::string> EventsOf(int kind)
    {
        std::vector<std::string> out;
        for (const auto& [k, data] : Events())
            if (k == kind)
                out.push_back(data);
        return out;
    }
};

const char* kOneWordLevels = "\r\n\r\n1\r\nUno\r\na\r\n\r\n1\r\nDue\r\nb\r\n\r\n1\r\nTre\r\nc\r\n\r\n1\r\nQuattro\r\nd\r\n"
                             "\r\n1\r\nCinque\r\ne\r\n";

}  // namespace

TEST_F(PictureThemeTest, QuoliShotGoesFromFiringToDebrisAndScoresOnTheHit)
{
    PlayTheme(2, "\r\n\r\n3\r\nUno\r\nsole\r\n");
    ToPlay();
    Frame(20);
    Type("SOLE");
    EXPECT_EQ(FieldLane(0).hit, HitState::kMatched);
    EXPECT_EQ(Score(*game), 0) << "the picture themes score when the shot hits";
    int scoreAtExplosion = -1;
    std::vector<ShotStage> seen = FollowShot(scoreAtExplosion);
    EXPECT_EQ(seen, (std::vector<ShotStage>{ShotStage::kNone, ShotStage::kFiring, ShotStage::kFlying,
                                            ShotStage::kExploding, ShotStage::kDebris, ShotStage::kNone}));
    EXPECT_EQ(scoreAtExplosion, 25);
    EXPECT_EQ(game->Field().Occupied(), 0);
    EXPECT_FALSE(View().Lane(0).shot.get());
}

TEST_F(PictureThemeTest, SpaceShotExplodesAndEndsWithoutDebris)
{
    PlayTheme(3, "\r\n\r\n3\r\nUno\r\nsole\r\n");
    ToPlay();
    Frame(20);
    Type("SOLE");
    int scoreAtExplosion = -1;
    std::vector<ShotStage> seen = FollowShot(scoreAtExplosion);
    EXPECT_EQ(seen, (std::vector<ShotStage>{ShotStage::kNone, ShotStage::kFiring, ShotStage::kFlying,
                                            ShotStage::kExploding, ShotStage::kNone}));
    EXPECT_EQ(scoreAtExplosion, 25);
    EXPECT_EQ(LastEffectNumber().type, 3);
    EXPECT_EQ(LastEffectNumber().number, 1) << "the explosion's sound";
}

TEST_F(PictureThemeTest, ASecondWordWaitsForTheFirstShotToEnd)
{
    PlayTheme(2, "\r\n\r\n3\r\nUno\r\nsole\r\nmare\r\nluna\r\n");
    ToPlay();
    Type("SOLE");
    Type("MARE");
    Type("LUNA");  // whatever word came first has been hit
    EXPECT_EQ(game->Field().Hits(), 1);
    const TActorParola* hitWord = View().Word(0);
    // The spawn interval passes many times over while the shot flies.
    for (int i = 0; i < 1000 && FieldLane(0).inUse; ++i) {
        Frame();
        if (FieldLane(0).inUse) {
            ASSERT_TRUE(!View().Word(0) || View().Word(0) == hitWord);
            ASSERT_EQ(game->Field().Occupied(), 1);
        }
    }
    EXPECT_EQ(FieldLane(0).hit, HitState::kIdle);
    Wait(1001);
    Frame();
    EXPECT_TRUE(View().Word(0)) << "the free lane gets the next word";
    EXPECT_TRUE(FieldLane(0).hasWord);
}

TEST_F(PictureThemeTest, LandingHurtsTheBaseAndFreezesTheOtherLanes)
{
    for (int theme : {2, 3}) {
        SCOPED_TRACE(theme);
        PlayTheme(theme, "\r\n\r\n3\r\nUno\r\nsole\r\nmare\r\nluna\r\n", 2, 3);
        ToPlay();
        Wait(1001);  // the second word starts a second after the first
        Frame();
        int landed = -1;
        for (int i = 0; i < 400 && game->State() == GameState::kPlaying; ++i)
            Frame();
        ASSERT_EQ(game->State(), GameState::kLifeLost);
        for (int i = 0; i < 2; ++i)
            if (FieldLane(i).hit == HitState::kLanded)
                landed = i;
        ASSERT_GE(landed, 0);
        EXPECT_FALSE(View().Word(landed));
        EXPECT_FALSE(FieldLane(landed).hasWord);
        EXPECT_TRUE(FieldLane(landed).answer.empty());
        ASSERT_TRUE(View().Lane(landed).base.get());
        EXPECT_TRUE(View().Lane(landed).base.get()->IsAnimating()) << "the base plays its hurt animation";
        EXPECT_EQ(LastEffectNumber().type, theme);
        EXPECT_EQ(LastEffectNumber().number, 2);
        const TActor* other = View().Lane(1 - landed).sprite.get();
        ASSERT_TRUE(other);
        int y = other->Y();
        Frame(100);
        EXPECT_EQ(other->Y(), y) << "nothing falls while a life is lost";
        EXPECT_FALSE(View().Lane(landed).sprite.get()) << "the landed creature goes once its animation ends";
        TearDown();
    }
}

TEST_F(PictureThemeTest, ThreeLevelsInARowEarnABonusStageInPictureThemesOnly)
{
    for (int theme : {1, 2, 3}) {
        SCOPED_TRACE(theme);
        PlayTheme(theme, kOneWordLevels);
        headless->Step();
        PlayLevelsUntil(std::nullopt, 2);
        EXPECT_EQ(game->State(), GameState::kLevelIntro);
        EXPECT_EQ(game->Board().Streak(), 2);
        PlayLevelsUntil(std::nullopt, 1);
        if (theme == 1) {
            EXPECT_EQ(game->State(), GameState::kLevelIntro) << "no bonus stage in the plain theme";
        } else {
            EXPECT_EQ(game->State(), GameState::kBonusIntroWait);
            EXPECT_EQ(game->Board().Streak(), 0);
        }
        TearDown();
    }
}

TEST_F(PictureThemeTest, ALostLifeStartsTheRunOfLevelsAgain)
{
    PlayTheme(2, kOneWordLevels, 1, 3);
    headless->Step();
    PlayLevelsUntil(std::nullopt, 2);
    ASSERT_EQ(game->Board().Streak(), 2);
    ToNextPlay();
    for (int i = 0; i < 400 && game->State() == GameState::kPlaying; ++i)
        Frame();  // the third word lands
    ASSERT_EQ(game->State(), GameState::kLifeLost);
    Wait(6001);
    Frame();
    EXPECT_EQ(game->Board().Streak(), 0);
    EXPECT_EQ(game->State(), GameState::kLevelIntro);
    PlayLevelsUntil(std::nullopt, 1);  // the third level again: one in a row
    EXPECT_EQ(game->State(), GameState::kLevelIntro);
}

// Reaches the bonus stage, fires after `delay` ms and waits for its end.
struct BonusOutcome {
    bool hit;
    int scoreGained;
    std::vector<std::string> records;
};

// Where a shot fired at the bonus target is, frame by frame from the key:
// learnt from one shot that missed or hit, continued at its last speed.
struct ShotPath {
    std::vector<Rect> boxes;  // empty before the shot leaves its launcher
    int firstFlying = -1;
    Rect At(int frame) const
    {
        if (frame < firstFlying || firstFlying < 0)
            return {0, 0, -1, -1};
        if (frame < static_cast<int>(boxes.size()))
            return boxes[static_cast<std::size_t>(frame)];
        const Rect& last = boxes.back();
        const Rect& before = boxes[boxes.size() - 2];
        int rise = (last.top - before.top) * (frame - static_cast<int>(boxes.size()) + 1);
        return {last.left, last.top + rise, last.right, last.bottom + rise};
    }
};

struct BonusTest : PictureThemeTest {
    SDLKey fireKey = SDLK_z;

    // Plays three levels in a row into the bonus stage.
    void ReachBonus(int theme)
    {
        PlayTheme(theme, kOneWordLevels);
        headless->Step();
        PlayLevelsUntil(GameState::kBonusIntroWait, 3);
        EXPECT_EQ(game->State(), GameState::kBonusIntroWait);
        Wait(6001);
        Frame();
        EXPECT_EQ(game->State(), GameState::kBonusPlay);
        EXPECT_TRUE(View().Lane(0).sprite.get() && View().Lane(0).base.get());
    }
    // The target's box `frames` frames from now: a copy of its motion,
    // stepped as the game steps it, with the target's present size.
    Rect TargetIn(int frames)
    {
        const TActor& target = *View().Lane(0).sprite;
        std::uint32_t now = FakeClock::Ticks();
        ScreenPoint centre{};
        if (const TPendulum* swinging = View().Motion().Pendulum()) {
            TPendulum copy = *swinging;
            for (int i = 0; i < frames; ++i)
                copy.Update(now += 16);
            centre = copy.Centre();
        } else {
            TCircler copy = *View().Motion().Circler();
            for (int i = 0; i < frames; ++i)
                copy.Update(now += 16);
            centre = copy.Centre();
        }
        int left = centre.x - target.Width() / 2, top = centre.y - target.Height() / 2;
        return {left, top, left + target.Width() - 1, top + target.Height() - 1};
    }
    // Whether a shot fired `wait` frames from now would meet the target.
    bool WouldHit(const ShotPath& path, int wait)
    {
        for (int k = path.firstFlying; k < 400; ++k) {
            Rect shot = path.At(k), target = TargetIn(wait + k + 2);  // met in the frame after
            if (shot.bottom < -50)
                return false;
            if (shot.left <= target.right && target.left <= shot.right && shot.top <= target.bottom &&
                target.top <= shot.bottom)
                return true;
        }
        return false;
    }
    // The first wait, in frames, at which firing (and firing a frame sooner
    // or later) is sure to hit, or sure to miss.
    int AimFor(const ShotPath& path, bool hit)
    {
        for (int wait = 2; wait < 400; ++wait) {
            bool all = true;
            for (int near = wait - 2; near <= wait + 2 && all; ++near)
                all = WouldHit(path, near) == hit;
            if (all)
                return wait;
        }
        ADD_FAILURE() << "the target's motion offers no moment to " << (hit ? "hit" : "miss");
        return 0;
    }
    // Fires after `wait` frames of the bonus stage and follows the stage to
    // its end, keeping the shot's path.
    BonusOutcome FireAndFinish(int wait, ShotPath* path = nullptr)
    {
        Frame(wait);
        int before = Score(*game);
        headless->PushKey(fireKey, true, fireKey == SDLK_z ? 'z' : 0);
        headless->Step();
        headless->PushKey(fireKey, false);
        headless->Step();
        bool sawFull = false;
        for (int i = 0; i < 3000 && game->State() == GameState::kBonusPlay; ++i) {
            Frame();
            const LanePictures& lane = View().Lane(0);
            if (path && lane.stage == ShotStage::kFlying && lane.shot) {
                if (path->firstFlying < 0)
                    path->firstFlying = i;
                path->boxes.resize(static_cast<std::size_t>(i));
                const TActor& shot = *lane.shot;
                path->boxes.push_back({shot.X(), shot.Y(), shot.X() + shot.Width() - 1, shot.Y() + shot.Height() - 1});
            }
            if (View().BonusBox().Counter() == TBonusHitBox::kFull && !sawFull) {
                sawFull = true;
                EXPECT_EQ(Score(*game), before + 100) << "the points come when the box is full";
            }
        }
        EXPECT_EQ(game->State(), GameState::kBonusEnd);
        BonusOutcome outcome{View().BonusBox().WasHit(), 0, {}};
        Frame(100);
        outcome.scoreGained = Score(*game) - before;
        Wait(6001);
        Frame();
        EXPECT_EQ(game->State(), GameState::kLevelIntro);
        outcome.records = EventsOf(10);
        return outcome;
    }
    // A bonus stage of `theme` played to hit or to miss: a first shot at
    // once shows the shot's path, then a second stage aims from the
    // target's motion.
    BonusOutcome PlayBonusTo(int theme, bool hit)
    {
        ReachBonus(theme);
        ShotPath path;
        FireAndFinish(0, &path);
        EXPECT_GE(path.boxes.size(), 2u) << "the shot flew";
        TearDown();
        ReachBonus(theme);
        return FireAndFinish(AimFor(path, hit));
    }
};

TEST_F(BonusTest, AHitGivesAHundredOnceAndIsRecorded)
{
    for (int theme : {2, 3}) {
        SCOPED_TRACE(theme);
        BonusOutcome outcome = PlayBonusTo(theme, true);
        ASSERT_TRUE(outcome.hit);
        EXPECT_EQ(outcome.scoreGained, 100);
        EXPECT_EQ(View().BonusBox().Counter(), TBonusHitBox::kFull);
        ASSERT_EQ(outcome.records.size(), 1u);
        ASSERT_EQ(outcome.records[0].size(), 1u);
        EXPECT_NE(outcome.records[0][0], '\0');
        TearDown();
    }
}

// The screen says "press any key": a key without a character fires too.
TEST_F(BonusTest, AnArrowOrAFunctionKeyFires)
{
    for (SDLKey key : {SDLK_RIGHT, SDLK_F5, SDLK_LSHIFT}) {
        fireKey = key;
        ReachBonus(2);
        FireAndFinish(0);
        EXPECT_EQ(EventsOf(10).size(), 1u) << "the stage ended with a shot, hit or missed";
        TearDown();
    }
}

TEST_F(BonusTest, AMissIsRecordedAsZero)
{
    for (int theme : {2, 3}) {
        SCOPED_TRACE(theme);
        BonusOutcome outcome = PlayBonusTo(theme, false);
        ASSERT_FALSE(outcome.hit);
        EXPECT_EQ(outcome.scoreGained, 0);
        ASSERT_EQ(outcome.records.size(), 1u);
        EXPECT_EQ(outcome.records[0], std::string(1, '\0'));
        TearDown();
    }
}

TEST_F(PictureThemeTest, TheFinalScreenCreatureMoves)
{
    for (int theme : {2, 3}) {
        SCOPED_TRACE(theme);
        PlayTheme(theme, "\r\n\r\n0\r\nVuoto\r\n");
        headless->Step();
        headless->Step();
        ASSERT_EQ(game->State(), GameState::kFinalWait);
        std::set<std::pair<int, int>> places;
        for (int i = 0; i < 100; ++i) {
            Frame();
            ScreenPoint p = theme == 2 ? View().Motion().Pendulum()->Centre() : View().Motion().Circler()->Centre();
            places.insert({p.x, p.y});
        }
        EXPECT_GT(places.size(), 20u);
        TearDown();
    }
}

// Every picture an animation shows exists, at every screen size, and the
// sprites are clean: no half-transparent pixel left in the key colour's hue.
TEST(ThemeArt, EveryFrameOfEveryAnimationExistsAtEveryScreenSize)
{
    TJoinFile archive(std::string(QUOLI_STAGE_DIR) + "/resource.bin");
    ASSERT_GT(archive.LoadDirectory(), 0);
    for (int theme : {2, 3})
        for (int res = 0; res < 3; ++res) {
            SCOPED_TRACE(testing::Message() << "theme " << theme << " size " << res);
            SDL_Surface* images[themeart::kImageCount] = {};
            int type = themeart::PictureType(theme, res);
            EXPECT_TRUE(LoadShapes(archive, images, type, themeart::kFirstImageEntry, themeart::kImageCount, 0));
            themeart::Animation all[16];
            int n = themeart::AllAnimations(theme, all, 16);
            for (int a = 0; a < n; ++a)
                for (int f = 0; f < all[a].count; ++f) {
                    int index = all[a].frames[f].image;
                    ASSERT_TRUE(index >= 0 && index < themeart::kImageCount);
                    EXPECT_TRUE(images[index]) << "image " << index;
                }
            for (int entry = 0; entry < 3; ++entry) {
                SDL_Surface* picture = LoadImage(archive, type, entry);
                EXPECT_TRUE(picture) << "entry " << entry;
                static const int kScreenWidth[3] = {640, 800, 1024};
                if (entry == 2 && picture) {
                    EXPECT_EQ(picture->w, kScreenWidth[res]) << "the background fills the screen";
                }
                if (picture)
                    SDL_FreeSurface(picture);
            }
            for (bool endless : {false, true}) {
                SDL_Surface* icon = LoadImage(archive, themeart::kLifeIconType,
                                              themeart::LifeIconEntry(theme, res, endless));
                EXPECT_TRUE(icon);
                if (icon)
                    SDL_FreeSurface(icon);
            }
            // A sprite's edge pixels are its own colours: none is a blend
            // of the key colour (magenta) with the drawing.
            for (SDL_Surface* image : images) {
                if (!image)
                    continue;
                ASSERT_EQ(image->format->BitsPerPixel, 8);
                SDL_LockSurface(image);
                Uint8 kr, kg, kb;
                SDL_GetRGB(*static_cast<Uint8*>(image->pixels), image->format, &kr, &kg, &kb);
                int fringe = 0;
                for (int y = 0; y < image->h; ++y)
                    for (int x = 0; x < image->w; ++x) {
                        Uint8 r, g, b;
                        Uint8 index = static_cast<Uint8*>(image->pixels)[y * image->pitch + x];
                        SDL_GetRGB(index, image->format, &r, &g, &b);
                        bool key = r == kr && g == kg && b == kb;
                        if (!key && r > 220 && b > 220 && g < 40)
                            ++fringe;
                    }
                SDL_UnlockSurface(image);
                EXPECT_EQ(fringe, 0);
            }
            FreeImages(images, themeart::kImageCount);
        }
}

TEST(ThemeArt, LargerScreensGetLargerPictures)
{
    TJoinFile archive(std::string(QUOLI_STAGE_DIR) + "/resource.bin");
    ASSERT_GT(archive.LoadDirectory(), 0);
    for (int theme : {2, 3}) {
        int heights[3];
        for (int res = 0; res < 3; ++res) {
            SDL_Surface* base = LoadImage(archive, themeart::PictureType(theme, res),
                                          themeart::kFirstImageEntry +
                                              (theme == 2 ? themeart::kQuoliBase : themeart::kSpaceBase));
            ASSERT_TRUE(base);
            heights[res] = base->h;
            SDL_FreeSurface(base);
        }
        EXPECT_LT(heights[0], heights[1]);
        EXPECT_LT(heights[1], heights[2]);
    }
}

// Without its pictures a picture theme cannot be played: the program stops
// with a message rather than showing an empty screen.
TEST_F(PictureThemeTest, MissingThemePicturesStopTheProgramWithAMessage)
{
    TJoinFile staged(std::string(QUOLI_STAGE_DIR) + "/resource.bin");
    ASSERT_GT(staged.LoadDirectory(), 0);
    std::vector<ArchiveEntrySpec> kept;
    for (int i = 0; i < staged.Count(); ++i) {
        TJoinElement* e = staged.Entry(i);
        if (e->type >= 7 && e->type <= 13)
            continue;
        ASSERT_TRUE(staged.LoadEntry(i));
        kept.push_back(RawEntry(e->type, std::string(reinterpret_cast<const char*>(e->Data()), e->DataLength())));
        e->Release();
    }
    TempFolder folder;
    std::vector<unsigned char> bytes = ArchiveBytes(kept);
    folder.Write("resource.bin", std::string(bytes.begin(), bytes.end()));
    HeadlessOptions options;
    options.resources = folder / "resource.bin";
    theSession.settings.theme = 3;
    EXPECT_EXIT(
        {
            unsetenv("DISPLAY");  // the message goes to standard error only
            Play("\r\n\r\n1\r\nUno\r\nsole\r\n", 1, options);
            headless->Step();
        },
        ::testing::ExitedWithCode(1), "Game Images");
}

// At every screen size the shot leaves from inside its launcher, centred on
// the lane, and the background is the picture unless a plain one is asked.
TEST_F(PictureThemeTest, ShotsLeaveTheirLauncherAtEveryScreenSize)
{
    for (int theme : {2, 3})
        for (int res = 0; res < 3; ++res) {
            SCOPED_TRACE(testing::Message() << "theme " << theme << " size " << res);
            HeadlessOptions options;
            options.resolution = res;
            theSession.settings.theme = theme;
            theSession.settings.lanes = 2;
            theSession.settings.spawnSeconds = 30;
            Play("\r\n\r\n3\r\nUno\r\nsole\r\n", 1, options);
            ToPlay();
            Frame(30);
            int lane = FieldLane(0).hasWord ? 0 : 1;
            Type("SOLE");
            for (int i = 0; i < 200 && View().Lane(lane).stage != ShotStage::kFlying; ++i)
                Frame();
            const TActor* shotActor = View().Lane(lane).shot.get();
            const TActor* baseActor = View().Lane(lane).base.get();
            ASSERT_TRUE(shotActor && baseActor);
            SDL_Surface* shot = shotActor->Picture();
            SDL_Surface* base = baseActor->Picture();
            ASSERT_TRUE(shot && base);
            int centre = theScreen.width * (2 * lane + 1) / 4;
            EXPECT_LE(std::abs(shotActor->X() + shot->w / 2 - centre), 1);
            int bottom = shotActor->Y() + shot->h;
            EXPECT_GT(bottom, baseActor->Y());
            EXPECT_LE(bottom, baseActor->Y() + base->h);

            // Away from every sprite, the top-left corner shows the background.
            std::uint32_t picture = ScreenPixel(2, 2);
            EXPECT_NE(picture, MapColour(static_cast<std::uint32_t>(theSession.settings.backgroundColour)));
            TearDown();
            // A game begun with the plain background shows its colour there.
            theSession.settings.theme = theme;
            theSession.settings.plainBackground = 1;
            Play("\r\n\r\n3\r\nUno\r\nsole\r\n", 1, options);
            ToPlay();
            Frame();
            EXPECT_EQ(ScreenPixel(2, 2), MapColour(static_cast<std::uint32_t>(theSession.settings.backgroundColour)));
            TearDown();
        }
}
