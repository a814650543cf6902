#include "users/TUserMenuDialog.h"

#include "gfx/Screen.h"
#include "resources/StringTable.h"
#include "ui/StandardDialogs.h"
#include "users/TDataFile.h"
#include "users/TSelectUserDialog.h"

#include <utility>

TUserMenuDialog::TUserMenuDialog(const char* heading, const std::vector<const char*>& lines, int firstCommand,
                                 int payloadSize)
    : TLineMenuDialog(heading, lines, firstCommand), payloadSize_(payloadSize)
{
}

void TUserMenuDialog::ChooseUser(int command, const char* title)
{
    chosen_.clear();
    if (TDataFile(payloadSize_).Count() == 0) {
        Tell(GetString(0, 11), GetString(7, 13));
        return;
    }
    pending_ = command;
    waiting_ = Waiting::kChooser;
    PushDialog(this, std::make_unique<TSelectUserDialog>(Scaled(120), Scaled(30), Scaled(520), Scaled(450), title, &chosen_,
                                           payloadSize_));
}

void TUserMenuDialog::Ask(const char* question, const std::string& name, std::function<void()> onYes)
{
    std::string text = std::string(question) + " " + name + "?";
    answer_ = 0;
    onYes_ = std::move(onYes);
    waiting_ = Waiting::kQuestion;
    PushDialog(this, std::make_unique<TQueryDialog>(theScreen.width / 2, theScreen.height / 2, text.c_str(), &answer_,
                                      dialog::kSaveBackground));
}

void TUserMenuDialog::Tell(const char* title, const char* text)
{
    ShowMessage(this, title, text);
}

void TUserMenuDialog::Idle()
{
    TLineMenuDialog::Idle();
    if (above)
        return;
    Waiting was = waiting_;
    waiting_ = Waiting::kNothing;
    if (was == Waiting::kChooser && !chosen_.empty()) {
        CarryOut(pending_, chosen_);
    } else if (was == Waiting::kQuestion && answer_) {
        auto onYes = std::move(onYes_);
        onYes_ = nullptr;
        onYes();
    }
}
