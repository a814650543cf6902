#include "menus/TVoiceDialog.h"

#include "app/Voice.h"
#include "gfx/Screen.h"
#include "gfx/Text.h"
#include "help/TMiniBrowser.h"
#include "menus/MenuCommands.h"
#include "resources/StringTable.h"
#include "session/Session.h"
#include "ui/TButton.h"
#include "ui/TCustomSelector.h"
#include "ui/TScrollBar.h"
#include "ui/TSelectorItem.h"
#include "ui/TStaticText.h"

const char* TVoiceDialog::Unavailable()
{
    switch (voice::Status()) {
    case voice::Availability::kReady: return "";
    case voice::Availability::kNoAudio: return GetString(8, 140);
    case voice::Availability::kNoVoiceData: return GetString(8, 141);
    }
    return "";
}

TVoiceDialog::TVoiceDialog()
    : TDialog(Scaled(30), Scaled(70), Scaled(610), Scaled(410), dialog::kSaveBackground)
{
    LockDraw();
    VoiceSettings& v = theSession.voice;
    int L = LineHeight();
    bool ready = voice::Ready();
    auto enable = [ready](TView& view) {
        view.SetState(view::kEnabled, ready);
        return &view;
    };
    // The two groups start below the close button's corner.
    Rect a = PlaceDesign(this, 20, 34, 338, 164);
    TView* first = enable(Insert(std::make_unique<TCheckBoxes>(
        a.left, a.top, a.right, a.bottom, GetString(8, 131), 0, &v.sayOnAppear,
        NewItem(GetString(8, 132), -1, NewItem(GetString(8, 133), -1, NewItem(GetString(8, 134), -1, nullptr))))));
    a = PlaceDesign(this, 350, 34, 560, 164);
    enable(Insert(std::make_unique<TRadioButtons>(
        a.left, a.top, a.right, a.bottom, GetString(8, 136), 0, &v.scan,
        NewItem(GetString(8, 137), -1, NewItem(GetString(8, 138), -1, NewItem(GetString(8, 139), -1, nullptr))))));
    a = PlaceDesign(this, 20, 208, 200, 220);
    auto* volume = enable(Insert(std::make_unique<TAnalogSel>(a.left, a.top, a.right, a.bottom, 0, &v.volume, 1, 10, 1)));
    enable(Insert(std::make_unique<TLabel>(a.left, a.top - L - Scaled(12), a.right + Scaled(80), a.top - Scaled(12),
                                           GetString(8, 135), -1, volume, 0)));
    // The lines stay clear of the "Aiuto" button below them.
    a = PlaceDesign(this, 20, 238, 560, 258);
    Insert(std::make_unique<TStaticText>(a.left, a.top, a.right, a.top + L, GetString(8, 142)));
    if (!ready) {
        a = PlaceDesign(this, 20, 262, 560, 282);
        Insert(std::make_unique<TStaticText>(a.left, a.top, a.right, a.top + L, Unavailable()));
    }
    Rect h = PlaceDesign(this, -160, -52, -20, -16);
    Insert(std::make_unique<TTextButton>(h.left, h.top, h.right, h.bottom, GetString(8, 143), -1, command::kHelp,
                                         button::kCentred));
    if (ready)
        FocusChild(first);
    UnlockDraw();
}

void TVoiceDialog::HandleEvent(TEvent& event)
{
    TDialog::HandleEvent(event);
    if (event.command == command::kHelp) {
        int m = Scaled(20);
        PushDialog(this, std::make_unique<TMiniBrowser>(left + m, top + m, right - m, bottom - m, GetString(8, 144),
                                                        GetString(3, 6), dialog::kSaveBackground));
    }
}
