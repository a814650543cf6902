#include "game/PauseContexts.h"

#include "app/Clock.h"
#include "app/Commands.h"
#include "app/Sound.h"
#include "gfx/Display.h"
#include "resources/StringTable.h"
#include "ui/StandardDialogs.h"
#include "ui/TButton.h"

namespace {

// Only its button shows: the game stays visible behind it.
class TPauseDialog : public TDialog {
public:
    TPauseDialog(int l, int t, int r, int b) : TDialog(l, t, r, b, dialog::kNoCloseButton) {}
    void DrawBody() override {}
};

}  // namespace

void Freeze(ScreenState& saved)
{
    RevealPointer();
    PauseClock();
    PauseEffects();
    saved.Save();
}

void Thaw(ScreenState& saved)
{
    saved.Restore();
    ResumeEffects();
    ResumeClock();
    ReHidePointer();
}

TPauseContext::TPauseContext() : TMenuContext(command::kEndModal) {}

void TPauseContext::Start()
{
    Freeze(saved_);
    PauseMusic();
    Rect r = ScaledRect(520, 420, 640 - 1, 480 - 1);
    auto owned = std::make_unique<TPauseDialog>(r.left, r.top, r.right, r.bottom);
    TPauseDialog* d = owned.get();
    Rect b = PlaceInGroup(d, Scaled(10), Scaled(10), -Scaled(10), -Scaled(10));
    auto* button = &d->Insert(std::make_unique<TTextButton>(b.left, b.top, b.right, b.bottom, GetString(0, 12), SDLK_PAUSE,
                                   command::kCloseDialog, button::kCentred));
    d->FocusChild(button);
    AddDialog(std::move(owned));
}

void TPauseContext::Stop()
{
    ResumeMusic();
    Thaw(saved_);
}

TWantExitContext::TWantExitContext(std::uint8_t* answer) : TMenuContext(command::kEndModal), answer_(answer) {}

void TWantExitContext::Start()
{
    Freeze(saved_);
    AddDialog(std::make_unique<TQueryDialog>(Scaled(320), Scaled(240), GetString(0, 5), answer_, dialog::kSaveBackground));
}

void TWantExitContext::Stop()
{
    Thaw(saved_);
}
