#include "help/TMiniBrowser.h"

#include "app/DataFolder.h"
#include "app/DataProblems.h"
#include "devices/DesktopLibrary.h"
#include "gfx/Screen.h"
#include "help/THTMLViewer.h"
#include "platform/Files.h"
#include "platform/Paths.h"
#include "resources/FileHelpers.h"
#include "resources/StringTable.h"
#include "ui/StandardDialogs.h"
#include "ui/TButton.h"
#include "ui/TStaticText.h"

#include <cstdio>
#include <cstring>

std::string SavedTextFolder()
{
    std::string prefix = theDataPrefix.empty() ? CurrentFolder() : theDataPrefix;
    return prefix + "txt";
}

TMiniBrowser::TMiniBrowser(int l, int t, int r, int b, const char* title, const char* path, unsigned options)
    : TDialog(l, t, r, b, options & ~static_cast<unsigned>(browser::kButtons)), path_(path ? path : "")
{
    options_ = options;
    LockDraw();
    Rect titleArea = PlaceDesign(this, 20, 0, -20, 40);
    Insert(std::make_unique<TStaticText>(titleArea.left, titleArea.top, titleArea.right, titleArea.bottom, title,
                           statictext::kCentreAcross | statictext::kCentreDown));
    bool buttons = (options & browser::kButtons) != 0;
    Rect area = PlaceDesign(this, 20, 40, -20, buttons ? -80 : -20);
    viewer_ = &Insert(std::make_unique<THTMLViewer>(area.left, area.top, area.right, area.bottom, path, options & ~0x20u));
    if (buttons) {
        Rect copy = PlaceDesign(this, 20, -60, 270, -20);
        Insert(std::make_unique<TTextButton>(copy.left, copy.top, copy.right, copy.bottom, GetString(9, 13), -1, browser::kCopy,
                               button::kCentred));
        Rect save = PlaceDesign(this, -270, -60, -20, -20);
        Insert(std::make_unique<TTextButton>(save.left, save.top, save.right, save.bottom, GetString(9, 14), -1, browser::kSave,
                               button::kCentred));
    }
    FocusChild(viewer_);
    UnlockDraw();
}

bool TMiniBrowser::SaveText(const std::string& path) const
{
    TStringList lines;
    for (TElement* e = viewer_->Pieces().First(); e; e = e->Next())
        lines.AppendText(static_cast<dstring*>(e)->Text());
    // The texts folder is in the data folder, which other accounts may write.
    return lines.WriteLines(path.c_str(), platform::Trust::kShared);
}

void TMiniBrowser::AskName()
{
    if (!name_) {
        name_.reset(new char[21]);
        name_[0] = 0;
    }
    askingName_ = true;
    PushDialog(this, std::make_unique<TGetNameDialog>(Scaled(320), Scaled(200), GetString(9, 15), name_.get(), 20, 0));
}

void TMiniBrowser::TrySave()
{
    askingName_ = false;
    if (!name_ || name_[0] == 0)
        return;
    std::string folder = SavedTextFolder();
    MakeFolder(folder.c_str());
    std::string file = folder + "\\" + name_.get() + ".txt";
    if (!platform::FileExists(file) || overwrite_) {
        overwrite_ = 0;
        if (SaveText(file)) {
            // Where the teacher finds it, as the desktop writes it (in the
            // screen's Latin-1).
            std::string native = platform::NativePath(file), shown;
            platform::Utf8ToLatin1(native, shown);
            PushDialog(this, std::make_unique<TMessageDialog>(Scaled(320), Scaled(240), GetString(9, 16),
                                                              (shown.empty() ? native : shown).c_str(), 0));
        } else
            PushDialog(this, std::make_unique<TMessageDialog>(
                                 Scaled(320), Scaled(240), GetString(0, 11),
                                 UnwritableFileText(file, platform::LastFileError(), "").c_str(), 0));
        name_.reset();
        return;
    }
    pending_ = true;
    PushDialog(this, std::make_unique<TQueryDialog>(Scaled(320), Scaled(280), GetString(9, 17), &overwrite_, 0));
}

void TMiniBrowser::HandleEvent(TEvent& event)
{
    TDialog::HandleEvent(event);
    if (above)
        return;
    if (event.command == browser::kCopy) {
        bool copied = desktop::CopyTextFileToClipboard(path_);
        ShowMessage(this, GetString(0, 11), GetString(9, copied ? 18 : 19));
    } else if (event.command == browser::kSave) {
        overwrite_ = 0;
        AskName();
    } else if (askingName_) {
        TrySave();
    } else if (pending_) {
        pending_ = false;
        if (overwrite_)
            TrySave();
        else
            AskName();
    }
}
