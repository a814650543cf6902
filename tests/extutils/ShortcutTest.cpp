// The desktop shortcut: a launcher of its own for each child, made on a
// desktop where links may have been planted, whose command line starts the
// game for exactly that child whatever her name holds.

#include "StartUp.h"
#include "support/DesktopSandbox.h"
#include "support/Shell.h"

#include <sys/stat.h>

#include <cstring>
#include <filesystem>
#include <map>
#include <set>

#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

using CreateIcon = int (*)(const char*, const char*, const char*, void*);

int MakeShortcut(DesktopSandbox& sandbox, const std::string& name)
{
    auto create = sandbox.Find<CreateIcon>("CreateIconOnDesktop");
    return create ? create(("Quoli - " + name).c_str(), "Gioca con Quoli", name.c_str(), nullptr) : -1;
}

std::string Utf8(const std::string& latin1)
{
    std::string out;
    for (unsigned char c : latin1) {
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

// The keys of a desktop entry; a line that is neither a group nor a key
// (a name's newline let through) is kept under "?".
std::map<std::string, std::string> Entry(const std::string& path)
{
    std::map<std::string, std::string> keys;
    std::string text = ReadBinaryFile(path);
    for (std::size_t at = 0; at < text.size();) {
        std::size_t end = text.find('\n', at);
        std::string line = text.substr(at, end - at);
        at = end == std::string::npos ? text.size() : end + 1;
        std::size_t equals = line.find('=');
        if (line == "[Desktop Entry]")
            continue;
        if (equals == std::string::npos)
            keys["?"] += line;
        else
            keys[line.substr(0, equals)] = line.substr(equals + 1);
    }
    return keys;
}

// A string value without its escapes; "<bad>" for an escape there is none of.
std::string Unescaped(const std::string& value)
{
    std::string text;
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] != '\\' || i + 1 == value.size()) {
            text += value[i];
            continue;
        }
        char next = value[++i];
        if (std::strchr("sntr\\", next) == nullptr)
            return "<bad>";
        text += next == 's' ? ' ' : next == 'n' ? '\n' : next == 't' ? '\t' : next == 'r' ? '\r' : next;
    }
    return text;
}

// An Exec value read as a desktop reads it: the string escapes first, then
// the quoting, "%%" as "%". What the rules forbid (a field code, a reserved
// character outside quotes, an open quote) comes back as "<bad>".
std::vector<std::string> ExecArguments(const std::string& value)
{
    std::string text = Unescaped(value);
    std::vector<std::string> arguments;
    std::string current;
    bool quoted = false, started = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '%') {
            if (i + 1 == text.size() || text[i + 1] != '%')
                return {"<bad>"};
            current += text[++i];
            started = true;
        } else if (quoted) {
            if (c == '\\' && i + 1 < text.size() && std::strchr("\"`$\\", text[i + 1]))
                current += text[++i];
            else if (c == '"')
                quoted = false;
            else if (c == '\\' || c == '`' || c == '$')
                return {"<bad>"};
            else
                current += c;
        } else if (c == ' ') {
            if (started)
                arguments.push_back(current);
            current.clear();
            started = false;
        } else if (c == '"') {
            quoted = started = true;
        } else if (std::strchr("\t\n'\\><~|&;$*?#()`", c)) {
            return {"<bad>"};
        } else {
            current += c;
            started = true;
        }
    }
    if (quoted)
        return {"<bad>"};
    if (started)
        arguments.push_back(current);
    return arguments;
}

std::vector<std::string> Launchers(const DesktopSandbox& sandbox)
{
    std::vector<std::string> names;
    for (const auto& file : fs::directory_iterator(sandbox.Desktop()))
        if (file.path().extension() == ".desktop")
            names.push_back(file.path().string());
    return names;
}

}  // namespace

