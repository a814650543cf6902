// The teacher's exercise editors driven as a teacher would, with pushed keys
// and commands on the real application (dummy drivers), checking the files
// they leave on disk.

#include "app/CommandQueue.h"
#include "app/Commands.h"
#include "app/TApp.h"
#include "exercises/EditorCommands.h"
#include "exercises/ExercisePaths.h"
#include "exercises/MListaParoleSelDialog.h"
#include "exercises/MTGetNameDialog.h"
#include "exercises/MTModParolaDialog.h"
#include "exercises/MTNumParDialog.h"
#include "exercises/MTQueryDialog.h"
#include "exercises/TExerciseDialog.h"
#include "exercises/TLetteraSelector.h"
#include "exercises/TListaEseDialog.h"
#include "exercises/TListaLivDialog.h"
#include "exercises/TListaParLivDialog.h"
#include "exercises/TTipoEseDialog.h"
#include "gfx/Colours.h"
#include "session/GameSettings.h"
#include "menus/MenuCommands.h"
#include "menus/TMainMenuContext.h"
#include "resources/StringTable.h"
#include "support/MenuDriver.h"
#include "ui/StandardDialogs.h"
#include "ui/TButton.h"
#include "ui/TListBox.h"
#include "ui/TScrollBar.h"
#include "ui/TStaticText.h"
#include "session/Session.h"

#include <gtest/gtest.h>

#include <sys/resource.h>

#include <csignal>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

namespace {

struct EditorsTest : ::testing::Test {
    std::unique_ptr<MenuDriver> driver;
    HeadlessApp* headless = nullptr;
    TMainMenuContext* menu = nullptr;
    ExerciseEditing editing;
    // What the dialogs under test borrow: it must outlive them, and they go
    // only when the fixture tears down.
    std::string word, mask, count, shorter, shortMask;
    int result = 0;
    QueryAnswer answer = QueryAnswer::kNone;
    char buffer[41] = {};

    void SetUp() override
    {
        HeadlessOptions options;
        options.resolution = 0;  // the smallest screen: everything must fit
        driver = std::make_unique<MenuDriver>(options);
        headless = &driver->Headless();
        menu = driver->Menu();
        for (const char* kind : {"Livelli", "Completa", "Tasti"})
            std::filesystem::create_directories(headless->Folder() / (std::string("Esercizi/") + kind));
    }
    void TearDown() override
    {
        if (HasFailure())
            headless->DumpScreen("quoli-editors-test");
        driver.reset();
    }

    template <typename T>
    T* Top()
    {
        return driver->Top<T>();
    }
    void Key(int sym, int unicode = 0, int mod = KMOD_NONE) { driver->Key(sym, unicode, mod); }
    void Letter(char c) { driver->Letter(c); }
    void Type(const std::string& text) { driver->Type(text); }
    void Command(int code) { driver->Command(code); }
    std::string File(const std::string& name) { return headless->Folder().Read("Esercizi/" + name); }
    void Write(const std::string& name, const std::string& bytes) { headless->Folder().Write("Esercizi/" + name, bytes); }

    // The level list of a file, opened as the chooser would open it.
    TListaLivDialog* OpenLevels(int kind, const std::string& name)
    {
        editing.kind = kind;
        editing.operation = ExerciseEditing::kModify;
        const char* folders[] = {"", "Livelli", "Completa", "Tasti"};
        const char* extensions[] = {"", ".LEV", ".CMP", ".TBL"};
        editing.path = std::string("Esercizi\\") + folders[kind] + "\\" + name + extensions[kind];
        editing.shownName = name;
        auto* levels = new TListaLivDialog(editing);
        menu->AddDialog(std::unique_ptr<TDialog>(levels));
        headless->Step(3);
        return levels;
    }
    // The word list of one level of a file.
    TListaParLivDialog* OpenWords(int kind, const std::string& name, int level = 1)
    {
        TListaLivDialog* levels = OpenLevels(kind, name);
        levels->Levels()->Select(level);
        Command(command::kEditLevel);
        return dynamic_cast<TListaParLivDialog*>(levels->above.get());
    }
};

std::vector<std::string> Texts(TDialog* dialog)
{
    std::vector<std::string> texts;
    dialog->EachChild([&](TView* v) {
        if (auto* t = dynamic_cast<TStaticText*>(v))
            texts.push_back(t->Text());
    });
    return texts;
}

// The dialog shows the text on one line or cut over consecutive lines.
bool Shows(TDialog* dialog, const std::string& text)
{
    std::string joined;
    for (const std::string& t : Texts(dialog)) {
        if (t == text)
            return true;
        joined += (joined.empty() ? "" : " ") + t;
    }
    return (" " + joined + " ").find(" " + text + " ") != std::string::npos;
}

bool Enabled(TView* view)
{
    return view && view->Has(view::kEnabled);
}

}  // namespace

