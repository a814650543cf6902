// List boxes under the mouse: the wheel moves the view of the list under
// the pointer, and the list's scroll bar steps, pages and repeats.

#include "app/CommandQueue.h"
#include "app/TApp.h"
#include "base/TStringList.h"
#include "gfx/TFont.h"
#include "support/HeadlessApp.h"
#include "support/TestFont.h"
#include "ui/TButton.h"
#include "ui/TDialog.h"
#include "ui/TListBox.h"
#include "ui/TMenuContext.h"
#include "ui/TScrollBar.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct ListMouseTest : ::testing::Test {
    std::unique_ptr<HeadlessApp> headless;
    std::unique_ptr<TFont> rowFont;
    TFont* normalFont = nullptr;
    TStringList items;
    TDialog* dialog = nullptr;

    void SetUp() override
    {
        headless = std::make_unique<HeadlessApp>();
        auto* screen = new TMenuContext(0);
        headless->App().SetChild(std::unique_ptr<TContext>(screen));
        std::vector<unsigned char> block = SolidBitmapFont('A', {9}, 18);
        rowFont = TFont::FromBitmap(block.data(), block.size());
        normalFont = DefaultFont();
        SetDefaultFont(rowFont.get());  // rows of 20 pixels
        for (int i = 1; i <= 30; ++i)
            items.AppendText(("parola " + std::to_string(i)).c_str());
        dialog = &screen->AddDialog(std::make_unique<TDialog>(20, 20, 780, 580));
    }
    void TearDown() override
    {
        if (HasFailure())
            headless->DumpScreen("quoli-list-mouse-test");
        SetDefaultFont(normalFont);
        headless.reset();
    }
    TListBox* List(int left, int* selection)
    {
        auto* list = &dialog->Insert(std::make_unique<TListBox>(left, 40, left + 260, 240, 0, selection, &items));
        list->Draw();
        return list;
    }
    void Wheel(const TView* over, int button)
    {
        headless->MoveMouse((over->left + over->right) / 2, (over->top + over->bottom) / 2);
        headless->PushButton(button, true);
        headless->Step();
        headless->PushButton(button, false);
        headless->Step();
    }
    void PressAt(int x, int y)
    {
        headless->MoveMouse(x, y);
        headless->PushButton(SDL_BUTTON_LEFT, true);
        headless->Step();
    }
    void ClickAt(int x, int y)
    {
        PressAt(x, y);
        headless->PushButton(SDL_BUTTON_LEFT, false);
        headless->Step();
    }
};

}  // namespace

TEST_F(ListMouseTest, TheWheelMovesTheViewOfTheListUnderThePointer)
{
    int selection = 2, other = 1;
    TListBox* list = List(40, &selection);
    TListBox* beside = List(400, &other);
    auto* button = &dialog->Insert(std::make_unique<TTextButton>(40, 300, 200, 340, "Ok", -1, 100));
    dialog->FocusChild(button);  // the wheel needs no focus
    ASSERT_EQ(list->Rows(), 9);

    Wheel(list, SDL_BUTTON_WHEELDOWN);
    EXPECT_EQ(list->TopRow(), 3);
    EXPECT_EQ(selection, 2);  // the view moved, not the selection
    EXPECT_EQ(beside->TopRow(), 0);
    Wheel(list, SDL_BUTTON_WHEELDOWN);
    EXPECT_EQ(list->TopRow(), 6);
    Wheel(list->ScrollBar(), SDL_BUTTON_WHEELUP);  // over its scroll bar too
    EXPECT_EQ(list->TopRow(), 3);
    Wheel(button, SDL_BUTTON_WHEELDOWN);
    EXPECT_EQ(list->TopRow(), 3);
    EXPECT_EQ(beside->TopRow(), 0);

    for (int i = 0; i < 20; ++i)
        Wheel(list, SDL_BUTTON_WHEELDOWN);
    EXPECT_EQ(list->TopRow(), 30 - 9);
    for (int i = 0; i < 20; ++i)
        Wheel(list, SDL_BUTTON_WHEELUP);
    EXPECT_EQ(list->TopRow(), 0);
    EXPECT_EQ(selection, 2);
    EXPECT_EQ(TakeCommand(), 0);  // nothing was chosen
}

TEST_F(ListMouseTest, TheListsScrollBarStepsPagesAndRepeats)
{
    int selection = 1;
    TListBox* list = List(40, &selection);
    TScrollBar* bar = list->ScrollBar();
    Rect down = bar->SecondButton(), up = bar->FirstButton();
    int x = (bar->left + bar->right) / 2;

    ClickAt(x, (down.top + down.bottom) / 2);
    EXPECT_EQ(list->TopRow(), 1);
    EXPECT_EQ(selection, 1);
    Rect thumb = bar->Thumb();
    ClickAt(x, thumb.bottom + 3);
    EXPECT_EQ(list->TopRow(), 1 + list->Rows());
    thumb = bar->Thumb();
    ClickAt(x, thumb.top - 3);
    EXPECT_EQ(list->TopRow(), 1);

    ClickAt(x, (up.top + up.bottom) / 2);
    EXPECT_EQ(list->TopRow(), 0);
    PressAt(x, (down.top + down.bottom) / 2);
    EXPECT_EQ(list->TopRow(), 1);
    FakeClock::Advance(201);
    headless->Step();
    FakeClock::Advance(51);
    headless->Step();
    EXPECT_EQ(list->TopRow(), 3);
    EXPECT_EQ(selection, 1);
}
