#include "app/DataFolder.h"
#include "app/StartUp.h"
#include "app/TApp.h"
#include "gfx/Display.h"
#include "gfx/Screen.h"
#include "gfx/TFont.h"
#include "platform/Paths.h"
#include "resources/TJoinFile.h"
#include "support/ArchiveBytes.h"
#include "support/HeadlessApp.h"
#include "support/Shell.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

StartRequest Classify(std::vector<const char*> args)
{
    args.insert(args.begin(), "quoli");
    return ClassifyCommandLine(static_cast<int>(args.size()), args.data());
}

// The staged program in a folder of the test's own.
ShellRun RunProgram(const std::string& folder, const std::string& args)
{
    return RunShell("cd '" + folder + "' && env -u DISPLAY SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy " +
                    "LSAN_OPTIONS=detect_leaks=0 " + std::string(QUOLI_STAGE_DIR) + "/quoli " + args);
}

}  // namespace

TEST(StartUpTest, CommandLineClassification)
{
    EXPECT_EQ(Classify({}).mode, StartRequest::Ordinary);
    EXPECT_EQ(Classify({"/B"}).mode, StartRequest::AskName);
    EXPECT_EQ(Classify({"-b"}).mode, StartRequest::AskName);
    for (auto args : std::vector<std::vector<const char*>>{{"-bx"}, {"-"}, {"-b", "x"}, {"/c"}})
        EXPECT_EQ(Classify(args).mode, StartRequest::Profile) << args[0];
    StartRequest two = Classify({"Anna", "Maria"});
    EXPECT_EQ(two.profileName, "Anna Maria");
}

TEST(StartUpTest, UnknownProfileEndsBeforeAnyWindow)
{
    ShellRun run = RunProgram(QUOLI_STAGE_DIR, "Nessuno");
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.output.find("Non esiste il profilo di  Nessuno"), std::string::npos) << run.output;
}

TEST(StartUpTest, MissingArchiveIsFatal)
{
    TempFolder folder;
    ShellRun run = RunProgram(folder.Path(), "");
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.output.find("Can't load resources: resource.bin"), std::string::npos) << run.output;

    fs::copy_file(fs::path(QUOLI_STAGE_DIR) / "resource.bin", folder / "resource.bin");
    run = RunProgram(folder.Path(), "");
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.output.find("Can't load resources: quoli.str"), std::string::npos) << run.output;
}

TEST(StartUpTest, BadIconsAreFatalWithTheirReason)
{
    TempFolder folder;
    fs::copy_file(fs::path(QUOLI_STAGE_DIR) / "quoli.str", folder / "quoli.str");
    folder.Write("config.ini", "[global]\r\nFULLSCREEN=0\r\nAUDIO=0\r\n");
    auto bmp = [](int width, int bits) {
        SDL_Surface* s = SDL_CreateRGBSurface(SDL_SWSURFACE, width, 8, bits, 0, 0, 0, 0);
        SDL_RWops* rw = SDL_RWFromFile("/tmp/quoli-icon-test.bmp", "wb");
        SDL_SaveBMP_RW(s, rw, 1);
        SDL_FreeSurface(s);
        return ReadBinaryFile("/tmp/quoli-icon-test.bmp");
    };
    struct Case {
        std::string icon;
        const char* message;
    } cases[] = {{bmp(12, 8), "Icon width must be a muliple of 8"}, {bmp(16, 24), "Icon must have a palette"}};
    TJoinFile staged(std::string(QUOLI_STAGE_DIR) + "/resource.bin");
    ASSERT_GT(staged.LoadDirectory(), 0);
    for (const Case& c : cases) {
        std::vector<ArchiveEntrySpec> entries;
        for (int i = 0; i < staged.Count(); ++i) {
            std::string bytes;
            if (staged.Entry(i)->type == 3)
                bytes = c.icon;
            else if (unsigned char* data = staged.LoadEntry(i))
                bytes.assign(reinterpret_cast<char*>(data), staged.Entry(i)->DataLength());
            entries.push_back(RawEntry(staged.Entry(i)->type, bytes));
        }
        folder.Write("resource.bin", ArchiveBytes(entries));
        ShellRun run = RunProgram(folder.Path(), "");
        EXPECT_EQ(run.status, 1);
        EXPECT_NE(run.output.find(c.message), std::string::npos) << run.output;
    }
}

TEST(StartUpTest, WithoutConfigTheScreenIsFullAndBig)
{
    HeadlessOptions options;
    options.config = "";
    ::setenv("SDL_AUDIODRIVER", "dummy", 1);
    HeadlessApp headless(options);
    EXPECT_NE(theDisplay.videoFlags & SDL_FULLSCREEN, 0u);
    EXPECT_EQ(theScreen.width, 800);
    EXPECT_TRUE(SDL_WasInit(SDL_INIT_AUDIO));
    EXPECT_TRUE(SDL_WasInit(SDL_INIT_JOYSTICK));
}

TEST(StartUpTest, DirectXOffLeavesAChosenDriverAlone)
{
    HeadlessOptions options;
    options.config = "[global]\r\nDIRECTX=0\r\nFULLSCREEN=0\r\nAUDIO=0\r\nJOYSTICK=0\r\n";
    HeadlessApp headless(options);
    EXPECT_STREQ(std::getenv("SDL_VIDEODRIVER"), "dummy");
    EXPECT_FALSE(SDL_WasInit(SDL_INIT_AUDIO));
}

TEST(StartUpTest, ReadOnlyProgramFolderUsesTheUserDataFolder)
{
    TempFolder data;
    const char* old = std::getenv("XDG_DATA_HOME");
    std::string saved = old ? old : "";
    ::setenv("XDG_DATA_HOME", data.Path().c_str(), 1);
    {
        TempFolder program;
        // A folder in the way of the probe file makes the folder unwritable
        // even for root.
        program.MakeFolder("testwrit.tmp");
        ScopedCurrentFolder here(program.Path());
        SetUpDataFolder("QUOLI");
    }
    if (old)
        ::setenv("XDG_DATA_HOME", saved.c_str(), 1);
    else
        ::unsetenv("XDG_DATA_HOME");
    EXPECT_EQ(platform::NativePath(theDataPrefix), data / "velmoran/QUOLI/");
    EXPECT_TRUE(fs::is_directory(data / "velmoran/QUOLI"));

    TempFolder writable;
    ScopedCurrentFolder here(writable.Path());
    SetUpDataFolder("QUOLI");
    EXPECT_EQ(theDataPrefix, "");
}

TEST(StartUpTest, DefaultFontIsTheArchiveOneAt640AndTrueTypeAbove)
{
    {
        HeadlessOptions options;
        options.resolution = 0;
        HeadlessApp headless(options);
        ASSERT_NE(theScreen.font, nullptr);
        EXPECT_TRUE(theScreen.font->IsBitmap());
    }
    {
        HeadlessApp headless;
        ASSERT_NE(theScreen.font, nullptr);
        ASSERT_FALSE(theScreen.font->IsBitmap());
    }
    {
        HeadlessOptions options;
        options.withFonts = false;
        HeadlessApp headless(options);
        EXPECT_TRUE(theScreen.font->IsBitmap());
    }
}
