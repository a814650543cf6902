// The desktop library is optional: without it, or without one of its
// operations, each command does nothing at all and the program goes on.

#include "devices/DesktopLibrary.h"
#include "support/DesktopSandbox.h"

#include <dlfcn.h>

#include <filesystem>

#include <gtest/gtest.h>

namespace fs = std::filesystem;

TEST(DesktopLibraryTest, EachCommandWorksOnlyWhenTheLibraryHasItsOperation)
{
    if (void* left = dlopen("libExtUtils.so", RTLD_NOW | RTLD_NOLOAD)) {
        dlclose(left);
        FAIL() << "an earlier use left the library loaded";
    }
    DesktopSandbox sandbox;
    sandbox.SetEnv("DISPLAY", ":99");
    const TempFolder& folder = sandbox.Folder();
    // Stand-ins that note each use.
    std::string used = folder / "used";
    sandbox.Tool("lp", "cat > /dev/null\necho lp >> '" + used + "'\n");
    sandbox.Tool("xclip", "cat > /dev/null\necho xclip >> '" + used + "'\n");
    folder.Write("report.txt", "Risultati di Anna\n");
    SDL_Surface* screen = SDL_CreateRGBSurface(SDL_SWSURFACE, 8, 6, 16, 0xF800, 0x07E0, 0x001F, 0);
    ASSERT_NE(screen, nullptr);
    // What the copy and the two prints answered, in that order.
    auto useEveryCommand = [&] {
        fs::remove(used);
        fs::remove_all(sandbox.Desktop());
        std::string answers;
        answers += desktop::CopyTextFileToClipboard(folder / "report.txt") ? 'y' : 'n';
        answers += desktop::PrintAsciiText("Anna", {"Risultati di Anna"}) ? 'y' : 'n';
        answers += desktop::PrintBitmap("Quoli", screen) ? 'y' : 'n';
        desktop::CreateIconOnDesktop("Quoli - Anna", "Gioca con Quoli", "Anna");
        return answers;
    };

    EXPECT_EQ(useEveryCommand(), "nnn") << "no library";
    EXPECT_FALSE(fs::exists(used)) << "no library";
    EXPECT_FALSE(fs::exists(sandbox.Desktop())) << "no library";

    folder.Write("game/libExtUtils.so", "not a library\n");
    EXPECT_EQ(useEveryCommand(), "nnn") << "a damaged library";
    EXPECT_FALSE(fs::exists(used)) << "a damaged library";
    EXPECT_FALSE(fs::exists(sandbox.Desktop())) << "a damaged library";

    fs::remove(folder / "game/libExtUtils.so");
    fs::copy_file(QUOLI_NO_OPERATIONS_LIBRARY, folder / "game/libExtUtils.so");
    EXPECT_EQ(useEveryCommand(), "nnn") << "a library without the operations";
    EXPECT_FALSE(fs::exists(used)) << "a library without the operations";
    EXPECT_FALSE(fs::exists(sandbox.Desktop())) << "a library without the operations";

    // The same commands with the library there do reach it.
    fs::remove(folder / "game/libExtUtils.so");
    fs::copy_file(fs::path(QUOLI_STAGE_DIR) / "libExtUtils.so", folder / "game/libExtUtils.so");
    EXPECT_EQ(useEveryCommand(), "yyy") << "the library did each";
    EXPECT_EQ(folder.Read("used"), "xclip\nlp\nlp\n");
    EXPECT_TRUE(fs::exists(sandbox.Desktop() + "/quoli-Anna.desktop"));

    // Tools that fail: the commands say so.
    sandbox.Tool("lp", "cat > /dev/null\nexit 1\n");
    sandbox.Tool("xclip", "cat > /dev/null\nexit 1\n");
    EXPECT_EQ(useEveryCommand(), "nnn") << "the clipboard tool and the printer refused";
    SDL_FreeSurface(screen);
}
