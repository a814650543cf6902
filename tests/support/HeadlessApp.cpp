#include "support/HeadlessApp.h"

#include "app/Clock.h"
#include "app/CommandQueue.h"
#include "app/Input.h"
#include "StartUp.h"
#include "app/TApp.h"
#include "gfx/Display.h"
#include "gfx/Screen.h"

#include <filesystem>

namespace fs = std::filesystem;

namespace {

std::uint32_t fakeTicks = 1000;

}  // namespace

void FakeClock::Set(std::uint32_t ms)
{
    fakeTicks = ms;
}

void FakeClock::Advance(std::uint32_t ms)
{
    fakeTicks += ms;
}

std::uint32_t FakeClock::Ticks()
{
    return fakeTicks;
}

HeadlessApp::HeadlessApp(HeadlessOptions options)
{
    fs::path stage(QUOLI_STAGE_DIR);
    // The program only reads its archive: a link saves copying 10 MB a test.
    fs::create_symlink(fs::absolute(options.resources.empty() ? stage / "resource.bin" : fs::path(options.resources)),
                       folder_ / "resource.bin");
    fs::copy_file(stage / "quoli.str", folder_ / "quoli.str");
    fs::create_symlink(stage / "effects.bin", folder_ / "effects.bin");
    // Folders of their own holding links: a test may add a file to them
    // without touching the staged ones.
    auto linkEach = [&](const char* name) {
        fs::create_directory(folder_ / name);
        for (const auto& entry : fs::directory_iterator(stage / name))
            fs::create_symlink(fs::absolute(entry.path()), fs::path(folder_ / name) / entry.path().filename());
    };
    linkEach("music");
    if (options.withFonts)
        linkEach("fonts");
    folder_.Write("config.ini", options.config);
    here_ = std::make_unique<ScopedCurrentFolder>(folder_.Path());

    FakeClock::Set(1000);
    SetTickSource(FakeClock::Ticks);
    ResetClock();
    ResetInput();
    ClearCommands();
    theDisplay = DisplaySettings{};
    SetResolution(options.resolution);
    app_ = std::make_unique<TApp>("QUOLI", "resource.bin", "quoli.str");
    app_->SetSleeping(false);
    WireScreens(*app_);
    app_->Activate();
    // A real window system answers the pointer's first warp with a motion
    // event, which the filter swallows; the dummy driver does not.
    int x, y;
    GetMousePosition(x, y);
    MoveMouse(x, y);
    record_.Clear();
}

HeadlessApp::~HeadlessApp()
{
    app_.reset();
    SDL_Quit();
    SetTickSource(nullptr);
    ResetClock();
    ResetInput();
    ClearCommands();
}

bool HeadlessApp::Step(int frames)
{
    for (int i = 0; i < frames; ++i)
        if (!app_->Frame(record_))
            return false;
    return true;
}

void HeadlessApp::PushKey(SDLKey sym, bool down, Uint16 unicode, int mod)
{
    SDL_Event e{};
    e.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    e.key.state = down ? SDL_PRESSED : SDL_RELEASED;
    e.key.keysym.sym = sym;
    e.key.keysym.unicode = unicode;
    e.key.keysym.mod = static_cast<SDLMod>(mod);
    SDL_PushEvent(&e);
}

void HeadlessApp::PushButton(int button, bool down)
{
    SDL_Event e{};
    e.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
    e.button.button = static_cast<Uint8>(button);
    e.button.state = down ? SDL_PRESSED : SDL_RELEASED;
    SDL_PushEvent(&e);
}

void HeadlessApp::MoveMouse(int x, int y, int xrel, int yrel)
{
    SDL_Event e{};
    e.type = SDL_MOUSEMOTION;
    e.motion.x = static_cast<Uint16>(x);
    e.motion.y = static_cast<Uint16>(y);
    e.motion.xrel = static_cast<Sint16>(xrel);
    e.motion.yrel = static_cast<Sint16>(yrel);
    MotionFilter(&e);
}

void HeadlessApp::DumpScreen(const std::string& name) const
{
    if (theScreen.surface)
        SDL_SaveBMP(theScreen.surface, (fs::temp_directory_path() / (name + ".bmp")).c_str());
}

std::uint32_t ScreenPixel(int x, int y)
{
    SDL_Surface* s = theScreen.surface;
    x += theScreen.originX;
    y += theScreen.originY;
    const Uint8* p = static_cast<const Uint8*>(s->pixels) + y * s->pitch + x * s->format->BytesPerPixel;
    switch (s->format->BytesPerPixel) {
    case 1: return *p;
    case 2: return *reinterpret_cast<const Uint16*>(p);
    default: return *reinterpret_cast<const Uint32*>(p);
    }
}
