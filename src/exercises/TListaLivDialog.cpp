#include "exercises/TListaLivDialog.h"

#include "app/CommandQueue.h"
#include "app/Commands.h"
#include "exercises/EditorCommands.h"
#include "exercises/EditorMessages.h"
#include "exercises/ExerciseKinds.h"
#include "exercises/ExercisePaths.h"
#include "exercises/MTGetNameDialog.h"
#include "exercises/MTQueryDialog.h"
#include "exercises/TListaParLivDialog.h"
#include "gfx/Screen.h"
#include "gfx/Text.h"
#include "resources/StringTable.h"
#include "ui/StandardDialogs.h"
#include "ui/TButton.h"
#include "ui/TCloseButton.h"
#include "ui/TListBox.h"
#include "ui/TStaticText.h"
#include "base/TStringList.h"
#include "base/dstring.h"
#include "session/Session.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace {

// The buttons top to bottom: their texts and commands.
constexpr struct {
    int text, command;
} kButtons[6] = {{42, command::kNewLevel},  {3, command::kEditLevel},  {4, command::kDeleteLevel},
                 {43, command::kLevelUp},   {44, command::kLevelDown}, {47, command::kRenameLevel}};

}  // namespace

TListaLivDialog::TListaLivDialog(ExerciseEditing& editing)
    : TDialog(theScreen.width / 64, theScreen.width / 64, theScreen.width - theScreen.width / 64,
              theScreen.height - theScreen.width / 64, dialog::kSaveBackground),
      editing_(editing)
{
    LockDraw();
    if (closeButton_)
        closeButton_->SetCommand(command::kCloseMenu);
    loadError_ = document_.Load(editing_.path.c_str());
    loadErrorLine_ = document_.ErrorLine();

    int u = theScreen.width / 64, L = LineHeight();
    std::string heading = std::string(GetString(50, 46)) + " " + editing_.shownName;
    int y = top + 3 * u;
    Insert(std::make_unique<TStaticText>(left + 3 * u, y, right - 5 * u, y + L - 1, heading.c_str(), 0));
    y += L + 2 * u;
    int column = right - 20 * u;
    levels_ = &Insert(std::make_unique<TListBox>(left + 3 * u, y + L + u / 2, column - 2 * u, bottom - 3 * u, 0, &selected_,
                           &document_.Titles()));
    Insert(std::make_unique<TLabel>(left + 3 * u, y, column - 2 * u, y + L - 1, GetString(50, 14), 0, levels_, 0));
    int by = levels_->top, bh = L + 2 * u;
    for (int i = 0; i < 6; ++i, by += bh + u) {
        buttons_[i] = &Insert(std::make_unique<TTextButton>(column, by, right - 3 * u, by + bh,
                                                            GetString(50, kButtons[i].text), -1, kButtons[i].command,
                                                            button::kCentred));
    }
    FocusChild(document_.LevelCount() ? static_cast<TView*>(levels_) : buttons_[0]);
    UpdateButtons();
    UnlockDraw();
}

TTextButton* TListaLivDialog::Button(int command) const
{
    for (int i = 0; i < 6; ++i)
        if (kButtons[i].command == command)
            return buttons_[i];
    return nullptr;
}

void TListaLivDialog::UpdateButtons()
{
    int count = document_.LevelCount();
    bool any = selected_ > 0;
    bool enabled[6] = {true, any, any, count >= 2 && selected_ > 1, count >= 2 && any && selected_ < count, any};
    for (int i = 0; i < 6; ++i)
        if (buttons_[i]->Has(view::kEnabled) != enabled[i])
            buttons_[i]->SetState(view::kEnabled, enabled[i]);
    // The focus never stays on a button that can no longer be pressed.
    if (current_ && !current_->Has(view::kEnabled))
        FocusChild(levels_);
    shownSelection_ = selected_;
}

void TListaLivDialog::SelectLevel(int position)
{
    levels_->Select(position);
    levels_->Draw();
    UpdateButtons();
}

void TListaLivDialog::AppendLevel(const char* title)
{
    auto* level = new TStringList;
    level->AppendText("");
    level->AppendText("5");
    level->AppendText(title);
    document_.Levels().Append(level);
    document_.Titles().AppendText(title);
    modified_ = true;
    SelectLevel(document_.LevelCount());
}

void TListaLivDialog::RenameSelected(const char* title)
{
    if (selected_ < 1 || selected_ > document_.LevelCount())
        return;
    document_.Titles().StringAt(selected_ - 1)->SetText(title);
    document_.Level(selected_ - 1)->StringAt(2)->SetText(title);
    modified_ = true;
}

void TListaLivDialog::DeleteSelected()
{
    if (selected_ < 1 || selected_ > document_.LevelCount())
        return;
    document_.Levels().Remove(document_.Levels().At(selected_ - 1));
    document_.Titles().Remove(document_.Titles().At(selected_ - 1));
    modified_ = true;
    SelectLevel(0);
}

void TListaLivDialog::MoveSelected(int by)
{
    int from = selected_ - 1, to = from + by;
    if (selected_ < 1 || to < 0 || to >= document_.LevelCount())
        return;
    document_.Levels().Swap(from, to);
    document_.Titles().Swap(from, to);
    modified_ = true;
    SelectLevel(to + 1);
}

