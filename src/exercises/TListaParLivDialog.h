#pragma once
// The words of one level: add, modify, delete, and how many of them the
// child must hit. It works on copies and, when closed with yes, puts the
// level back in the exercise and saves the whole exercise at once.

#include "exercises/ExerciseEditing.h"
#include "exercises/MTQueryDialog.h"
#include "ui/TDialog.h"
#include "base/TStringList.h"

#include <cstdint>
#include <string>
#include <vector>

class TExerciseDocument;
class TInputLine;
class TListBox;
class TStaticText;
class TTextButton;

class TListaParLivDialog : public TDialog {
public:
    static constexpr int kWordLength = 25;

    // `position` is the level's 1-based place in the document; `saved` is
    // set when the exercise was written to its file.
    TListaParLivDialog(ExerciseEditing& editing, TExerciseDocument& document, int position, bool* saved);
    void HandleEvent(TEvent& event) override;
    void Idle() override;

    TStringList& Words() { return words_; }
    TStringList& Masks() { return masks_; }
    TStringList& ShownWords() { return shown_; }
    const std::string& Count() const { return count_; }
    bool Modified() const { return modified_; }
    TInputLine* Entry() const { return controls_.entry; }
    TListBox* WordList() const { return controls_.list; }
    TTextButton* Button(int command) const;

private:
    bool Completa() const;
    // A "Completa" word as the list shows it: the word and the child's view of it.
    static std::string Shown(const std::string& word, const std::string& mask);
    void LoadWords();
    void UpdateButtons();
    void StartAdd();
    void AddWord(const char* word, const std::string& mask);
    void StartModify();
    void ReplaceSelected(const char* word, const std::string& mask);
    void DeleteSelected();
    void AskClose();
    bool SaveLevel();
    void ActOnAnswers();
    void ShowCount();

    ExerciseEditing& editing_;
    TExerciseDocument& document_;
    int position_;
    bool* saved_;

    std::string count_, title_;
    TStringList words_, masks_;
    TStringList shown_;  // "Completa": what the list shows, one a word
    int selected_ = 0;
    bool modified_ = false;
    int decodeError_ = 0;
    // The word lines from a damaged one on, written back as they were.
    std::vector<std::string> unreadLines_;
    char entry_[kWordLength + 1] = {};

    // The dialog's controls (owned by the dialog as its views).
    struct Controls {
        TInputLine* entry = nullptr;
        TListBox* list = nullptr;
        TStaticText* count = nullptr;
        TTextButton* add = nullptr;
        TTextButton* modify = nullptr;
        TTextButton* remove = nullptr;
        TTextButton* changeCount = nullptr;
    } controls_;

    // The question or editor open above the dialog, and where it leaves
    // its answer for the next idle step.
    enum class Waiting { kNothing, kHiddenForAdd, kModifiedWord, kHiddenForModify, kDelete, kCount, kClose, kSaveMessage };
    Waiting waiting_ = Waiting::kNothing;
    struct Answers {
        std::string word, mask;  // the word whose hidden letters are chosen
        char modifiedWord[kWordLength + 1] = {};
        int hidden = 0, modify = 0;
        QueryAnswer close = QueryAnswer::kNone;
        std::uint8_t remove = 0;
    } answers_;
};
