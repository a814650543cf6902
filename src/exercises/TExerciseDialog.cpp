#include "exercises/TExerciseDialog.h"

#include "exercises/EditorCommands.h"
#include "exercises/TTipoEseDialog.h"
#include "resources/StringTable.h"

TExerciseDialog::TExerciseDialog()
    : TLineMenuDialog(GetString(50, 1), {GetString(50, 2), GetString(50, 3), GetString(50, 4)}, command::kNewExercise)
{
}

void TExerciseDialog::HandleEvent(TEvent& event)
{
    TLineMenuDialog::HandleEvent(event);
    int c = event.command;
    if (c >= command::kNewExercise && c <= command::kDeleteExercise) {
        editing_.operation = ExerciseEditing::kNew + (c - command::kNewExercise);
        PushDialog(this, std::make_unique<TTipoEseDialog>(editing_));
    }
}
