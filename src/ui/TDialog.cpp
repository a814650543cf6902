#include "ui/TDialog.h"

#include "session/SwitchFlags.h"

#include "app/CommandQueue.h"
#include "app/Commands.h"
#include "app/Input.h"
#include "ui/TMenuContext.h"
#include "gfx/Screen.h"
#include "ui/TCloseButton.h"

TDialog::TDialog(int l, int t, int r, int b, unsigned options) : TGroup(l, t, r, b, options)
{
    ChangeBits(view::kSelectable | view::kFramed, false);
    ChangeBits(view::kRounded | view::kWrapFocus, true);
    kind = view::kDialog;
    if (!(options & dialog::kNoCloseButton)) {
        closeButton_ = &Insert(std::make_unique<TCloseButton>(0, 0, 0, 0, command::kCloseDialog));
        PlaceCloseButton();
    }
    savedPointerMode_ = DevicePointerMode();
    if (options & dialog::kDeviceNavigation)
        SetDevicePointerMode(false);
}

void TDialog::PlaceCloseButton()
{
    if (!closeButton_)
        return;
    int e = theScreen.width / 32, f = e / 2;
    Rect r = PlaceInGroup(this, -f - e, f, -f, e + f);
    closeButton_->SetBounds(r.left, r.top, r.right, r.bottom);
}

void TDialog::Resize(int l, int t, int r, int b)
{
    SetBounds(l, t, r, b);
    PlaceCloseButton();
}

TDialog::~TDialog()
{
    above.reset();  // the dialogs above go first
    if (options_ & dialog::kDeviceNavigation)
        SetDevicePointerMode(savedPointerMode_);
}

void TDialog::RestoreBackground()
{
    if (savedBackground_)
        DrawImage(left, top, savedBackground_.get());
    savedBackground_.reset();
}

void TDialog::Open()
{
    if (state_ & view::kOpened)
        return;
    ChangeBits(view::kOpened, true);
    if ((options_ & dialog::kSaveBackground) && !savedBackground_) {
        savedBackground_.reset(CreateScreenSurface(right - left + 1, bottom - top + 1));
        SaveScreenArea(left, top, savedBackground_.get());
    }
    TGroup::Open();
}

void TDialog::HandleEvent(TEvent& event)
{
    TGroup::HandleEvent(event);
    if (event.keyAction == key::kPressed && event.keyChar == 9)
        PostCommand((event.modifiers & KMOD_SHIFT) ? command::kFocusPrevious : command::kFocusNext);
    if (event.command == command::kFocusNext)
        FocusNext();
    else if (event.command == command::kFocusPrevious)
        FocusPrevious();
    if ((options_ & dialog::kDeviceNavigation) || theDeviceNavigation) {
        using namespace switchflag;
        int word = event.deviceInput;
        if ((word & Pressed(kSwitch1)) && current_)
            current_->Press();
        if (word & (Pressed(kUp) | Pressed(kLeft)))
            PostCommand(command::kFocusPrevious);
        if (word & (Pressed(kSwitch2) | Pressed(kRight) | Pressed(kDown)))
            PostCommand(command::kFocusNext);
    }
}

TMenu::TMenu()
    : TDialog(theScreen.width / 64, theScreen.width / 64, theScreen.width - theScreen.width / 64,
              theScreen.height - theScreen.width / 64, 0)
{
    if (closeButton_)
        closeButton_->SetCommand(command::kCloseMenu);
}

void PushDialog(TDialog* dialog, std::unique_ptr<TDialog> newDialog)
{
    if (dialog && dialog->owner)
        dialog->owner->AddDialog(std::move(newDialog));
}

void CloseDialog(TDialog*)
{
    PostCommand(command::kCloseDialog);
}
