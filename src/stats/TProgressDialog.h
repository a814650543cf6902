#pragma once
// One child's progress on one screen: the summary, the chart of the latest
// games, the keyboard coloured by the letters missed, the letters and words
// missed most, and the last game word by word in a list. Its buttons make
// an exercise of the child's own and print the page.

#include "base/TStringList.h"
#include "stats/ProgressPage.h"
#include "stats/TailoredExercise.h"
#include "ui/TDialog.h"

#include <functional>
#include <string>

class TProgressDialog : public TDialog {
public:
    // `select` makes an exercise of the child's own theirs (the profiles
    // live above this screen).
    using ExerciseChoice = std::function<bool(const stats::TailoredExercise& made)>;
    TProgressDialog(int childId, const std::string& name, ExerciseChoice select = nullptr);
    void HandleEvent(TEvent& event) override;
    const stats::ProgressPage& Page() const { return page_; }

private:
    // Lines from y down; those that would reach below `lowest` are left out.
    void AddLines(int x, int& y, int right, const std::vector<std::string>& lines, int lowest = 1 << 30);
    void MakeTailoredExercise();
    void PrintPage();

    ExerciseChoice select_;
    int childId_;
    std::string name_;
    stats::ProgressPage page_;
    TStringList gameLines_;
    int selected_ = 0;
};
