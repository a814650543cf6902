#pragma once
// Which kind of exercise to work on. For a new exercise it then asks for
// the name (and whether to replace an exercise of that name) and opens the
// level list; otherwise it opens the file chooser.

#include "exercises/ExerciseEditing.h"
#include "ui/TLineMenuDialog.h"

#include <cstdint>

class TTipoEseDialog : public TLineMenuDialog {
public:
    explicit TTipoEseDialog(ExerciseEditing& editing);
    void HandleEvent(TEvent& event) override;
    void Idle() override;

private:
    void NameGiven();
    void CreateAndOpen();

    ExerciseEditing& editing_;
    bool askingName_ = false;
    bool askingOverwrite_ = false;
    std::uint8_t overwrite_ = 0;
};
