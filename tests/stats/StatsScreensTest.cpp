// The teacher's statistics screens at the three screen sizes: a child's
// progress and the class table, tidy, saying what the games said, sorted
// with a click or a key, reached from the results archive, and an exercise
// of the child's own made and chosen for them.

#include "app/CommandQueue.h"
#include "app/Commands.h"
#include "exercises/ExercisePaths.h"
#include "exercises/TExerciseDocument.h"
#include "gfx/Colours.h"
#include "gfx/Screen.h"
#include "gfx/Text.h"
#include "menus/MenuCommands.h"
#include "resources/StringTable.h"
#include "session/GameSettings.h"
#include "stats/StatsCommands.h"
#include "stats/StatsStore.h"
#include "stats/TClassDialog.h"
#include "stats/TProgressDialog.h"
#include "support/LayoutCheck.h"
#include "support/MenuDriver.h"
#include "support/StatsGames.h"
#include "ui/StandardDialogs.h"
#include "ui/TButton.h"
#include "ui/TCloseButton.h"
#include "ui/TListBox.h"
#include "ui/TMenuLine.h"
#include "ui/TStaticText.h"
#include "users/TArchiveDialog.h"
#include "users/TDataFile.h"
#include "users/TSelectUserDialog.h"
#include "users/UserCommands.h"

#include <gtest/gtest.h>

#include <ctime>
#include <filesystem>

namespace {

class StatsScreensTest : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override
    {
        HeadlessOptions options;
        options.resolution = GetParam();
        driver_ = std::make_unique<MenuDriver>(options);
        for (const char* kind : {"Livelli", "Completa", "Tasti"})
            std::filesystem::create_directories(driver_->Headless().Folder() / (std::string("Esercizi/") + kind));
        TDataFile data(GameSettings::kSize);
        for (const char* name : {"Anna", "Bruno", "Carla"})
            data.AddUser(name, GameSettings().Encode().data());
        data.SaveRegistry();
        now_ = static_cast<long long>(std::time(nullptr));
        stats::StatsStore store;
        // Anna misses the A (typing S) and lets MARE fall; Bruno is quick
        // and clean; Carla has not played.
        for (int g = 0; g < 12; ++g) {
            AddGame(store, 1, "Anna", now_ - 3600 * (12 - g), 20, 2 + g % 3, 'A', 'S', 60000);
            AddGame(store, 2, "Bruno", now_ - 3600 * (12 - g), 20, 0, 'O', 'P', 30000);
        }
    }
    void TearDown() override
    {
        if (::testing::Test::HasFailure())
            driver_->Headless().DumpScreen("quoli-stats-screens-test");
        driver_.reset();
    }
    static void AddGame(stats::StatsStore& store, int child, const char* name, long long started, int keys, int wrong,
                        char letter, char typed, long long playMs)
    {
        WriteGame(store, {child, name, started, keys, wrong, letter, typed, playMs,
                          {Word("casa", stats::WordEnd::kHit, "CASSA"),
                           Word("mare", wrong ? stats::WordEnd::kFallen : stats::WordEnd::kHit),
                           Word("sole", stats::WordEnd::kHit, "SOLE")}});
    }
    template <typename T>
    T* Show(std::unique_ptr<T> dialog)
    {
        T* shown = &driver_->Menu()->AddDialog(std::move(dialog));
        driver_->Headless().Step(3);
        return shown;
    }
    void ExpectTidy(TGroup* dialog, const std::string& name)
    {
        ASSERT_NE(dialog, nullptr) << name << " did not open";
        std::vector<std::string> faults = LayoutFaults(*dialog);
        std::string listed;
        for (const std::string& f : faults)
            listed += "\n  " + f;
        EXPECT_TRUE(faults.empty()) << name << " at " << theScreen.width << "x" << theScreen.height << ":" << listed;
        SaveLayoutShot(name);
    }
    static bool HasText(TGroup* dialog, const std::string& text)
    {
        bool found = false;
        dialog->EachChild([&](TView* v) {
            if (auto* s = dynamic_cast<TStaticText*>(v))
                found = found || s->Text().find(text) != std::string::npos;
        });
        return found;
    }
    std::string Names(const TClassDialog& dialog) const
    {
        std::string all;
        for (const stats::ClassRow& r : dialog.Table().Rows())
            all += r.name + " ";
        return all;
    }
    static TButton* ButtonFor(TGroup* dialog, int code)
    {
        TButton* found = nullptr;
        if (dialog)
            dialog->EachChild([&](TView* v) {
                if (auto* b = dynamic_cast<TButton*>(v); b && b->Command() == code)
                    found = b;
            });
        return found;
    }
    static TMenuLine* LineFor(TGroup* dialog, const char* text)
    {
        TMenuLine* found = nullptr;
        if (dialog)
            dialog->EachChild([&](TView* v) {
                if (auto* line = dynamic_cast<TMenuLine*>(v); line && line->Text() == text)
                    found = line;
            });
        return found;
    }
    static TButton* Heading(TGroup* dialog, int column) { return ButtonFor(dialog, command::kSortClass + column); }
    // A left click in the middle of `view`, as the pointer gives it.
    void Click(const TView* view, int clicks = 1)
    {
        ASSERT_NE(view, nullptr);
        HeadlessApp& app = driver_->Headless();
        app.MoveMouse((view->left + view->right) / 2, (view->top + view->bottom) / 2);
        app.Step(2);
        for (int i = 0; i < clicks; ++i) {
            app.PushButton(SDL_BUTTON_LEFT, true);
            app.Step(1);
            app.PushButton(SDL_BUTTON_LEFT, false);
            app.Step(1);
        }
        app.Step(4);
    }
    // Clicks the row of the list that shows `text`.
    void ClickRow(TListBox* list, const std::string& text)
    {
        ASSERT_NE(list, nullptr);
        int row = -1;
        for (int i = 0; i < 20 && row < 0; ++i)
            if (list->ItemText(i) == text)
                row = i;
        ASSERT_GE(row, 0) << text << " is not listed";
        TView spot(list->ListArea().left, list->ListArea().top + (row - list->TopRow()) * list->RowHeight(),
                   list->ListArea().right, list->ListArea().top + (row - list->TopRow() + 1) * list->RowHeight() - 1);
        Click(&spot);
    }

