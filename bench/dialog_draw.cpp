// The cost of drawing a full-screen dialog of twenty controls at 1024x768,
// and of one text draw in the default font, on SDL's dummy video driver.
//
//   bench_dialog_draw PROGRAM_FOLDER [REPEATS]

#include "BenchSetup.h"
#include "app/TApp.h"
#include "gfx/Display.h"
#include "gfx/Screen.h"
#include "gfx/Text.h"
#include "ui/TButton.h"
#include "ui/TCustomSelector.h"
#include "ui/TDialog.h"
#include "ui/TInputLine.h"
#include "ui/TListBox.h"
#include "ui/TScrollBar.h"
#include "ui/TStaticText.h"
#include "base/TStringList.h"

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

namespace {

void Measure(const char* what, int repeats, const std::function<void()>& work)
{
    std::vector<double> us;
    for (int i = 0; i < repeats; ++i) {
        auto start = std::chrono::steady_clock::now();
        work();
        us.push_back(std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(us.begin(), us.end());
    std::printf("%-46s p50 %9.1f us  p99 %9.1f us\n", what, us[us.size() / 2], us[us.size() * 99 / 100]);
}

}  // namespace

int main(int argc, char** argv)
{
    if (!EnterProgramFolder(argc, argv, 1, "bench_dialog_draw PROGRAM_FOLDER [REPEATS]"))
        return 2;
    int repeats = argc > 2 ? std::atoi(argv[2]) : 200;
    TApp app("QUOLI", "resource.bin", "quoli.str");

    static char texts[4][21] = {"uno", "due", "tre", "quattro"};
    static int values[6] = {1, 2, 3, 4, 5, 6};
    static std::uint8_t flags[2] = {1, 0};
    TStringList items;
    for (int i = 0; i < 30; ++i)
        items.AppendText("parola");
    int W = theScreen.width, H = theScreen.height;
    TDialog dialog(10, 10, W - 10, H - 10);
    int views = 1;  // the close button
    for (int i = 0; i < 6; ++i, ++views)
        dialog.Insert(std::make_unique<TTextButton>(40, 60 + 60 * i, 300, 100 + 60 * i, "~P~ulsante", -1, 100 + i, button::kCentred));
    for (int i = 0; i < 4; ++i, ++views)
        dialog.Insert(std::make_unique<TInputLine>(340, 60 + 60 * i, 640, 100 + 60 * i, 0, texts[i], 20, inputline::kLetters));
    for (int i = 0; i < 4; ++i, ++views)
        dialog.Insert(std::make_unique<TStaticText>(340, 320 + 30 * i, 640, 340 + 30 * i, "Testo di prova", 0));
    dialog.Insert(std::make_unique<TRadioButtons>(680, 60, 980, 260, "Scelta", 0, &values[0],
                                    NewItem("~U~no", -1, NewItem("~D~ue", -1, NewItem("~T~re", -1, nullptr)))));
    dialog.Insert(std::make_unique<TCheckBoxes>(680, 280, 980, 420, "Opzioni", 0, flags,
                                  NewItem("~A~", -1, NewItem("~B~", -1, nullptr))));
    dialog.Insert(std::make_unique<TListBox>(40, 440, 400, 700, 0, &values[1], &items));
    dialog.Insert(std::make_unique<TAnalogSel>(440, 500, 700, 520, 0, &values[2], 0, 10, 1));
    dialog.Insert(std::make_unique<TScrollBar>(440, 560, 700, 580, 0, &values[3], 0, 10, 1, 1));
    views += 5;
    dialog.Open();
    std::printf("dialog of %d views at %dx%d\n", views, W, H);
    Measure("full dialog draw (Draw + FlushScreen)", repeats, [&] {
        dialog.Draw();
        FlushScreen();
    });
    theScreen.pen = 0;
    theScreen.hAnchor = 0;
    theScreen.vAnchor = 2;
    Measure("one DrawText of 20 characters, TrueType", repeats * 20, [&] {
        DrawText(50, 50, "Come ti chiami oggi?");
    });
    return 0;
}
