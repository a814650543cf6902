#include "exercises/TTipoEseDialog.h"

#include "app/CommandQueue.h"
#include "exercises/EditorCommands.h"
#include "exercises/EditorMessages.h"
#include "exercises/ExercisePaths.h"
#include "exercises/TListaEseDialog.h"
#include "exercises/TListaLivDialog.h"
#include "gfx/Screen.h"
#include "resources/StringTable.h"
#include "ui/StandardDialogs.h"
#include "session/Session.h"

#include <cstdio>

TTipoEseDialog::TTipoEseDialog(ExerciseEditing& editing)
    : TLineMenuDialog(GetString(4, 105), {GetString(4, 106), GetString(4, 107), GetString(4, 108)},
                      command::kKindLevels),
      editing_(editing)
{
    editing_.kind = 0;
}

void TTipoEseDialog::HandleEvent(TEvent& event)
{
    TLineMenuDialog::HandleEvent(event);
    int c = event.command;
    if (c >= command::kKindLevels && c <= command::kKindKeys) {
        editing_.kind = 1 + (c - command::kKindLevels);
        if (editing_.operation != ExerciseEditing::kNew) {
            PushDialog(this, std::make_unique<TListaEseDialog>(editing_));
            return;
        }
        editing_.path.clear();
        editing_.name[0] = 0;
        askingName_ = true;
        // A name as a teacher writes it: "Le doppie", "Città", "L'orto".
        // Only what no file name can hold (\ / : * ? " < > |) is refused.
        PushDialog(this, std::make_unique<TGetNameDialog>(theScreen.width / 2, theScreen.height / 2, GetString(50, 15), editing_.name,
                                            ExerciseEditing::kNameLength, dialog::kSaveBackground,
                                            inputline::kLetters | inputline::kDigits | inputline::kUnderscore |
                                                inputline::kSpace | inputline::kAccentedLetters | inputline::kHyphen |
                                                inputline::kApostrophe | inputline::kComma));
    } else if (c == command::kOpenNewExercise) {
        PushDialog(this, std::make_unique<TListaLivDialog>(editing_));
    }
}

void TTipoEseDialog::Idle()
{
    TLineMenuDialog::Idle();
    if (above)
        return;
    if (askingName_) {
        askingName_ = false;
        if (editing_.name[0])
            NameGiven();
    } else if (askingOverwrite_) {
        askingOverwrite_ = false;
        if (overwrite_)
            CreateAndOpen();
    }
}

void TTipoEseDialog::NameGiven()
{
    std::string name = ExerciseFileName(editing_.name);
    std::snprintf(editing_.name, sizeof editing_.name, "%s", name.c_str());
    if (name.empty())
        return;
    editing_.path = ExercisePath(editing_.kind, editing_.name);
    editing_.shownName = ExerciseShownName(editing_.name);
    editing_.name[0] = 0;
    if (!ExerciseExists(editing_.path)) {
        CreateAndOpen();
        return;
    }
    overwrite_ = 0;
    askingOverwrite_ = true;
    PushDialog(this, std::make_unique<TQueryDialog>(theScreen.width / 2, theScreen.height / 2, GetString(9, 17), &overwrite_,
                                      dialog::kSaveBackground));
}

void TTipoEseDialog::CreateAndOpen()
{
    if (!CreateEmptyExercise(editing_.path)) {
        ShowEditorMessage(this, GetString(50, 16));
        return;
    }
    theSession.exerciseListChanged = true;
    PostCommand(command::kOpenNewExercise);
}
