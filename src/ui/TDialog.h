#pragma once
// A group shown on a screen's dialog stack. It records the context that
// shows it and the dialogs below and above it (it owns the one above), has
// a close button unless told otherwise, can save the screen area it covers,
// and moves the focus with Tab and Shift+Tab.

#include "gfx/Images.h"
#include "ui/TGroup.h"

#include <memory>

class TMenuContext;
class TCloseButton;

namespace dialog {

constexpr unsigned kSaveBackground = 0x20;
constexpr unsigned kNoCloseButton = 0x80;
constexpr unsigned kDeviceNavigation = 0x100;

}  // namespace dialog

class TDialog : public TGroup {
public:
    static constexpr unsigned kActive = view::kActive;

    TDialog(int left, int top, int right, int bottom, unsigned options = 0);
    ~TDialog() override;

    void HandleEvent(TEvent& event) override;
    void Open() override;
    // Puts back what the dialog covered (its context does this before it
    // destroys the dialog: destruction itself draws nothing).
    void RestoreBackground();

    TCloseButton* CloseButton() const { return closeButton_; }
    // New bounds, with the close button moved to the new corner (dialogs
    // that size themselves to their texts).
    void Resize(int left, int top, int right, int bottom);

    TMenuContext* owner = nullptr;
    TDialog* below = nullptr;
    std::unique_ptr<TDialog> above;  // the dialog shown above this one, owned

protected:
    void PlaceCloseButton();
    TCloseButton* closeButton_ = nullptr;

private:
    SurfacePtr savedBackground_;
    bool savedPointerMode_ = false;
};

// A dialog covering nearly the whole screen; its close button posts 5.
class TMenu : public TDialog {
public:
    TMenu();
};

// Shows `newDialog` above `dialog` on the same screen (a dialog that is on
// no screen drops it).
void PushDialog(TDialog* dialog, std::unique_ptr<TDialog> newDialog);
// Asks the screen to close its top dialog.
void CloseDialog(TDialog* dialog);
