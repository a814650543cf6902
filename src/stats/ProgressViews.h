#pragma once
// The two pictures of a child's progress: the chart of accuracy (a line)
// and speed (bars) over the latest games with their dates under it, and an
// Italian keyboard whose keys are coloured by how often they were missed.

#include "stats/ProgressPage.h"
#include "ui/TView.h"

#include <map>
#include <vector>

class TProgressChart : public TView {
public:
    TProgressChart(int left, int top, int right, int bottom, std::vector<stats::ChartPoint> points);
    void DrawBody() override;

private:
    std::vector<stats::ChartPoint> points_;
};

class TKeyboardPicture : public TView {
public:
    TKeyboardPicture(int left, int top, int right, int bottom, std::map<char, double> errorRate);
    void DrawBody() override;
    // The colour number a key is drawn in for its error rate (percent, -1
    // for a key never expected).
    static int KeyColour(double rate);
    // The Italian layout's rows of letter keys, in Latin-1.
    static const std::vector<std::string>& Rows();

private:
    std::map<char, double> errorRate_;
};
