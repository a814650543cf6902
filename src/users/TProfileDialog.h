#pragma once
// The profile menu: load a child's saved settings, save the current ones
// under the current name, put a shortcut that starts a child's game on the
// desktop, or delete a child's profile with all their results.

#include "users/TUserMenuDialog.h"

class TProfileDialog : public TUserMenuDialog {
public:
    TProfileDialog();
    void HandleEvent(TEvent& event) override;

private:
    void CarryOut(int command, const std::string& name) override;
    void SaveCurrent();
    // Tells what the data folder's files said, or `otherwise`.
    void TellProblem(const char* otherwise);
};
