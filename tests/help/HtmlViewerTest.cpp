#include "gfx/Colours.h"
#include "gfx/Screen.h"
#include "gfx/TFont.h"
#include "gfx/Text.h"
#include "help/HtmlParser.h"
#include "help/THTMLViewer.h"
#include "help/TMiniBrowser.h"
#include "app/CommandQueue.h"
#include "app/TApp.h"
#include "resources/StringTable.h"
#include "ui/TMenuContext.h"
#include "ui/TStaticText.h"
#include "support/HeadlessApp.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

namespace {

struct HtmlViewerTest : ::testing::Test {
    std::unique_ptr<HeadlessApp> headless;
    void SetUp() override { headless = std::make_unique<HeadlessApp>(); }
    void TearDown() override { headless.reset(); }

    std::unique_ptr<THTMLViewer> View(const std::string& page, unsigned options = 0)
    {
        headless->Folder().Write("page.htm", page);
        return std::make_unique<THTMLViewer>(20, 20, 620, 460, "page.htm", options);
    }
    static std::vector<std::string> TextsOf(THTMLViewer& v)
    {
        std::vector<std::string> texts;
        for (int i = 0; i < v.Pieces().Count(); ++i)
            texts.push_back(v.Piece(i)->Text());
        return texts;
    }
};

using Texts = std::vector<std::string>;

}  // namespace

TEST_F(HtmlViewerTest, TwoBreaksGiveOneBlankLine)
{
    auto v = View("uno<br><br>due");
    ASSERT_EQ(TextsOf(*v), (Texts{"uno", "", "due"}));
    int skip = v->Piece(0)->height;
    EXPECT_EQ(v->Piece(2)->y - v->Piece(0)->y, 2 * skip);
}

TEST_F(HtmlViewerTest, OrderedListsNumberClosedItems)
{
    auto closed = View("<ol><li>a</li><li>b</li><li>c</li></ol>");
    ASSERT_EQ(closed->Pieces().Count(), 3);
    EXPECT_EQ(closed->Piece(0)->number, 1);
    EXPECT_EQ(closed->Piece(1)->number, 2);
    EXPECT_EQ(closed->Piece(2)->number, 3);
    EXPECT_TRUE(closed->Piece(1)->flags & html::kItemStart);
    auto open = View("<ol><li>a<li>b<li>c</ol>");
    ASSERT_EQ(open->Pieces().Count(), 3);
    EXPECT_EQ(open->Piece(2)->number, 1);
    auto bullets = View("<ul><li>x</li></ul>");
    EXPECT_EQ(bullets->Piece(0)->number, 0);
    EXPECT_TRUE(bullets->Piece(0)->flags & html::kUnordered);
    EXPECT_GT(bullets->Piece(0)->x, bullets->Margin());  // indented
}

TEST_F(HtmlViewerTest, AHeadingOnTheFirstLineHasNoSpaceBefore)
{
    auto first = View("<h1>Titolo</h1>testo");
    EXPECT_EQ(first->Piece(0)->y, first->Margin());
    auto later = View("prima<h1>Titolo</h1>testo");
    int skip = later->Piece(0)->height;
    EXPECT_GT(later->Piece(1)->y, later->Piece(0)->y + skip);  // half a line before it
    EXPECT_GT(later->Piece(1)->height, skip);                 // and bigger
}

TEST_F(HtmlViewerTest, PageColoursNeverBecomeColourNumbers)
{
    std::uint32_t pixel = 0;
    ASSERT_TRUE(HtmlParser::ParseColour("\"#000010\"", pixel));
    EXPECT_FALSE(pixel >= 1 && pixel <= 31);
    Uint8 r, g, b;
    SDL_GetRGB(pixel, theScreen.surface->format, &r, &g, &b);
    EXPECT_GT(g, 0);  // green raised to 4 (red too, below what 5 bits keep)
    EXPECT_EQ(b, 16);
    EXPECT_FALSE(HtmlParser::ParseColour("#fff", pixel));
    auto v = View("<body bgcolor=\"#ffeedd\">x");
    EXPECT_NE(v->Background(), SchemeColour(3));
}

TEST_F(HtmlViewerTest, JustifiedParagraphsSpreadAllButTheirLastLine)
{
    std::string words;
    for (int i = 0; i < 60; ++i)
        words += "parola ";
    auto v = View("<p align=\"justify\">" + words + "fine</p>");
    ASSERT_GT(v->Pieces().Count(), 2);
    // The last piece of the last line starts where plain left-to-right placement puts it.
    dHTMLstring* last = v->Piece(v->Pieces().Count() - 1);
    std::string lastText = last->Text();
    EXPECT_EQ(lastText.substr(lastText.size() - 4), "fine");
    dHTMLstring* firstOfLastLine = last;
    for (int i = v->Pieces().Count() - 1; i >= 0 && v->Piece(i)->y == last->y; --i)
        firstOfLastLine = v->Piece(i);
    EXPECT_EQ(firstOfLastLine->x, v->Margin());
    // A full line reaches the right margin.
    dHTMLstring* lineEnd = nullptr;
    for (int i = 0; i + 1 < v->Pieces().Count(); ++i)
        if (v->Piece(i + 1)->y != v->Piece(i)->y) {
            lineEnd = v->Piece(i);
            break;
        }
    ASSERT_NE(lineEnd, nullptr);
    EXPECT_NEAR(lineEnd->x + lineEnd->width, v->TextAreaWidth() - v->Margin(), 2);
}

