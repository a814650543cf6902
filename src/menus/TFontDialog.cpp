#include "menus/TFontDialog.h"

#include "gfx/Colours.h"
#include "gfx/Screen.h"
#include "gfx/TFont.h"
#include "gfx/Text.h"
#include "gfx/Typefaces.h"
#include "resources/FileHelpers.h"
#include "resources/StringTable.h"
#include "resources/TFileList.h"
#include "ui/TColorSelector.h"
#include "ui/TListBox.h"
#include "ui/TScrollBar.h"
#include "ui/TStaticText.h"

#include <cstdio>
#include <cstring>

std::string ReadableFaceName(const std::string& stem)
{
    std::string name = TypefaceName(FontsFolder() + stem + ".ttf");
    return name.empty() ? TidyFaceName(stem) : name;
}

TFontDialog::TFontDialog(GameSettings& settings)
    : TDialog(Scaled(40), Scaled(40), Scaled(480), Scaled(440), dialog::kSaveBackground), settings_(settings)
{
    LockDraw();
    unsigned centred = statictext::kCentreAcross | statictext::kCentreDown;
    Rect r = PlaceDesign(this, 20, 10, -200, 50);
    Insert(std::make_unique<TStaticText>(r.left, r.top, r.right, r.bottom, GetString(13, 1), centred));
    r = PlaceDesign(this, 20, 50, -200, 210);
    faces_ = &Insert(std::make_unique<TFileListBox>(r.left, r.top, r.right, r.bottom, 0, settings_.fontName,
                                                    GameSettings::kFontNameSize, FontsFolder().c_str(), ".ttf",
                                                    TFileList::kFiles | TFileList::kCutAtFirstDot));
    // Faces by the names they give themselves; the interface's own faces
    // are copies of listed ones and stay out. The settings keep the stem.
    faces_->SetPresentation(ReadableFaceName, IsInterfaceFace);
    r = PlaceDesign(this, 20, 210, -230, 240);
    Insert(std::make_unique<TStaticText>(r.left, r.top, r.right, r.bottom, GetString(13, 2), centred));
    r = PlaceDesign(this, 20, 240, -230, 260);
    Insert(std::make_unique<TAnalogSel>(r.left, r.top, r.right, r.bottom, 0, &settings_.fontSize, 6, 72, 1));
    // The colour column keeps clear of the close button in the corner.
    r = PlaceDesign(this, -190, 10, -30, 50);
    Insert(std::make_unique<TStaticText>(r.left, r.top, r.right, r.bottom, GetString(13, 3), centred));
    r = PlaceDesign(this, -190, 50, -30, 130);
    Insert(std::make_unique<TColorSelector>(r.left, r.top, r.right, r.bottom, 0, &settings_.textColour));
    r = PlaceDesign(this, -190, 140, -30, 180);
    Insert(std::make_unique<TStaticText>(r.left, r.top, r.right, r.bottom, GetString(13, 4), centred));
    r = PlaceDesign(this, -190, 180, -30, 260);
    Insert(std::make_unique<TColorSelector>(r.left, r.top, r.right, r.bottom, 0, &settings_.boxColour));
    sample_ = PlaceDesign(this, 20, 280, -20, -20);
    shown_ = Current();
    FocusChild(faces_);  // the arrows choose a face at once
    UnlockDraw();
}

TFontDialog::Block TFontDialog::Current() const
{
    return {settings_.fontName, settings_.fontSize, settings_.textColour, settings_.boxColour};
}

void TFontDialog::DrawBody()
{
    TDialog::DrawBody();
    DrawSample();
}

void TFontDialog::DrawSample()
{
    if (DrawLocked())
        return;
    int n = bevel;
    DrawBevel(sample_.left, sample_.top, sample_.right, sample_.bottom, n, view::kSunken | view::kDarkFace |
                                                                                 (state_ & (view::kActive | view::kEnabled)));
    Rect inside = {sample_.left + n + 1, sample_.top + n + 1, sample_.right - n - 1, sample_.bottom - n - 1};
    FillBox(inside.left, inside.top, inside.right, inside.bottom, MapColour(static_cast<std::uint32_t>(settings_.boxColour)));
    std::string path = FontsFolder() + settings_.fontName + ".ttf";
    auto sampleFont = TFont::OpenTrueType(path, settings_.fontSize);
    if (!sampleFont)
        return;
    DrawingState saved;
    theScreen.font = sampleFont.get();
    theScreen.pen = MapColour(static_cast<std::uint32_t>(settings_.textColour));
    theScreen.hAnchor = 1;
    theScreen.vAnchor = 1;
    SetClip(inside.left, inside.top, inside.right, inside.bottom);
    DrawText((inside.left + inside.right) / 2, (inside.top + inside.bottom) / 2, "ABCabc");
    ResetClip();
}

void TFontDialog::Idle()
{
    TDialog::Idle();
    Block now = Current();
    if (now == shown_)
        return;
    if (now.text == now.box) {
        std::snprintf(settings_.fontName, sizeof settings_.fontName, "%s", shown_.name.c_str());
        settings_.fontSize = shown_.size;
        settings_.textColour = shown_.text;
        settings_.boxColour = shown_.box;
        Draw();
        return;
    }
    shown_ = now;
    DrawSample();
}
