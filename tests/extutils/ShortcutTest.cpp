// The desktop shortcut, made on a desktop where links may have been planted.

#include "support/DesktopSandbox.h"

#include <sys/stat.h>

#include <filesystem>

#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

using CreateIcon = int (*)(const char*, const char*, const char*, void*);

int MakeShortcut(DesktopSandbox& sandbox, const std::string& name)
{
    auto create = sandbox.Find<CreateIcon>("CreateIconOnDesktop");
    return create ? create(("Quoli - " + name).c_str(), "Gioca con Quoli", name.c_str(), nullptr) : -1;
}

}  // namespace

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
