// Stills of the picture themes for review, taken at exact moments: the game
// runs on SDL's dummy video driver with a clock moved by hand, 16 ms a
// frame, while this program types the falling words. For each theme:
// words falling, a shot in flight, an explosion, the bonus stage, the bonus
// hit with its "+100" box, the final screen (BMP, 800x600).
//
//   quoli-theme-stills PROGRAM_FOLDER OUTDIR
//
// The bonus target moves, so the game is replayed, firing a little later
// each time, until the shot hits.

#include "app/Clock.h"
#include "app/TApp.h"
#include "game/PictureView.h"
#include "game/TZandorliGameContext.h"
#include "gfx/Display.h"
#include "session/GameSettings.h"
#include "platform/Files.h"
#include "session/Session.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>

namespace {

std::uint32_t ticks = 1000;

std::uint32_t Ticks()
{
    return ticks;
}

const char* kExercise = "\r\n\r\n2\r\nPrimo\r\nsole\r\nmare\r\n\r\n1\r\nSecondo\r\ncasa\r\n\r\n1\r\nTerzo\r\nluna\r\n";
const char* kExercisePath = "Esercizi\\Livelli\\Stills.LEV";

class Game {
public:
    explicit Game(int theme)
    {
        ticks = 1000;
        SetTickSource(Ticks);
        ResetClock();
        SetResolution(1);
        app_ = std::make_unique<TApp>("QUOLI", "resource.bin", "quoli.str");
        app_->SetSleeping(false);
        app_->Activate();
        theSession.settings = GameSettings();
        theSession.settings.theme = theme;
        theSession.settings.lanes = 2;
        theSession.settings.fallSeconds = 12;
        theSession.settings.spawnSeconds = 1;
        theSession.settings.recordResults = 0;
        theSession.settings.enterTopTen = 0;
        std::strcpy(theSession.settings.exerciseName, "Stills");
        std::strcpy(theSession.userName, "Stills");
        game_ = new TZandorliGameContext;
        app_->SetChild(std::unique_ptr<TContext>(game_));
        record_.Clear();
    }
    ~Game()
    {
        app_.reset();
        SDL_Quit();
    }

    TZandorliGameContext& Context() { return *game_; }
    void Frames(std::uint32_t ms)
    {
        for (std::uint32_t t = 0; t < ms; t += 16) {
            ticks += 16;
            app_->Frame(record_);
        }
    }
    // Frames until `done` holds (at most `limitMs`); false when it never did.
    bool Until(const std::function<bool()>& done, std::uint32_t limitMs = 60000)
    {
        for (std::uint32_t t = 0; t < limitMs; t += 16) {
            if (done())
                return true;
            Frames(16);
        }
        return done();
    }
    // Types the answer of the lowest word on screen.
    void TypeAWord()
    {
        const Playfield& field = game_->Field();
        int best = -1;
        for (int i = 0; i < field.Lanes(); ++i) {
            const PlayLane& lane = field.Lane(i);
            if (lane.hasWord && lane.hit == HitState::kIdle &&
                (best < 0 || field.CarrierY(i, Now()) > field.CarrierY(best, Now())))
                best = i;
        }
        if (best >= 0)
            for (char c : std::string(field.Lane(best).answer))
                game_->Match(static_cast<unsigned char>(c));
    }
    GameState State() const { return game_->State(); }
    // Whether some lane's shot has come to `stage`.
    bool ShotAt(ShotStage stage) const
    {
        const PictureView* view = game_->Pictures();
        for (int i = 0; view && i < game_->Field().Lanes(); ++i)
            if (view->Lane(i).stage == stage)
                return true;
        return false;
    }

private:
    std::unique_ptr<TApp> app_;
    TZandorliGameContext* game_ = nullptr;
    TEvent record_;
};

void Save(const std::string& folder, int theme, const char* moment)
{
    std::string path = folder + "/theme" + std::to_string(theme) + "-" + moment + ".bmp";
    SDL_SaveBMP(SDL_GetVideoSurface(), path.c_str());
}

// Plays the three levels; true when the game then stands in the bonus stage.
bool PlayToBonus(Game& g, const std::string& out, int theme, bool save)
{
    for (int level = 0; level < 3; ++level) {
        if (!g.Until([&] { return g.State() == GameState::kPlaying; }))
            return false;
        int words = level == 0 ? 2 : 1;
        for (int w = 0; w < words; ++w) {
            g.Frames(level == 0 && w == 0 ? 4000 : 2500);
            if (save && w == 0)
                Save(out, theme, "1-falling");
            g.TypeAWord();
            if (save && w == 0) {
                g.Until([&] { return g.ShotAt(ShotStage::kFlying); });
                g.Frames(400);
                Save(out, theme, "2-shot");
                g.Until([&] { return g.ShotAt(ShotStage::kExploding); });
                g.Frames(300);
                Save(out, theme, "3-explosion");
            }
        }
        if (!g.Until([&] { return g.State() != GameState::kPlaying && g.State() != GameState::kLevelDone; }))
            return false;
    }
    return g.Until([&] { return g.State() == GameState::kBonusPlay; });
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 3 || chdir(argv[1]) != 0) {
        std::fprintf(stderr, "usage: quoli-theme-stills PROGRAM_FOLDER OUTDIR\n");
        return 2;
    }
    std::string out = argv[2];
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    platform::ReplaceFileContents(kExercisePath, kExercise, std::strlen(kExercise));
    int status = 0;
    for (int theme : {2, 3}) {
        {
            Game g(theme);  // a first game for the play and bonus stills
            if (PlayToBonus(g, out, theme, true)) {
                g.Frames(600);
                Save(out, theme, "4-bonus");
            }
        }
        bool hit = false;
        for (std::uint32_t delay = 0; delay <= 4000 && !hit; delay += 50) {
            Game g(theme);
            if (!PlayToBonus(g, out, theme, false)) {
                std::fprintf(stderr, "theme %d: the bonus stage never came\n", theme);
                status = 1;
                break;
            }
            g.Frames(delay);
            g.Context().Match('X');
            g.Until([&] { return g.State() != GameState::kBonusPlay || g.Context().Pictures()->BonusBox().ShowsPoints(); });
            hit = g.Context().Pictures()->BonusBox().WasHit();
            if (!hit)
                continue;
            g.Frames(200);
            Save(out, theme, "5-bonus-hit");
            g.Until([&] { return g.State() == GameState::kFinalWait; });
            g.Frames(2500);
            Save(out, theme, "6-final");
            std::printf("theme %d: the bonus target was hit firing %u ms into the stage\n", theme, delay);
        }
        if (!hit)
            status = 1;
    }
    std::remove("Esercizi/Livelli/Stills.LEV");
    return status;
}
