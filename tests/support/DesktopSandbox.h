#pragma once
// A desktop of the test's own for the desktop utility library: a home, the
// program folder as the current folder, and a PATH that holds only the
// stand-in tools the test writes. The environment is put back afterwards.

#include "platform/DynamicLibrary.h"
#include "support/TempFolder.h"

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

class DesktopSandbox {
public:
    DesktopSandbox();
    ~DesktopSandbox();
    DesktopSandbox(const DesktopSandbox&) = delete;
    DesktopSandbox& operator=(const DesktopSandbox&) = delete;

    const TempFolder& Folder() const { return folder_; }
    std::string Desktop() const { return folder_ / "home/Desktop"; }
    std::string Game() const { return folder_ / "game"; }

    // Sets a variable until the sandbox goes; null unsets it.
    void SetEnv(const char* name, const char* value);
    // A stand-in for a desktop tool: a shell script (with the system's PATH).
    void Tool(const std::string& name, const std::string& script) const;

    // An operation of the staged desktop library, loaded at the first ask.
    template <typename F>
    F Find(const char* name)
    {
        return reinterpret_cast<F>(Symbol(name));
    }

private:
    void* Symbol(const char* name);

    TempFolder folder_;
    std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
    std::unique_ptr<ScopedCurrentFolder> current_;
    std::unique_ptr<platform::DynamicLibrary> library_;
};

// True as soon as `condition` holds; false when it still does not after `bound`.
bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds bound);
