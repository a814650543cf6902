#include "exercises/TListaParLivDialog.h"

#include "app/CommandQueue.h"
#include "app/Commands.h"
#include "exercises/EditorCommands.h"
#include "exercises/EditorMessages.h"
#include "exercises/ExerciseKinds.h"
#include "exercises/ExercisePaths.h"
#include "exercises/MListaParoleSelDialog.h"
#include "exercises/MTModParolaDialog.h"
#include "exercises/MTNumParDialog.h"
#include "exercises/MTQueryDialog.h"
#include "exercises/TExerciseDocument.h"
#include "exercises/WordLines.h"
#include "gfx/Screen.h"
#include "gfx/Text.h"
#include "resources/StringTable.h"
#include "ui/StandardDialogs.h"
#include "ui/TButton.h"
#include "ui/TCloseButton.h"
#include "ui/TInputLine.h"
#include "ui/TListBox.h"
#include "ui/TStaticText.h"
#include "base/dstring.h"
#include "session/Session.h"

#include <cstring>

TListaParLivDialog::TListaParLivDialog(ExerciseEditing& editing, TExerciseDocument& document, int position,
                                       bool* saved)
    : TDialog(theScreen.width / 64, theScreen.width / 64, theScreen.width - theScreen.width / 64,
              theScreen.height - theScreen.width / 64, dialog::kSaveBackground),
      editing_(editing), document_(document), position_(position), saved_(saved)
{
    LockDraw();
    if (closeButton_)
        closeButton_->SetCommand(command::kCloseMenu);
    LoadWords();

    int u = theScreen.width / 64, L = LineHeight();
    int column = right - 20 * u, columnRight = right - 3 * u, contentRight = column - 2 * u, bh = L + 2 * u;
    int y = top + 3 * u;
    std::string heading = std::string(GetString(50, 45)) + " " + title_;
    Insert(std::make_unique<TStaticText>(left + 3 * u, y, right - 5 * u, y + L - 1, heading.c_str(), 0));
    y += L + 2 * u;
    controls_.count = &Insert(std::make_unique<TStaticText>(left + 3 * u, y + u, contentRight, y + u + L - 1, "", 0));
    controls_.changeCount = &Insert(std::make_unique<TTextButton>(column, y, columnRight, y + bh, GetString(50, 35), -1, command::kChangeCount,
                                   button::kCentred));
    ShowCount();

    y += bh + 2 * u;
    const char* wordLabel = GetString(50, 29);
    int labelWidth = HotkeyTextWidth(wordLabel) + 2 * u;
    controls_.entry = &Insert(std::make_unique<TInputLine>(left + 3 * u + labelWidth, y, contentRight, y + bh, 0, entry_, kWordLength,
                                MTModParolaDialog::kWordCharacters));
    Insert(std::make_unique<TLabel>(left + 3 * u, y, left + 3 * u + labelWidth, y + bh, wordLabel, -1, controls_.entry,
                      statictext::kCentreDown));
    controls_.add = &Insert(std::make_unique<TTextButton>(column, y, columnRight, y + bh, GetString(50, 30), -1, command::kAddWord, button::kCentred));

    y += bh + 2 * u;
    controls_.list = &Insert(std::make_unique<TListBox>(left + 3 * u, y + L + u / 2, contentRight, bottom - 3 * u, 0,
                                               &selected_, Completa() ? &shown_ : &words_));
    Insert(std::make_unique<TLabel>(left + 3 * u, y, contentRight, y + L - 1, GetString(50, 31), 0, controls_.list, 0));
    int by = controls_.list->top;
    controls_.modify = &Insert(std::make_unique<TTextButton>(column, by, columnRight, by + bh, GetString(50, 3), -1, command::kModifyWord,
                              button::kCentred));
    by += bh + u;
    controls_.remove = &Insert(std::make_unique<TTextButton>(column, by, columnRight, by + bh, GetString(50, 4), -1, command::kDeleteWord,
                              button::kCentred));
    FocusChild(controls_.entry);
    UpdateButtons();
    UnlockDraw();
}

bool TListaParLivDialog::Completa() const
{
    return editing_.kind == exercise::kComplete;
}

std::string TListaParLivDialog::Shown(const std::string& word, const std::string& mask)
{
    // The word, then what the child sees: "casa (c_s_)".
    std::string line = exercise::EncodeWordLine(word, mask);
    return word + " (" + line.substr(0, line.find(' ')) + ")";
}

