#include "app/CommandQueue.h"
#include "app/Commands.h"
#include "app/TApp.h"
#include "ui/TMenuContext.h"
#include "support/HeadlessApp.h"
#include "ui/TDialog.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> journal;

// A screen that writes what happens to it into the journal.
class Recorder : public TContext {
public:
    explicit Recorder(std::string name) : name_(std::move(name)) {}
    ~Recorder() override { journal.push_back("delete " + name_); }
    void Start() override { journal.push_back("start " + name_); }
    void Stop() override { journal.push_back("stop " + name_); }
    void HandleEvent(TEvent& event) override
    {
        if (event.command)
            journal.push_back(name_ + " sees " + std::to_string(event.command));
        if (onEvent)
            onEvent(*this, event);
    }
    std::function<void(Recorder&, TEvent&)> onEvent;

private:
    std::string name_;
};

// The dialog side the dialog stacks need, recording what they are asked.
class TestDialog : public TDialog {
public:
    explicit TestDialog(std::string name) : TDialog(0, 0, 10, 10, dialog::kNoCloseButton), name_(std::move(name)) {}
    ~TestDialog() override { journal.push_back("delete " + name_); }
    void Open() override { journal.push_back("open " + name_); }
    void Close() override { journal.push_back("close " + name_); }
    void Draw() override { journal.push_back("draw " + name_); }
    void SetState(unsigned bits, bool on) override
    {
        TDialog::SetState(bits, on);
        journal.push_back(name_ + (on ? " active" : " inactive"));
    }

private:
    std::string name_;
};

struct ContextTest : ::testing::Test {
    void SetUp() override { journal.clear(); }
};

}  // namespace

TEST_F(ContextTest, SetChildStopsTheGrandchildBeforeTheChild)
{
    TContext root;
    auto* child = new Recorder("child");
    root.SetChild(std::unique_ptr<TContext>(child));
    child->SetChild(std::make_unique<Recorder>("grandchild"));
    journal.clear();
    root.SetChild(std::make_unique<Recorder>("next"));
    EXPECT_EQ(journal, (std::vector<std::string>{"stop grandchild", "stop child", "delete child",
                                                 "delete grandchild", "start next"}));
}

TEST_F(ContextTest, TwoCommandsInOneFrameArriveInTwoFramesInOrder)
{
    HeadlessApp headless;
    auto* screen = new Recorder("screen");
    headless.App().SetChild(std::unique_ptr<TContext>(screen));
    PostCommand(40);
    PostCommand(41);
    headless.Step();
    EXPECT_EQ(journal.back(), "screen sees 40");
    headless.Step();
    EXPECT_EQ(journal.back(), "screen sees 41");
}

TEST_F(ContextTest, QuitInsideAModalLoopStopsEveryContextOnce)
{
    HeadlessApp headless;
    auto* screen = new Recorder("screen");
    headless.App().SetChild(std::unique_ptr<TContext>(screen));
    auto* deeper = new Recorder("deeper");
    screen->SetChild(std::unique_ptr<TContext>(deeper));
    // The screen opens a modal context whose first frame posts quit.
    screen->onEvent = [&](Recorder&, TEvent& event) {
        if (event.command != 50)
            return;
        auto* modal = new Recorder("modal");
        modal->onEvent = [](Recorder&, TEvent& e) {
            if (e.command == 0)
                PostCommand(command::kQuit);
        };
        TApp::RunModal(&headless.App(), std::unique_ptr<TContext>(modal));
    };
    PostCommand(50);
    journal.clear();
    EXPECT_FALSE(headless.Step(3));
    EXPECT_TRUE(headless.App().QuitRequested());
    headless.App().StopChain();
    auto count = [](const std::string& line) { return std::count(journal.begin(), journal.end(), line); };
    EXPECT_EQ(count("stop modal"), 1);
    EXPECT_EQ(count("stop deeper"), 1);
    EXPECT_EQ(count("stop screen"), 1);
    EXPECT_LT(std::find(journal.begin(), journal.end(), "stop deeper"),
              std::find(journal.begin(), journal.end(), "stop screen"));
}

TEST_F(ContextTest, AModalContextEndsWhenItsLastDialogCloses)
{
    HeadlessApp headless;
    class Message : public TMenuContext {
    public:
        Message() : TMenuContext(command::kEndModal) {}
        void Start() override { AddDialog(std::make_unique<TestDialog>("message")); }
    };
    PostCommand(command::kCloseDialog);
    int ended = TApp::RunModal(&headless.App(), std::make_unique<Message>());
    EXPECT_EQ(ended, command::kEndModal);
    EXPECT_EQ(journal, (std::vector<std::string>{"open message", "draw message", "close message", "delete message"}));
}

TEST_F(ContextTest, DialogStackGreysTheDialogBelowAndWakesItAgain)
{
    TMenuContext menu(0);
    menu.AddDialog(std::make_unique<TestDialog>("first"));
    menu.AddDialog(std::make_unique<TestDialog>("second"));
    EXPECT_EQ(journal, (std::vector<std::string>{"open first", "draw first", "draw first", "first inactive",
                                                 "open second", "draw second"}));
    EXPECT_EQ(menu.TopDialog()->below, menu.FirstDialog());
    journal.clear();
    TEvent event;
    event.Clear();
    event.command = command::kCloseDialog;
    menu.HandleEvent(event);
    EXPECT_EQ(journal, (std::vector<std::string>{"close second", "delete second", "draw first", "draw first",
                                                 "first active"}));
    EXPECT_EQ(menu.TopDialog(), menu.FirstDialog());
    EXPECT_EQ(menu.FirstDialog()->above, nullptr);
}

TEST_F(ContextTest, QuitKeysNeedExactlyOneOfCtrlAndAlt)
{
    HeadlessApp headless;
    struct Case {
        SDLKey sym;
        int mod;
        bool quits;
    } cases[] = {
        {SDLK_q, KMOD_LCTRL, true},  {SDLK_q, KMOD_RALT, true},       {SDLK_F4, KMOD_RCTRL, true},
        {SDLK_F4, KMOD_LALT, true},  {SDLK_q, KMOD_LCTRL | KMOD_LALT, false}, {SDLK_q, KMOD_NONE, false},
        {SDLK_w, KMOD_LCTRL, false},
    };
    for (const Case& c : cases) {
        ClearCommands();
        headless.PushKey(c.sym, true, 0, c.mod);
        headless.Step();
        EXPECT_EQ(TakeCommand() == command::kQuit, c.quits) << c.sym << " " << c.mod;
        headless.PushKey(c.sym, false, 0, c.mod);
        headless.Step();
    }
}

TEST_F(ContextTest, ClosingTheWindowQuits)
{
    HeadlessApp headless;
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    SDL_PushEvent(&quit);
    headless.Step();
    EXPECT_EQ(TakeCommand(), command::kQuit);
}
