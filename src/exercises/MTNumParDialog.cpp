#include "exercises/MTNumParDialog.h"

#include "exercises/EditorMessages.h"
#include "exercises/WordLines.h"
#include "gfx/Screen.h"
#include "resources/StringTable.h"

#include <cstring>

CountEntry::CountEntry(const std::string& count)
{
    std::strncpy(entry_, count.c_str(), sizeof entry_ - 1);
}

MTNumParDialog::MTNumParDialog(const char* prompt, std::string& count)
    : CountEntry(count), TGetNameDialog(theScreen.width / 2, theScreen.height / 2, prompt, entry_, kMaxDigits, dialog::kSaveBackground,
                     inputline::kDigits),
      count_(count)
{
}

bool MTNumParDialog::Accept()
{
    int value = 0;
    if (!exercise::ParseWordCount(entry_, value)) {
        ShowEditorMessage(this, GetString(50, 37));
        return false;
    }
    count_ = std::to_string(value);
    std::strncpy(entry_, count_.c_str(), sizeof entry_ - 1);
    return true;
}