    std::unique_ptr<MenuDriver> driver_;
    long long now_ = 0;
};

}  // namespace

TEST_P(StatsScreensTest, AChildsProgressSaysWhatTheGamesSaid)
{
    auto* page = Show(std::make_unique<TProgressDialog>(1, "Anna"));
    ExpectTidy(page, "progress");
    EXPECT_TRUE(HasText(page, std::string(GetString(15, 30)) + " Anna"));
    EXPECT_TRUE(HasText(page, std::string(GetString(15, 31)) + ": 12"));
    // The latest game had 2 + 11 % 3 = 4 wrong keys of 20.
    EXPECT_TRUE(HasText(page, std::string(GetString(15, 33)) + ": " + GetString(15, 36) + " 80,0%"));
    EXPECT_TRUE(HasText(page, "A: 36/240")) << "the letter missed, out of all the times it was expected";
    EXPECT_TRUE(HasText(page, "- S")) << "with the key typed instead";
    EXPECT_TRUE(HasText(page, std::string("mare: ") + GetString(15, 49) + " 12"));
    ASSERT_EQ(page->Page().lastGame.size(), 3u);
    EXPECT_EQ(page->Page().lastGame[0], std::string("casa - CASSA - ") + GetString(15, 41));
    EXPECT_EQ(page->Page().lastGame[1], std::string("mare - - - ") + GetString(15, 42));
    EXPECT_EQ(page->Page().lastGame[2], std::string("sole - ") + GetString(15, 41)) << "typed as it is: said once";
    EXPECT_EQ(page->Page().chart.size(), 12u);
}