// The whole chain from the main menu, keyboard only: a new "Completa"
// exercise with one level and one word whose letters are hidden on the grid.
// Accented letters are kept in an exercise's name: "Città" is not "Citt".
TEST_F(EditorsTest, ANewExerciseKeepsTheAccentsOfItsName)
{
    theSession.settings.exerciseType = 2;
    headless->Step(2);
    Key(SDLK_F3);
    Key(SDLK_RETURN, 13);
    ASSERT_NE(Top<TTipoEseDialog>(), nullptr);
    Letter('c');  // a "Completa" exercise
    Type("Citt\xE0");
    Key(SDLK_RETURN, 13);
    ASSERT_NE(Top<TListaLivDialog>(), nullptr);
    EXPECT_TRUE(std::filesystem::exists(headless->Folder() / "Esercizi/Completa/Citt\xC3\xA0.CMP")) << "UTF-8 on the disk";
}

TEST_F(EditorsTest, ANewCompletaExerciseFromTheMainMenu)
{
    theSession.settings.exerciseType = 2;
    headless->Step(2);
    Key(SDLK_F3);
    ASSERT_NE(Top<TExerciseDialog>(), nullptr);
    Key(SDLK_RETURN, 13);  // "Nuovo esercizio" has the focus
    ASSERT_NE(Top<TTipoEseDialog>(), nullptr);
    Letter('c');
    ASSERT_NE(Top<TGetNameDialog>(), nullptr);
    Type(" Le doppie-1 / x ");  // as a teacher names it; "/" no file name can hold
    Key(SDLK_RETURN, 13);
    ASSERT_NE(Top<TListaLivDialog>(), nullptr);
    EXPECT_EQ(File("Completa/Le_doppie-1__x.CMP"), "");  // created empty at once

    Letter('n');
    ASSERT_NE(Top<MTGetNameDialog>(), nullptr);
    Type("Vocali");
    Key(SDLK_RETURN, 13);
    auto* words = Top<TListaParLivDialog>();
    ASSERT_NE(words, nullptr) << "a new level opens its word list at once";
    Type("casa");
    Key(SDLK_RETURN, 13);
    auto* hidden = Top<MListaParoleSelDialog>();
    ASSERT_NE(hidden, nullptr);
    Key(SDLK_RIGHT, SDLK_RIGHT);
    Key(SDLK_SPACE, ' ');
    Key(SDLK_RIGHT, SDLK_RIGHT);
    Key(SDLK_RIGHT, SDLK_RIGHT);
    Key(SDLK_SPACE, ' ');
    Key(SDLK_RETURN, 13);
    ASSERT_EQ(Top<TListaParLivDialog>(), words);
    ASSERT_EQ(words->Words().Count(), 1);
    EXPECT_STREQ(words->Masks().TextAt(0), "0101");
    EXPECT_STREQ(words->ShownWords().TextAt(0), "casa (c_s_)") << "the list shows what the child will see";
    EXPECT_STREQ(words->Entry() ? "" : "x", "");

    Command(command::kChangeCount);
    ASSERT_NE(Top<MTNumParDialog>(), nullptr);
    Key(SDLK_END, SDLK_END);
    Key(SDLK_BACKSPACE, 8);
    Type("0003");
    Key(SDLK_RETURN, 13);
    ASSERT_EQ(Top<TListaParLivDialog>(), words);
    EXPECT_EQ(words->Count(), "3");

    Key(SDLK_ESCAPE, 27);
    ASSERT_NE(Top<MTQueryDialog>(), nullptr);
    Letter('s');  // yes
    EXPECT_EQ(File("Completa/Le_doppie-1__x.CMP"), "\r\n\r\n3\r\nVocali\r\nc_s_ aa\r\n");
    auto* levels = Top<TListaLivDialog>();
    ASSERT_NE(levels, nullptr);
    EXPECT_FALSE(levels->Modified()) << "the word list saved the whole exercise";
    Key(SDLK_ESCAPE, 27);  // nothing left to save: it closes without a question
    ASSERT_NE(Top<TTipoEseDialog>(), nullptr);
    Key(SDLK_ESCAPE, 27);
    Key(SDLK_ESCAPE, 27);
    ASSERT_EQ(menu->TopDialog(), menu->FirstDialog());

    // The main menu lists the new exercise and offers its one level.
    auto* main = menu->FirstDialog();
    TMFileListBox* files = nullptr;
    TAnalogSel* slider = nullptr;
    main->EachChild([&](TView* v) {
        if (auto* f = dynamic_cast<TMFileListBox*>(v))
            files = f;
        if (auto* s = dynamic_cast<TAnalogSel*>(v))
            slider = s;
    });
    ASSERT_NE(files, nullptr);
    EXPECT_GE(files->Files().IndexOfText("Le_doppie-1__x"), 0);
}

