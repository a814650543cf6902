#pragma once
// A small dialog centred on the screen: a heading and a column of menu
// lines, each posting its own command (the first line `firstCommand`, the
// next one more, and so on). The first line has the focus.

#include "ui/TDialog.h"

#include <vector>

class TLineMenuDialog : public TDialog {
public:
    TLineMenuDialog(const char* heading, const std::vector<const char*>& lines, int firstCommand);
};
