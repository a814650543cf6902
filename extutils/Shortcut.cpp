// A desktop shortcut: a freedesktop launcher that starts this program
// folder's game straight into one child's profile.

#include "ExtUtils.h"
#include "SaveFile.h"
#include "Tools.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

using namespace extutils;

namespace {

std::string Trimmed(std::string text)
{
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' '))
        text.pop_back();
    return text;
}

// Empty when there is no home to put a desktop in.
std::string DesktopFolder(Deadline deadline)
{
    const char* home = std::getenv("HOME");
    std::string folder = Trimmed(ToolOutput({"xdg-user-dir", "DESKTOP"}, deadline));
    if (folder.empty() || folder[0] != '/' || (home && folder == home))
        folder = home && *home == '/' ? std::string(home) + "/Desktop" : std::string();
    return folder;
}

// A value of a desktop entry: the escapes of its string type.
std::string Value(const std::string& text)
{
    std::string out;
    for (char c : text) {
        switch (c) {
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\t': out += "\\t"; break;
        case '\r': out += "\\r"; break;
        default: out += c; break;
        }
    }
    return out;
}

// One argument of the Exec line: quoted, with the characters the quoting
// reserves escaped and "%" doubled (it starts field codes).
std::string ExecArgument(const std::string& text)
{
    std::string out = "\"";
    for (char c : text) {
        if (c == '"' || c == '`' || c == '$' || c == '\\')
            out += '\\';
        if (c == '%')
            out += '%';
        out += c;
    }
    return out + "\"";
}

// One child, one launcher: letters, digits and "-" stay, every other byte
// becomes "_" and its two hex digits, so that no two names share a file
// ("Anna Maria", "Anna-Maria", "Nicolò", "Nicolà") and none can leave the
// folder.
std::string FileNameFor(const std::string& name)
{
    static const char hex[] = "0123456789ABCDEF";
    std::string safe;
    for (unsigned char c : name) {
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-') {
            safe += static_cast<char>(c);
        } else {
            safe += '_';
            safe += hex[c >> 4];
            safe += hex[c & 15];
        }
    }
    return "quoli-" + safe + ".desktop";
}

std::string ProgramFolder()
{
    char buffer[4096];
    return getcwd(buffer, sizeof buffer) ? buffer : ".";
}

// What starts the game: the installed launcher, which names itself, or the
// program in its folder.
std::string ProgramCommand(const std::string& folder)
{
    const char* launcher = std::getenv("QUOLI_LAUNCHER");
    return launcher && launcher[0] == '/' ? launcher : folder + "/quoli";
}

}  // namespace

extern "C" int CreateIconOnDesktop(const char* title, const char* comment, const char* argument, void*)
{
    Deadline deadline = ToolDeadline();
    std::string name = argument ? argument : "";
    std::string folder = DesktopFolder(deadline);
    if (folder.empty() || !MakeFolders(folder))
        return 1;
    std::string program = ProgramFolder();
    // "--" before the name: a child called "-B" starts her game, not the
    // name prompt.
    std::string entry = "[Desktop Entry]\n"
                        "Type=Application\n"
                        "Version=1.0\n"
                        "Name=" + Value(Latin1ToUtf8(title)) + "\n"
                        "Comment=" + Value(Latin1ToUtf8(comment)) + "\n"
                        "Exec=" + Value(ExecArgument(ProgramCommand(program)) + " -- " +
                                        ExecArgument(Latin1ToUtf8(name.c_str()))) + "\n"
                        "Path=" + Value(program) + "\n"
                        "Icon=" + Value(program + "/quoli.png") + "\n"
                        "Terminal=false\n"
                        "Categories=Game;KidsGame;\n";
    std::string file = FileNameFor(name);
    // Desktops start only launchers marked executable.
    if (!SaveFile(folder, file, entry, 0755))
        return 1;
    // GNOME's file manager asks before starting a launcher it does not trust.
    if (!FindTool("gio").empty())
        RunTool({"gio", "set", folder + "/" + file, "metadata::trusted", "true"}, "", deadline);
    return 0;
}