TEST_F(EditorsTest, NoToReplacingAnExerciseLeavesItAndOpensNothing)
{
    Write("Livelli/Vecchio.LEV", "\r\n\r\n1\r\nA\r\nuno\r\n");
    Key(SDLK_F3);
    Key(SDLK_RETURN, 13);
    Letter('p');
    Type("Vecchio");
    Key(SDLK_RETURN, 13);
    auto* question = Top<TQueryDialog>();
    ASSERT_NE(question, nullptr);
    EXPECT_TRUE(Shows(question, GetString(9, 17)));
    Letter('n');
    EXPECT_NE(Top<TTipoEseDialog>(), nullptr);
    EXPECT_EQ(File("Livelli/Vecchio.LEV"), "\r\n\r\n1\r\nA\r\nuno\r\n");

    Letter('p');
    Type("Vecchio");
    Key(SDLK_RETURN, 13);
    Letter('s');
    EXPECT_NE(Top<TListaLivDialog>(), nullptr);
    EXPECT_EQ(File("Livelli/Vecchio.LEV"), "");
}

TEST_F(EditorsTest, CancellingBothEditorsLeavesTheFileAsItWas)
{
    const std::string before = "intestazione\r\n\r\n2\r\nA\r\nuno\r\ndue\r\n";
    Write("Livelli/Esempio.LEV", before);
    Key(SDLK_F3);
    Letter('m');
    Letter('p');
    auto* chooser = Top<TListaEseDialog>();
    ASSERT_NE(chooser, nullptr);
    EXPECT_FALSE(Enabled(chooser->ActionButton())) << "nothing chosen yet";
    Key(SDLK_DOWN, SDLK_DOWN);
    EXPECT_TRUE(Enabled(chooser->ActionButton()));
    Key(SDLK_RETURN, 13);
    ASSERT_NE(Top<TListaLivDialog>(), nullptr);
    Letter('n');
    Type("Nuovo");
    Key(SDLK_RETURN, 13);
    ASSERT_NE(Top<TListaParLivDialog>(), nullptr);
    Type("tre");
    Key(SDLK_RETURN, 13);
    Key(SDLK_ESCAPE, 27);
    Letter('n');  // do not save the level
    ASSERT_NE(Top<TListaLivDialog>(), nullptr);
    EXPECT_EQ(Top<TListaLivDialog>()->Document().LevelCount(), 2);
    Key(SDLK_ESCAPE, 27);
    ASSERT_NE(Top<MTQueryDialog>(), nullptr);
    Letter('n');  // nor the exercise
    EXPECT_NE(Top<TListaEseDialog>(), nullptr);
    EXPECT_EQ(File("Livelli/Esempio.LEV"), before);
}

