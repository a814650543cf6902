#include "base/dstring.h"

#include <cstring>

dstring::dstring(const char* text)
{
    SetText(text);
}

void dstring::SetText(const char* text)
{
    Release();
    if (!text)
        return;
    std::size_t size = std::strlen(text) + 1;
    std::memcpy(AllocData(size), text, size);
}

const char* dstring::Text() const
{
    return HasText() ? reinterpret_cast<const char*>(Data()) : "";
}
