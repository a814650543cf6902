#pragma once
// The teacher's way into the exercises: new, modify or delete. It holds what
// the editors opened from it share, and opens the kind chooser.

#include "exercises/ExerciseEditing.h"
#include "ui/TLineMenuDialog.h"

class TExerciseDialog : public TLineMenuDialog {
public:
    TExerciseDialog();
    void HandleEvent(TEvent& event) override;

    ExerciseEditing& Editing() { return editing_; }

private:
    ExerciseEditing editing_;
};