TEST_F(EditorsTest, LevelsMoveRenameAndKeepTheirOrderWhenOneIsConfirmed)
{
    Write("Livelli/Tre.LEV", "\r\n\r\n1\r\nA\r\na\r\n\r\n1\r\nB\r\nb\r\n\r\n1\r\nC\r\nc\r\n");
    auto* levels = OpenLevels(1, "Tre");
    ASSERT_NE(levels, nullptr);
    EXPECT_FALSE(Enabled(levels->Button(command::kEditLevel)));
    EXPECT_FALSE(Enabled(levels->Button(command::kLevelUp)));
    Key(SDLK_DOWN, SDLK_DOWN);  // the list has the focus: level 1
    EXPECT_EQ(levels->Selected(), 1);
    EXPECT_FALSE(Enabled(levels->Button(command::kLevelUp)));
    EXPECT_TRUE(Enabled(levels->Button(command::kLevelDown)));
    Key(SDLK_END, SDLK_END);
    Key(SDLK_DOWN, SDLK_DOWN);
    Key(SDLK_DOWN, SDLK_DOWN);
    EXPECT_EQ(levels->Selected(), 3);
    EXPECT_TRUE(Enabled(levels->Button(command::kLevelUp)));
    EXPECT_FALSE(Enabled(levels->Button(command::kLevelDown)));
    Command(command::kLevelDown);  // refused: nothing moves
    EXPECT_STREQ(levels->Document().Titles().TextAt(2), "C");

    // Confirming the first of three levels keeps every level in its place.
    levels->Levels()->Select(1);
    Command(command::kEditLevel);
    ASSERT_NE(Top<TListaParLivDialog>(), nullptr);
    Type("aa");
    Key(SDLK_RETURN, 13);
    Key(SDLK_ESCAPE, 27);
    Letter('s');
    EXPECT_EQ(File("Livelli/Tre.LEV"), "\r\n\r\n1\r\nA\r\na\r\naa\r\n\r\n1\r\nB\r\nb\r\n\r\n1\r\nC\r\nc\r\n");

    Command(command::kLevelDown);
    EXPECT_EQ(levels->Selected(), 2);
    Command(command::kRenameLevel);
    ASSERT_NE(Top<MTGetNameDialog>(), nullptr);
    Key(SDLK_END, SDLK_END);
    Type("'-` bis, 2");  // a title takes neither apostrophes nor hyphens nor grave accents
    Key(SDLK_RETURN, 13);
    EXPECT_STREQ(levels->Document().Titles().TextAt(1), "A bis, 2");
    EXPECT_STREQ(levels->Document().Level(1)->TextAt(2), "A bis, 2");
    Key(SDLK_ESCAPE, 27);
    ASSERT_NE(Top<MTQueryDialog>(), nullptr);
    EXPECT_TRUE(Shows(Top<MTQueryDialog>(), GetString(50, 49)));
    Letter('s');
    EXPECT_EQ(File("Livelli/Tre.LEV"),
              "\r\n\r\n1\r\nB\r\nb\r\n\r\n1\r\nA bis, 2\r\na\r\naa\r\n\r\n1\r\nC\r\nc\r\n");
}

TEST_F(EditorsTest, DeletingTheOnlyLevelSavesTheHeaderAlone)
{
    Write("Livelli/Uno.LEV", "Intestazione\r\n\r\n1\r\nA\r\nuno\r\n");
    auto* levels = OpenLevels(1, "Uno");
    levels->Levels()->Select(1);
    Command(command::kDeleteLevel);
    ASSERT_NE(Top<TQueryDialog>(), nullptr);
    EXPECT_TRUE(Shows(Top<TQueryDialog>(), GetString(50, 27)));
    Letter('s');
    EXPECT_EQ(levels->Document().LevelCount(), 0);
    EXPECT_EQ(levels->Selected(), 0);
    Command(command::kCloseMenu);
    Letter('s');
    EXPECT_EQ(File("Livelli/Uno.LEV"), "Intestazione\r\n");
}

TEST_F(EditorsTest, TheTastiCloseQuestionShowsTheKeysOfTheCurrentWords)
{
    Write("Tasti/Due.TBL", "ABCD\r\n\r\n1\r\nPrimo\r\nab\r\n\r\n1\r\nSecondo\r\ncd\r\n");
    auto* levels = OpenLevels(3, "Due");
    levels->Levels()->Select(2);
    Command(command::kDeleteLevel);
    Letter('s');
    Command(command::kCloseMenu);
    auto* question = Top<MTQueryDialog>();
    ASSERT_NE(question, nullptr);
    std::string expected = std::string(GetString(50, 40)) + " AB. " + GetString(50, 41);
    EXPECT_TRUE(Shows(question, expected)) << Texts(question).back();
    Letter('s');
    EXPECT_EQ(File("Tasti/Due.TBL"), "AB\r\n\r\n1\r\nPrimo\r\nab\r\n");
}

// A game of "Tasti" takes 39 keys: a 40th is never silently dropped.
TEST_F(EditorsTest, TheTastiCloseQuestionNamesTheKeysLeftOutAndTheirWords)
{
    Write("Tasti/Tanti.TBL", "\r\n\r\n1\r\nTutti\r\nabcdefghijklmnopqrstuvwxyz\r\n0123456789\r\n\xE0\xE8\xF2\r\n"
                             "pi\xF9\r\nA\r\nOrto\r\n");
    auto* levels = OpenLevels(3, "Tanti");
    levels->Levels()->Select(1);
    Command(command::kRenameLevel);
    Type("2");
    Key(SDLK_RETURN, 13);
    Command(command::kCloseMenu);
    auto* question = Top<MTQueryDialog>();
    ASSERT_NE(question, nullptr);
    std::string all;
    for (const std::string& text : Texts(question))
        all += text + " ";
    EXPECT_NE(all.find(std::string(GetString(50, 54)) + " \xF9 " + GetString(50, 55) + " pi\xF9."), std::string::npos)
        << all;
}

