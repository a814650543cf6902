#include "users/TControlDialog.h"

#include "session/DeviceSettings.h"
#include "devices/SessionDevice.h"
#include "devices/TExtDevTestDialog.h"
#include "devices/TExtDevice.h"
#include "gfx/Colours.h"
#include "gfx/Screen.h"
#include "gfx/Text.h"
#include "help/TMiniBrowser.h"
#include "help/HelpCommands.h"
#include "resources/StringTable.h"
#include "ui/StandardDialogs.h"
#include "ui/TButton.h"
#include "ui/TCustomSelector.h"
#include "ui/TScrollBar.h"
#include "ui/TSelectorItem.h"
#include "ui/TStaticText.h"
#include "users/UserCommands.h"

#include <string>

namespace {

void SetEnabled(TView* view, bool on)
{
    if (view && view->Has(view::kEnabled) != on)
        view->SetState(view::kEnabled, on);
}

// A group of choices switched off keeps its frame lit and greys each
// choice: a group greyed as a whole would hide its texts in its own face.
// It also stops taking the focus.
void EnableChoices(TCustomSelector* group, bool on, const bool* available = nullptr)
{
    if (group->Has(view::kSelectable) != on)
        group->SetState(view::kSelectable, on);
    for (int n = 1; n <= group->Children().Count(); ++n) {
        bool want = on && (!available || available[n - 1]);
        auto* item = static_cast<TView*>(group->Children().At(n - 1));
        if (item->Has(view::kEnabled) != want)
            EnableItem(group, n, want);
    }
}

}  // namespace

TControlDialog::TControlDialog(DeviceSettings& settings)
    : TDialog(Scaled(40), Scaled(30), Scaled(600), Scaled(450), dialog::kSaveBackground), settings_(settings)
{
    // The teacher sets the device up here and tries it: the session's own
    // device leaves the keys and the switches to this dialog meanwhile.
    sessiondevice::StandAside(true);
    LockDraw();
    enabled_ = settings.enabled ? 1 : 0;
    bool canSteer = settings.kind >= devicekind::kKeyboard && settings.kind <= devicekind::kJoystick;
    mode_ = canSteer && settings.directions ? 3 : (settings.switches == 2 ? 2 : 1);
    modeWritten_ = mode_;
    int L = LineHeight();

    Rect r = PlaceDesign(this, 20, 24, 330, 24);
    auto* box = &Insert(std::make_unique<TCheckBox>(r.left, r.top - L / 2, r.right, r.top + L + L / 2, GetString(6, 1), -1, &enabled_));

    bool fifth = settings.fifthKindOffered != 0;
    SItem* kinds = fifth ? NewItem(GetString(6, 14), -1, nullptr) : nullptr;
    for (int n = 13; n >= 10; --n)
        kinds = NewItem(GetString(6, n), -1, kinds);
    r = PlaceDesign(this, 20, 60, 220, fifth ? 200 : 176);
    kinds_ = &Insert(std::make_unique<TRadioButtons>(r.left, r.top, r.right, r.bottom, nullptr, 0, &settings.kind, kinds));

    r = PlaceDesign(this, 240, 60, 540, 160);
    modes_ = &Insert(std::make_unique<TRadioButtons>(
        r.left, r.top, r.right, r.bottom, nullptr, 0, &mode_,
        NewItem(GetString(6, 2), -1, NewItem(GetString(6, 3), -1, NewItem(GetString(6, 4), -1, nullptr)))));

    SItem* ports = nullptr;
    for (int n = 4; n >= 1; --n)
        ports = NewItem((std::string(GetString(6, 20)) + " " + std::to_string(n)).c_str(), -1, ports);
    r = PlaceDesign(this, 20, 216, 220, 340);
    ports_ = &Insert(std::make_unique<TRadioButtons>(r.left, r.top, r.right, r.bottom, nullptr, 0, &settings.port, ports));

    // Each slider: its label above, its value printed beside it, then the units.
    auto slider = [&](int y, int* value, int min, int max, int step, int label, int units, TView* (&parts)[3]) {
        Rect s = PlaceDesign(this, 240, y, 360, y + 12);
        auto* bar = &Insert(std::make_unique<TAnalogSel>(s.left, s.top, s.right, s.bottom, 0, value, min, max, step));
        parts[0] = &Insert(std::make_unique<TLabel>(s.left, s.top - L - Scaled(12), s.right + Scaled(160), s.top - Scaled(12),
                                                    GetString(6, label), -1, bar, 0));
        parts[1] = bar;
        int x = s.right + Scaled(40);
        parts[2] = &Insert(std::make_unique<TStaticText>(x, (s.top + s.bottom) / 2 - L / 2, x + Scaled(120),
                                                         (s.top + s.bottom) / 2 + L / 2, GetString(6, units)));
        // Switched off, the texts grey like the choices beside them.
        for (TView* text : {parts[0], parts[2]})
            static_cast<TStaticText*>(text)->dimColour = SchemeColour(6);
    };
    slider(218, &settings.acceptance, 0, 10, 1, 5, 6, acceptance_);
    slider(290, &settings.scanInterval, 5, 50, 5, 7, 8, scan_);
    scanSlider_ = scan_[1];

    r = PlaceDesign(this, 20, -52, 200, -16);
    Insert(std::make_unique<TTextButton>(r.left, r.top, r.right, r.bottom, GetString(6, 30), SDLK_F1, command::kHelp,
                                         button::kCentred));
    r = PlaceDesign(this, -200, -52, -20, -16);
    testButton_ = &Insert(std::make_unique<TTextButton>(r.left, r.top, r.right, r.bottom, GetString(6, 31), SDLK_F2,
                                                        command::kTestDevice, button::kCentred));
    FocusChild(box);
    UnlockDraw();
}

