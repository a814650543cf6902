#pragma once
// The real application object on SDL's dummy drivers, in a program folder
// of its own, with a clock the test moves and a loop it steps frame by frame.

#include "app/TEvent.h"
#include "support/TempFolder.h"

#include "SDL.h"

#include <cstdint>
#include <memory>
#include <string>

class TApp;

// The tick source tests control.
struct FakeClock {
    static void Set(std::uint32_t ms);
    static void Advance(std::uint32_t ms);
    static std::uint32_t Ticks();
};

struct HeadlessOptions {
    int resolution = 1;          // 0 640x480, 1 800x600, 2 1024x768
    std::string config = "[global]\r\nFULLSCREEN=0\r\nAUDIO=1\r\nJOYSTICK=0\r\n";
    bool withFonts = true;       // copy the staged fonts folder
    std::string resources;       // another resource archive than the staged one
};

class HeadlessApp {
public:
    explicit HeadlessApp(HeadlessOptions options = {});
    ~HeadlessApp();

    TApp& App() { return *app_; }
    // Runs frames of the main loop without its 1 ms sleep; false once it ended.
    bool Step(int frames = 1);
    TEvent& LastRecord() { return record_; }

    void PushKey(SDLKey sym, bool down, Uint16 unicode = 0, int mod = KMOD_NONE);
    void PushButton(int button, bool down);
    // A motion event through the motion filter (pushed events skip it).
    void MoveMouse(int x, int y, int xrel = 0, int yrel = 0);

    // Saves the screen as BMP (for failing screen tests).
    void DumpScreen(const std::string& name) const;

    const TempFolder& Folder() const { return folder_; }

private:
    TempFolder folder_;
    std::unique_ptr<ScopedCurrentFolder> here_;
    std::unique_ptr<TApp> app_;
    TEvent record_{};
};

// A pixel of the screen surface at logical (x, y).
std::uint32_t ScreenPixel(int x, int y);