TEST_F(EditorsTest, WordsAreAddedWithEnterModifiedAndDeleted)
{
    Write("Livelli/Parole.LEV", "\r\n\r\n2\r\nAnimali\r\ngatto\r\n");
    auto* words = OpenWords(1, "Parole");
    ASSERT_NE(words, nullptr);
    EXPECT_FALSE(Enabled(words->Button(command::kAddWord)));
    EXPECT_FALSE(Enabled(words->Button(command::kModifyWord)));
    Key(SDLK_RETURN, 13);  // nothing typed: nothing added
    EXPECT_EQ(words->Words().Count(), 1);
    Type("perch\xE9 1");  // accented letters and digits, never a space
    EXPECT_TRUE(Enabled(words->Button(command::kAddWord)));
    Key(SDLK_RETURN, 13);
    ASSERT_EQ(words->Words().Count(), 2);
    EXPECT_STREQ(words->Words().TextAt(1), "perch\xE9" "1");
    EXPECT_FALSE(Enabled(words->Button(command::kAddWord))) << "the entry line is empty again";

    words->WordList()->Select(1);
    Command(command::kModifyWord);
    auto* modify = Top<MTModParolaDialog>();
    ASSERT_NE(modify, nullptr);
    Key(SDLK_END, SDLK_END);
    for (int i = 0; i < 5; ++i)
        Key(SDLK_BACKSPACE, 8);
    Key(SDLK_RETURN, 13);  // an empty word is refused: the dialog stays
    EXPECT_EQ(Top<MTModParolaDialog>(), modify);
    Type("cane");
    Key(SDLK_RETURN, 13);
    EXPECT_STREQ(words->Words().TextAt(0), "cane");

    words->WordList()->Select(2);
    Command(command::kDeleteWord);
    Letter('s');
    ASSERT_EQ(words->Words().Count(), 1);
    Command(command::kCloseMenu);
    Letter('s');
    EXPECT_EQ(File("Livelli/Parole.LEV"), "\r\n\r\n2\r\nAnimali\r\ncane\r\n");
}

TEST_F(EditorsTest, TheCountDialogNormalisesAndEscapeKeepsTheOldCount)
{
    Write("Livelli/Conta.LEV", "\r\n\r\n7\r\nA\r\nuno\r\n");
    auto* words = OpenWords(1, "Conta");
    ASSERT_NE(words, nullptr);

    Command(command::kChangeCount);
    Key(SDLK_END, SDLK_END);
    Key(SDLK_BACKSPACE, 8);
    Key(SDLK_RETURN, 13);
    EXPECT_EQ(words->Count(), "0") << "an empty entry is 0";

    Command(command::kChangeCount);
    Type("12");
    Key(SDLK_ESCAPE, 27);
    EXPECT_EQ(words->Count(), "0") << "closed without OK: the count stays";

    Command(command::kChangeCount);
    Key(SDLK_END, SDLK_END);
    Key(SDLK_BACKSPACE, 8);
    Type("abc000059");  // digits only, at most five
    Key(SDLK_RETURN, 13);
    EXPECT_EQ(words->Count(), "5");
}

TEST_F(EditorsTest, ACountTooLargeToReadIsRefusedAndTheDialogStays)
{
    count = "99999999999";
    auto* dialog = new MTNumParDialog(GetString(50, 36), count);
    menu->AddDialog(std::unique_ptr<TDialog>(dialog));
    Command(stddialog::kConfirmName);
    auto* message = Top<TMessageDialog>();
    ASSERT_NE(message, nullptr);
    EXPECT_TRUE(Shows(message, GetString(50, 37)));
    Key(SDLK_RETURN, 13);
    EXPECT_EQ(Top<MTNumParDialog>(), dialog);
    EXPECT_EQ(count, "99999999999");
}

TEST_F(EditorsTest, AFormatErrorIsShownWithItsLineAndTheLevelsBeforeItStay)
{
    Write("Livelli/Rotto.LEV", "\r\n\r\n1\r\nA\r\nuno\r\n\r\n1x\r\nB\r\n");
    auto* levels = OpenLevels(1, "Rotto");
    ASSERT_NE(levels, nullptr);
    headless->Step(2);
    auto* message = Top<TMessageDialog>();
    ASSERT_NE(message, nullptr);
    EXPECT_TRUE(Shows(message, std::string(GetString(50, 20)) + " 7")) << "the first line is 1";
    EXPECT_TRUE(Shows(message, GetString(50, 22)));
    Key(SDLK_RETURN, 13);
    EXPECT_EQ(Top<TListaLivDialog>(), levels);
    EXPECT_EQ(levels->Document().LevelCount(), 1);

    // Saved after a change, the damaged level is still there as it was.
    levels->Levels()->Select(1);
    Command(command::kRenameLevel);
    Type("2");
    Key(SDLK_RETURN, 13);
    Command(command::kCloseMenu);
    Letter('s');
    EXPECT_EQ(File("Livelli/Rotto.LEV"), "\r\n\r\n1\r\n2\r\nuno\r\n\r\n1x\r\nB\r\n");
}

