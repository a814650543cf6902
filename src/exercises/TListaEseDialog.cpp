#include "exercises/TListaEseDialog.h"

#include "app/CommandQueue.h"
#include "app/Commands.h"
#include "exercises/EditorCommands.h"
#include "exercises/EditorMessages.h"
#include "exercises/ExerciseKinds.h"
#include "exercises/ExercisePaths.h"
#include "exercises/TListaLivDialog.h"
#include "gfx/Screen.h"
#include "gfx/Text.h"
#include "platform/Files.h"
#include "resources/StringTable.h"
#include "resources/TFileList.h"
#include "ui/StandardDialogs.h"
#include "ui/TButton.h"
#include "ui/TListBox.h"
#include "ui/TStaticText.h"
#include "base/TextHelpers.h"
#include "session/Session.h"

#include <algorithm>
#include <string>

namespace {

constexpr int kListFlags = TFileList::kFiles | TFileList::kCutAtFirstDot;
constexpr int kRows = 8;

}  // namespace

TListaEseDialog::TListaEseDialog(ExerciseEditing& editing)
    : TDialog(0, 0, 0, 0, dialog::kSaveBackground), editing_(editing)
{
    LockDraw();
    bool modify = editing_.operation == ExerciseEditing::kModify;
    actionCommand_ = modify ? command::kOpenChosenExercise : command::kDeleteChosenExercise;
    const char* actionText = GetString(50, modify ? 3 : 4);
    int u = theScreen.width / 64, L = LineHeight();
    int w = 40 * u, listHeight = kRows * (L + 2) + 5, buttonHeight = L + 2 * u;
    int h = 3 * u + L + u + listHeight + 2 * u + buttonHeight + 3 * u;
    int cx = theScreen.width / 2, cy = theScreen.height / 2;
    Resize(cx - w / 2, cy - h / 2, cx - w / 2 + w, cy - h / 2 + h);

    int y = top + 3 * u;
    const char* kindFolder = exercise::KindFolder(editing_.kind);
    const char* extension = exercise::KindExtension(editing_.kind);
    files_ = &Insert(std::make_unique<TFileListBox>(left + 3 * u, y + L + u, right - 3 * u, y + L + u + listHeight, 0, editing_.name,
                              sizeof editing_.name, KindFolderPath(editing_.kind).c_str(), extension ? extension : "",
                              kListFlags));
    files_->SetPresentation(ExerciseShownName);
    // The label's hot letter would clash with the delete button's, so it
    // names the list without one; the list has the focus anyway.
    std::string label = WithoutHotkeyMarks(GetString(4, 109));
    if (kindFolder)
        label += " (" + WithoutHotkeyMarks(GetString(4, 105 + editing_.kind)) + ")";
    Insert(std::make_unique<TStaticText>(left + 3 * u, y, right - 5 * u, y + L, label.c_str(), 0));

    y = files_->bottom + 2 * u;
    int bw = std::max(HotkeyTextWidth(actionText) + 4 * u, 14 * u);
    action_ = &Insert(std::make_unique<TTextButton>(cx - bw / 2, y, cx + bw / 2, y + buttonHeight, actionText, -1, actionCommand_,
                              button::kCentred));
    action_->SetState(view::kEnabled, editing_.name[0] != 0);
    FocusChild(files_);
    UnlockDraw();
}

void TListaEseDialog::HandleEvent(TEvent& event)
{
    TDialog::HandleEvent(event);
    int c = event.command;
    if (c == command::kChosen && editing_.name[0]) {
        PostCommand(actionCommand_);
    } else if (c == command::kOpenChosenExercise && editing_.name[0]) {
        editing_.path = ExercisePath(editing_.kind, editing_.name);
        editing_.shownName = ExerciseShownName(editing_.name);
        PushDialog(this, std::make_unique<TListaLivDialog>(editing_));
    } else if (c == command::kDeleteChosenExercise && editing_.name[0]) {
        AskDelete();
    }
}

void TListaEseDialog::AskDelete()
{
    std::string question = std::string(GetString(50, 12)) + " " + ExerciseShownName(editing_.name) + "?";
    deleteConfirmed_ = 0;
    askingDelete_ = true;
    PushDialog(this, std::make_unique<TQueryDialog>(theScreen.width / 2, theScreen.height / 2, question.c_str(), &deleteConfirmed_,
                                      dialog::kSaveBackground));
}

void TListaEseDialog::Delete()
{
    std::string path = ExercisePath(editing_.kind, editing_.name);
    bool removed = platform::RemoveFile(path);
    const char* extension = exercise::KindExtension(editing_.kind);
    files_->Rescan(KindFolderPath(editing_.kind).c_str(), extension ? extension : "", kListFlags);
    theSession.exerciseListChanged = true;
    Draw();
    if (!removed)
        ShowEditorMessage(this, GetString(50, 13));
}

void TListaEseDialog::Idle()
{
    TDialog::Idle();
    bool chosen = editing_.name[0] != 0;
    if (action_->Has(view::kEnabled) != chosen)
        action_->SetState(view::kEnabled, chosen);
    if (askingDelete_ && !above) {
        askingDelete_ = false;
        if (deleteConfirmed_)
            Delete();
    }
}
