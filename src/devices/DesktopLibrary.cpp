#include "devices/DesktopLibrary.h"

#include "platform/DynamicLibrary.h"
#include "platform/Paths.h"

namespace desktop {

namespace {

// The library is looked for under this name at each use.
class Library : public platform::DynamicLibrary {
public:
    Library() : DynamicLibrary("libExtUtils.so") {}
};

}  // namespace

bool CopyTextFileToClipboard(const std::string& path)
{
    Library library;
    auto f = library.Find<int (*)(const char*)>("CopyTextFileToClipboard");
    return f && f(platform::NativePath(path).c_str()) == 0;
}

bool PrintAsciiText(const std::string& title, const std::vector<std::string>& lines)
{
    Library library;
    auto f = library.Find<int (*)(const char*, const char* const*, int, void*)>("PrintAsciiText");
    if (!f)
        return false;
    std::vector<const char*> pointers;
    for (const std::string& line : lines)
        pointers.push_back(line.c_str());
    pointers.push_back(nullptr);
    return f(title.c_str(), pointers.data(), 1, nullptr) == 0;
}

bool PrintBitmap(const std::string& title, SDL_Surface* screen)
{
    Library library;
    auto f = library.Find<int (*)(const char*, SDL_Surface*, int)>("PrintBitmap");
    return f && f(title.c_str(), screen, 1) == 0;
}

void CreateIconOnDesktop(const std::string& title, const std::string& description, const std::string& argument)
{
    Library library;
    if (auto f = library.Find<int (*)(const char*, const char*, const char*, void*)>("CreateIconOnDesktop"))
        f(title.c_str(), description.c_str(), argument.c_str(), library.Handle());
}

}  // namespace desktop
