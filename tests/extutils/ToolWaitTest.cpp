// A desktop tool that hangs (a printer queue that never answers, a clipboard
// tool stuck on its display) costs the game no more than the bound: the
// call gives up and reports failure, and the tool is left to finish by
// itself without leaving a zombie in the game's process.

#include "support/DesktopSandbox.h"

#include "SDL.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <sstream>

#include <gtest/gtest.h>

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

namespace {

// The game's bound, made short; the stand-ins hang far longer than the
// margin allowed for a loaded machine.
constexpr const char* kBoundMs = "300";
constexpr auto kAnswerWithin = 2500ms;

// A tool that hangs until the test lets it go, having taken its input or not.
class HungTool {
public:
    enum Input { Reads, Ignores };
    HungTool(const DesktopSandbox& sandbox, const std::string& name, Input input = Reads)
        : release_(sandbox.Folder() / (name + ".release")), finished_(sandbox.Folder() / (name + ".finished"))
    {
        fs::remove(release_);
        fs::remove(finished_);
        ::mkfifo(release_.c_str(), 0600);
        sandbox.Tool(name, std::string(input == Reads ? "cat > /dev/null\n" : "") + "timeout 6 cat '" + release_ +
                               "' > /dev/null\ntouch '" + finished_ + "'\n");
    }

    // True once it has been let go and has finished as it would have.
    bool ReleaseAndWait() const
    {
        bool released = WaitUntil(
            [&] {
                int fd = ::open(release_.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
                if (fd >= 0)
                    ::close(fd);
                return fd >= 0;
            },
            5s);
        return released && WaitUntil([&] { return fs::exists(finished_); }, 5s);
    }

private:
    std::string release_, finished_;
};

int OurZombies()
{
    int zombies = 0;
    std::error_code ignored;
    for (const auto& process : fs::directory_iterator("/proc", ignored)) {
        std::string pid = process.path().filename().string();
        if (pid.find_first_not_of("0123456789") != std::string::npos)
            continue;
        std::string stat = ReadBinaryFile(process.path() / "stat");
        std::size_t name = stat.rfind(')');
        if (name == std::string::npos)
            continue;
        std::istringstream fields(stat.substr(name + 1));
        char state = 0;
        long parent = 0;
        fields >> state >> parent;
        zombies += state == 'Z' && parent == ::getpid();
    }
    return zombies;
}

template <typename Call>
void ExpectGivesUp(const char* what, Call call)
{
    auto start = Clock::now();
    int status = call();
    auto took = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start);
    EXPECT_NE(status, 0) << what << " reports the failure";
    EXPECT_LT(took, kAnswerWithin) << what << " took " << took.count() << " ms";
}

}  // namespace

TEST(ToolWaitTest, AHungPrinterOrClipboardCostsNoMoreThanTheBound)
{
    DesktopSandbox sandbox;
    sandbox.SetEnv("QUOLI_TOOL_WAIT_MS", kBoundMs);
    sandbox.SetEnv("DISPLAY", ":99");
    HungTool xclip(sandbox, "xclip");
    sandbox.Folder().Write("report.txt", "Risultati di Anna\n");

    auto printText = sandbox.Find<int (*)(const char*, const char* const*, int, void*)>("PrintAsciiText");
    auto printPicture = sandbox.Find<int (*)(const char*, SDL_Surface*, int)>("PrintBitmap");
    auto copy = sandbox.Find<int (*)(const char*)>("CopyTextFileToClipboard");
    ASSERT_TRUE(printText && printPicture && copy);
    const char* lines[] = {"Risultati di Anna", nullptr};
    {
        HungTool lp(sandbox, "lp");
        ExpectGivesUp("the text", [&] { return printText("Anna", lines, 1, nullptr); });
        ASSERT_TRUE(lp.ReleaseAndWait()) << "the printer is left to finish";
    }
    {
        // A picture far larger than a pipe holds, to a printer that never reads it.
        HungTool lp(sandbox, "lp", HungTool::Ignores);
        SDL_Surface* screen = SDL_CreateRGBSurface(SDL_SWSURFACE, 800, 600, 16, 0xF800, 0x07E0, 0x001F, 0);
        ASSERT_NE(screen, nullptr);
        ExpectGivesUp("the picture", [&] { return printPicture("Quoli", screen, 1); });
        SDL_FreeSurface(screen);
        ASSERT_TRUE(lp.ReleaseAndWait()) << "the printer is left to finish";
    }

    std::string report = sandbox.Folder() / "report.txt";
    ExpectGivesUp("the clipboard", [&] { return copy(report.c_str()); });
    ASSERT_TRUE(xclip.ReleaseAndWait()) << "the clipboard tool is left to finish";
    EXPECT_EQ(OurZombies(), 0);
}

TEST(ToolWaitTest, AHungDesktopToolStillLeavesTheLauncherInTime)
{
    DesktopSandbox sandbox;
    sandbox.SetEnv("QUOLI_TOOL_WAIT_MS", kBoundMs);
    HungTool folderTool(sandbox, "xdg-user-dir"), trustTool(sandbox, "gio");
    auto create = sandbox.Find<int (*)(const char*, const char*, const char*, void*)>("CreateIconOnDesktop");
    ASSERT_TRUE(create);
    auto start = Clock::now();
    create("Quoli - Anna", "Gioca con Quoli", "Anna", nullptr);
    auto took = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start);
    EXPECT_LT(took, kAnswerWithin) << "both tools in one bound, took " << took.count() << " ms";
    EXPECT_TRUE(fs::exists(sandbox.Desktop() + "/quoli-Anna.desktop")) << "the desktop the home has";
    EXPECT_TRUE(folderTool.ReleaseAndWait());
    EXPECT_TRUE(trustTool.ReleaseAndWait());
    EXPECT_EQ(OurZombies(), 0);
}
