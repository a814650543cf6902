#pragma once
// The results archive: show a child's results in the browser, print them,
// or delete them; a child's progress, the class table and the export of the
// statistics. The report file it writes goes when the dialog closes.

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
    // The statistics' files in the documents folder, and where they went.
    void ExportStatistics();
    void ShowProgress(const std::string& name);

    ReportFormatter formatter_;
    std::string reportPath_;
};
