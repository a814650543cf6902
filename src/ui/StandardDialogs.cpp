#include "ui/StandardDialogs.h"

#include "app/CommandQueue.h"
#include "app/Commands.h"
#include "gfx/Screen.h"
#include "gfx/Text.h"
#include "platform/Paths.h"
#include "resources/StringTable.h"
#include "ui/TButton.h"
#include "ui/TInputLine.h"
#include "ui/TStaticText.h"

#include <algorithm>
#include <cstdio>

namespace {

// Measures in the default font, which every dialog starts with.
int Width(const char* text)
{
    return TextWidth(text);
}

// A child at offsets from the dialog's edges (negative: from the far edge).
Rect At(const TDialog* d, int dx1, int dy1, int dx2, int dy2)
{
    return PlaceInGroup(d, dx1, dy1, dx2, dy2);
}

int Unit()
{
    return theScreen.width / 64;
}

// Cuts lines still wider than `room` (a word with no space in it, such as a
// file's path) into pieces that fit, after a folder separator where there is one.
std::vector<std::string> CutWideWords(const std::vector<std::string>& lines, int room)
{
    std::vector<std::string> pieces;
    for (std::string line : lines) {
        while (line.size() > 1 && TextWidth(line.c_str()) > room) {
            std::size_t n = 1;
            while (n < line.size() && TextWidth(line.substr(0, n + 1).c_str()) <= room)
                ++n;
            std::size_t separator = line.find_last_of("/\\", n - 1);
            if (separator != std::string::npos && separator > 0)
                n = separator + 1;
            pieces.push_back(line.substr(0, n));
            line.erase(0, n);
        }
        pieces.push_back(line);
    }
    return pieces;
}

// A text on one line when the dialog it needs (`width`, text plus `margin`)
// fits the screen; otherwise the dialog as wide as the screen allows and the
// text cut into lines that fit it.
std::vector<std::string> FitLines(const char* text, int& width, int margin)
{
    int widest = theScreen.width - 4 * Unit();
    if (width <= widest)
        return {text ? text : ""};
    width = widest;
    return CutWideWords(WrapText(text, width - margin), width - margin);
}

}  // namespace

TMessageDialog::TMessageDialog(int cx, int cy, const char* title, const char* message, unsigned options)
    : TDialog(0, 0, 0, 0, options)
{
    LockDraw();
    int u = Unit(), L = LineHeight();
    int w = std::max(std::max(Width(title), Width(message)) + 8 * u, 24 * u);
    std::vector<std::string> lines = FitLines(message, w, 8 * u);
    int extra = (static_cast<int>(lines.size()) - 1) * L;
    Resize(cx - w / 2, cy - (6 * u + L) - extra / 2, cx + w / 2, cy + (6 * u + L) + (extra - extra / 2));
    Rect r = At(this, 2 * u, 3 * u, -2 * u, L + 3 * u);
    Insert(std::make_unique<TStaticText>(r.left, r.top, r.right, r.bottom, title, statictext::kCentreAcross));
    for (std::size_t i = 0; i < lines.size(); ++i) {
        int y = L + 4 * u + static_cast<int>(i) * L;
        r = At(this, 2 * u, y, -2 * u, y + L);
        Insert(std::make_unique<TStaticText>(r.left, r.top, r.right, r.bottom, lines[i].c_str(),
                                             statictext::kCentreAcross));
    }
    r = At(this, 0, -4 * u - L, 0, -2 * u);
    auto* ok = &Insert(std::make_unique<TTextButton>(cx - 8 * u, r.top, cx + 8 * u, r.bottom, GetString(0, 6), 13,
                                                     command::kCloseDialog, button::kCentred));
    FocusChild(ok);
    UnlockDraw();
}