TEST_F(HtmlViewerTest, AnOverlongWordStaysOnItsOwnLine)
{
    auto v = View("corta " + std::string(300, 'w') + " dopo");
    bool alone = false;
    for (int i = 0; i < v->Pieces().Count(); ++i)
        if (std::string(v->Piece(i)->Text()) == std::string(300, 'w'))
            alone = v->Piece(i)->x == v->Margin();
    EXPECT_TRUE(alone);
}

TEST_F(HtmlViewerTest, PlainTextIsCutAfterAHyphen)
{
    std::string line = std::string(40, 'a') + "-" + std::string(60, 'b');
    auto v = View(line, html::kPlainText);
    ASSERT_GE(v->Pieces().Count(), 2);
    EXPECT_EQ(std::string(v->Piece(0)->Text()), std::string(40, 'a') + "-");
}

TEST_F(HtmlViewerTest, StrayTagsAndUnfinishedFilesChangeNothing)
{
    auto stray = View("</font></center>uno");
    ASSERT_EQ(TextsOf(*stray), (Texts{"uno"}));
    EXPECT_EQ(stray->Piece(0)->colour, 0u);
    auto cut = View("uno <b");
    ASSERT_EQ(TextsOf(*cut), (Texts{"uno"}));
    EXPECT_TRUE(cut->Piece(0)->flags & html::kBreakAfter);
    auto missing = std::make_unique<THTMLViewer>(20, 20, 620, 460, "none.htm", 0);
    EXPECT_EQ(missing->Pieces().Count(), 0);
}

TEST_F(HtmlViewerTest, HostilePagesOpenInLinearTime)
{
    auto seconds = [&](const std::string& page) {
        auto start = std::chrono::steady_clock::now();
        auto v = View(page);
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    };
    std::string nested;
    for (int i = 0; i < 100000; ++i)
        nested += "<font color=#123456>";
    EXPECT_LT(seconds(nested + "x"), 30.0);
    EXPECT_LT(seconds(std::string(1000000, 'z')), 30.0);
    std::string big;
    while (big.size() < 5 * 1024 * 1024)
        big += "<p>Una riga di testo con <b>parole</b> in grassetto.</p>\n";
    EXPECT_LT(seconds(big), 60.0);
}

// The font library measures and draws a text on the stack: a word of ten
// megabytes must reach it in pieces.
TEST_F(HtmlViewerTest, AWordOfTenMegabytesOpensAndDraws)
{
    auto v = View("<p>prima " + std::string(10 << 20, 'w') + " dopo</p>");
    ASSERT_GT(v->Pieces().Count(), 0);
    v->Draw();
    DrawingState saved;
    theScreen.font = v->Piece(0)->font;
    ASSERT_FALSE(theScreen.font->IsBitmap());
    std::string word(10 << 20, 'w');
    EXPECT_GT(TextWidth(word.c_str()), 10 << 20);
    DrawText(0, 0, word.c_str());
}

// A paragraph longer than many lines is cut into its lines without copying
// what is left of it once a line.
TEST_F(HtmlViewerTest, ALongParagraphOfShortWordsOpensInLinearTime)
{
    std::string words;
    while (words.size() < 2 * 1024 * 1024)
        words += "ab ";
    auto start = std::chrono::steady_clock::now();
    auto v = View("<p>" + words + "</p>");
    double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    ASSERT_GT(v->Pieces().Count(), 1000);
    EXPECT_LT(seconds, 20.0);
}

// Plain text breaks each long line at the last space that fits; finding it
// reads about one line's worth of text, not the whole rest of the line, for
// every line it makes. Lines of short words as long as the reader takes them.
TEST_F(HtmlViewerTest, LongPlainTextLinesOpenInLinearTime)
{
    std::string line;
    while (line.size() < 1023)
        line += "ab ";
    line.resize(1023);
    std::string page;
    for (int i = 0; i < 1000; ++i)
        page += line + "\n";
    auto start = std::chrono::steady_clock::now();
    auto v = View(page, html::kPlainText);
    double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    ASSERT_GT(v->Pieces().Count(), 1000 * 4);
    EXPECT_LT(seconds, 10.0);
}

