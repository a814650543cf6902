#include "exercises/MTGetNameDialog.h"

#include <utility>

MTGetNameDialog::MTGetNameDialog(int mode, int cx, int cy, const char* prompt, char* title, int maxLength,
                                 std::function<void(const char*)> rename)
    : TGetNameDialog(cx, cy, prompt, title, maxLength, dialog::kSaveBackground, kTitleCharacters), mode_(mode),
      rename_(std::move(rename))
{
}

bool MTGetNameDialog::Accept()
{
    if (!buffer_[0])
        return false;
    if (mode_ == kRename) {
        if (rename_)
            rename_(buffer_);
        buffer_[0] = 0;
    }
    return true;
}