TQueryDialog::TQueryDialog(int cx, int cy, const char* question, std::uint8_t* answer, unsigned options)
    : TDialog(0, 0, 0, 0, options), answer_(answer)
{
    LockDraw();
    int u = Unit(), L = LineHeight();
    int d = std::max(Width(question) + 7 * u, 16 * u);
    std::vector<std::string> lines = FitLines(question, d, 7 * u);
    int extra = (static_cast<int>(lines.size()) - 1) * L;
    Resize(cx - d / 2, cy - (4 * u + L) - extra / 2, cx + d / 2, cy + (4 * u + L) + (extra - extra / 2));
    for (std::size_t i = 0; i < lines.size(); ++i) {
        int y = 2 * u + static_cast<int>(i) * L;
        Rect r = At(this, 2 * u, y, -5 * u, y + L + u);
        Insert(std::make_unique<TStaticText>(r.left, r.top, r.right, r.bottom, lines[i].c_str(), statictext::kCentreAcross));
    }
    Rect r = At(this, d / 8, -4 * u - L, 7 * d / 16, -2 * u);
    auto* yes = &Insert(std::make_unique<TTextButton>(r.left, r.top, r.right, r.bottom, GetString(0, 3), -1, stddialog::kYes, button::kCentred));
    r = At(this, -7 * d / 16, -4 * u - L, -d / 8, -2 * u);
    Insert(std::make_unique<TTextButton>(r.left, r.top, r.right, r.bottom, GetString(0, 4), -1, stddialog::kNo, button::kCentred));
    FocusChild(yes);
    UnlockDraw();
}

void TQueryDialog::HandleEvent(TEvent& event)
{
    TDialog::HandleEvent(event);
    if (event.command == stddialog::kYes || event.command == stddialog::kNo) {
        if (answer_)
            *answer_ = event.command == stddialog::kYes ? 1 : 0;
        PostCommand(command::kCloseDialog);
    }
}

TGetNameDialog::TGetNameDialog(int cx, int cy, const char* prompt, char* buffer, int maxLength, unsigned options,
                               unsigned allowed)
    : TDialog(0, 0, 0, 0, options), buffer_(buffer)
{
    LockDraw();  // nothing is drawn before the dialog is shown
    int u = Unit(), L = LineHeight();
    int e = Width(prompt) + 7 * u;
    Resize(cx - e / 2, cy - (3 * L + 10 * u) / 2, cx + e / 2, cy + (3 * L + 10 * u) / 2);
    Rect r = At(this, 2 * u, 2 * u, -5 * u, L + 3 * u);
    Insert(std::make_unique<TStaticText>(r.left, r.top, r.right, r.bottom, prompt, 0));
    r = At(this, 2 * u, L + 7 * u / 2, -2 * u, -(11 * u / 2) - L);
    line_ = &Insert(std::make_unique<TInputLine>(r.left, r.top, r.right, r.bottom, inputline::kSelectOnFocus, buffer,
                                                 maxLength, allowed));
    const char* ok = GetString(0, 6);
    int w = Width(ok);
    r = At(this, 0, -4 * u - L, 0, -2 * u);
    Insert(std::make_unique<TTextButton>(left + (e - w) / 2 - u, r.top, left + u + (e + w) / 2, r.bottom, ok, 0,
                           stddialog::kConfirmName, button::kCentred));
    FocusChild(line_);
    UnlockDraw();
}

TGetNameDialog::~TGetNameDialog()
{
    if (cancelled_ && buffer_)
        buffer_[0] = 0;
}

void TGetNameDialog::HandleEvent(TEvent& event)
{
    TDialog::HandleEvent(event);
    if (event.command == command::kChosen)
        PostCommand(stddialog::kConfirmName);
    else if (event.command == stddialog::kConfirmName && Accept()) {
        cancelled_ = false;
        PostCommand(command::kCloseDialog);
    }
}

void EchoMessage(const char* title, const char* text)
{
    std::fprintf(stderr, "%s: %s\n", platform::Latin1ToUtf8(title).c_str(), platform::Latin1ToUtf8(text).c_str());
}

void ShowMessage(TDialog* over, const char* title, const char* text)
{
    EchoMessage(title, text);
    PushDialog(over, std::make_unique<TMessageDialog>(theScreen.width / 2, theScreen.height / 2, title, text,
                                                      dialog::kSaveBackground));
}
