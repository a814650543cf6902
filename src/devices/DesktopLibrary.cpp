#include "devices/DesktopLibrary.h"

#include "platform/Files.h"
#include "platform/Paths.h"

#include <dlfcn.h>

namespace desktop {

namespace {

// The library: first beside the program, then wherever the system loader
// finds it.
class Library {
public:
    Library()
    {
        std::string local = platform::NativePath(platform::CurrentFolder() + "libExtUtils.so");
        handle_ = dlopen(local.c_str(), RTLD_NOW);
        if (!handle_)
            handle_ = dlopen("libExtUtils.so", RTLD_NOW);
    }
    ~Library()
    {
        if (handle_)
            dlclose(handle_);
    }
    template <typename F>
    F Find(const char* name) const
    {
        return handle_ ? reinterpret_cast<F>(dlsym(handle_, name)) : nullptr;
    }
    void* Handle() const { return handle_; }

private:
    void* handle_ = nullptr;
};

}  // namespace

void CopyTextFileToClipboard(const std::string& path)
{
    Library library;
    if (auto f = library.Find<int (*)(const char*)>("CopyTextFileToClipboard"))
        f(platform::NativePath(path).c_str());
}

void PrintAsciiText(const std::string& title, const std::vector<std::string>& lines)
{
    Library library;
    auto f = library.Find<int (*)(const char*, const char* const*, int, void*)>("PrintAsciiText");
    if (!f)
        return;
    std::vector<const char*> pointers;
    for (const std::string& line : lines)
        pointers.push_back(line.c_str());
    pointers.push_back(nullptr);
    f(title.c_str(), pointers.data(), 1, nullptr);
}

void PrintBitmap(const std::string& title, SDL_Surface* screen)
{
    Library library;
    if (auto f = library.Find<int (*)(const char*, SDL_Surface*, int)>("PrintBitmap"))
        f(title.c_str(), screen, 1);
}

void CreateIconOnDesktop(const std::string& title, const std::string& description, const std::string& argument)
{
    Library library;
    if (auto f = library.Find<int (*)(const char*, const char*, const char*, void*)>("CreateIconOnDesktop"))
        f(title.c_str(), description.c_str(), argument.c_str(), library.Handle());
}

}  // namespace desktop