TEST_P(StatsScreensTest, AFullProgressPageKeepsClearOfItsButtonsAndShowsWholeLines)
{
    // Six letters missed and seven words fallen or mistyped: more than the
    // room above the buttons holds; long words in the last game.
    {
        stats::StatsStore store;
        const char letters[] = "BCDEFG";
        for (int g = 0; g < 6; ++g)
            WriteGame(store, {4, "Dario", now_ - 3600 * (6 - g), 20, 3 + g, letters[g], 'Z', 60000,
                              {Word("coccodrillo", stats::WordEnd::kFallen, "COCO"),
                               Word("pappagallo", stats::WordEnd::kHit, "PAPPAGALLO"),
                               Word("tartaruga", stats::WordEnd::kHit, "TARTARUGHA"),
                               Word("farfalla", stats::WordEnd::kFallen), Word("elefante", stats::WordEnd::kFallen),
                               Word("canarino", stats::WordEnd::kFallen), Word("scoiattolo", stats::WordEnd::kFallen),
                               Word("perch\xE9", stats::WordEnd::kHit, "PERCH\xC9")}});
    }
    auto* page = Show(std::make_unique<TProgressDialog>(4, "Dario"));
    ExpectTidy(page, "progress-full");
    EXPECT_TRUE(HasText(page, std::string("coccodrillo: ") + GetString(15, 49) + " 6")) << "the most missed word shows";
    EXPECT_EQ(page->Page().lastGame[7], std::string("perch\xE9 - ") + GetString(15, 41)) << "an accent typed in capitals";
    TListBox* list = nullptr;
    page->EachChild([&list](TView* v) {
        if (auto* l = dynamic_cast<TListBox*>(v))
            list = l;
    });
    ASSERT_NE(list, nullptr);
    int room = list->ListArea().right - list->ListArea().left - 16;  // what the list keeps of a row
    for (const std::string& line : page->Page().lastGame)
        EXPECT_LE(TextWidth(line.c_str()), room) << "cut at the list's edge: " << line;
}

TEST_P(StatsScreensTest, AChildWithoutGamesIsToldSo)
{
    auto* page = Show(std::make_unique<TProgressDialog>(3, "Carla"));
    ExpectTidy(page, "progress-empty");
    EXPECT_TRUE(HasText(page, GetString(15, 44)));
}

TEST_P(StatsScreensTest, TheClassTableSortsWithAClickOrAKey)
{
    auto* table = Show(std::make_unique<TClassDialog>());
    ExpectTidy(table, "class");
    EXPECT_EQ(Names(*table), "Anna Bruno ");
    EXPECT_EQ(table->Mark(stats::ClassColumn::kName).Shown(), TSortMark::kUp) << "A to Z";
    // A click on the accuracy heading: the most accurate first.
    TButton* accuracy = Heading(table, 3);
    ASSERT_NE(accuracy, nullptr);
    HeadlessApp& app = driver_->Headless();
    app.MoveMouse((accuracy->left + accuracy->right) / 2, (accuracy->top + accuracy->bottom) / 2);
    app.Step(2);
    app.PushButton(SDL_BUTTON_LEFT, true);
    app.Step(2);
    app.PushButton(SDL_BUTTON_LEFT, false);
    app.Step(3);
    EXPECT_EQ(table->SortColumn(), stats::ClassColumn::kAccuracy);
    EXPECT_EQ(Names(*table), "Bruno Anna ");
    EXPECT_EQ(table->Mark(stats::ClassColumn::kAccuracy).Shown(), TSortMark::kDown) << "the largest first";
    EXPECT_EQ(table->Mark(stats::ClassColumn::kName).Shown(), TSortMark::kNone) << "one triangle only";
    // The triangle is there on the screen, under the heading.
    auto dark = [](const TSortMark& mark) {
        int count = 0;
        for (int x = mark.left; x <= mark.right; ++x)
            for (int y = mark.top; y <= mark.bottom; ++y)
                count += ScreenPixel(x, y) == MapColour(0);
        return count;
    };
    EXPECT_GE(dark(table->Mark(stats::ClassColumn::kAccuracy)), 9) << "no triangle drawn";
    EXPECT_EQ(dark(table->Mark(stats::ClassColumn::kName)), 0) << "the old triangle is gone";
    // The name heading's hot key, twice: Z to A.
    driver_->Letter('b');
    driver_->Letter('b');
    EXPECT_EQ(table->SortColumn(), stats::ClassColumn::kName);
    EXPECT_TRUE(table->Reversed());
    EXPECT_EQ(Names(*table), "Bruno Anna ");
    EXPECT_EQ(table->Mark(stats::ClassColumn::kName).Shown(), TSortMark::kDown) << "Z to A";
    EXPECT_EQ(table->Table().Rows()[1].weakest, "A");
}

