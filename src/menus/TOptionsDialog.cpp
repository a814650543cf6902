#include "menus/TOptionsDialog.h"

#include "app/DataProblems.h"
#include "game/TopTenTable.h"
#include "gfx/Screen.h"
#include "gfx/Text.h"
#include "session/Session.h"
#include "menus/MenuCommands.h"
#include "menus/TFontDialog.h"
#include "menus/TVoiceDialog.h"
#include "platform/Files.h"
#include "resources/FileHelpers.h"
#include "resources/StringTable.h"
#include "ui/StandardDialogs.h"
#include "ui/TButton.h"
#include "ui/TColorSelector.h"
#include "ui/TCustomSelector.h"
#include "ui/TScrollBar.h"
#include "ui/TSelectorItem.h"
#include "ui/TStaticText.h"

#include <cerrno>

namespace {

SItem* Three(int first)
{
    return NewItem(GetString(8, first), -1, NewItem(GetString(8, first + 1), -1, NewItem(GetString(8, first + 2), -1, nullptr)));
}

}  // namespace

bool ResetTopTen()
{
    // The table lives in the data folder, the user's own in a read-only
    // install: the program folder has no say in it.
    return platform::RemoveFile(TopTenPath(), platform::Trust::kShared) || platform::LastFileError() == ENOENT;
}

TOptionsDialog::TOptionsDialog(int l, int t, int r, int b) : TDialog(l, t, r, b, dialog::kSaveBackground)
{
    LockDraw();
    GameSettings& s = theSession.settings;
    int L = LineHeight();
    Rect a = PlaceDesign(this, 20, 20, 190, 130);
    Insert(std::make_unique<TRadioButtons>(a.left, a.top, a.right, a.bottom, GetString(8, 104), 0, &s.textCase, Three(105)));
    a = PlaceDesign(this, 20, 142, 190, 252);
    Insert(std::make_unique<TRadioButtons>(a.left, a.top, a.right, a.bottom, GetString(8, 108), 0, &s.lanes, Three(109)));
    a = PlaceDesign(this, 20, 292, 160, 304);
    lives_ = &Insert(std::make_unique<TAnalogSel>(a.left, a.top, a.right, a.bottom, 0, &s.lives, 0, 10, 1));
    Rect lab = PlaceDesign(this, 20, 252, 190, 292);
    Insert(std::make_unique<TLabel>(lab.left, a.top - L - Scaled(10), lab.right, a.top - Scaled(10), GetString(8, 122), -1, lives_, 0));
    a = PlaceDesign(this, 20, 322, 190, 334);
    Insert(std::make_unique<TCheckBox>(a.left, a.top - L / 2, a.right, a.bottom + L / 2, GetString(8, 123), -1, &s.infiniteLives));
    // Wider than the boxes below it: its texts are the longest, and the
    // right-hand column leaves room beside it.
    a = PlaceDesign(this, 202, 20, 410, 130);
    Insert(std::make_unique<TCheckBoxes>(a.left, a.top, a.right, a.bottom, GetString(8, 112), 0, &s.recordResults, Three(113)));
    a = PlaceDesign(this, 202, 142, 372, 230);
    Insert(std::make_unique<TCheckBoxes>(a.left, a.top, a.right, a.bottom, GetString(8, 100), 0, &s.effectsOn,
                           NewItem(GetString(8, 101), -1, NewItem(GetString(8, 102), -1, nullptr))));
    a = PlaceDesign(this, 202, 270, 342, 282);
    auto* fall = &Insert(std::make_unique<TAnalogSel>(a.left, a.top, a.right, a.bottom, 0, &s.fallSeconds, 2, 60, 1));
    Insert(std::make_unique<TLabel>(a.left, a.top - L - Scaled(12), a.right + Scaled(40), a.top - Scaled(12), GetString(8, 119), -1, fall, 0));
    a = PlaceDesign(this, 202, 328, 342, 340);
    auto* spawn = &Insert(std::make_unique<TAnalogSel>(a.left, a.top, a.right, a.bottom, 0, &s.spawnSeconds, 1, 30, 1));
    Insert(std::make_unique<TLabel>(a.left, a.top - L - Scaled(12), a.right + Scaled(40), a.top - Scaled(12), GetString(8, 120), -1, spawn, 0));
    int x0 = right - Scaled(112), y0 = top + Scaled(80);
    auto* colour = &Insert(std::make_unique<TColorSelector>(x0, y0, x0 + Scaled(80), y0 + Scaled(80), 0, &s.backgroundColour));
    Insert(std::make_unique<TLabel>(x0 - Scaled(40), y0 - L - 4, right - Scaled(10), y0 - 4, GetString(8, 121), -1, colour, 0));
    int x1 = right - Scaled(225), x2 = right - Scaled(15);
    int y = bottom - Scaled(170);
    // Tall enough for a tail under the line to stay inside the focus ring.
    Insert(std::make_unique<TTextButton>(x1, y, x2, y + Scaled(32), GetString(8, 130), -1, command::kVoiceDialog, button::kCentred));
    y += Scaled(40);
    Insert(std::make_unique<TCheckBox>(x1, y, x2, y + Scaled(24), GetString(8, 125), -1, &s.plainBackground));
    // Tall enough for a tail under the line to stay inside the focus ring.
    y += Scaled(35);
    Insert(std::make_unique<TTextButton>(x1, y, x2, y + Scaled(32), GetString(8, 118), -1, command::kFontDialog, button::kCentred));
    y += Scaled(40);
    Insert(std::make_unique<TTextButton>(x1, y, x2, y + Scaled(32), GetString(8, 116), -1, command::kResetTopTen, button::kCentred));
    infiniteSeen_ = s.infiniteLives;
    lives_->SetState(view::kEnabled, s.infiniteLives == 0);
    FocusNext();
    UnlockDraw();
}

void TOptionsDialog::FollowInfiniteLives()
{
    if (theSession.settings.infiniteLives == infiniteSeen_)
        return;
    infiniteSeen_ = theSession.settings.infiniteLives;
    lives_->SetState(view::kEnabled, infiniteSeen_ == 0);
}

void TOptionsDialog::HandleEvent(TEvent& event)
{
    TDialog::HandleEvent(event);
    FollowInfiniteLives();
    if (event.command == command::kVoiceDialog) {
        PushDialog(this, std::make_unique<TVoiceDialog>());
    } else if (event.command == command::kFontDialog) {
        PushDialog(this, std::make_unique<TFontDialog>(theSession.settings));
    } else if (event.command == command::kResetTopTen) {
        resetConfirmed_ = 0;
        askingReset_ = true;
        PushDialog(this, std::make_unique<TQueryDialog>(Scaled(320), Scaled(300), GetString(8, 8), &resetConfirmed_,
                                          dialog::kSaveBackground));
    } else if (askingReset_ && !above) {
        askingReset_ = false;
        if (resetConfirmed_ && ResetTopTen())
            PushDialog(this, std::make_unique<TMessageDialog>(Scaled(320), Scaled(240), GetString(0, 13), GetString(8, 9),
                                                dialog::kSaveBackground));
        else if (resetConfirmed_)
            PushDialog(this, std::make_unique<TMessageDialog>(
                                 Scaled(320), Scaled(240), GetString(0, 11),
                                 UnwritableFileText(TopTenPath(), platform::LastFileError(), "").c_str(),
                                 dialog::kSaveBackground));
        resetConfirmed_ = 0;
    }
}
