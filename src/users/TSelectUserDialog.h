#pragma once
// Picks one child from the profiles, in the order they were saved. OK or
// Enter on a row puts a copy of the name in the caller's string; closing it
// any other way, or with no row chosen, leaves the string empty.

#include "ui/TDialog.h"
#include "base/TStringList.h"

#include <string>

class TListBox;

class TSelectUserDialog : public TDialog {
public:
    TSelectUserDialog(int left, int top, int right, int bottom, const char* title, std::string* chosen, int payloadSize);
    void HandleEvent(TEvent& event) override;

    TListBox* Names() const { return list_; }

private:
    std::string* chosen_;
    TStringList names_;
    int selected_ = 0;
    TListBox* list_ = nullptr;
};
