// Every screen a teacher or a child meets, at each of the three screen
// sizes: no text cut, no control outside its dialog, no two controls on top
// of each other. With QUOLI_LAYOUT_SHOTS naming a folder, each screen
// checked is also saved there as a BMP, to be looked at.

#include "app/Commands.h"
#include "app/TApp.h"
#include "exercises/EditorCommands.h"
#include "exercises/MListaParoleSelDialog.h"
#include "exercises/MTGetNameDialog.h"
#include "exercises/MTModParolaDialog.h"
#include "exercises/MTNumParDialog.h"
#include "exercises/MTQueryDialog.h"
#include "exercises/TExerciseDialog.h"
#include "exercises/TListaEseDialog.h"
#include "exercises/TListaLivDialog.h"
#include "exercises/TListaParLivDialog.h"
#include "exercises/TTipoEseDialog.h"
#include "game/GameCommands.h"
#include "game/PauseContexts.h"
#include "game/TTopTen.h"
#include "gfx/Screen.h"
#include "help/THTMLViewer.h"
#include "help/TMiniBrowser.h"
#include "session/GameSettings.h"
#include "menus/MenuCommands.h"
#include "menus/TFontDialog.h"
#include "menus/TOptionsDialog.h"
#include "resources/StringTable.h"
#include "support/ContrastCheck.h"
#include "support/LayoutCheck.h"
#include "support/MenuDriver.h"
#include "ui/StandardDialogs.h"
#include "ui/TButton.h"
#include "ui/TListBox.h"
#include "ui/TMenuContext.h"
#include "ui/TStaticText.h"
#include "users/TArchiveDialog.h"
#include "users/TProfileDialog.h"
#include "menus/TProjectContext.h"
#include "users/TSelectUserDialog.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace {

class LayoutTest : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override
    {
        HeadlessOptions options;
        options.resolution = GetParam();
        driver_ = std::make_unique<MenuDriver>(options);
        for (const char* kind : {"Livelli", "Completa", "Tasti"})
            std::filesystem::create_directories(Headless().Folder() / (std::string("Esercizi/") + kind));
    }
    void TearDown() override
    {
        if (HasFailure())
            Headless().DumpScreen("quoli-layout-test");
        driver_.reset();
    }

    HeadlessApp& Headless() { return driver_->Headless(); }
    TMainMenuContext* Menu() { return driver_->Menu(); }
    void Command(int code) { driver_->Command(code); }
    void Key(int sym) { driver_->Key(sym, sym); }
    template <typename T>
    T* Top()
    {
        return driver_->Top<T>();
    }
    // Shows a dialog on top of the main menu, as the screen that opens it would.
    template <typename T>
    T* Show(std::unique_ptr<T> dialog)
    {
        T* shown = &Menu()->AddDialog(std::move(dialog));
        Headless().Step(3);
        return shown;
    }
    // The level list of an exercise, its first level chosen as the teacher
    // chooses it.
    void OpenLevels(int kind, const std::string& path, const std::string& shown)
    {
        editing_.kind = kind;
        editing_.operation = ExerciseEditing::kModify;
        editing_.path = path;
        editing_.shownName = shown;
        auto* levels = Show(std::make_unique<TListaLivDialog>(editing_));
        ExpectTidy(levels, "levels-" + std::to_string(kind));
        Key(SDLK_DOWN);
        ASSERT_EQ(levels->Levels()->Selection(), 1);
    }
    void CloseTop()
    {
        Menu()->CloseTopDialog();
        Headless().Step(2);
    }

    // The first dialog of the screen in front.
    TDialog* ShownDialogs()
    {
        TContext* front = &Headless().App();
        while (front->Child())
            front = front->Child();
        auto* menu = dynamic_cast<TMenuContext*>(front);
        return menu ? menu->FirstDialog() : nullptr;
    }
    void ExpectTidy(TGroup* dialog, const std::string& name, const std::vector<DrawnArea>& drawn = {})
    {
        ASSERT_NE(dialog, nullptr) << name << " did not open";
        std::string size = std::to_string(theScreen.width) + "x" + std::to_string(theScreen.height);
        std::vector<std::string> faults = LayoutFaults(*dialog, drawn);
        std::string listed;
        for (const std::string& f : faults)
            listed += "\n  " + f;
        EXPECT_TRUE(faults.empty()) << name << " at " << size << ":" << listed;
        // Every text on the screen, of this dialog and of those under it
        // (drawn as inactive), stands out from what is behind it.
        std::string faint;
        for (const std::string& f : ContrastFaults(RedrawnTextLooks(ShownDialogs())))
            faint += "\n  " + f;
        EXPECT_TRUE(faint.empty()) << name << " at " << size << ", texts too faint:" << faint;
        SaveLayoutShot(name);
    }

    ExerciseEditing editing_;
    std::string word_ = "casa", mask_, count_ = "12";
    int result_ = 0;
    QueryAnswer queryAnswer_ = QueryAnswer::kNone;
    std::uint8_t answer_ = 0;
    std::string chosen_;
    char buffer_[41] = "Francesca Maria";

