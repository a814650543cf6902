#pragma once
// The level list of one exercise: new, edit, delete, up, down and rename.
// It holds the exercise in memory while it is open and asks to save it
// when it closes with changes.

#include "exercises/ExerciseEditing.h"
#include "exercises/MTQueryDialog.h"
#include "exercises/TExerciseDocument.h"
#include "ui/TDialog.h"

#include <cstddef>
#include <cstdint>
#include <string>

class TListBox;
class TTextButton;

class TListaLivDialog : public TDialog {
public:
    explicit TListaLivDialog(ExerciseEditing& editing);
    void HandleEvent(TEvent& event) override;
    void Idle() override;

    TExerciseDocument& Document() { return document_; }
    int Selected() const { return selected_; }
    bool Modified() const { return modified_; }
    TListBox* Levels() const { return levels_; }
    TTextButton* Button(int command) const;
    // Gives the selected level a new title (the rename dialog calls it).
    void RenameSelected(const char* title);

private:
    void UpdateButtons();
    void SelectLevel(int position);
    void AppendLevel(const char* title);
    void DeleteSelected();
    void MoveSelected(int by);
    void AskClose();
    // For "Tasti": the keys past the 39 a game takes, and the words that
    // use them; empty when there are none.
    std::string LeftOutWarning() const;
    static constexpr std::size_t kWordsNamed = 5;
    void AnswerClose();
    void ActOnAnswers();

    ExerciseEditing& editing_;
    TExerciseDocument document_;
    TListBox* levels_ = nullptr;
    TTextButton* buttons_[6] = {};
    int selected_ = 0;
    int shownSelection_ = -1;
    bool modified_ = false;
    int loadError_ = 0;
    int loadErrorLine_ = 0;

    enum class Waiting { kNothing, kNewTitle, kDelete, kClose, kWordEditor, kSaveMessage };
    Waiting waiting_ = Waiting::kNothing;
    QueryAnswer closeAnswer_ = QueryAnswer::kNone;
    std::uint8_t deleteAnswer_ = 0;
    bool wordEditorSaved_ = false;
    char newTitle_[ExerciseEditing::kNameLength + 1] = {};
    char renameTitle_[ExerciseEditing::kNameLength + 1] = {};
};
