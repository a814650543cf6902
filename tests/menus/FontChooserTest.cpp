// The font chooser names typefaces as people know them, leaves out the
// interface's own faces, and still stores the file stem the game opens.

#include "app/TApp.h"
#include "base/TextHelpers.h"
#include "gfx/Typefaces.h"
#include "session/GameSettings.h"
#include "menus/TFontDialog.h"
#include "resources/FileHelpers.h"
#include "support/HeadlessApp.h"
#include "ui/TListBox.h"
#include "ui/TMenuContext.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

namespace {

struct FontChooserTest : ::testing::Test {
    std::unique_ptr<HeadlessApp> headless;
    GameSettings settings;
    TFontDialog* chooser = nullptr;

    void SetUp() override
    {
        headless = std::make_unique<HeadlessApp>();
        headless->Folder().Write("fonts/mio_carattere-2.ttf", "not a font at all");
        auto* screen = new TMenuContext(0);
        headless->App().SetChild(std::unique_ptr<TContext>(screen));
        std::snprintf(settings.fontName, sizeof settings.fontName, "%s", "comicbd");
        chooser = &screen->AddDialog(std::make_unique<TFontDialog>(settings));
        headless->Step();
    }
    void TearDown() override
    {
        if (HasFailure())
            headless->DumpScreen("quoli-font-chooser-test");
        headless.reset();
    }
    TFileListBox* Faces() const { return chooser->Faces(); }
    std::vector<std::string> Stems() const
    {
        std::vector<std::string> stems;
        for (int i = 0; i < Faces()->Files().Count(); ++i)
            stems.push_back(Faces()->Files().TextAt(i));
        return stems;
    }
    std::string ShownFor(const std::string& stem) const
    {
        int at = Faces()->Files().IndexOfText(stem.c_str());
        return at < 0 ? std::string("(absent)") : Faces()->ItemText(at);
    }
};

}  // namespace

TEST(TypefaceNamesTest, TidyStemsAndInterfaceFaces)
{
    EXPECT_EQ(TidyFaceName("mio_carattere-2"), "Mio carattere 2");
    EXPECT_EQ(TidyFaceName("__doppio__spazio_"), "Doppio spazio");
    EXPECT_EQ(TidyFaceName("Gi\xE0"), "Gi\xE0");
    EXPECT_EQ(TidyFaceName(""), "");
    EXPECT_TRUE(IsInterfaceFace("menu"));
    EXPECT_TRUE(IsInterfaceFace("TITLE"));  // file names compare without case
    EXPECT_FALSE(IsInterfaceFace("comicbd"));
    EXPECT_FALSE(IsInterfaceFace("menus"));
}

TEST_F(FontChooserTest, TheInterfaceFacesAreNotOffered)
{
    namespace fs = std::filesystem;
    ASSERT_TRUE(fs::exists(headless->Folder() / "fonts/menu.ttf"));
    ASSERT_TRUE(fs::exists(headless->Folder() / "fonts/title.ttf"));
    std::vector<std::string> stems = Stems();
    for (const std::string& stem : stems) {
        EXPECT_FALSE(IsInterfaceFace(stem)) << stem;
        EXPECT_TRUE(fs::exists(headless->Folder() / ("fonts/" + stem + ".ttf"))) << stem;
    }
    // Every other face of the folder is there.
    int files = 0;
    for (const auto& entry : fs::directory_iterator(headless->Folder() / "fonts"))
        files += entry.path().extension() == ".ttf" ? 1 : 0;
    EXPECT_EQ(static_cast<int>(stems.size()), files - 2);
}

TEST_F(FontChooserTest, FacesGoByTheirOwnNamesInOrder)
{
    EXPECT_EQ(ShownFor("arialbd"), "Liberation Sans Bold");
    EXPECT_EQ(ShownFor("arial"), "Liberation Sans");
    EXPECT_EQ(ShownFor("comicbd"), "Comic Neue Bold");
    EXPECT_EQ(ShownFor("mio_carattere-2"), "Mio carattere 2");  // no name inside: the tidy stem
    std::vector<std::string> shown;
    std::set<std::string> distinct;
    for (int i = 0; i < Faces()->Files().Count(); ++i) {
        shown.push_back(Faces()->ItemText(i));
        distinct.insert(shown.back());
        EXPECT_EQ(shown.back().find(".ttf"), std::string::npos);
    }
    EXPECT_EQ(distinct.size(), shown.size());
    EXPECT_TRUE(std::is_sorted(shown.begin(), shown.end(), [](const std::string& a, const std::string& b) {
        return CompareNoCase(a.c_str(), b.c_str()) < 0;
    }));
}

TEST_F(FontChooserTest, TheSettingsKeepTheFileStem)
{
    ASSERT_GT(Faces()->Selection(), 0);
    EXPECT_EQ(Faces()->ItemText(Faces()->Selection() - 1), "Comic Neue Bold");
    EXPECT_STREQ(settings.fontName, "comicbd");
    Focus(Faces());
    for (int i = 0; i < 3; ++i) {
        headless->PushKey(SDLK_DOWN, true, 0);
        headless->Step();
        headless->PushKey(SDLK_DOWN, false, 0);
        headless->Step();
    }
    std::string stem = settings.fontName;
    EXPECT_NE(stem, "comicbd");
    EXPECT_EQ(Faces()->Files().IndexOfText(stem.c_str()), Faces()->Selection() - 1);
    EXPECT_TRUE(std::filesystem::exists(headless->Folder() / ("fonts/" + stem + ".ttf")));
    EXPECT_EQ(ReadableFaceName(stem), Faces()->ItemText(Faces()->Selection() - 1));
}

// The chooser opens with the focus on the faces, so that the arrows work at once.
TEST_F(FontChooserTest, TheFacesHaveTheFocusAtOnce)
{
    EXPECT_EQ(static_cast<TGroup*>(chooser)->Current(), static_cast<TView*>(Faces()));
    int before = Faces()->Selection();
    headless->PushKey(SDLK_DOWN, true);
    headless->Step();
    headless->PushKey(SDLK_DOWN, false);
    headless->Step(2);
    EXPECT_NE(Faces()->Selection(), before) << "Down moved in the list";
}