TEST_P(StatsScreensTest, TheClassTablePrintsAndSaysWhetherItWorked)
{
    Show(std::make_unique<TClassDialog>());
    driver_->Letter('s');
    ASSERT_NE(driver_->Top<TMessageDialog>(), nullptr);
    EXPECT_TRUE(HasText(driver_->Top<TMessageDialog>(), GetString(15, 57))) << "no printer library: not printed";
    driver_->Key(SDLK_RETURN, 13);

    // A printer that keeps what it is given.
    HeadlessApp& app = driver_->Headless();
    std::string bin = app.Folder() / "bin", printed = app.Folder() / "printed";
    std::filesystem::create_directories(bin);
    app.Folder().Write("bin/lp", "#!/bin/sh\ncat > '" + printed + "'\n");
    std::filesystem::permissions(bin + "/lp", std::filesystem::perms::owner_all);
    std::filesystem::copy_file(std::filesystem::path(QUOLI_STAGE_DIR) / "libExtUtils.so", app.Folder() / "libExtUtils.so");
    std::string oldPath = std::getenv("PATH");
    ::setenv("PATH", (bin + ":" + oldPath).c_str(), 1);
    driver_->Letter('s');
    ::setenv("PATH", oldPath.c_str(), 1);
    ASSERT_NE(driver_->Top<TMessageDialog>(), nullptr);
    EXPECT_TRUE(HasText(driver_->Top<TMessageDialog>(), GetString(15, 56)));
    EXPECT_GT(std::filesystem::file_size(printed), 1000u) << "a picture of the table went to the printer";
}

TEST_P(StatsScreensTest, TheTeacherGetsEverywhereWithTheMouseAlone)
{
    Click(ButtonFor(driver_->Menu()->TopDialog(), command::kResults));
    auto* archive = driver_->Top<TArchiveDialog>();
    ASSERT_NE(archive, nullptr) << "the archive's button";
    Click(LineFor(archive, GetString(15, 1)));
    auto* chooser = driver_->Top<TSelectUserDialog>();
    ASSERT_NE(chooser, nullptr) << "\"Progressi\" asks for the child";
    ClickRow(chooser->Names(), "Anna");
    auto* page = driver_->Top<TProgressDialog>();
    ASSERT_NE(page, nullptr) << "a click on the name chooses it";
    EXPECT_EQ(page->Page().title, std::string(GetString(15, 30)) + " Anna");
    Click(ButtonFor(page, command::kPrintPage));
    auto* told = driver_->Top<TMessageDialog>();
    ASSERT_NE(told, nullptr) << "printing says how it went";
    Click(ButtonFor(told, command::kCloseDialog));
    EXPECT_EQ(driver_->Top<TProgressDialog>(), page);
    Click(page->CloseButton());
    ASSERT_EQ(driver_->Top<TArchiveDialog>(), archive) << "the close button";

    Click(LineFor(archive, GetString(15, 2)));
    auto* table = driver_->Top<TClassDialog>();
    ASSERT_NE(table, nullptr) << "\"Classe\"";
    Click(Heading(table, static_cast<int>(stats::ClassColumn::kSpeed)));
    EXPECT_EQ(table->SortColumn(), stats::ClassColumn::kSpeed);
    Click(table->CloseButton());
    ASSERT_EQ(driver_->Top<TArchiveDialog>(), archive);

    Click(LineFor(archive, GetString(15, 3)));
    told = driver_->Top<TMessageDialog>();
    ASSERT_NE(told, nullptr) << "\"Esporta\" says where the files went";
    Click(ButtonFor(told, command::kCloseDialog));
    Click(archive->CloseButton());
    EXPECT_EQ(driver_->Menu()->TopDialog(), driver_->Menu()->FirstDialog()) << "back to the main menu";
}

