#include "app/TApp.h"

#include "app/CommandQueue.h"
#include "app/Commands.h"
#include "app/DataFolder.h"
#include "base/FatalError.h"
#include "app/Input.h"
#include "app/Random.h"
#include "app/Sound.h"
#include "app/WakeUp.h"
#include "gfx/Display.h"
#include "gfx/Images.h"
#include "gfx/Screen.h"
#include "gfx/TFont.h"
#include "gfx/Typefaces.h"
#include "platform/DisplayWait.h"
#include "platform/Environment.h"
#include "platform/VideoCheck.h"
#include "platform/Files.h"
#include "platform/Paths.h"
#include "resources/Archives.h"
#include "gfx/ImageLoaders.h"
#include "resources/IniFile.h"
#include "resources/StringTable.h"
#include "resources/TJoinFile.h"
#include "app/TMouse.h"
#include "base/TextHelpers.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <vector>

TApp* theApp = nullptr;

namespace {

// A key of "config.ini" set to 1. Without the file (or the key) the program
// starts in a window, with sound: a school must never be left with a full
// screen it cannot leave because something else failed.
bool ConfigSaysOne(const char* key, const char* missing = "1")
{
    return EqualsNoCase(GetValue("config.ini", "global", key, missing).c_str(), "1");
}

// Told to the teacher when the sound or the screen cannot start: what to do
// first, in Italian, then the library's own words.
const char* kNoAudioRemedy =
    "Il suono non pu\xF2 partire su questo computer.\n"
    "Per usare il programma senza suono, scrivere AUDIO=0 nella sezione [global] del file config.ini "
    "nella cartella del programma.";
const char* kNoVideoRemedy = "Il programma ha bisogno di uno schermo: avviarlo dal desktop del computer.";

std::string WithLibraryText(const char* remedy, const char* library)
{
    return std::string(remedy) + "\n(" + (library && *library ? library : "?") + ")";
}

}  // namespace

TApp::TApp(const char* applicationName, const char* archiveName, const char* stringTableName)
    : applicationName_(applicationName ? applicationName : ""),
      archiveName_(archiveName ? archiveName : ""),
      stringTableName_(stringTableName ? stringTableName : "")
{
    theApp = this;
    bool tableFromFile = stringTableName != nullptr;

    SetUpDataFolder(applicationName_);

    archive_ = std::make_unique<TJoinFile>(archiveName_);
    if (archive_->LoadDirectory() == 0)
        FatalError("Can't load resources:", archiveName_.c_str());
    theArchive = archive_.get();

    if (tableFromFile) {
        strings_ = LoadStringTable(stringTableName_);
        if (!strings_)
            FatalError("Can't load resources:", stringTableName_.c_str());
    } else {
        TJoinElement* entry = archive_->LoadItem(1, 0);
        if (entry)
            strings_ = TStringTable::FromBytes(std::vector<unsigned char>(entry->Data(), entry->Data() + entry->DataLength()));
        TJoinFile::Release(entry);
        if (!strings_)
            FatalError("Can't load resources:", archiveName_.c_str());
    }
    InstallStringTable(strings_.get());

    Initialise();
}

