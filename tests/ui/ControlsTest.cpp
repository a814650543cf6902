#include "app/CommandQueue.h"
#include "app/Commands.h"
#include "app/TApp.h"
#include "ui/TMenuContext.h"
#include "gfx/Screen.h"
#include "gfx/TFont.h"
#include "support/HeadlessApp.h"
#include "support/TestFont.h"
#include "ui/StandardDialogs.h"
#include "ui/TColorSelector.h"
#include "ui/TCustomSelector.h"
#include "ui/TInputLine.h"
#include "ui/TListBox.h"
#include "ui/TScrollBar.h"
#include "ui/TSelectorItem.h"
#include "base/TStringList.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstring>
#include <string>
#include <vector>

namespace {

struct ControlsTest : ::testing::Test {
    std::unique_ptr<HeadlessApp> headless;
    TMenuContext* screen = nullptr;
    TDialog* dialog = nullptr;

    void SetUp() override
    {
        headless = std::make_unique<HeadlessApp>();
        screen = new TMenuContext(0);
        headless->App().SetChild(std::unique_ptr<TContext>(screen));
        dialog = new TDialog(20, 20, 780, 580);
    }
    void TearDown() override
    {
        if (HasFailure())
            headless->DumpScreen("quoli-controls-test");
        if (!dialog->owner)
            delete dialog;  // never shown: the screen does not own it
        headless.reset();
    }
    void Show(TView* focused = nullptr)
    {
        screen->AddDialog(std::unique_ptr<TDialog>(dialog));
        if (focused)
            dialog->FocusChild(focused);
    }
    void Key(int sym, int unicode = 0, int mod = KMOD_NONE)
    {
        headless->PushKey(static_cast<SDLKey>(sym), true, static_cast<Uint16>(unicode), mod);
        headless->Step();
        headless->PushKey(static_cast<SDLKey>(sym), false, 0, mod);
        headless->Step(2);
    }
};

}  // namespace

TEST_F(ControlsTest, RadioButtonsFollowTheArrows)
{
    int value = 2;
    auto* radio = &dialog->Insert(std::make_unique<TRadioButtons>(40, 40, 300, 200, "Corsie", 0, &value,
                                    NewItem("~1~", -1, NewItem("~2~", -1, NewItem("~3~", -1, nullptr)))));
    Show(radio);
    ASSERT_EQ(radio->Children().Count(), 3);
    EXPECT_EQ(radio->Current(), radio->Children().At(1));
    Key(SDLK_DOWN, SDLK_DOWN);
    EXPECT_EQ(value, 3);
    EXPECT_EQ(radio->Current(), radio->Children().At(2));
    Key(SDLK_DOWN, SDLK_DOWN);
    EXPECT_EQ(value, 3);
    Key(SDLK_1, '1');
    EXPECT_EQ(value, 1);
}

TEST_F(ControlsTest, AGreyedRadioButtonShowsItsWholeDiamond)
{
    // In the dialog in front, one group enabled and one greyed: the
    // unchecked diamond's lower edges must stand out from the face it sits
    // on in both, as a greyed check box's do.
    int open = 1, greyed = 1;
    auto* on = &dialog->Insert(std::make_unique<TRadioButtons>(40, 40, 300, 200, "Uno", 0, &open,
                                 NewItem("~A~", -1, NewItem("~B~", -1, nullptr))));
    auto* off = &dialog->Insert(std::make_unique<TRadioButtons>(340, 40, 600, 200, "Due", 0, &greyed,
                                  NewItem("~C~", -1, NewItem("~D~", -1, nullptr))));
    off->SetState(view::kEnabled, false);
    Show(on);
    headless->Step(2);
    for (TCustomSelector* group : {on, off}) {
        auto* unchecked = dynamic_cast<TRadioButton*>(group->Children().At(1));
        ASSERT_NE(unchecked, nullptr);
        Rect box = unchecked->Box();
        int cx = (box.left + box.right) / 2, cy = (box.top + box.bottom) / 2, half = (box.right - box.left) / 2;
        std::uint32_t face = ScreenPixel(box.right, box.bottom);  // a corner outside the diamond
        EXPECT_NE(ScreenPixel(cx + half - half / 2, cy + half / 2), face)
            << (group == on ? "enabled" : "greyed") << ": the lower right edge is lost in the face";
        EXPECT_NE(ScreenPixel(cx - half + half / 2, cy - half / 2), face)
            << (group == on ? "enabled" : "greyed") << ": the upper left edge is lost in the face";
    }
}

TEST_F(ControlsTest, CheckBoxesFlipTheirFlags)
{
    std::uint8_t flags[2] = {0, 1};
    auto* boxes = &dialog->Insert(std::make_unique<TCheckBoxes>(40, 40, 300, 200, "Suoni", 0, flags,
                                  NewItem("~E~ffetti", -1, NewItem("M~u~sica", -1, nullptr))));
    Show(boxes);
    Key(SDLK_SPACE, ' ');
    EXPECT_EQ(flags[0], 1);
    Key(SDLK_u, 'u');
    EXPECT_EQ(flags[1], 0);
    Key(SDLK_u, 'u');
    EXPECT_EQ(flags[1], 1);
}