TEST_F(EditorsTest, ACompletaLineThatDoesNotMatchStopsTheWordsThere)
{
    Write("Completa/Male.CMP", "\r\n\r\n1\r\nA\r\nc_s_ aa\r\nx__ a\r\nok\r\n");
    auto* words = OpenWords(2, "Male");
    ASSERT_NE(words, nullptr);
    auto* message = Top<TMessageDialog>();
    ASSERT_NE(message, nullptr);
    EXPECT_TRUE(Shows(message, GetString(50, 38)));
    EXPECT_EQ(words->Words().Count(), 1);
    EXPECT_STREQ(words->Words().TextAt(0), "casa");
    ASSERT_EQ(words->ShownWords().Count(), 1);
    EXPECT_STREQ(words->ShownWords().TextAt(0), "casa (c_s_)");

    // A change saved keeps the damaged word and every word after it.
    Key(SDLK_RETURN, 13);
    words->WordList()->Select(1);
    Command(command::kDeleteWord);
    Letter('s');
    Command(command::kCloseMenu);
    Letter('s');
    EXPECT_EQ(File("Completa/Male.CMP"), "\r\n\r\n1\r\nA\r\nx__ a\r\nok\r\n");
}

TEST_F(EditorsTest, AFailedSaveShowsItsMessageAndKeepsTheOldFile)
{
    const std::string before = "\r\n\r\n1\r\nA\r\nuno\r\n";
    Write("Livelli/Pieno.LEV", before);
    auto* levels = OpenLevels(1, "Pieno");
    levels->Levels()->Select(1);
    Command(command::kRenameLevel);
    Type(" lungo lungo lungo");
    Key(SDLK_RETURN, 13);
    Command(command::kCloseMenu);
    ASSERT_NE(Top<MTQueryDialog>(), nullptr);

    // A disk that takes no more than a few bytes.
    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    rlimit tiny = old;
    tiny.rlim_cur = 8;
    setrlimit(RLIMIT_FSIZE, &tiny);
    Letter('s');
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);

    auto* message = Top<TMessageDialog>();
    ASSERT_NE(message, nullptr);
    EXPECT_TRUE(Shows(message, GetString(50, 19)));
    EXPECT_EQ(File("Livelli/Pieno.LEV"), before);
    EXPECT_EQ(headless->Folder().List("Esercizi/Livelli"), std::vector<std::string>{"Pieno.LEV"}) << "no scraps left";
    Key(SDLK_RETURN, 13);
    EXPECT_EQ(Top<TListaLivDialog>(), nullptr) << "the editor closes as answered";
}

TEST_F(EditorsTest, TheChooserIsSortedAndDeletesOnlyAfterYes)
{
    Write("Livelli/b.LEV", "");
    Write("Livelli/A.LEV", "");
    Write("Livelli/c.LEV", "");
    Write("Livelli/altro.TXT", "");
    Key(SDLK_F3);
    Letter('e');
    Letter('p');
    auto* chooser = Top<TListaEseDialog>();
    ASSERT_NE(chooser, nullptr);
    TFileList& names = chooser->Files()->Files();
    ASSERT_EQ(names.Count(), 3);
    EXPECT_STREQ(names.TextAt(0), "A");
    EXPECT_STREQ(names.TextAt(1), "b");
    EXPECT_STREQ(names.TextAt(2), "c");
    Key(SDLK_DOWN, SDLK_DOWN);
    Key(SDLK_DOWN, SDLK_DOWN);
    Letter('e');  // the delete button
    ASSERT_NE(Top<TQueryDialog>(), nullptr);
    EXPECT_TRUE(Shows(Top<TQueryDialog>(), std::string(GetString(50, 12)) + " b?"));
    Letter('n');
    EXPECT_TRUE(std::filesystem::exists(headless->Folder() / "Esercizi/Livelli/b.LEV"));
    Letter('e');
    Letter('s');
    EXPECT_FALSE(std::filesystem::exists(headless->Folder() / "Esercizi/Livelli/b.LEV"));
    EXPECT_EQ(names.Count(), 2);
    EXPECT_FALSE(Enabled(chooser->ActionButton())) << "the list was read again: nothing chosen";
}

