// A desktop shortcut: a freedesktop launcher that starts this program
// folder's game straight into one child's profile.

#include "ExtUtils.h"
#include "Tools.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

using namespace extutils;

namespace {

std::string Trimmed(std::string text)
{
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' '))
        text.pop_back();
    return text;
}

std::string DesktopFolder()
{
    const char* home = std::getenv("HOME");
    std::string folder = Trimmed(ToolOutput({"xdg-user-dir", "DESKTOP"}));
    if (folder.empty() || (home && folder == home))
        folder = std::string(home ? home : "") + "/Desktop";
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

std::string FileNameFor(const std::string& name)
{
    std::string safe;
    for (unsigned char c : name)
        safe += (c < 0x80 && std::isalnum(c)) ? static_cast<char>(c) : '-';
    return "quoli-" + safe + ".desktop";
}

std::string ProgramFolder()
{
    char buffer[4096];
    return getcwd(buffer, sizeof buffer) ? buffer : ".";
}

}  // namespace

extern "C" int CreateIconOnDesktop(const char* title, const char* comment, const char* argument, void*)
{
    std::string name = argument ? argument : "";
    std::string folder = DesktopFolder();
    RunTool({"mkdir", "-p", folder}, "");
    std::string program = ProgramFolder();
    std::string utf8Name = Latin1ToUtf8(name.c_str());
    std::string entry = "[Desktop Entry]\n"
                        "Type=Application\n"
                        "Version=1.0\n"
                        "Name=" + Value(Latin1ToUtf8(title)) + "\n"
                        "Comment=" + Value(Latin1ToUtf8(comment)) + "\n"
                        "Exec=" + Value(ExecArgument(program + "/quoli") + " " + ExecArgument(utf8Name)) + "\n"
                        "Path=" + Value(program) + "\n"
                        "Icon=" + Value(program + "/quoli.png") + "\n"
                        "Terminal=false\n"
                        "Categories=Game;KidsGame;\n";
    std::string path = folder + "/" + FileNameFor(name);
    std::string temp = path + ".new";
    {
        std::ofstream out(temp, std::ios::binary);
        out << entry;
        out.flush();
        if (!out) {
            std::remove(temp.c_str());
            return 1;
        }
    }
    chmod(temp.c_str(), 0755);  // desktops start only launchers marked executable
    if (std::rename(temp.c_str(), path.c_str()) != 0) {
        std::remove(temp.c_str());
        return 1;
    }
    // GNOME's file manager asks before starting a launcher it does not trust.
    if (!FindTool("gio").empty())
        RunTool({"gio", "set", path, "metadata::trusted", "true"}, "");
    return 0;
}
