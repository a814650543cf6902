#pragma once
// The file chooser of the editors: the exercises of the kind under edit,
// and one button that modifies or deletes the chosen one. Enter or a double
// click on a name does the same as the button.

#include "exercises/ExerciseEditing.h"
#include "ui/TDialog.h"

#include <cstdint>

class TFileListBox;
class TTextButton;

class TListaEseDialog : public TDialog {
public:
    explicit TListaEseDialog(ExerciseEditing& editing);
    void HandleEvent(TEvent& event) override;
    void Idle() override;

    TFileListBox* Files() const { return files_; }
    TTextButton* ActionButton() const { return action_; }

private:
    void AskDelete();
    void Delete();

    ExerciseEditing& editing_;
    TFileListBox* files_ = nullptr;
    TTextButton* action_ = nullptr;
    int actionCommand_;
    bool askingDelete_ = false;
    std::uint8_t deleteConfirmed_ = 0;
};
