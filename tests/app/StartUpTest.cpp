#include "app/DataFolder.h"
#include "app/DataProblems.h"
#include "StartUp.h"
#include "app/TApp.h"
#include "gfx/Display.h"
#include "gfx/Screen.h"
#include "gfx/TFont.h"
#include "session/GameSettings.h"
#include "users/TDataFile.h"
#include "platform/Paths.h"
#include "resources/TJoinFile.h"
#include "support/ArchiveBytes.h"
#include "support/HeadlessApp.h"
#include "support/Shell.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

#include <unistd.h>

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
    // After "--" everything is the name, even what looks like the switch.
    for (auto [args, name] : std::vector<std::pair<std::vector<const char*>, std::string>>{
             {{"--", "-B"}, "-B"}, {{"--", "/b"}, "/b"}, {{"--", "Anna", "Maria"}, "Anna Maria"},
             {{"--", "--"}, "--"}, {{"--"}, "--"}, {{"Anna", "--"}, "Anna --"}}) {
        StartRequest request = Classify(args);
        EXPECT_EQ(request.mode, StartRequest::Profile) << name;
        EXPECT_EQ(request.profileName, name);
    }
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
    std::string scratch = folder / "icon.bmp";
    auto bmp = [&](int width, int bits) {
        SDL_Surface* s = SDL_CreateRGBSurface(SDL_SWSURFACE, width, 8, bits, 0, 0, 0, 0);
        SDL_RWops* rw = SDL_RWFromFile(scratch.c_str(), "wb");
        SDL_SaveBMP_RW(s, rw, 1);
        SDL_FreeSurface(s);
        return ReadBinaryFile(scratch);
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

// A missing or damaged "config.ini" never leaves a school with a full
// screen: the program starts in an 800x600 window, with sound.
TEST(StartUpTest, WithoutConfigTheProgramStartsInAWindowWithSound)
{
    for (const char* config : {"", "\x7f\x45LF\x01 garbage [global FULLSCREEN"}) {
        HeadlessOptions options;
        options.config = config;
        ::setenv("SDL_AUDIODRIVER", "dummy", 1);
        HeadlessApp headless(options);
        EXPECT_EQ(theDisplay.videoFlags & SDL_FULLSCREEN, 0u);
        EXPECT_EQ(theScreen.width, 800);
        EXPECT_TRUE(SDL_WasInit(SDL_INIT_AUDIO));
        EXPECT_TRUE(SDL_WasInit(SDL_INIT_JOYSTICK));
    }
}

TEST(StartUpTest, FullScreenOnlyWhenConfigAsksForIt)
{
    HeadlessOptions options;
    options.config = "[global]\r\nFULLSCREEN=1\r\nAUDIO=0\r\n";
    HeadlessApp headless(options);
    EXPECT_NE(theDisplay.videoFlags & SDL_FULLSCREEN, 0u);
    EXPECT_FALSE(SDL_WasInit(SDL_INIT_AUDIO));
}

// A computer without a sound device: the program stops before any window,
// and the teacher reads, in Italian and in the desktop's UTF-8, how to start
// it without sound; the library's own words come after.
TEST(StartUpTest, NoSoundDeviceTellsTheTeacherTheRemedy)
{
    TempFolder folder;
    for (const char* file : {"quoli.str", "resource.bin"})
        fs::copy_file(fs::path(QUOLI_STAGE_DIR) / file, folder / file);
    folder.Write("config.ini", "[global]\r\nFULLSCREEN=1\r\nAUDIO=1\r\n");
    ShellRun run = RunShell("cd '" + folder.Path() + "' && env -u DISPLAY SDL_VIDEODRIVER=dummy "
                            "SDL_AUDIODRIVER=nessuno LSAN_OPTIONS=detect_leaks=0 " + std::string(QUOLI_STAGE_DIR) +
                            "/quoli 2>&1");
    EXPECT_EQ(run.status, 1);
    std::size_t italian = run.output.find("Impossibile avviare l'audio");
    ASSERT_NE(italian, std::string::npos) << run.output;
    EXPECT_EQ(run.output.rfind("ERROR: ", italian), 0u) << "the Italian first: " << run.output;
    EXPECT_NE(run.output.find("AUDIO=0"), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("pu\u00F2"), std::string::npos) << "UTF-8, in the right letters: " << run.output;
    std::size_t library = run.output.find("(No available audio device)");
    EXPECT_NE(library, std::string::npos) << "SDL's own text, in brackets: " << run.output;
    EXPECT_GT(library, run.output.find("AUDIO=0")) << run.output;
}

// Where no screen can be opened, the same: the remedy in Italian, then why.
TEST(StartUpTest, NoVideoDeviceIsAFatalErrorWithTheRemedy)
{
    ShellRun run = RunShell("cd '" + std::string(QUOLI_STAGE_DIR) + "' && env -u DISPLAY SDL_VIDEODRIVER=nessuno "
                            "SDL_AUDIODRIVER=dummy LSAN_OPTIONS=detect_leaks=0 ./quoli 2>&1");
    EXPECT_EQ(run.status, 1) << run.output;
    std::size_t italian = run.output.find("Impossibile avviare la grafica: Il programma ha bisogno di uno schermo");
    EXPECT_EQ(italian, 7u) << run.output;
    EXPECT_GT(run.output.find("available video device"), italian) << run.output;
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
        // No account, not even root, makes files in /proc.
        ScopedCurrentFolder here("/proc");
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

// A classroom names one folder for every computer's data: it wins over the
// program folder; one that cannot be written in is told, and the choice
// goes on as without it.
TEST(StartUpTest, ASharedDataFolderOfTheSettingsHoldsTheData)
{
    TempFolder shared;
    TempFolder program;
    ScopedCurrentFolder here(program.Path());
    program.Write("config.ini", "[global]\r\nAUDIO=0\r\nDATAFOLDER=" + shared.Path() + "  \r\n");
    ResetDataFolder();
    ResetDataProblems();
    SetUpDataFolder("QUOLI");
    EXPECT_EQ(platform::NativePath(theDataPrefix), shared.Path() + "/");
    EXPECT_EQ(TakeDataProblem(), "");

    program.Write("config.ini", "[global]\r\nDATAFOLDER=/proc/quoli\r\n");
    ResetDataFolder();
    SetUpDataFolder("QUOLI");
    EXPECT_EQ(theDataPrefix, "");
    EXPECT_NE(TakeDataProblem().find("condivisa /proc/quoli non si pu\xF2 usare"), std::string::npos);
    ResetDataFolder();
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

namespace {

// A profile registry in `dataFolder` holding the given names.
void WriteProfiles(const std::string& dataFolder, const std::vector<std::string>& names)
{
    std::string saved = theDataPrefix;
    theDataPrefix = dataFolder + "/";
    TDataFile data(GameSettings::kSize);
    GameSettings settings;
    for (const std::string& name : names)
        data.AddUser(name.c_str(), settings.Encode().data());
    data.SaveRegistry();
    theDataPrefix = saved;
}

// The staged program started in `folder` as an ordinary user (a school's
// pupils are not root), with its per-user data in `data`, until `sign`
// exists (at most 20 s). Status 124 when it was still running then; else
// the program's own.
ShellRun RunUntil(const std::string& folder, const std::string& data, const std::string& args,
                  const std::string& sign)
{
    std::string asUser = ::getuid() == 0 ? "setpriv --reuid=65534 --regid=65534 --clear-groups " : "";
    return RunShell("cd '" + folder + "' && { env -u DISPLAY SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy HOME='" +
                    data + "' XDG_DATA_HOME='" + data + "' LSAN_OPTIONS=detect_leaks=0 " + asUser +
                    std::string(QUOLI_STAGE_DIR) + "/quoli " + args + " 2>&1 & } ; pid=$!; " +
                    "for i in $(seq 400); do [ -e '" + sign + "' ] && break; kill -0 $pid 2>/dev/null || break; "
                    "sleep 0.05; done; "
                    "if kill -0 $pid 2>/dev/null; then kill $pid; wait $pid; exit 124; fi; wait $pid");
}

// A program folder as a school installs it: nobody may write in it.
void MakeReadOnlyProgramFolder(const TempFolder& folder)
{
    fs::path stage(QUOLI_STAGE_DIR);
    for (const char* name : {"resource.bin", "effects.bin", "quoli.str", "fonts", "music"})
        fs::create_symlink(stage / name, fs::path(folder.Path()) / name);
    folder.Write("config.ini", "[global]\r\nFULLSCREEN=0\r\nAUDIO=0\r\n");
    fs::permissions(folder.Path(), fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                                       fs::perms::group_exec | fs::perms::others_read | fs::perms::others_exec);
}

}  // namespace

// A shortcut or a terminal starts "quoli Anna" in a read-only installation:
// the profile lives in the per-user data folder and must be found there.
TEST(StartUpTest, ADirectStartFindsTheProfileInTheUserDataFolder)
{
    TempFolder program, home;
    fs::permissions(home.Path(), fs::perms::all);
    std::string data = home / "velmoran/QUOLI";
    fs::create_directories(data);
    WriteProfiles(data, {"Anna"});
    RunShell("chmod -R a+rwX '" + home.Path() + "'");
    MakeReadOnlyProgramFolder(program);
    ShellRun run = RunUntil(program.Path(), home.Path(), "Anna", data + "/DATA/USERS.DAT");
    fs::permissions(program.Path(), fs::perms::owner_all);
    EXPECT_EQ(run.output.find("Non esiste"), std::string::npos) << run.output;
    EXPECT_EQ(run.status, 124) << "the game should still be running: " << run.output;
    EXPECT_TRUE(fs::exists(fs::path(data) / "DATA/USERS.DAT")) << "the game records in the user's data folder";
}

// A name of 20 characters is the whole name everywhere; a longer one is
// refused in so many words, never cut into another child.
TEST(StartUpTest, ATwentyCharacterNameIsOneProfileAndALongerOneIsRefused)
{
    const std::string twenty = "Maria Vittoria Bianc";  // 20 characters
    ASSERT_EQ(twenty.size(), 20u);
    TempFolder folder;
    for (const char* name : {"resource.bin", "effects.bin", "quoli.str", "fonts", "music"})
        fs::create_symlink(fs::path(QUOLI_STAGE_DIR) / name, fs::path(folder.Path()) / name);
    folder.Write("config.ini", "[global]\r\nFULLSCREEN=0\r\nAUDIO=0\r\n");
    WriteProfiles(folder.Path(), {twenty});
    RunShell("chmod -R a+rwX '" + folder.Path() + "'");
    ShellRun run = RunUntil(folder.Path(), folder.Path(), "Maria Vittoria Bianc", folder / "DATA/USERS.DAT");
    EXPECT_EQ(run.status, 124) << run.output;

    std::string saved = theDataPrefix;
    theDataPrefix = folder.Path() + "/";
    TDataFile data(GameSettings::kSize);
    theDataPrefix = saved;
    EXPECT_EQ(data.Count(), 1) << "no second, cut profile";
    EXPECT_NE(data.Find(twenty.c_str()), nullptr);

    run = RunUntil(folder.Path(), folder.Path(), "Maria Vittoria Biancoo", folder / "never");
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.output.find("troppo lungo"), std::string::npos) << run.output;
}

TEST(StartUpTest, UtfEightNamesFromTheCommandLineAreTheProgramsLatinOne)
{
    EXPECT_EQ(Classify({"Niccol\xC3\xB2"}).profileName, "Niccol\xF2");
    EXPECT_EQ(Classify({"Niccol\xF2"}).profileName, "Niccol\xF2") << "not UTF-8: taken as it is";
    EXPECT_EQ(Classify({"Z\xC3\xBC", "Ann\xC3\xA0"}).profileName, "Z\xFC Ann\xE0");
}