TEST_F(ControlsTest, ColourPickerStopsAtItsEdges)
{
    int colour = 7;
    auto* picker = &dialog->Insert(std::make_unique<TColorSelector>(40, 40, 240, 140, 0, &colour));
    Show(picker);
    Key(SDLK_RIGHT, SDLK_RIGHT);
    EXPECT_EQ(colour, 7);
    Key(SDLK_DOWN, SDLK_DOWN);
    EXPECT_EQ(colour, 15);
    colour = 28;
    Key(SDLK_DOWN, SDLK_DOWN);
    EXPECT_EQ(colour, 28);
    Key(SDLK_LEFT, SDLK_LEFT);
    EXPECT_EQ(colour, 27);
}

TEST_F(ControlsTest, ScrollBarValuesStayInRange)
{
    int value = 9;
    auto* bar = &dialog->Insert(std::make_unique<TScrollBar>(40, 40, 60, 300, 0, &value, 0, 10, 5, 1));
    Show(bar);
    Key(SDLK_DOWN, SDLK_DOWN);
    EXPECT_EQ(value, 10);
    Key(SDLK_UP, SDLK_UP);
    EXPECT_EQ(value, 5);
    int still = 0;
    TScrollBar empty(100, 40, 120, 300, 0, &still, 0, 0, 1, 1);
    EXPECT_EQ(still, 0);
    empty.StepUp();
    EXPECT_EQ(still, 0);
    int big = 50;
    TScrollBar clamped(100, 40, 120, 300, 0, &big, 0, 10, 1, 1);
    EXPECT_EQ(big, 10);
}

TEST_F(ControlsTest, ListBoxGeometryAndPaging)
{
    std::vector<unsigned char> block = SolidBitmapFont('A', {9}, 18);
    auto font = TFont::FromBitmap(block.data(), block.size());
    TFont* normal = DefaultFont();
    SetDefaultFont(font.get());  // rows of 20 pixels
    TStringList items;
    items.AppendText("uno");
    items.AppendText("due");
    items.AppendText("tre");
    int selection = 1;
    auto* list = &dialog->Insert(std::make_unique<TListBox>(40, 40, 300, 140, 0, &selection, &items));
    EXPECT_EQ(list->Rows(), 4);
    EXPECT_EQ(list->bottom, 40 + 85);
    Show(list);
    Key(SDLK_PAGEDOWN, SDLK_PAGEDOWN);
    EXPECT_EQ(selection, 3);
    Key(SDLK_DOWN, SDLK_DOWN);
    EXPECT_EQ(selection, 3);
    Key(SDLK_PAGEUP, SDLK_PAGEUP);
    EXPECT_EQ(selection, 1);
    Key(SDLK_UP, SDLK_UP);
    EXPECT_EQ(selection, 1);
    Key(SDLK_RETURN, 13);
    EXPECT_EQ(headless->LastRecord().command, 0);  // already taken: Enter posted "chosen"
    SetDefaultFont(normal);
}

TEST_F(ControlsTest, AnEmptyListKeepsNoSelection)
{
    TStringList items;
    int selection = 3;
    TListBox list(40, 40, 300, 140, 0, &selection, &items);
    EXPECT_EQ(selection, 0);
    list.MoveDown(1);
    EXPECT_EQ(selection, 0);
}

TEST_F(ControlsTest, FileListBoxKeepsTheChosenName)
{
    TempFolder folder;
    folder.Write("Animali.LEV", "");
    folder.Write("Colori.LEV", "");
    char name[41] = "Colori";
    auto* files = new TFileListBox(40, 40, 300, 200, 0, name, sizeof name, folder.Path().c_str(), ".LEV", 0x42);
    EXPECT_STREQ(name, "Colori");
    files->Select(1);
    EXPECT_STREQ(name, "Animali");
    files->Rescan(folder.Path().c_str(), ".LEV", 0x42);
    EXPECT_STREQ(name, "");
    delete files;
}