private:
    std::unique_ptr<MenuDriver> driver_;
};

std::string Stored(int section, int number)
{
    return GetString(section, number);
}

}  // namespace

TEST_P(LayoutTest, TheTitleScreen)
{
    auto& title = Headless().App().Install(std::make_unique<TProjectContext>());
    Headless().Step(3);
    auto* dialog = dynamic_cast<TProjectDialog*>(title.TopDialog());
    ASSERT_NE(dialog, nullptr);
    ExpectTidy(dialog, "title", {{"the title", dialog->TitleArea()}});
    // The program's name is the title of the screen: clearly its largest text.
    int titleHeight = dialog->TitleArea().bottom - dialog->TitleArea().top - 1;  // without the outline
    dialog->EachChild([&](TView* v) {
        if (dynamic_cast<TStaticText*>(v) || dynamic_cast<TTextButton*>(v)) {
            EXPECT_GE(titleHeight, 2 * TextHeight(v)) << "the title is no larger than the texts under it";
        }
    });
}

TEST_P(LayoutTest, TheMainMenuAndWhatItOpens)
{
    ExpectTidy(Menu()->FirstDialog(), "main-menu");
    Command(command::kOptions);
    ExpectTidy(Top<TOptionsDialog>(), "options");
    Command(command::kFontDialog);
    ExpectTidy(Top<TFontDialog>(), "font-chooser");
    CloseTop();
    CloseTop();
    Command(command::kTopTen);
    auto* topTen = Top<TTopTenDialog>();
    ASSERT_NE(topTen, nullptr);
    // The longest names a child can give, beside the highest scores.
    topTen->table.Insert(1, "MASSIMILIANO BIANCO", 99999999);
    topTen->table.Insert(2, "Massimiliano Bianco", 88888888);
    topTen->Draw();
    ExpectTidy(topTen, "top-ten", {{"the table", topTen->TableArea()}});
    for (int row = 1; row <= TopTenTable::kEntries; ++row) {
        Rect name = topTen->NameArea(row), score = topTen->ScoreArea(row);
        EXPECT_TRUE(Inside(name, topTen->TableArea()) && Inside(score, topTen->TableArea())) << "row " << row;
        EXPECT_FALSE(Overlap(name, score)) << "row " << row;
    }
    // The new entry blinks in two colours, each readable on the table.
    topTen->highlighted = 2;
    for (int blink = 0; blink < 2; ++blink) {
        std::vector<DrawnTextLook> looks;
        LogTextLooks(&looks);
        FakeClock::Advance(260);
        topTen->Idle();
        LogTextLooks(nullptr);
        ASSERT_EQ(looks.size(), 2u) << "the new entry's name and score";
        for (const std::string& faint : ContrastFaults(looks))
            ADD_FAILURE() << "the new entry: " << faint;
    }
    CloseTop();
    // The help pages as the program folder has them.
    std::filesystem::copy(std::filesystem::path(QUOLI_STAGE_DIR) / "Aiuto", Headless().Folder() / "Aiuto",
                          std::filesystem::copy_options::recursive);
    Command(command::kHelp);
    ExpectTidy(Top<TMiniBrowser>(), "help");
    CloseTop();
}

TEST_P(LayoutTest, TheProfileAndResultsMenus)
{
    Command(command::kProfiles);
    ExpectTidy(Top<TProfileDialog>(), "profiles");
    CloseTop();
    Command(command::kResults);
    ExpectTidy(Top<TArchiveDialog>(), "results");
    ExpectTidy(Show(std::make_unique<TSelectUserDialog>(Scaled(120), Scaled(30), Scaled(520), Scaled(450), GetString(9, 1),
                                                        &chosen_, GameSettings::kSize)),
               "choose-child");
    CloseTop();
    Headless().Folder().Write("report.txt", "Risultati di Francesca\r\n");
    ExpectTidy(Show(std::make_unique<TMiniBrowser>(Scaled(30), Scaled(30), Scaled(610), Scaled(450), "Francesca",
                                                   "report.txt", browser::kButtons | html::kPlainText)),
               "report");
}