void TListaParLivDialog::LoadWords()
{
    TStringList* level = document_.Level(position_ - 1);
    if (!level)
        return;
    count_ = level->TextAt(1);
    title_ = level->TextAt(2);
    for (int i = 3; i < level->Count(); ++i) {
        if (!Completa()) {
            words_.AppendText(level->TextAt(i));
            continue;
        }
        std::string word, mask;
        decodeError_ = exercise::DecodeWordLine(level->TextAt(i), word, mask);
        if (decodeError_) {
            // The words before it are edited; it and those after it are kept.
            for (int rest = i; rest < level->Count(); ++rest)
                unreadLines_.push_back(level->TextAt(rest));
            break;
        }
        words_.AppendText(word.c_str());
        masks_.AppendText(mask.c_str());
        shown_.AppendText(Shown(word, mask).c_str());
    }
}

TTextButton* TListaParLivDialog::Button(int command) const
{
    for (TTextButton* b : {controls_.add, controls_.modify, controls_.remove, controls_.changeCount})
        if (b->Command() == command)
            return b;
    return nullptr;
}

void TListaParLivDialog::UpdateButtons()
{
    auto enable = [this](TTextButton* b, bool on) {
        if (b->Has(view::kEnabled) != on)
            b->SetState(view::kEnabled, on);
    };
    enable(controls_.add, entry_[0] != 0);
    enable(controls_.modify, selected_ > 0);
    enable(controls_.remove, selected_ > 0);
    if (current_ && !current_->Has(view::kEnabled))
        FocusChild(controls_.list);
}

void TListaParLivDialog::ShowCount()
{
    std::string text = std::string(GetString(50, 33)) + " " + count_;
    if (controls_.count->Text() == text)
        return;
    controls_.count->SetText(text.c_str());
    Draw();
}

void TListaParLivDialog::StartAdd()
{
    if (!entry_[0])
        return;
    if (!Completa()) {
        AddWord(entry_, std::string());
        return;
    }
    answers_.word = entry_;
    answers_.mask.assign(answers_.word.size(), '0');
    waiting_ = Waiting::kHiddenForAdd;
    PushDialog(this, std::make_unique<MListaParoleSelDialog>(answers_.word, answers_.mask, &answers_.hidden));
}

void TListaParLivDialog::AddWord(const char* word, const std::string& mask)
{
    words_.AppendText(word);
    if (Completa()) {
        masks_.AppendText(mask.c_str());
        shown_.AppendText(Shown(word, mask).c_str());
    }
    modified_ = true;
    entry_[0] = 0;
    FocusChild(controls_.entry);
    controls_.list->Draw();
    controls_.entry->Draw();
    UpdateButtons();
}

void TListaParLivDialog::StartModify()
{
    if (selected_ < 1)
        return;
    std::strncpy(answers_.modifiedWord, words_.TextAt(selected_ - 1), kWordLength);
    answers_.modifiedWord[kWordLength] = 0;
    answers_.modify = 0;
    waiting_ = Waiting::kModifiedWord;
    PushDialog(this, std::make_unique<MTModParolaDialog>(&answers_.modify, theScreen.width / 2, theScreen.height / 2,
                                           GetString(50, 52), answers_.modifiedWord, kWordLength));
}

void TListaParLivDialog::ReplaceSelected(const char* word, const std::string& mask)
{
    if (selected_ < 1 || selected_ > words_.Count())
        return;
    words_.StringAt(selected_ - 1)->SetText(word);
    if (Completa()) {
        masks_.StringAt(selected_ - 1)->SetText(mask.c_str());
        shown_.StringAt(selected_ - 1)->SetText(Shown(word, mask).c_str());
    }
    modified_ = true;
}

void TListaParLivDialog::DeleteSelected()
{
    if (selected_ < 1 || selected_ > words_.Count())
        return;
    words_.Remove(words_.At(selected_ - 1));
    if (Completa()) {
        masks_.Remove(masks_.At(selected_ - 1));
        shown_.Remove(shown_.At(selected_ - 1));
    }
    selected_ = 0;
    modified_ = true;
    controls_.list->Draw();
}

