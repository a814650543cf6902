#pragma once
// The results archive: show a child's results in the browser, print them,
// or delete them. The report file it writes goes when the dialog closes.

#include "users/ReportFormatter.h"
#include "users/TUserMenuDialog.h"

class TArchiveDialog : public TUserMenuDialog {
public:
    TArchiveDialog();
    ~TArchiveDialog() override;
    void HandleEvent(TEvent& event) override;

private:
    void CarryOut(int command, const std::string& name) override;
    // Writes the child's report; false (and says so) when there is none.
    bool Export(const std::string& name, int mode);

    ReportFormatter formatter_;
    std::string reportPath_;
};
