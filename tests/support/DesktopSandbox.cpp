#include "support/DesktopSandbox.h"

#include <stdlib.h>

#include <filesystem>
#include <thread>

namespace fs = std::filesystem;

DesktopSandbox::DesktopSandbox()
{
    folder_.MakeFolder("home");
    folder_.MakeFolder("bin");
    folder_.MakeFolder("game");
    SetEnv("HOME", (folder_ / "home").c_str());
    SetEnv("XDG_CONFIG_HOME", (folder_ / "home/.config").c_str());
    SetEnv("PATH", (folder_ / "bin").c_str());
    SetEnv("DISPLAY", nullptr);
    SetEnv("WAYLAND_DISPLAY", nullptr);
    SetEnv("QUOLI_TOOL_WAIT_MS", nullptr);
    current_ = std::make_unique<ScopedCurrentFolder>(Game());
}

DesktopSandbox::~DesktopSandbox()
{
    library_.reset();
    current_.reset();
    for (auto it = saved_.rbegin(); it != saved_.rend(); ++it) {
        if (it->second)
            ::setenv(it->first.c_str(), it->second->c_str(), 1);
        else
            ::unsetenv(it->first.c_str());
    }
}

void DesktopSandbox::SetEnv(const char* name, const char* value)
{
    const char* old = std::getenv(name);
    saved_.emplace_back(name, old ? std::optional<std::string>(old) : std::nullopt);
    if (value)
        ::setenv(name, value, 1);
    else
        ::unsetenv(name);
}

void* DesktopSandbox::Symbol(const char* name)
{
    if (!library_)
        library_ = std::make_unique<platform::DynamicLibrary>(std::string(QUOLI_STAGE_DIR) + "/libExtUtils.so");
    return library_->Symbol(name);
}

void DesktopSandbox::Tool(const std::string& name, const std::string& script) const
{
    folder_.Write("bin/" + name, "#!/bin/sh\nPATH=/usr/bin:/bin\n" + script);
    fs::permissions(folder_ / ("bin/" + name), fs::perms::owner_all);
}

bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds bound)
{
    auto end = std::chrono::steady_clock::now() + bound;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > end)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}
