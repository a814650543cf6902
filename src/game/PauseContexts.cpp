#include "game/PauseContexts.h"

#include "app/Clock.h"
#include "app/Commands.h"
#include "app/Sound.h"
#include "gfx/Colours.h"
#include "gfx/Display.h"
#include "gfx/Screen.h"
#include "gfx/TFont.h"
#include "gfx/Text.h"
#include "gfx/Typefaces.h"
#include "resources/FileHelpers.h"
#include "resources/StringTable.h"
#include "ui/StandardDialogs.h"
#include "ui/TButton.h"

TPauseDialog::TPauseDialog() : TDialog(0, 0, theScreen.width - 1, theScreen.height - 1, dialog::kNoCloseButton)
{
    title_ = TFont::OpenTrueType(FontsFolder() + typeface::kTitle + ".ttf", Scaled(72));
}

TPauseDialog::~TPauseDialog()
{
    CloseFont(title_);
}

void TPauseDialog::DrawBody()
{
    DrawingState saved;
    ClearScreen(21);
    theScreen.hAnchor = 1;
    theScreen.vAnchor = 1;
    theScreen.pen = MapColour(15);
    if (title_)
        theScreen.font = title_.get();
    DrawText(theScreen.width / 2, theScreen.height / 3, GetString(10, 109));
    theScreen.font = font;
    DrawText(theScreen.width / 2, theScreen.height / 2, GetString(10, 110));
}

Rect TPauseDialog::TitleArea() const
{
    DrawingState saved;
    theScreen.font = title_ ? title_.get() : font;
    theScreen.hAnchor = 1;
    theScreen.vAnchor = 1;
    const char* text = GetString(10, 109);
    return TextBounds(theScreen.width / 2, theScreen.height / 3, TextWidth(text));
}

Rect TPauseDialog::HintArea() const
{
    DrawingState saved;
    theScreen.font = font;
    theScreen.hAnchor = 1;
    theScreen.vAnchor = 1;
    const char* text = GetString(10, 110);
    return TextBounds(theScreen.width / 2, theScreen.height / 2, TextWidth(text));
}

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
    auto owned = std::make_unique<TPauseDialog>();
    TPauseDialog* d = owned.get();
    Rect b = ScaledRect(240, 300, 400, 340);
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

TToldContext::TToldContext(std::string title, std::string text)
    : TMenuContext(command::kEndModal), title_(std::move(title)), text_(std::move(text))
{
}

void TToldContext::Start()
{
    Freeze(saved_);
    EchoMessage(title_.c_str(), text_.c_str());
    AddDialog(std::make_unique<TMessageDialog>(theScreen.width / 2, theScreen.height / 2, title_.c_str(), text_.c_str(),
                                               dialog::kSaveBackground));
}

void TToldContext::Stop()
{
    Thaw(saved_);
}

void TWantExitContext::Stop()
{
    Thaw(saved_);
}