TEST(ShortcutTest, TheLauncherStartsTheGameForExactlyThatChild)
{
    DesktopSandbox sandbox;
    for (std::string name : {"$(touch X)", "`touch Y`", "a\"b", "a\\b", "%f", "a\nb", "it's; x|y&", "-B", "/b",
                             "--", "Anna Maria", "Nicol\xF2"}) {
        SCOPED_TRACE(name);
        fs::remove_all(sandbox.Desktop());
        ASSERT_EQ(MakeShortcut(sandbox, name), 0);
        std::vector<std::string> launchers = Launchers(sandbox);
        ASSERT_EQ(launchers.size(), 1u);
        std::map<std::string, std::string> entry = Entry(launchers[0]);
        EXPECT_EQ(entry.count("?"), 0u) << "a line that is not a key: " << entry["?"];
        EXPECT_EQ(Unescaped(entry["Name"]), Utf8("Quoli - " + name));
        std::vector<std::string> arguments = ExecArguments(entry["Exec"]);
        ASSERT_GE(arguments.size(), 2u) << entry["Exec"];
        EXPECT_EQ(arguments[0], sandbox.Game() + "/quoli") << entry["Exec"];
        std::vector<const char*> argv;
        for (const std::string& a : arguments)
            argv.push_back(a.c_str());
        StartRequest request = ClassifyCommandLine(static_cast<int>(argv.size()), argv.data());
        EXPECT_EQ(request.mode, StartRequest::Profile) << entry["Exec"];
        EXPECT_EQ(request.profileName, name) << entry["Exec"];
        ShellRun valid = RunShell("/usr/bin/desktop-file-validate '" + launchers[0] + "'");
        EXPECT_EQ(valid.status, 0) << valid.output;
    }
    EXPECT_EQ(sandbox.Folder().List("game"), std::vector<std::string>{}) << "nothing ran a name";
}

TEST(ShortcutTest, EachChildHasALauncherOfHerOwn)
{
    DesktopSandbox sandbox;
    std::vector<std::string> names{"Nicol\xF2", "Nicol\xE0", "Anna Maria", "Anna-Maria", "Anna.Maria",
                                   "Anna_20Maria", "anna maria", "../Anna"};
    for (const std::string& name : names)
        ASSERT_EQ(MakeShortcut(sandbox, name), 0) << name;
    ASSERT_EQ(MakeShortcut(sandbox, "Anna Maria"), 0) << "made again, it replaces her own";
    std::vector<std::string> launchers = Launchers(sandbox);
    EXPECT_EQ(launchers.size(), names.size());
    std::set<std::string> started;
    for (const std::string& path : launchers) {
        std::vector<std::string> arguments = ExecArguments(Entry(path)["Exec"]);
        if (!arguments.empty())
            started.insert(arguments.back());
    }
    std::set<std::string> expected;
    for (const std::string& name : names)
        expected.insert(Utf8(name));
    EXPECT_EQ(started, expected);
    EXPECT_EQ(sandbox.Folder().List("home"), std::vector<std::string>{"Desktop"}) << "nothing outside the desktop";
}

TEST(ShortcutTest, ALinkPlantedOnTheDesktopIsReplacedNeverWrittenThrough)
{
    DesktopSandbox sandbox;
    const TempFolder& folder = sandbox.Folder();
    folder.MakeFolder("home/Desktop");
    for (const char* victim : {"secret", "other"}) {
        folder.Write(std::string("home/") + victim, "private\n");
        fs::permissions(folder / ("home/" + std::string(victim)), fs::perms::owner_read | fs::perms::owner_write);
    }
    // The names the launchers of Anna, Bruno and Carla are written through.
    fs::create_symlink(folder / "home/secret", sandbox.Desktop() + "/quoli-Anna.desktop.new");
    fs::create_symlink(folder / "home/.profile", sandbox.Desktop() + "/quoli-Bruno.desktop.new");
    fs::create_symlink(folder / "home/other", sandbox.Desktop() + "/quoli-Carla.desktop");
    for (const char* name : {"Anna", "Bruno", "Carla"})
        EXPECT_EQ(MakeShortcut(sandbox, name), 0) << name;

    for (const char* victim : {"secret", "other"}) {
        EXPECT_EQ(folder.Read(std::string("home/") + victim), "private\n") << victim;
        struct stat info {};
        ASSERT_EQ(::lstat((folder / ("home/" + std::string(victim))).c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & 07777, 0600u) << victim;
    }
    EXPECT_FALSE(fs::exists(folder / "home/.profile")) << "a file made through a dangling link";
    for (const char* name : {"Anna", "Bruno", "Carla"}) {
        std::string path = sandbox.Desktop() + "/quoli-" + name + ".desktop";
        struct stat info {};
        ASSERT_EQ(::lstat(path.c_str(), &info), 0) << name;
        EXPECT_TRUE(S_ISREG(info.st_mode)) << name;
        EXPECT_EQ(info.st_mode & 07777, 0755u) << name;
        EXPECT_EQ(ReadBinaryFile(path).rfind("[Desktop Entry]\n", 0), 0u) << name;
    }
    EXPECT_EQ(folder.List("home/Desktop"),
              (std::vector<std::string>{"quoli-Anna.desktop", "quoli-Anna.desktop.new", "quoli-Bruno.desktop",
                                        "quoli-Bruno.desktop.new", "quoli-Carla.desktop"}))
        << "no file of ours left half-made";
}
