// The teacher's statistics screens at the three screen sizes: a child's
// progress and the class table, tidy, saying what the games said, sorted
// with a click or a key, reached from the results archive, and an exercise
// of the child's own made and chosen for them.

#include "app/CommandQueue.h"
#include "exercises/ExercisePaths.h"
#include "exercises/TExerciseDocument.h"
#include "gfx/Screen.h"
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
    TButton* Heading(TGroup* dialog, int column)
    {
        TButton* found = nullptr;
        dialog->EachChild([&](TView* v) {
            if (auto* b = dynamic_cast<TButton*>(v); b && b->Command() == command::kSortClass + column)
                found = b;
        });
        return found;
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
    EXPECT_EQ(page->Page().chart.size(), 12u);
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
    // The name heading's hot key, twice: Z to A.
    driver_->Letter('b');
    driver_->Letter('b');
    EXPECT_EQ(table->SortColumn(), stats::ClassColumn::kName);
    EXPECT_TRUE(table->Reversed());
    EXPECT_EQ(Names(*table), "Bruno Anna ");
    EXPECT_EQ(table->Table().Rows()[1].weakest, "A");
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
