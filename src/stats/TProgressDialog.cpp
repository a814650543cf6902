#include "stats/TProgressDialog.h"

#include "app/DataProblems.h"
#include "devices/DesktopLibrary.h"
#include "gfx/Screen.h"
#include "gfx/Text.h"
#include "resources/StringTable.h"
#include "stats/ProgressViews.h"
#include "stats/StatsCommands.h"
#include "stats/StatsStore.h"
#include "stats/TailoredExercise.h"
#include "exercises/ExercisePaths.h"
#include "ui/StandardDialogs.h"
#include "ui/TButton.h"
#include "ui/TListBox.h"
#include "ui/TStaticText.h"

#include <algorithm>
#include <ctime>

TProgressDialog::TProgressDialog(int childId, const std::string& name, ExerciseChoice select)
    : TDialog(0, 0, theScreen.width - 1, theScreen.height - 1, dialog::kSaveBackground),
      select_(std::move(select)),
      childId_(childId),
      name_(name)
{
    LockDraw();
    {
        stats::StatsStore store;
        if (store.Ready())
            page_ = stats::MakeProgressPage(store, childId, name);
        else
            page_.title = std::string(GetString(15, 30)) + " " + name;
    }
    int u = theScreen.width / 64, L = LineHeight(), row = L + u / 2, bh = L + 2 * u;
    Insert(std::make_unique<TStaticText>(left + 2 * u, top + 2 * u, right - 6 * u, top + 2 * u + L - 1,
                                         page_.title.c_str(), statictext::kCentreAcross));
    // The summary across the top; under it the letters and words missed and
    // the buttons on the left, the chart, the keyboard and the last game on
    // the right.
    int split = left + (right - left) / 2;
    int y = top + 4 * u + L;
    AddLines(left + 2 * u, y, right - 2 * u, page_.summary);
    int under = y + u;
    y = under;
    // The buttons stand under the lists: a list longer than the room left
    // shows its first lines (the most missed come first).
    int buttonsTop = bottom - 2 * u - bh;
    int lowest = buttonsTop - u;
    if (!page_.letters.empty()) {
        AddLines(left + 2 * u, y, split - u, {GetString(15, 38)}, lowest);
        AddLines(left + 4 * u, y, split - u, page_.letters, lowest);
        y += u;
    }
    if (!page_.words.empty() && y + row + L - 1 <= lowest) {  // a heading with no line under it says nothing
        AddLines(left + 2 * u, y, split - u, {GetString(15, 39)}, lowest);
        AddLines(left + 4 * u, y, split - u, page_.words, lowest);
    }

    int x = split + u, rx = right - 2 * u, ry = under;
    int chartBottom = ry + (bottom - top) * 18 / 100;
    if (page_.hasGames) {
        Insert(std::make_unique<TProgressChart>(x, ry, rx, chartBottom, page_.chart));
        // Keys no taller than a line of text: the last game's list needs room.
        int keyHeight = std::min((rx - x + 1) * 2 / 29, L + u / 2);
        int keyboardBottom = chartBottom + u + 4 * keyHeight;
        Insert(std::make_unique<TKeyboardPicture>(x, chartBottom + u, rx, keyboardBottom, page_.keyErrorRate));
        int listTop = keyboardBottom + u;
        Insert(std::make_unique<TStaticText>(x, listTop, rx, listTop + L - 1, GetString(15, 40)));
        for (const std::string& line : page_.lastGame)
            gameLines_.AppendText(line.c_str());
        auto& list = Insert(std::make_unique<TListBox>(x, listTop + row, rx, bottom - 2 * u, 0, &selected_, &gameLines_));
        FocusChild(&list);
    }

    const char* tailored = GetString(15, 54);
    const char* print = GetString(15, 55);
    int bw1 = HotkeyTextWidth(tailored) + 4 * u, bw2 = HotkeyTextWidth(print) + 4 * u;
    auto& first = Insert(std::make_unique<TTextButton>(left + 2 * u, buttonsTop, left + 2 * u + bw1, buttonsTop + bh,
                                                       tailored, -1, command::kTailoredExercise, button::kCentred));
    Insert(std::make_unique<TTextButton>(left + 3 * u + bw1, buttonsTop, left + 3 * u + bw1 + bw2, buttonsTop + bh, print,
                                         -1, command::kPrintPage, button::kCentred));
    if (!page_.hasGames)
        FocusChild(&first);
    UnlockDraw();
}

namespace {

// A line wider than `width`: its first piece as wide as that, the rest
// indented under it.
std::vector<std::string> HangingLines(const std::string& line, int width, int indent)
{
    if (TextWidth(line.c_str()) <= width)
        return {line};
    std::vector<std::string> pieces = WrapText(line.c_str(), width);
    if (pieces.size() < 2)
        return {line};
    std::string after = pieces[1];
    for (std::size_t i = 2; i < pieces.size(); ++i)
        after += " " + pieces[i];
    std::vector<std::string> lines = WrapText(after.c_str(), width - indent);
    lines.insert(lines.begin(), pieces[0]);
    return lines;
}

}  // namespace

void TProgressDialog::AddLines(int x, int& y, int lineRight, const std::vector<std::string>& lines, int lowest)
{
    int L = LineHeight(), row = L + theScreen.width / 128, indent = theScreen.width / 32;
    for (const std::string& line : lines) {
        std::vector<std::string> shown = HangingLines(line, lineRight - x + 1, indent);
        if (y + static_cast<int>(shown.size() - 1) * row + L - 1 > lowest)
            return;
        for (std::size_t i = 0; i < shown.size(); ++i) {
            Insert(std::make_unique<TStaticText>(x + (i ? indent : 0), y, lineRight, y + L - 1, shown[i].c_str()));
            y += row;
        }
    }
}

void TProgressDialog::HandleEvent(TEvent& event)
{
    TDialog::HandleEvent(event);
    if (event.command == command::kTailoredExercise) {
        event.command = 0;
        MakeTailoredExercise();
    } else if (event.command == command::kPrintPage) {
        event.command = 0;
        PrintPage();
    }
}

void TProgressDialog::MakeTailoredExercise()
{
    stats::TailoredExercise made;
    if (page_.weakWords.empty() && page_.weakLetters.empty()) {
        ShowMessage(this, GetString(0, 11), GetString(15, 59));
        return;
    }
    if (!stats::WriteTailoredExercises(name_, page_.weakWords, page_.weakLetters,
                                       static_cast<long long>(std::time(nullptr)), made) ||
        (select_ && !select_(made))) {
        ShowMessage(this, GetString(0, 11), GetString(15, 60));
        return;
    }
    ShowMessage(this, GetString(0, 11),
                (std::string(GetString(15, 58)) + " " + name_ + ": " + ExerciseShownName(made.name)).c_str());
}

void TProgressDialog::PrintPage()
{
    // The page as it is on the screen, as a picture.
    bool printed = desktop::PrintBitmap(page_.title, theScreen.surface);
    ShowMessage(this, GetString(0, 11), GetString(15, printed ? 56 : 57));
}