void TListaParLivDialog::HandleEvent(TEvent& event)
{
    TDialog::HandleEvent(event);
    int cx = theScreen.width / 2, cy = theScreen.height / 2;
    switch (event.command) {
    case command::kChosen:
        // Enter in the entry line adds the word; on the list it modifies one.
        if (current_ == controls_.entry && controls_.add->Has(view::kEnabled))
            PostCommand(command::kAddWord);
        else if (current_ == controls_.list && selected_)
            PostCommand(command::kModifyWord);
        break;
    case command::kAddWord: StartAdd(); break;
    case command::kModifyWord: StartModify(); break;
    case command::kDeleteWord:
        if (selected_) {
            answers_.remove = 0;
            waiting_ = Waiting::kDelete;
            PushDialog(this, std::make_unique<TQueryDialog>(cx, cy, GetString(50, 32), &answers_.remove, dialog::kSaveBackground));
        }
        break;
    case command::kChangeCount:
        modified_ = true;
        waiting_ = Waiting::kCount;
        PushDialog(this, std::make_unique<MTNumParDialog>(GetString(50, 36), count_));
        break;
    case command::kCloseMenu: AskClose(); break;
    default: break;
    }
}

void TListaParLivDialog::AskClose()
{
    if (!modified_) {
        CloseDialog(this);
        return;
    }
    waiting_ = Waiting::kClose;
    PushDialog(this, std::make_unique<MTQueryDialog>(theScreen.width / 2, theScreen.height / 2, GetString(50, 49), &answers_.close));
}

bool TListaParLivDialog::SaveLevel()
{
    auto* level = new TStringList;
    level->AppendText("");
    level->AppendText(count_.c_str());
    level->AppendText(title_.c_str());
    for (int i = 0; i < words_.Count(); ++i)
        level->AppendText(Completa() ? exercise::EncodeWordLine(words_.TextAt(i), masks_.TextAt(i)).c_str()
                                     : words_.TextAt(i));
    for (const std::string& line : unreadLines_)
        level->AppendText(line.c_str());
    TList& levels = document_.Levels();
    TElement* old = levels.At(position_ - 1);
    if (old) {
        levels.InsertAfter(old, level);
        levels.Remove(old);
    } else {
        levels.Append(level);
    }
    bool saved = document_.Save(editing_.path.c_str(), editing_.kind);
    theSession.exerciseListChanged = true;
    if (saved && saved_)
        *saved_ = true;
    return saved;
}

void TListaParLivDialog::ActOnAnswers()
{
    Waiting was = waiting_;
    waiting_ = Waiting::kNothing;
    switch (was) {
    case Waiting::kHiddenForAdd:
        if (answers_.hidden == 2)
            AddWord(answers_.word.c_str(), answers_.mask);
        break;
    case Waiting::kModifiedWord:
        if (answers_.modify != 1)
            break;
        if (!Completa()) {
            ReplaceSelected(answers_.modifiedWord, std::string());
            break;
        }
        // The old hidden letters stay only for the same word.
        answers_.word = answers_.modifiedWord;
        if (answers_.word == words_.TextAt(selected_ - 1))
            answers_.mask = masks_.TextAt(selected_ - 1);
        else
            answers_.mask.assign(answers_.word.size(), '0');
        waiting_ = Waiting::kHiddenForModify;
        PushDialog(this, std::make_unique<MListaParoleSelDialog>(answers_.word, answers_.mask, &answers_.hidden));
        break;
    case Waiting::kHiddenForModify:
        if (answers_.hidden == 2)
            ReplaceSelected(answers_.word.c_str(), answers_.mask);
        break;
    case Waiting::kDelete:
        if (answers_.remove)
            DeleteSelected();
        break;
    case Waiting::kCount: ShowCount(); break;
    case Waiting::kClose:
        if (answers_.close == QueryAnswer::kNo) {
            CloseDialog(this);
        } else if (answers_.close == QueryAnswer::kYes) {
            modified_ = false;
            if (SaveLevel()) {
                CloseDialog(this);
            } else {
                waiting_ = Waiting::kSaveMessage;
                ShowEditorMessage(this, GetString(50, 19));
            }
        }
        break;
    case Waiting::kSaveMessage: CloseDialog(this); break;
    case Waiting::kNothing: break;
    }
}

void TListaParLivDialog::Idle()
{
    TDialog::Idle();
    if (above)
        return;
    if (decodeError_) {
        int code = decodeError_;
        decodeError_ = 0;
        ShowEditorMessage(this, GetString(50, code));
        return;
    }
    if (waiting_ != Waiting::kNothing)
        ActOnAnswers();
    UpdateButtons();
}