void TApp::Initialise()
{
    if (ConfigSaysOne("FULLSCREEN", "0"))
        theDisplay.videoFlags |= SDL_FULLSCREEN;
    else
        theDisplay.videoFlags &= ~static_cast<std::uint32_t>(SDL_FULLSCREEN);
    Uint32 subsystems = SDL_INIT_VIDEO;
    bool audio = ConfigSaysOne("AUDIO");
    if (ConfigSaysOne("JOYSTICK"))
        subsystems |= SDL_INIT_JOYSTICK;
    if (!ConfigSaysOne("DIRECTX"))
        platform::ChoosePlainVideoDriver();
    platform::ChooseCompatibilitySettings();

    // A display SDL cannot start on must end here, never in a crash.
    if (std::string problem = platform::VideoDisplayProblem(); !problem.empty())
        FatalError(GetString(1, 1), WithLibraryText(kNoVideoRemedy, problem.c_str()).c_str());
    if (SDL_Init(subsystems) < 0)
        FatalError(GetString(1, 1), WithLibraryText(kNoVideoRemedy, SDL_GetError()).c_str());
    std::atexit(SDL_Quit);

    // The sound first: its message must not hide behind a full screen.
    if (audio && (SDL_InitSubSystem(SDL_INIT_AUDIO) < 0 ||
                  OpenAudio(theDisplay.audioFrequency, theDisplay.audioFormat, theDisplay.audioChannels) < 0))
        FatalError(GetString(1, 2), WithLibraryText(kNoAudioRemedy, Mix_GetError()).c_str());

    OpenScreen(theDisplay.width, theDisplay.height, theDisplay.depth, theDisplay.videoFlags);
    platform::EndWithTheDisplay();

    SeedRandom(static_cast<unsigned>(std::time(nullptr)));
    SDL_EnableUNICODE(1);
    // While a file lock is waited for, the window keeps answering.
    platform::SetWaitHook([] { SDL_PumpEvents(); });
    // The window manager wants UTF-8; the table is Latin-1.
    SDL_WM_SetCaption(platform::Latin1ToUtf8(GetString(0, 1)).c_str(), platform::Latin1ToUtf8(GetString(0, 2)).c_str());

    palette_.reset(new std::uint8_t[256 * 4]());
    if (TJoinElement* entry = archive_->LoadItem(2, 0)) {
        PaletteFromTriples(entry->Data(), entry->DataLength(), palette_.get());
        TJoinFile::Release(entry);
    }
    SetPalette(palette_.get());

    SetIcon();

    cursorImage_.reset(LoadImageKeyed(*archive_, 4, 0, 24));
    if (!cursorImage_)
        FatalError(GetString(1, 4), "App Default Cursor");
    SDL_ShowCursor(SDL_DISABLE);

    LoadDefaultFont();

    mouse_ = std::make_unique<TMouse>(cursorImage_.get());
    InstallInputFilter();
}

void TApp::SetIcon()
{
    if (archive_->FindType(3) < 0)
        return;
    SurfacePtr icon(LoadImage(*archive_, 3, 0));
    if (!icon)
        FatalError(GetString(1, 3), SDL_GetError());
    if (icon->w % 8 != 0)
        FatalError(GetString(1, 3), "Icon width must be a muliple of 8");
    if (!icon->format->palette)
        FatalError(GetString(1, 3), "Icon must have a palette");
    SDL_LockSurface(icon.get());
    auto* pixels = static_cast<Uint8*>(icon->pixels);
    Uint8 transparent = pixels[0];
    std::vector<Uint8> mask(static_cast<std::size_t>(icon->w / 8) * icon->h, 0);
    for (int y = 0; y < icon->h; ++y)
        for (int x = 0; x < icon->w; ++x)
            if (pixels[y * icon->pitch + x] != transparent)
                mask[static_cast<std::size_t>(y * (icon->w / 8) + x / 8)] |= static_cast<Uint8>(0x80 >> (x % 8));
    SDL_UnlockSurface(icon.get());
    SDL_SetColorKey(icon.get(), SDL_SRCCOLORKEY, transparent);
    SDL_WM_SetIcon(icon.get(), mask.data());
}

void TApp::LoadDefaultFont()
{
    std::string path = std::string("fonts\\") + typeface::kInterface + ".ttf";
    if (theDisplay.width != 640 && platform::OpenFile(path, "rb"))
        defaultFont_ = TFont::OpenTrueType(path, 16 * theDisplay.scaleNum / theDisplay.scaleDen);
    if (!defaultFont_) {
        TJoinElement* entry = archive_->LoadItem(5, 0);
        if (entry)
            defaultFont_ = TFont::FromBitmap(entry->Data(), entry->DataLength());
        if (!defaultFont_)
            FatalError(GetString(1, 5), "App Default Font");
    }
    theScreen.font = defaultFont_.get();
    SetDefaultFont(defaultFont_.get());
}

