#include "platform/DynamicLibrary.h"

#include "platform/Files.h"
#include "platform/Paths.h"

#include <dlfcn.h>

namespace platform {

DynamicLibrary::DynamicLibrary(const std::string& fileName)
{
    std::string local = NativePath(CurrentFolder() + fileName);
    handle_ = dlopen(local.c_str(), RTLD_NOW);
    if (!handle_)
        handle_ = dlopen(fileName.c_str(), RTLD_NOW);
}

DynamicLibrary::~DynamicLibrary()
{
    if (handle_)
        dlclose(handle_);
}

void* DynamicLibrary::Symbol(const char* name) const
{
    return handle_ ? dlsym(handle_, name) : nullptr;
}

}  // namespace platform