TEST_P(StatsScreensTest, ProgressIsReachedFromTheResultsArchive)
{
    driver_->Command(command::kResults);
    ASSERT_NE(driver_->Top<TArchiveDialog>(), nullptr);
    ExpectTidy(driver_->Top<TArchiveDialog>(), "archive");
    for (int i = 0; i < 3; ++i)
        driver_->Key(SDLK_DOWN, SDLK_DOWN);
    driver_->Key(SDLK_RETURN, 13);
    ASSERT_NE(driver_->Top<TSelectUserDialog>(), nullptr);
    driver_->Key(SDLK_DOWN, SDLK_DOWN);
    driver_->Key(SDLK_RETURN, 13);
    driver_->Headless().Step(3);
    auto* page = driver_->Top<TProgressDialog>();
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->Page().title, std::string(GetString(15, 30)) + " Anna");
}

TEST_P(StatsScreensTest, AnExerciseOfTheirOwnIsWrittenAndChosenForTheChild)
{
    driver_->Command(command::kResults);
    auto* archive = driver_->Top<TArchiveDialog>();
    ASSERT_NE(archive, nullptr);
    driver_->Command(command::kShowResults + 3);
    driver_->Key(SDLK_DOWN, SDLK_DOWN);
    driver_->Key(SDLK_RETURN, 13);
    driver_->Headless().Step(3);
    ASSERT_NE(driver_->Top<TProgressDialog>(), nullptr);
    driver_->Command(command::kTailoredExercise);
    ASSERT_NE(driver_->Top<TMessageDialog>(), nullptr) << "the teacher is told";

    GameSettings settings = GameSettings::Decode(TDataFile(GameSettings::kSize).PayloadOf("Anna"));
    EXPECT_EQ(settings.exerciseType, 1) << "the words' exercise is the one to play";
    std::string name = settings.exerciseName;
    EXPECT_EQ(name.rfind("Anna_", 0), 0u) << name;
    TExerciseDocument words, letters;
    ASSERT_EQ(words.Load(ExercisePath(1, name.c_str()).c_str()), 0);
    ASSERT_EQ(letters.Load(ExercisePath(3, name.c_str()).c_str()), 0);
    ASSERT_EQ(words.LevelCount(), 1);
    std::string all;
    for (int i = 3; i < words.Level(0)->Count(); ++i)
        all += std::string(words.Level(0)->TextAt(i)) + " ";
    EXPECT_NE(all.find("mare"), std::string::npos) << all;
    EXPECT_NE(all.find("casa"), std::string::npos) << "typed with a wrong key: " << all;
    EXPECT_EQ(letters.Header(), "A");
    PlayLevel level = LoadLevelForPlay(ExercisePath(3, name.c_str()).c_str(), 0);
    EXPECT_EQ(level.status, exercise::kLevelFound);
    EXPECT_FALSE(level.words.empty());
}

INSTANTIATE_TEST_SUITE_P(AllSizes, StatsScreensTest, ::testing::Values(0, 1, 2));
