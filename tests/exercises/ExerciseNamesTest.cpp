// Exercise names as children and teachers read them: spaces for the file
// name's underscores in lists, headings and questions, while the files,
// paths and settings keep the underscores.

#include "app/TApp.h"
#include "exercises/EditorCommands.h"
#include "exercises/ExerciseEditing.h"
#include "exercises/ExercisePaths.h"
#include "exercises/TListaEseDialog.h"
#include "exercises/TListaLivDialog.h"
#include "session/Session.h"
#include "resources/StringTable.h"
#include "support/MenuDriver.h"
#include "ui/StandardDialogs.h"
#include "ui/TListBox.h"
#include "ui/TStaticText.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

struct ExerciseNamesTest : ::testing::Test {
    std::unique_ptr<MenuDriver> driver;
    HeadlessApp* headless = nullptr;
    ExerciseEditing editing;

    void SetUp() override
    {
        driver = std::make_unique<MenuDriver>();
        headless = &driver->Headless();
        std::filesystem::create_directories(headless->Folder() / "Esercizi/Livelli");
        headless->Folder().Write("Esercizi/Livelli/Casa_e_scuola.LEV", "\r\n\r\n1\r\nCasa\r\ncasa\r\n");
        headless->Folder().Write("Esercizi/Livelli/Animali.LEV", "\r\n\r\n1\r\nGatto\r\ngatto\r\n");
        headless->Folder().Write("Esercizi/Livelli/Zoo_2.LEV", "\r\n\r\n1\r\nLeone\r\nleone\r\n");
    }
    void TearDown() override
    {
        if (HasFailure())
            headless->DumpScreen("quoli-exercise-names-test");
        driver.reset();
    }
    TListaEseDialog* Chooser(int operation)
    {
        editing.kind = 1;
        editing.operation = operation;
        editing.name[0] = 0;
        auto* chooser = &driver->Menu()->AddDialog(std::make_unique<TListaEseDialog>(editing));
        headless->Step(2);
        return chooser;
    }
    static std::vector<std::string> Shown(TListBox* list)
    {
        std::vector<std::string> rows;
        auto* files = dynamic_cast<TFileListBox*>(list);
        for (int i = 0; files && i < files->Files().Count(); ++i)
            rows.push_back(files->ItemText(i));
        return rows;
    }
    static bool HasText(TDialog* dialog, const std::string& text)
    {
        bool found = false;
        std::string joined;
        dialog->EachChild([&](TView* v) {
            if (auto* t = dynamic_cast<TStaticText*>(v)) {
                found = found || t->Text() == text;
                joined += std::string(joined.empty() ? "" : " ") + t->Text();
            }
        });
        return found || joined.find(text) != std::string::npos;
    }
};

}  // namespace

TEST(ExerciseShownNameTest, UnderscoresBecomeSpacesAndNothingElseChanges)
{
    EXPECT_EQ(ExerciseShownName("Casa_e_scuola"), "Casa e scuola");
    EXPECT_EQ(ExerciseShownName("Tasti"), "Tasti");
    EXPECT_EQ(ExerciseShownName("_a__b_"), " a  b ");
    EXPECT_EQ(ExerciseShownName("Perch\xE8_s\xEC"), "Perch\xE8 s\xEC");  // Latin-1 letters stay
    EXPECT_EQ(ExerciseShownName(""), "");
}

TEST_F(ExerciseNamesTest, TheChooserShowsSpacesAndHandsOnTheFileName)
{
    TListaEseDialog* chooser = Chooser(ExerciseEditing::kModify);
    TFileListBox* files = chooser->Files();
    EXPECT_EQ(Shown(files), (std::vector<std::string>{"Animali", "Casa e scuola", "Zoo 2"}));
    EXPECT_STREQ(files->Files().TextAt(1), "Casa_e_scuola");

    driver->Key(SDLK_DOWN, SDLK_DOWN);
    driver->Key(SDLK_DOWN, SDLK_DOWN);
    EXPECT_STREQ(editing.name, "Casa_e_scuola");
    driver->Command(command::kOpenChosenExercise);
    auto* levels = driver->Top<TListaLivDialog>();
    ASSERT_NE(levels, nullptr);
    EXPECT_TRUE(HasText(levels, std::string(GetString(50, 46)) + " Casa e scuola"));
    EXPECT_EQ(editing.path, ExercisePath(1, "Casa_e_scuola"));
    EXPECT_EQ(levels->Document().Titles().Count(), 1);  // the file was found and read
}

TEST_F(ExerciseNamesTest, TheDeleteQuestionNamesTheExerciseAsShown)
{
    TListaEseDialog* chooser = Chooser(ExerciseEditing::kDelete);
    chooser->Files()->SelectName("Zoo_2");
    driver->Command(command::kDeleteChosenExercise);
    auto* question = driver->Top<TQueryDialog>();
    ASSERT_NE(question, nullptr);
    EXPECT_TRUE(HasText(question, std::string(GetString(50, 12)) + " Zoo 2?"));
    driver->Letter('s');
    EXPECT_FALSE(std::filesystem::exists(headless->Folder() / "Esercizi/Livelli/Zoo_2.LEV"));
    EXPECT_TRUE(std::filesystem::exists(headless->Folder() / "Esercizi/Livelli/Casa_e_scuola.LEV"));
    EXPECT_EQ(Shown(chooser->Files()), (std::vector<std::string>{"Animali", "Casa e scuola"}));
}

TEST_F(ExerciseNamesTest, TheMainMenuShowsSpacesAndStoresTheFileName)
{
    theSession.exerciseListChanged = true;  // the files were written after the menu opened
    headless->Step(2);
    TMFileListBox* files = nullptr;
    driver->Menu()->FirstDialog()->EachChild([&](TView* v) {
        if (auto* f = dynamic_cast<TMFileListBox*>(v))
            files = f;
    });
    ASSERT_NE(files, nullptr);
    EXPECT_EQ(Shown(files), (std::vector<std::string>{"Animali", "Casa e scuola", "Zoo 2"}));
    Focus(files);
    driver->Key(SDLK_DOWN, SDLK_DOWN);
    driver->Key(SDLK_DOWN, SDLK_DOWN);
    EXPECT_STREQ(theSession.settings.exerciseName, "Casa_e_scuola");
    // A kept choice is found again after the list is read anew.
    theSession.exerciseListChanged = true;
    headless->Step(2);
    EXPECT_STREQ(theSession.settings.exerciseName, "Casa_e_scuola");
    EXPECT_EQ(files->ItemText(files->Selection() - 1), "Casa e scuola");
}