TEST_F(EditorsTest, TheMainMenuFollowsWhatTheEditorsChanged)
{
    Write("Livelli/Due.LEV", "\r\n\r\n1\r\nA\r\na\r\n\r\n1\r\nB\r\nb\r\n");
    Write("Livelli/Via.LEV", "\r\n\r\n1\r\nA\r\na\r\n");
    auto* main = menu->FirstDialog();
    TMFileListBox* files = nullptr;
    TAnalogSel* slider = nullptr;
    main->EachChild([&](TView* v) {
        if (auto* f = dynamic_cast<TMFileListBox*>(v))
            files = f;
        if (auto* s = dynamic_cast<TAnalogSel*>(v))
            slider = s;
    });
    theSession.exerciseListChanged = true;  // files written behind the menu's back
    headless->Step(2);
    files->SelectName("Due");
    theFileListSelectionChanged = true;
    headless->Step(2);
    EXPECT_EQ(slider->Max(), 2);

    auto* levels = OpenLevels(1, "Due");
    Command(command::kNewLevel);
    Type("C");
    Key(SDLK_RETURN, 13);
    Type("c");
    Key(SDLK_RETURN, 13);
    Command(command::kCloseMenu);
    Letter('s');
    ASSERT_EQ(Top<TListaLivDialog>(), levels);
    Command(command::kCloseMenu);
    ASSERT_EQ(menu->TopDialog(), main);
    headless->Step(2);
    EXPECT_STREQ(theSession.settings.exerciseName, "Due");
    EXPECT_EQ(slider->Max(), 3);

    editing.kind = 1;
    editing.operation = ExerciseEditing::kDelete;
    std::strcpy(editing.name, "Via");
    menu->AddDialog(std::make_unique<TListaEseDialog>(editing));
    Command(command::kDeleteChosenExercise);
    Letter('s');
    Key(SDLK_ESCAPE, 27);
    ASSERT_EQ(menu->TopDialog(), main);
    headless->Step(2);
    EXPECT_EQ(files->Files().IndexOfText("Via"), -1);
    EXPECT_GE(files->Files().IndexOfText("Due"), 0);
}