TApp::~TApp()
{
    platform::SetWaitHook(nullptr);
    SetChild(nullptr);
    ClearCommands();
    mouse_.reset();
    cursorImage_.reset();
    std::uint8_t black[256 * 4] = {};
    SetPalette(black);
    palette_.reset();
    CloseAudio();
    SetDefaultFont(nullptr);
    CloseFont(defaultFont_);
    CloseScreen();
    theArchive = nullptr;
    archive_.reset();
    InstallStringTable(nullptr);
    strings_.reset();
    if (theApp == this)
        theApp = nullptr;
}

void TApp::HandleEvent(TEvent& event)
{
    if (auto route = routes_.find(event.command); route != routes_.end()) {
        MarkHandled();  // the screen that posted it is gone once the route has run
        route->second(*this);
        return;
    }
    const SDL_Event& e = event.event;
    if (e.type == SDL_KEYDOWN && (e.key.keysym.sym == SDLK_q || e.key.keysym.sym == SDLK_F4)) {
        bool ctrl = (e.key.keysym.mod & KMOD_CTRL) != 0;
        bool alt = (e.key.keysym.mod & KMOD_ALT) != 0;
        if (ctrl != alt)
            PostCommand(command::kQuit);
    } else if (e.type == SDL_QUIT) {
        PostCommand(command::kQuit);
    } else if (e.type == SDL_ACTIVEEVENT) {
        if ((e.active.state & SDL_APPMOUSEFOCUS) != 0) {
            if (e.active.gain)
                SetMouseReentered();
            else if (mouse_)
                mouse_->visible = false;
        }
        if ((e.active.state & SDL_APPACTIVE) != 0 && e.active.gain)
            ShowWholeScreen();
    } else if (e.type == SDL_VIDEOEXPOSE) {
        // The display lost the picture (over SDL 2, a window manager's change
        // to full screen gives a new, black window): all of it again.
        ShowWholeScreen();
    }
    if (event.mouseMoved && mouse_)
        mouse_->MoveTo(event.mouseX, event.mouseY);
}

void TApp::PresentFrame(bool sleep)
{
    if (theMouse)
        theMouse->PresentFrame();
    else
        FlushScreen();
    if (sleep)
        WaitForInput(wakeup::TakeSleep());
}

bool TApp::Frame(TEvent& record)
{
    ++passes_;
    GetEvent(record);
    DispatchEvent(this, record);
    if (quit_)
        return false;
    DispatchIdle(this);
    if (quit_)
        return false;
    PresentFrame(sleeping_);
    return record.command != command::kQuit;
}

void TApp::Run()
{
    Activate();
    TEvent record;
    record.Clear();
    quit_ = false;
    std::uint32_t start = SDL_GetTicks();
    while (Frame(record)) {
    }
    StopChain();
    // For the benchmarks: how often the loop came round, what it pushed.
    if (std::getenv("QUOLI_LOOP_STATS"))
        std::fprintf(stderr, "loop: %llu passes, %llu frames pushed, %llu pixels, %u ms\n",
                     static_cast<unsigned long long>(passes_), static_cast<unsigned long long>(Pushed().frames),
                     static_cast<unsigned long long>(Pushed().pixels), SDL_GetTicks() - start);
}

int TApp::RunModal(TContext* owner, std::unique_ptr<TContext> context)
{
    owner->MarkHandled();
    auto* app = dynamic_cast<TApp*>(owner->Root());
    bool sleep = !app || app->Sleeping();
    context->Start();
    TEvent record;
    record.Clear();
    for (;;) {
        GetEvent(record);
        owner->HandleEvent(record);
        context->HandleEvent(record);
        if (record.command == command::kEndModal || record.command == command::kQuit)
            break;
        owner->Idle();
        context->Idle();
        PresentFrame(sleep);
    }
    context->Stop();
    context.reset();
    if (record.command == command::kQuit)
        if (auto* root = dynamic_cast<TApp*>(owner))
            root->RequestQuit();
    return record.command;
}
