// The clipboard: the desktop's own tool keeps the text after we are gone.

#include "ExtUtils.h"
#include "Tools.h"

#include <cstdlib>
#include <fstream>
#include <iterator>

using namespace extutils;

extern "C" int CopyTextFileToClipboard(const char* path)
{
    std::ifstream in(path ? path : "", std::ios::binary);
    if (!in)
        return 1;
    std::string latin1((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::string text = Latin1ToUtf8(latin1.c_str());
    Deadline deadline = ToolDeadline();
    if (std::getenv("WAYLAND_DISPLAY") && !FindTool("wl-copy").empty())
        return RunTool({"wl-copy"}, text, deadline);
    if (!std::getenv("DISPLAY"))
        return 2;
    if (!FindTool("xclip").empty())
        return RunTool({"xclip", "-selection", "clipboard", "-in"}, text, deadline);
    if (!FindTool("xsel").empty())
        return RunTool({"xsel", "--clipboard", "--input"}, text, deadline);
    return 3;
}