// The letter grid: three rows of ten, the arrows only ever land on letters,
// Space and a click hide or show a letter, and the colours tell which.
TEST_F(EditorsTest, TheLetterGridKeepsToTheLetters)
{
    word = "abcdefghijklmnopqrstuvwxy";  // 25 letters
    mask.assign(25, '0');
    auto* dialog = new MListaParoleSelDialog(word, mask, &result);
    menu->AddDialog(std::unique_ptr<TDialog>(dialog));
    headless->Step(2);
    EXPECT_EQ(result, 1);
    TLetteraSelector* grid = dialog->Selector();
    EXPECT_EQ(grid->CellsInRow(0), 10);
    EXPECT_EQ(grid->CellsInRow(1), 10);
    EXPECT_EQ(grid->CellsInRow(2), 5);
    Key(SDLK_DOWN, SDLK_DOWN);
    Key(SDLK_DOWN, SDLK_DOWN);
    EXPECT_EQ(grid->Cursor(), 20);
    for (int i = 0; i < 6; ++i)
        Key(SDLK_RIGHT, SDLK_RIGHT);
    EXPECT_EQ(grid->Cursor(), 24) << "the empty cells of the last row cannot be reached";
    Key(SDLK_UP, SDLK_UP);
    for (int i = 0; i < 6; ++i)
        Key(SDLK_RIGHT, SDLK_RIGHT);
    EXPECT_EQ(grid->Cursor(), 19) << "no wrapping past column 9";
    Key(SDLK_DOWN, SDLK_DOWN);
    EXPECT_EQ(grid->Cursor(), 19) << "letter 29 does not exist";
    Key(SDLK_SPACE, ' ');
    EXPECT_EQ(mask[19], '1');

    // A click moves the cursor there and hides that letter.
    Rect cell = grid->Cell(0, 2);
    headless->MoveMouse((cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2);
    headless->Step();
    headless->PushButton(SDL_BUTTON_LEFT, true);
    headless->Step();
    headless->PushButton(SDL_BUTTON_LEFT, false);
    headless->Step(2);
    EXPECT_EQ(grid->Cursor(), 2);
    EXPECT_EQ(mask[2], '1');
    EXPECT_EQ(ScreenPixel(cell.left + 3, cell.top + 3), MapColour(8)) << "hidden: red";
    Rect shown = grid->Cell(0, 3), unused = grid->Cell(2, 7);
    EXPECT_EQ(ScreenPixel(shown.left + 3, shown.top + 3), MapColour(0)) << "shown: black";
    EXPECT_EQ(ScreenPixel(unused.left + 3, unused.top + 3), MapColour(2)) << "unused: grey";
    // A click on an empty cell changes nothing.
    headless->MoveMouse((unused.left + unused.right) / 2, (unused.top + unused.bottom) / 2);
    headless->Step();
    headless->PushButton(SDL_BUTTON_LEFT, true);
    headless->Step();
    headless->PushButton(SDL_BUTTON_LEFT, false);
    headless->Step(2);
    EXPECT_EQ(grid->Cursor(), 2);
    EXPECT_EQ(mask, "0010000000000000000100000");

    // A 15-letter word: down from column 7 of the first row goes nowhere.
    shorter = "abcdefghijklmno";
    shortMask.assign(15, '0');
    menu->AddDialog(std::make_unique<MListaParoleSelDialog>(shorter, shortMask, &result));
    headless->Step(2);
    TLetteraSelector* small = Top<MListaParoleSelDialog>()->Selector();
    for (int i = 0; i < 7; ++i)
        Key(SDLK_RIGHT, SDLK_RIGHT);
    Key(SDLK_DOWN, SDLK_DOWN);
    EXPECT_EQ(small->Cursor(), 7);
}

TEST_F(EditorsTest, ACompletaWordNeedsAHiddenLetter)
{
    word = "sole";
    mask = "0000";
    auto* dialog = new MListaParoleSelDialog(word, mask, &result);
    menu->AddDialog(std::unique_ptr<TDialog>(dialog));
    Key(SDLK_RETURN, 13);
    auto* message = Top<TMessageDialog>();
    ASSERT_NE(message, nullptr);
    EXPECT_TRUE(Shows(message, GetString(50, 51)));
    Key(SDLK_RETURN, 13);
    ASSERT_EQ(Top<MListaParoleSelDialog>(), dialog);
    EXPECT_EQ(result, 1);
    Key(SDLK_SPACE, ' ');
    Key(SDLK_RETURN, 13);
    EXPECT_EQ(result, 2);
    EXPECT_EQ(mask, "1000");
    EXPECT_EQ(Top<MListaParoleSelDialog>(), nullptr);

    // Closed any other way, the word is not taken.
    menu->AddDialog(std::make_unique<MListaParoleSelDialog>(word, mask, &result));
    Key(SDLK_ESCAPE, 27);
    EXPECT_EQ(result, 1);
}

// At 640x480 every dialog of the chain lies inside the screen.
TEST_F(EditorsTest, EveryDialogFitsTheSmallestScreen)
{
    Write("Livelli/Uno.LEV", "\r\n\r\n1\r\nA\r\nuno\r\n");
    word = "abcdefghijklmnopqrstuvwxy";
    mask.assign(25, '0');
    count = "5";
    editing.kind = 1;
    editing.operation = ExerciseEditing::kModify;
    std::vector<TDialog*> dialogs = {
        new TExerciseDialog, new TTipoEseDialog(editing), new TListaEseDialog(editing),
        new MListaParoleSelDialog(word, mask, &result), new MTNumParDialog(GetString(50, 36), count),
        new MTModParolaDialog(&result, 320, 240, GetString(50, 52), buffer, 25),
        new MTGetNameDialog(0, 320, 240, GetString(50, 48), buffer, 40),
        new MTQueryDialog(320, 240, (std::string(GetString(50, 40)) + " ABCDEFGHIJKLMNOPQRSTUVWXYZ. " +
                                     GetString(50, 41)).c_str(), &answer),
        new TMessageDialog(320, 240, "Errore alla riga 6", GetString(50, 22), 0),
        // The longest close question of "Tasti": keys left out and their words.
        new MTQueryDialog(320, 240, (std::string(GetString(50, 40)) + " " + std::string(39, 'A') + ". " +
                                     GetString(50, 54) + " \xD9 " + GetString(50, 55) +
                                     " pi\xF9, gi\xF9, laggi\xF9, cos\xEC, virt\xF9, .... " + GetString(50, 41)).c_str(),
                          &answer)};
    for (TDialog* d : dialogs) {
        menu->AddDialog(std::unique_ptr<TDialog>(d));
        headless->Step();
        EXPECT_GE(d->left, 0);
        EXPECT_GE(d->top, 0);
        EXPECT_LT(d->right, 640);
        EXPECT_LT(d->bottom, 480);
        d->EachChild([&](TView* v) {
            EXPECT_GE(v->left, d->left);
            EXPECT_LE(v->right, d->right);
            EXPECT_LE(v->bottom, d->bottom);
        });
    }
}