void TListaLivDialog::HandleEvent(TEvent& event)
{
    TDialog::HandleEvent(event);
    int u = theScreen.width / 2, v = theScreen.height / 2;
    switch (event.command) {
    case command::kNewLevel:
        newTitle_[0] = 0;
        waiting_ = Waiting::kNewTitle;
        PushDialog(this, std::make_unique<MTGetNameDialog>(MTGetNameDialog::kNewTitle, u, v, GetString(50, 28), newTitle_,
                                             ExerciseEditing::kNameLength));
        break;
    case command::kChosen:
        if (current_ == levels_ && selected_)
            PostCommand(command::kEditLevel);
        break;
    case command::kEditLevel:
        if (selected_) {
            wordEditorSaved_ = false;
            waiting_ = Waiting::kWordEditor;
            PushDialog(this, std::make_unique<TListaParLivDialog>(editing_, document_, selected_, &wordEditorSaved_));
        }
        break;
    case command::kDeleteLevel:
        if (selected_) {
            deleteAnswer_ = 0;
            waiting_ = Waiting::kDelete;
            PushDialog(this, std::make_unique<TQueryDialog>(u, v, GetString(50, 27), &deleteAnswer_, dialog::kSaveBackground));
        }
        break;
    case command::kLevelUp: MoveSelected(-1); break;
    case command::kLevelDown: MoveSelected(1); break;
    case command::kRenameLevel:
        if (selected_) {
            std::strncpy(renameTitle_, document_.Titles().TextAt(selected_ - 1), sizeof renameTitle_ - 1);
            PushDialog(this, std::make_unique<MTGetNameDialog>(MTGetNameDialog::kRename, u, v, GetString(50, 48), renameTitle_,
                                                 ExerciseEditing::kNameLength,
                                                 [this](const char* title) { RenameSelected(title); }));
        }
        break;
    case command::kCloseMenu: AskClose(); break;
    default: break;
    }
    if (selected_ != shownSelection_)
        UpdateButtons();
}

void TListaLivDialog::AskClose()
{
    if (!modified_) {
        CloseDialog(this);
        return;
    }
    std::string question = GetString(50, 49);
    if (editing_.kind == exercise::kKeys)
        question = std::string(GetString(50, 40)) + " " + document_.KeySet() + ". " + LeftOutWarning() +
                   GetString(50, 41);
    waiting_ = Waiting::kClose;
    PushDialog(this, std::make_unique<MTQueryDialog>(theScreen.width / 2, theScreen.height / 2, question.c_str(), &closeAnswer_));
}

std::string TListaLivDialog::LeftOutWarning() const
{
    std::string keys = document_.LeftOutKeys();
    if (keys.empty())
        return std::string();
    // The teacher learns which words a child could never finish typing.
    std::vector<std::string> words = document_.WordsUsing(keys);
    std::string list;
    for (std::size_t i = 0; i < words.size() && i < kWordsNamed; ++i)
        list += (i ? ", " : "") + words[i];
    if (words.size() > kWordsNamed)
        list += ", ...";
    return std::string(GetString(50, 54)) + " " + keys + " " + GetString(50, 55) + " " + list + ". ";
}

void TListaLivDialog::AnswerClose()
{
    if (closeAnswer_ == QueryAnswer::kNone)
        return;
    if (closeAnswer_ == QueryAnswer::kNo) {
        CloseDialog(this);
        return;
    }
    modified_ = false;
    bool saved = document_.Save(editing_.path.c_str(), editing_.kind);
    theSession.exerciseListChanged = true;
    if (saved) {
        CloseDialog(this);
        return;
    }
    // The old file is still whole; the editor closes once the teacher has
    // read why nothing was saved.
    waiting_ = Waiting::kSaveMessage;
    ShowEditorMessage(this, GetString(50, 19));
}

void TListaLivDialog::ActOnAnswers()
{
    Waiting was = waiting_;
    waiting_ = Waiting::kNothing;
    switch (was) {
    case Waiting::kNewTitle:
        if (newTitle_[0]) {
            AppendLevel(newTitle_);
            PostCommand(command::kEditLevel);
        }
        break;
    case Waiting::kDelete:
        if (deleteAnswer_)
            DeleteSelected();
        break;
    case Waiting::kClose: AnswerClose(); break;
    case Waiting::kWordEditor:
        // The word editor saved the whole exercise: nothing is left to save.
        if (wordEditorSaved_)
            modified_ = false;
        break;
    case Waiting::kSaveMessage: CloseDialog(this); break;
    case Waiting::kNothing: break;
    }
}

void TListaLivDialog::Idle()
{
    TDialog::Idle();
    if (above)
        return;
    if (loadError_) {
        int code = loadError_;
        loadError_ = 0;
        ShowEditorMessage(this, exercise::ErrorLineTitle(loadErrorLine_).c_str(), GetString(50, code));
        return;
    }
    if (waiting_ != Waiting::kNothing)
        ActOnAnswers();
    if (selected_ != shownSelection_)
        UpdateButtons();
}