TControlDialog::~TControlDialog()
{
    sessiondevice::StandAside(false);
    // The test panel uses the device: it goes first.
    above.reset();
    if (device_)
        device_->Close();
}

void TControlDialog::Open()
{
    TDialog::Open();  // builds the choices of the groups
    LockDraw();
    FollowSettings();
    UnlockDraw();
}

void TControlDialog::Idle()
{
    TDialog::Idle();
    FollowSettings();
}

void TControlDialog::FollowSettings()
{
    settings_.enabled = enabled_;
    bool on = enabled_ != 0;
    int source = settings_.kind;
    if (source != kindSeen_) {
        kindSeen_ = source;
        // Only keys, mouse and joystick have directions.
        modeAvailable_[2] = source >= devicekind::kKeyboard && source <= devicekind::kJoystick;
        if (!modeAvailable_[2] && mode_ == 3) {
            mode_ = 1;
            modes_->Draw();
        }
    }
    if (mode_ != modeWritten_)
        WriteMode();
    modeSeen_ = mode_;

    EnableChoices(kinds_, on);
    EnableChoices(modes_, on && source != devicekind::kPointer, modeAvailable_);
    EnableChoices(ports_, on && (source == devicekind::kSerial || source == devicekind::kPointer));
    for (TView* part : acceptance_)
        SetEnabled(part, on);
    bool scanning = on && modeSeen_ == 1 && source != devicekind::kPointer;
    for (TView* part : scan_)
        SetEnabled(part, scanning);
    SetEnabled(testButton_, on);
}

void TControlDialog::WriteMode()
{
    settings_.switches = mode_ == 2 ? 2 : 1;
    settings_.directions = mode_ == 3 ? 1 : 0;
    modeWritten_ = mode_;
}

void TControlDialog::HandleEvent(TEvent& event)
{
    if (device_ && !above) {
        device_->Close();
        device_.reset();
    }
    TDialog::HandleEvent(event);
    if (event.command == command::kHelp) {
        int m = Scaled(20);
        PushDialog(this, std::make_unique<TMiniBrowser>(left + m, top + m, right - m, bottom - m, GetString(6, 34),
                                                        GetString(3, 4), dialog::kSaveBackground));
    } else if (event.command == command::kTestDevice) {
        StartTest();
    }
}

void TControlDialog::StartTest()
{
    settings_.enabled = enabled_;
    WriteMode();
    device_ = std::make_unique<TExtDevice>();
    device_->Open(settings_);
    if (device_->Error() != 0) {
        device_->Close();
        device_.reset();
        ShowMessage(this, GetString(0, 11), GetString(6, 33));
        return;
    }
    PushDialog(this, std::make_unique<TExtDevTestDialog>(*device_));
}
