#include "base/FatalError.h"

#include "platform/MessageBox.h"

#include <cstdio>
#include <cstdlib>

void FatalError(const char* first, const char* second)
{
    char text[1024];
    std::snprintf(text, sizeof text, "%s %s", first ? first : "", second ? second : "");
    platform::ShowErrorBox(text);
    std::exit(1);
}
