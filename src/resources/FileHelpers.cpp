#include "resources/FileHelpers.h"

#include "platform/Files.h"
#include "base/TextHelpers.h"

#include <cstring>

bool IsFolder(const char* path)
{
    return path && platform::IsDirectory(path);
}

bool MakeFolder(const char* path)
{
    if (!path)
        return false;
    if (IsFolder(path))
        return true;
    return platform::MakeDirectory(path);
}

bool ProgramFolderReadOnly()
{
    // A new file made exclusively: one planted under the probe's name (a
    // link to a teacher's file, say) is never opened.
    return !platform::CanCreateFileIn("");
}

std::string CurrentFolder()
{
    return platform::CurrentFolder();
}

std::string FontsFolder()
{
    std::string folder = platform::CurrentFolder();
    return folder.empty() ? folder : folder + "fonts\\";
}

void ToBackslashes(char* path)
{
    for (char* p = path; p && *p; ++p)
        if (*p == '/')
            *p = '\\';
}

void ToBackslashes(std::string& path)
{
    for (char& c : path)
        if (c == '/')
            c = '\\';
}

bool HasExtension(const char* name, const char* extension)
{
    if (!extension || !*extension)
        return true;
    if (!name)
        return false;
    const char* dot = std::strrchr(name, '.');
    return dot && EqualsNoCase(dot, extension);
}
