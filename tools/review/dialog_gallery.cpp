// Draws the standard dialogs and a dialog holding one of every control, on
// SDL's dummy video driver, and saves each screen as a BMP for review.
//
//   quoli-gallery PROGRAM_FOLDER OUTDIR [640x480|800x600|1024x768]

#include "app/TApp.h"
#include "ui/TMenuContext.h"
#include "gfx/Display.h"
#include "gfx/Screen.h"
#include "help/TMiniBrowser.h"
#include "resources/StringTable.h"
#include "ui/StandardDialogs.h"
#include "ui/TButton.h"
#include "ui/TColorSelector.h"
#include "ui/TCustomSelector.h"
#include "ui/TImage.h"
#include "ui/TInputLine.h"
#include "ui/TListBox.h"
#include "ui/TMenuLine.h"
#include "ui/TScrollBar.h"
#include "ui/TStaticText.h"
#include "base/TStringList.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

std::string outdir;

void Shot(TApp& app, const char* name)
{
    TEvent record;
    record.Clear();
    for (int i = 0; i < 3; ++i)
        app.Frame(record);
    SDL_SaveBMP(theScreen.surface, (outdir + "/" + name + ".bmp").c_str());
}

TDialog* EveryControl(TStringList& items)
{
    static int radio = 2, colour = 12, slider = 7, bar = 3, selection = 2;
    static std::uint8_t flags[2] = {1, 0};
    static char typed[21] = "perch\xE9 cos\xEC";
    static char disabledText[21] = "non si scrive";
    static char exercise[64] = "Animali";
    int W = theScreen.width;
    auto* d = new TDialog(Scaled(10), Scaled(10), W - Scaled(10), theScreen.height - Scaled(10));
    auto s = [](int v) { return Scaled(v); };
    d->Insert(std::make_unique<TStaticText>(s(30), s(24), s(300), s(44), "Tutti i controlli (\xE0 \xE8 \xE9 \xEC \xF2 \xF9)", 0));
    auto* ok = &d->Insert(std::make_unique<TTextButton>(s(30), s(60), s(200), s(90), "~A~vanti", -1, 100, button::kCentred));
    auto* off = &d->Insert(std::make_unique<TTextButton>(s(220), s(60), s(390), s(90), "~S~pento", -1, 101, button::kCentred));
    auto* line = &d->Insert(std::make_unique<TInputLine>(s(110), s(105), s(390), s(135), 0, typed, 20, inputline::kLetters | inputline::kOther | inputline::kSpace));
    d->Insert(std::make_unique<TLabel>(s(30), s(110), s(100), s(130), "~N~ome", -1, line, 0));
    auto* grey = &d->Insert(std::make_unique<TInputLine>(s(110), s(145), s(390), s(175), 0, disabledText, 20, inputline::kLetters));
    d->Insert(std::make_unique<TCheckBoxes>(s(30), s(190), s(200), s(290), "Suoni", 0, flags,
                              NewItem("~E~ffetti", -1, NewItem("M~u~sica", -1, nullptr))));
    d->Insert(std::make_unique<TRadioButtons>(s(220), s(190), s(390), s(310), "Corsie", 0, &radio,
                                NewItem("~1~ corsia", -1, NewItem("~2~ corsie", -1, NewItem("~3~ corsie", -1, nullptr)))));
    d->Insert(std::make_unique<TColorSelector>(s(30), s(320), s(190), s(400), 0, &colour));
    d->Insert(std::make_unique<TAnalogSel>(s(220), s(330), s(340), s(342), 0, &slider, 0, 10, 1));
    d->Insert(std::make_unique<TScrollBar>(s(220), s(360), s(390), s(376), 0, &bar, 0, 10, 1, 2));
    d->Insert(std::make_unique<TMenuLine>(s(410), s(60), s(600), s(85), "~P~rima riga di menu", -1, 102));
    auto* second = &d->Insert(std::make_unique<TMenuLine>(s(410), s(90), s(600), s(115), "~S~econda riga", -1, 103));
    d->Insert(std::make_unique<TListBox>(s(410), s(130), s(600), s(230), 0, &selection, &items));
    d->Insert(std::make_unique<TFileListBox>(s(410), s(245), s(600), s(330), 0, exercise, sizeof exercise, "Esercizi\\Livelli", ".LEV", 0x42));
    d->Insert(std::make_unique<TImage>(s(410), s(340), s(600), s(460), 0, 3, 0));
    d->FocusChild(ok);
    off->SetState(view::kEnabled, false);
    grey->SetState(view::kEnabled, false);
    second->SetState(view::kEnabled, false);
    return d;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 3 || chdir(argv[1]) != 0) {
        std::fprintf(stderr, "usage: quoli-gallery PROGRAM_FOLDER OUTDIR [RESOLUTION]\n");
        return 2;
    }
    outdir = argv[2];
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    SetResolution(ResolutionIndex(argc > 3 ? argv[3] : "800x600"));
    TApp app("QUOLI", "resource.bin", "quoli.str");
    app.SetSleeping(false);
    app.Activate();
    auto* screen = new TMenuContext(0);
    app.SetChild(std::unique_ptr<TContext>(screen));
    ClearScreen(1);
    int cx = Scaled(320), cy = Scaled(240);

    screen->AddDialog(std::make_unique<TMessageDialog>(cx, cy, GetString(0, 101), GetString(0, 102), 0));
    Shot(app, "message");
    screen->CloseTopDialog();
    ClearScreen(1);
    static std::uint8_t answer = 0;
    screen->AddDialog(std::make_unique<TQueryDialog>(cx, cy, GetString(0, 5), &answer, 0));
    Shot(app, "query");
    screen->CloseTopDialog();
    ClearScreen(1);
    static char name[21] = "Giulia";
    screen->AddDialog(std::make_unique<TGetNameDialog>(cx, cy, GetString(0, 100), name, 20, 0));
    Shot(app, "name");
    screen->CloseTopDialog();
    ClearScreen(1);
    TStringList items;
    for (const char* word : {"gatto", "cane", "perch\xE9", "citt\xE0", "caff\xE8", "luned\xEC", "per\xF2", "virt\xF9"})
        items.AppendText(word);
    screen->AddDialog(std::unique_ptr<TDialog>(EveryControl(items)));
    Shot(app, "controls");
    screen->CloseTopDialog();
    const int pages[3] = {1, 2, 4};
    for (int page : pages) {
        ClearScreen(1);
        int m = Scaled(10);
        screen->AddDialog(std::make_unique<TMiniBrowser>(m, m, theScreen.width - m, theScreen.height - m, GetString(2, 7),
                                           GetString(3, page), 0));
        std::string shotName = "help-" + std::to_string(page);
        Shot(app, shotName.c_str());
        screen->CloseTopDialog();
    }
    app.StopChain();
    return 0;
}
