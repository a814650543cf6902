#pragma once
// The application object: the root of the chain of screens. Building it
// brings the whole program up (data folder, archive, texts, configuration,
// video, sound, palette, icon, pointer, default font, input); destroying it
// takes everything down in a fixed order.

#include "app/TContext.h"
#include "gfx/Images.h"

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>

class TFont;
class TJoinFile;
class TMouse;
class TStringTable;
struct SDL_Surface;

class TApp : public TContext {
public:
    // A null string-table name takes the table from the archive (type 1).
    TApp(const char* applicationName, const char* archiveName, const char* stringTableName);
    ~TApp() override;

    void HandleEvent(TEvent& event) override;

    // The main loop, until the quit command.
    void Run();
    // One pass of the loop: event, dispatch, idle, frame, then the sleep
    // until the next pass is due (unless sleeping is off). False once the
    // program is to end.
    bool Frame(TEvent& record);
    // Off for loops stepped by hand (tests, benchmarks, review tools): no
    // pass of the main loop or of a modal loop then waits.
    void SetSleeping(bool on) { sleeping_ = on; }
    bool Sleeping() const { return sleeping_; }
    // Runs a context above `owner` in a loop of its own until it posts the
    // end of the modal loop (6) or quit (1), then deletes it.
    static int RunModal(TContext* owner, std::unique_ptr<TContext> context);

    // What follows a screen that ends by posting `command`: the screens do
    // not know one another, start-up wires them.
    using Route = std::function<void(TApp&)>;
    void SetRoute(int command, Route route) { routes_[command] = std::move(route); }

    void RequestQuit() { quit_ = true; }
    bool QuitRequested() const { return quit_; }
    const std::string& ApplicationName() const { return applicationName_; }
    TMouse* Mouse() const { return mouse_.get(); }

private:
    void Initialise();
    void SetIcon();
    void LoadDefaultFont();
    static void PresentFrame(bool sleep);

    std::string applicationName_, archiveName_, stringTableName_;
    bool quit_ = false;
    bool sleeping_ = true;
    std::map<int, Route> routes_;
    std::uint64_t passes_ = 0;  // of the main loop, for the benchmarks
    std::unique_ptr<TJoinFile> archive_;
    std::unique_ptr<TStringTable> strings_;
    std::unique_ptr<std::uint8_t[]> palette_;
    SurfacePtr cursorImage_;
    std::unique_ptr<TFont> defaultFont_;
    std::unique_ptr<TMouse> mouse_;
};

extern TApp* theApp;
