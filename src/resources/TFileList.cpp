#include "resources/TFileList.h"

#include "platform/Files.h"
#include "resources/FileHelpers.h"

#include <algorithm>

TFileList::TFileList(const char* folder, const char* extension, int flags)
{
    Scan(folder, extension, flags);
}

namespace {

bool PassesFilter(const std::string& name, const std::string& filter)
{
    if (filter.empty())
        return true;
    if (name.size() < filter.size() || name.find('.') == std::string::npos)
        return false;
    return HasExtension(name.c_str(), filter.c_str());
}

}  // namespace

int TFileList::Scan(const char* folder, const char* extension, int flags)
{
    filter_ = extension ? extension : "";
    int looked = 0;
    for (const platform::FolderEntry& entry : platform::ListFolder(folder ? folder : "")) {
        ++looked;
        std::string name = entry.name;
        if (entry.isFolder) {
            if (!(flags & kFolders))
                continue;
            if (flags & kFiles)
                name += '\\';
        } else {
            if (!(flags & kFiles) || !PassesFilter(name, filter_))
                continue;
            if (flags & kCutAtFirstDot)
                name = name.substr(0, name.find('.'));
        }
        if (flags & kUnderscoreAsSpace)
            std::replace(name.begin(), name.end(), '_', ' ');
        AppendText(name.c_str());
    }
    return looked;
}