TEST_F(ControlsTest, AFileListShowsItsOwnFormAndKeepsFileNames)
{
    TempFolder folder;
    for (const char* file : {"zeta.LEV", "b_c.LEV", "b c.LEV", "Alfa.LEV", "nascosto.LEV"})
        folder.Write(file, "");
    char name[41] = "b_c";
    TFileListBox files(40, 40, 300, 200, 0, name, sizeof name, folder.Path().c_str(), ".LEV", 0x42);
    auto upper = [](const std::string& file) {
        std::string shown = file;
        for (char& c : shown)
            c = c == '_' ? ' ' : static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        return shown;
    };
    files.SetPresentation(upper, [](const std::string& file) { return file == "nascosto"; });
    auto rows = [&] {
        std::vector<std::string> shown;
        for (int i = 0; i < files.Files().Count(); ++i)
            shown.push_back(files.ItemText(i));
        return shown;
    };
    // Ordered by what is shown; two files shown alike are told apart.
    EXPECT_EQ(rows(), (std::vector<std::string>{"ALFA", "B C (b c)", "B C (b_c)", "ZETA"}));
    EXPECT_STREQ(name, "b_c");  // the choice survives the new order
    EXPECT_EQ(files.Selection(), 3);
    files.Select(4);
    EXPECT_STREQ(name, "zeta");
    files.Rescan(folder.Path().c_str(), ".LEV", 0x42);  // listed anew, shown the same way
    EXPECT_EQ(rows(), (std::vector<std::string>{"ALFA", "B C (b c)", "B C (b_c)", "ZETA"}));
    EXPECT_STREQ(name, "");
}

TEST_F(ControlsTest, InputLineFilters)
{
    char digits[6] = "";
    auto* line = &dialog->Insert(std::make_unique<TInputLine>(40, 40, 300, 70, 0, digits, 5, inputline::kDigits));
    char upper[6] = "";
    auto* caps = &dialog->Insert(std::make_unique<TInputLine>(40, 80, 300, 110, 0, upper, 5, inputline::kToUpper | inputline::kApostrophe |
                                                                    inputline::kApostropheAsGrave));
    Show(line);
    Key(SDLK_a, 'a');
    Key(SDLK_4, '4');
    Key(SDLK_2, '2');
    EXPECT_STREQ(digits, "42");
    Key(SDLK_LEFT, SDLK_LEFT);
    Key(SDLK_BACKSPACE, 8);
    EXPECT_STREQ(digits, "2");
    Key(SDLK_a, 1, KMOD_LCTRL);  // Ctrl+A is left to other views
    EXPECT_STREQ(digits, "2");
    dialog->FocusChild(caps);
    Key(SDLK_a, 'a');
    Key(SDLK_QUOTE, '\'');
    EXPECT_STREQ(upper, "A`");
}

TEST_F(ControlsTest, InputLineMaximumInInsertAndOverwrite)
{
    char text[4] = "abc";
    auto* line = &dialog->Insert(std::make_unique<TInputLine>(40, 40, 300, 70, 0, text, 3, inputline::kLetters));
    Show(line);
    Key(SDLK_END, SDLK_END);
    Key(SDLK_x, 'x');
    EXPECT_STREQ(text, "abc");  // full: insert changes nothing
    Key(SDLK_INSERT, SDLK_INSERT);
    Key(SDLK_x, 'x');
    EXPECT_STREQ(text, "abc");  // overwrite at the end of a full line: nothing
    Key(SDLK_HOME, SDLK_HOME);
    Key(SDLK_x, 'x');
    EXPECT_STREQ(text, "xbc");  // overwrite replaces the character under the cursor
}

TEST_F(ControlsTest, NameDialogKeepsOnlyAConfirmedName)
{
    char name[21] = "";
    Show();
    screen->AddDialog(std::make_unique<TGetNameDialog>(400, 300, "Nome?", name, 20, 0));
    Key(SDLK_l, 'l');
    Key(SDLK_u, 'u');
    EXPECT_STREQ(name, "lu");
    Key(SDLK_ESCAPE, 27);
    headless->Step(2);
    EXPECT_STREQ(name, "");  // closed without confirming
    screen->AddDialog(std::make_unique<TGetNameDialog>(400, 300, "Nome?", name, 20, 0));
    Key(SDLK_l, 'l');
    Key(SDLK_RETURN, 13);
    headless->Step(3);
    EXPECT_EQ(screen->TopDialog(), dialog);
    EXPECT_STREQ(name, "l");
}

TEST_F(ControlsTest, QueryStoresTheAnswerAndCloses)
{
    std::uint8_t answer = 7;
    Show();
    screen->AddDialog(std::make_unique<TQueryDialog>(400, 300, "Esci?", &answer, 0));
    Key(SDLK_n, 'n');
    headless->Step(2);
    EXPECT_EQ(answer, 0);
    EXPECT_EQ(screen->TopDialog(), dialog);
    screen->AddDialog(std::make_unique<TQueryDialog>(400, 300, "Esci?", &answer, 0));
    Key(SDLK_s, 's');
    headless->Step(2);
    EXPECT_EQ(answer, 1);
}

TEST_F(ControlsTest, ShortTextsStillGiveRoomyDialogs)
{
    int u = theScreen.width / 64;
    TQueryDialog query(400, 300, "?", nullptr, 0);
    EXPECT_GE(query.right - query.left, 16 * u - 1);
    TMessageDialog message(400, 300, "a", "b", 0);
    EXPECT_GE(message.right - message.left, 24 * u - 1);
}
