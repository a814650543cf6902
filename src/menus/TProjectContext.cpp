#include "menus/TProjectContext.h"

#include "app/CommandQueue.h"
#include "app/Commands.h"
#include "base/FatalError.h"
#include "game/GameCommands.h"
#include "gfx/Colours.h"
#include "gfx/Screen.h"
#include "gfx/TFont.h"
#include "gfx/Typefaces.h"
#include "gfx/Text.h"
#include "help/TMiniBrowser.h"
#include "menus/MenuCommands.h"
#include "menus/TMainMenuContext.h"
#include "platform/Files.h"
#include "resources/Archives.h"
#include "resources/StringTable.h"
#include "resources/TJoinFile.h"
#include "ui/StandardDialogs.h"
#include "ui/TButton.h"
#include "ui/TImage.h"
#include "ui/TStaticText.h"

TProjectDialog::TProjectDialog(int n)
{
    LockDraw();
    std::string path = std::string("fonts\\") + typeface::kTitle + ".ttf";
    // The program's name is the screen's title: by far its largest text.
    if (platform::OpenFile(path, "rb"))
        titleFont_ = TFont::OpenTrueType(path, Scaled(kTitlePoints));
    if (!titleFont_ && theArchive) {
        if (TJoinElement* entry = theArchive->LoadItem(5, 1))
            titleFont_ = TFont::FromBitmap(entry->Data(), entry->DataLength());
    }
    if (!titleFont_)
        FatalError(GetString(1, 5), "Project Title Font");

    auto at = [this](int dx1, int dy1, int dx2, int dy2) {
        return PlaceInGroup(this, dx1 < 0 ? -Scaled(-dx1) : Scaled(dx1), dy1 < 0 ? -Scaled(-dy1) : Scaled(dy1),
                            dx2 <= 0 ? -Scaled(-dx2) : Scaled(dx2), dy2 <= 0 ? -Scaled(-dy2) : Scaled(dy2));
    };
    Rect scene = at(30, 80, 300, 290);
    Insert(std::make_unique<TImage>(scene.left, scene.top, scene.right, scene.bottom, image::kNoKey, 6, 2 * n - 1));
    Rect creature = at(360, 70, 590, 310);
    Insert(std::make_unique<TImage>(creature.left, creature.top, creature.right, creature.bottom, image::kNoFace, 6, 2 * n - 2));
    const int textRows[3][2] = {{-120, -90}, {-85, -55}, {-50, -30}};
    for (int i = 0; i < 3; ++i) {
        Rect r = at(20, textRows[i][0], -270, textRows[i][1]);
        Insert(std::make_unique<TStaticText>(r.left, r.top, r.right, r.bottom, GetString(2, 2 + i),
                               statictext::kCentreAcross | statictext::kCentreDown));
    }
    // Tall enough for the text to sit inside the focus ring.
    Rect help = at(-250, -112, -20, -82);
    Insert(std::make_unique<TTextButton>(help.left, help.top, help.right, help.bottom, GetString(2, 5), SDLK_F10,
                                         command::kHelp, button::kCentred));
    Rect go = at(-250, -72, -20, -42);
    auto* on = &Insert(std::make_unique<TTextButton>(go.left, go.top, go.right, go.bottom, GetString(2, 6), 13,
                                                     command::kPlay, button::kCentred));
    FocusChild(on);
    UnlockDraw();
}

TProjectDialog::~TProjectDialog()
{
    CloseFont(titleFont_);
}

namespace {

// The middle of the title's line, clear of the pictures below it.
int TitleCentreY()
{
    return Scaled(42);
}

}  // namespace

Rect TProjectDialog::TitleArea() const
{
    DrawingState saved;
    theScreen.font = titleFont_.get();
    theScreen.hAnchor = 1;
    theScreen.vAnchor = 1;
    Rect text = TextBounds(theScreen.width / 2, TitleCentreY(), TextWidth(GetString(2, 1)));
    return {text.left - 1, text.top - 1, text.right + 1, text.bottom + 1};
}

void TProjectDialog::Draw()
{
    TMenu::Draw();
    if (DrawLocked() || !titleFont_)
        return;
    DrawingState saved;
    theScreen.font = titleFont_.get();
    theScreen.hAnchor = 1;
    theScreen.vAnchor = 1;
    int x = theScreen.width / 2, y = TitleCentreY();
    const char* title = GetString(2, 1);
    // Under a dialog the title goes grey: its lit edge dark, its face grey.
    bool active = (state_ & view::kActive) != 0;
    theScreen.pen = MapColour(active ? 5 : 0);
    DrawText(x - 1, y, title);
    DrawText(x, y - 1, title);
    theScreen.pen = MapColour(0);
    DrawText(x + 1, y, title);
    DrawText(x, y + 1, title);
    theScreen.pen = MapColour(active ? 4 : 3);
    DrawText(x, y, title);
}

void TProjectDialog::HandleEvent(TEvent& event)
{
    TMenu::HandleEvent(event);
    if (event.command == command::kHelp) {
        int m = Scaled(10);
        PushDialog(this, std::make_unique<TMiniBrowser>(left + m, top + m, right - m, bottom - m, GetString(2, 7), GetString(3, 1),
                                          dialog::kSaveBackground));
    } else if (event.command == command::kCloseMenu) {
        quitAnswer_ = 0;
        asking_ = true;
        PushDialog(this, std::make_unique<TQueryDialog>(Scaled(320), Scaled(240), GetString(0, 5), &quitAnswer_,
                                          dialog::kSaveBackground));
    } else if (asking_ && !above) {
        asking_ = false;
        if (quitAnswer_)
            PostCommand(command::kQuit);
    }
}

void TProjectContext::Start()
{
    TDidaMenuContext::Start();
    AddDialog(std::make_unique<TProjectDialog>(theResolutionIndex + 1));
}

void TProjectContext::HandleEvent(TEvent& event)
{
    TDidaMenuContext::HandleEvent(event);
    if (event.command == command::kPlay)
        ReplaceWith(std::make_unique<TMainMenuContext>());
}
