#include "users/TSelectUserDialog.h"

#include "app/CommandQueue.h"
#include "app/Commands.h"
#include "gfx/Screen.h"
#include "gfx/Text.h"
#include "resources/StringTable.h"
#include "session/Session.h"
#include "ui/StandardDialogs.h"
#include "ui/TButton.h"
#include "ui/TListBox.h"
#include "ui/TStaticText.h"
#include "base/TextHelpers.h"
#include "users/TDataFile.h"

#include <algorithm>

TSelectUserDialog::TSelectUserDialog(int l, int t, int r, int b, const char* title, std::string* chosen,
                                     int payloadSize)
    : TDialog(l, t, r, b, dialog::kSaveBackground), chosen_(chosen)
{
    LockDraw();
    chosen_->clear();
    TDataFile(payloadSize).ForEachName(names_);
    int u = theScreen.width / 64, L = LineHeight(), bh = L + 2 * u;
    std::string heading = WithoutHotkeyMarks(title);
    Insert(std::make_unique<TStaticText>(left + 3 * u, top + 3 * u, right - 5 * u, top + 3 * u + L - 1, heading.c_str(),
                           statictext::kCentreAcross));
    list_ = &Insert(std::make_unique<TListBox>(left + 3 * u, top + 5 * u + L, right - 3 * u, bottom - 5 * u - bh, 0, &selected_, &names_));
    const char* ok = GetString(0, 6);
    int cx = (left + right) / 2, bw = std::max(TextWidth(ok) + 4 * u, 12 * u);
    Insert(std::make_unique<TTextButton>(cx - bw / 2, bottom - 3 * u - bh, cx + bw / 2, bottom - 3 * u, ok, 13, command::kChosen,
                           button::kCentred));
    // The child playing now is the one the teacher most likely wants.
    for (int i = 0; i < names_.Count(); ++i)
        if (theSession.userName[0] && EqualsNoCase(names_.TextAt(i), theSession.userName))
            list_->Select(i + 1);
    FocusChild(list_);
    UnlockDraw();
}

void TSelectUserDialog::HandleEvent(TEvent& event)
{
    TDialog::HandleEvent(event);
    if (event.command != command::kChosen)
        return;
    event.command = 0;
    if (selected_ < 1 || selected_ > names_.Count()) {
        if (names_.Count() > 0) {
            // Not closed without a word: the teacher learns what is missing.
            ShowMessage(this, GetString(0, 11), GetString(7, 23));
            return;
        }
    } else {
        *chosen_ = names_.TextAt(selected_ - 1);
    }
    PostCommand(command::kCloseDialog);
}
