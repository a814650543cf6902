#pragma once
// A shared library loaded for as long as the object lives: first from the
// program folder, then wherever the system's loader finds it. A library that
// cannot be loaded, or a name it does not export, answers null.

#include <string>

namespace platform {

class DynamicLibrary {
public:
    explicit DynamicLibrary(const std::string& fileName);
    ~DynamicLibrary();
    DynamicLibrary(const DynamicLibrary&) = delete;
    DynamicLibrary& operator=(const DynamicLibrary&) = delete;

    void* Symbol(const char* name) const;
    void* Handle() const { return handle_; }

    template <typename F>
    F Find(const char* name) const
    {
        return reinterpret_cast<F>(Symbol(name));
    }

private:
    void* handle_ = nullptr;
};

}  // namespace platform