TEST_P(LayoutTest, TheStandardDialogs)
{
    Command(command::kPlay);  // no name yet: the message says so
    ExpectTidy(Top<TMessageDialog>(), "message");
    CloseTop();
    Command(command::kCloseMenu);
    ExpectTidy(Top<TQueryDialog>(), "quit-question");
    CloseTop();
    ExpectTidy(Show(std::make_unique<TGetNameDialog>(Scaled(320), Scaled(240), GetString(5, 4), buffer_, 19, 0)),
               "top-ten-name");
    CloseTop();
    // A message longer than the screen is wide goes on several lines.
    std::string path = "/home/maestra/.local/share/velmoran/QUOLI/txt/risultati_di_francesca_maria_terza_b.txt";
    ShowMessage(Menu()->TopDialog(), GetString(9, 16), path.c_str());
    Headless().Step(3);
    ExpectTidy(Top<TMessageDialog>(), "long-message");
    CloseTop();
    ExpectTidy(Show(std::make_unique<TQueryDialog>(Scaled(320), Scaled(280), GetString(9, 17), &answer_, 0)),
               "replace-question");
}

TEST_P(LayoutTest, TheExerciseMenus)
{
    Headless().Folder().Write("Esercizi/Livelli/Animali_della_fattoria_e_del_bosco.LEV", "");
    Headless().Folder().Write("Esercizi/Livelli/Colori.LEV", "");
    Headless().Folder().Write("Esercizi/Tasti/Riga_centrale.TBL", "");
    Command(command::kExercises);
    ExpectTidy(Top<TExerciseDialog>(), "exercises");
    Command(command::kModifyExercise);
    ExpectTidy(Top<TTipoEseDialog>(), "exercise-kind");
    Command(command::kKindLevels);
    ExpectTidy(Top<TListaEseDialog>(), "exercise-list");
    CloseTop();
    Command(command::kKindComplete);
    ExpectTidy(Top<TListaEseDialog>(), "exercise-list-completa");
    CloseTop();
    CloseTop();
    Command(command::kDeleteExercise);
    Command(command::kKindKeys);
    ExpectTidy(Top<TListaEseDialog>(), "exercise-list-delete");
    ExpectTidy(Show(std::make_unique<TGetNameDialog>(theScreen.width / 2, theScreen.height / 2, GetString(50, 15),
                                                     editing_.name, ExerciseEditing::kNameLength, dialog::kSaveBackground)),
               "exercise-name");
}

TEST_P(LayoutTest, TheLevelAndWordEditors)
{
    Headless().Folder().Write("Esercizi/Livelli/Animali.LEV", "\r\n\r\n5\r\nNella fattoria\r\nmucca\r\ngallina\r\n");
    OpenLevels(1, "Esercizi\\Livelli\\Animali.LEV", "Animali");
    Command(command::kEditLevel);
    ExpectTidy(Top<TListaParLivDialog>(), "words");
    CloseTop();
    CloseTop();
    Headless().Folder().Write("Esercizi/Completa/Animali_della_fattoria.CMP",
                              "\r\n\r\n5\r\nAnimali che vivono nella fattoria\r\nc_s_ aa\r\nm_cc_ aa\r\n");
    OpenLevels(2, "Esercizi\\Completa\\Animali_della_fattoria.CMP", "Animali della fattoria");
    Command(command::kEditLevel);
    ExpectTidy(Top<TListaParLivDialog>(), "words-completa");
    ExpectTidy(Show(std::make_unique<MListaParoleSelDialog>(word_, mask_, &result_)), "hidden-letters");
    CloseTop();
    ExpectTidy(Show(std::make_unique<MTModParolaDialog>(&result_, theScreen.width / 2, theScreen.height / 2,
                                                        GetString(50, 52), buffer_, TListaParLivDialog::kWordLength)),
               "correct-word");
    CloseTop();
    ExpectTidy(Show(std::make_unique<MTNumParDialog>(GetString(50, 36), count_)), "word-count");
    CloseTop();
    ExpectTidy(Show(std::make_unique<MTGetNameDialog>(MTGetNameDialog::kNewTitle, theScreen.width / 2,
                                                      theScreen.height / 2, GetString(50, 28), buffer_,
                                                      ExerciseEditing::kNameLength)),
               "level-title");
    CloseTop();
    std::string keys = Stored(50, 40) + " a s d f g h j k l. " + Stored(50, 41);
    ExpectTidy(Show(std::make_unique<MTQueryDialog>(theScreen.width / 2, theScreen.height / 2, keys.c_str(), &queryAnswer_)),
               "save-keys-question");
}

TEST_P(LayoutTest, ThePauseScreen)
{
    auto& pause = Headless().App().Install(std::make_unique<TPauseContext>());
    Headless().Step(3);
    auto* dialog = dynamic_cast<TPauseDialog*>(pause.TopDialog());
    ASSERT_NE(dialog, nullptr);
    ExpectTidy(dialog, "pause", {{"\"Pausa\"", dialog->TitleArea()}, {"how to go on", dialog->HintArea()}});
}

std::string ScreenSizeName(const ::testing::TestParamInfo<int>& size)
{
    const char* names[] = {"At640x480", "At800x600", "At1024x768"};
    return names[size.param];
}

INSTANTIATE_TEST_SUITE_P(EachScreenSize, LayoutTest, ::testing::Values(0, 1, 2), ScreenSizeName);