// Each piece of a long plain-text line is as long as fits: the next word
// would not, and the pieces are the line's words in order.
TEST_F(HtmlViewerTest, PlainTextLinesBreakAtTheLastSpaceThatFits)
{
    std::vector<std::string> words;
    std::string line;
    for (int i = 0; i < 120; ++i) {  // under the reader's longest line
        words.push_back(std::string(1 + (i * 7) % 11, static_cast<char>('a' + i % 26)));
        line += (i ? " " : "") + words.back();
    }
    ASSERT_LE(line.size(), 1023u);
    auto v = View(line, html::kPlainText);
    int available = v->TextAreaWidth() - 2 * v->Margin();
    ASSERT_GE(v->Pieces().Count(), 3);
    std::size_t word = 0;
    for (int i = 0; i < v->Pieces().Count(); ++i) {
        dHTMLstring* piece = v->Piece(i);
        std::string expected = words[word++];
        while (word < words.size() && expected.size() < std::string(piece->Text()).size())
            expected += " " + words[word++];
        ASSERT_EQ(std::string(piece->Text()), expected) << "piece " << i;
        EXPECT_LE(piece->width, available);
        if (word < words.size()) {
            DrawingState saved;
            theScreen.font = piece->font;
            EXPECT_GT(TextWidth((expected + " " + words[word]).c_str()), available) << "piece " << i;
        }
    }
    EXPECT_EQ(word, words.size());
}

TEST_F(HtmlViewerTest, SavedTextsHaveOneLineAPiece)
{
    headless->Folder().Write("page.htm", "uno<br>due");
    TMiniBrowser browser(10, 10, 600, 400, "Titolo", "page.htm", browser::kButtons);
    ASSERT_TRUE(browser.SaveText(headless->Folder() / "out.txt"));
    EXPECT_EQ(headless->Folder().Read("out.txt"), "uno\r\ndue\r\n");
}

// The texts folder may be written by every account: a link planted under
// the name of a saved text is never written through.
TEST_F(HtmlViewerTest, ASavedTextIsNeverWrittenThroughALink)
{
    headless->Folder().Write("page.htm", "uno");
    headless->Folder().Write("teacher.txt", "her notes");
    std::filesystem::create_symlink(headless->Folder() / "teacher.txt", headless->Folder() / "out.txt");
    TMiniBrowser browser(10, 10, 600, 400, "Titolo", "page.htm", browser::kButtons);
    EXPECT_FALSE(browser.SaveText(headless->Folder() / "out.txt"));
    EXPECT_EQ(headless->Folder().Read("teacher.txt"), "her notes");
}

TEST_F(HtmlViewerTest, SavingAsksANameAndAsksBeforeOverwriting)
{
    headless->Folder().Write("report.txt", "Partita del 08/12/2026\ngatto\n");
    auto* screen = new TMenuContext(0);
    headless->App().SetChild(std::unique_ptr<TContext>(screen));
    auto* browser = new TMiniBrowser(10, 10, 780, 580, "Anna", "report.txt", browser::kButtons | html::kPlainText);
    screen->AddDialog(std::unique_ptr<TDialog>(browser));
    auto key = [&](SDLKey sym, Uint16 unicode) {
        headless->PushKey(sym, true, unicode);
        headless->Step();
        headless->PushKey(sym, false);
        headless->Step(3);
    };
    auto save = [&](const char* name) {
        PostCommand(browser::kSave);
        headless->Step(3);
        for (const char* p = name; *p; ++p)
            key(static_cast<SDLKey>(*p), static_cast<Uint16>(*p));
        key(SDLK_RETURN, 13);
        headless->Step(3);
    };
    auto told = [&] {
        std::string texts;
        screen->TopDialog()->EachChild([&](TView* v) {
            if (auto* t = dynamic_cast<TStaticText*>(v))
                texts += t->Text() + "|";
        });
        return texts;
    };
    save("anna");
    EXPECT_EQ(headless->Folder().Read("txt/anna.txt"), "Partita del 08/12/2026\r\ngatto\r\n");
    std::string message = told();
    EXPECT_NE(message.find("txt/anna.txt|"), std::string::npos) << "the path as the desktop writes it: " << message;
    EXPECT_EQ(message.find('\\'), std::string::npos) << message;
    key(SDLK_RETURN, 13);  // the message with the path
    EXPECT_EQ(screen->TopDialog(), browser);

    // No clipboard here (no desktop library): the teacher is told.
    PostCommand(browser::kCopy);
    headless->Step(3);
    EXPECT_NE(told().find(GetString(9, 19)), std::string::npos) << told();
    key(SDLK_RETURN, 13);
    EXPECT_EQ(screen->TopDialog(), browser);

    headless->Folder().Write("txt/anna.txt", "old");
    save("anna");
    EXPECT_EQ(headless->Folder().Read("txt/anna.txt"), "old");  // not before the answer
    EXPECT_NE(screen->TopDialog(), browser);                    // the question
    key(SDLK_s, 's');
    headless->Step(3);
    EXPECT_EQ(headless->Folder().Read("txt/anna.txt"), "Partita del 08/12/2026\r\ngatto\r\n");
}
