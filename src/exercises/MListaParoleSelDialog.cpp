#include "exercises/MListaParoleSelDialog.h"

#include "app/CommandQueue.h"
#include "app/Commands.h"
#include "exercises/EditorCommands.h"
#include "exercises/EditorMessages.h"
#include "exercises/TLetteraSelector.h"
#include "gfx/Screen.h"
#include "gfx/Text.h"
#include "resources/StringTable.h"
#include "ui/TButton.h"
#include "ui/TStaticText.h"

#include <algorithm>

MListaParoleSelDialog::MListaParoleSelDialog(const std::string& word, std::string& mask, int* result)
    : TDialog(0, 0, 0, 0, dialog::kSaveBackground), mask_(mask), result_(result)
{
    LockDraw();
    *result_ = 1;
    int u = theScreen.width / 64, L = LineHeight();
    int w = 46 * u, textWidth = w - 8 * u;
    std::vector<std::string> lines = WrapText(GetString(50, 50), textWidth);
    int gridW = 30 * u + 6, gridH = 9 * u + 6, buttonH = L + 2 * u;
    int h = 3 * u + static_cast<int>(lines.size()) * L + u + L + u / 2 + gridH + 2 * u + buttonH + 3 * u;
    int cx = theScreen.width / 2, cy = theScreen.height / 2;
    Resize(cx - w / 2, cy - h / 2, cx - w / 2 + w, cy - h / 2 + h);

    int y = top + 3 * u;
    for (const std::string& line : lines) {
        Insert(std::make_unique<TStaticText>(left + 4 * u, y, right - 4 * u, y + L - 1, line.c_str(), statictext::kCentreAcross));
        y += L;
    }
    y += u;
    int gx = cx - gridW / 2;
    selector_ = &Insert(std::make_unique<TLetteraSelector>(gx, y + L + u / 2, gx + gridW - 1, y + L + u / 2 + gridH - 1, 0, word, mask_));
    Insert(std::make_unique<TLabel>(gx, y, gx + gridW - 1, y + L - 1, GetString(50, 29), -1, selector_, 0));
    y = selector_->bottom + 2 * u;
    const char* accept = GetString(50, 30);
    int bw = std::max(HotkeyTextWidth(accept) + 4 * u, 14 * u);
    Insert(std::make_unique<TTextButton>(cx - bw / 2, y, cx + bw / 2, y + buttonH, accept, -1, command::kAcceptHiddenLetters,
                           button::kCentred));
    FocusChild(selector_);
    UnlockDraw();
}

void MListaParoleSelDialog::HandleEvent(TEvent& event)
{
    TDialog::HandleEvent(event);
    // Enter on the grid accepts, as the button does.
    if (event.keyAction == key::kPressed && event.keyChar == 13 && current_ == selector_) {
        ConsumeKey(event);
        PostCommand(command::kAcceptHiddenLetters);
    }
    if (event.command == command::kAcceptHiddenLetters)
        AcceptChoice();
}

void MListaParoleSelDialog::AcceptChoice()
{
    // A "Completa" word with nothing to complete would give the child
    // nothing to type.
    if (mask_.find('1') == std::string::npos) {
        ShowEditorMessage(this, GetString(50, 51));
        return;
    }
    *result_ = 2;
    PostCommand(command::kCloseDialog);
}
