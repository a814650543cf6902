#include "stats/ProgressViews.h"

#include "gfx/Colours.h"
#include "gfx/Primitives.h"
#include "gfx/Screen.h"
#include "gfx/Text.h"
#include "resources/StringTable.h"

#include <algorithm>

namespace {

// Colour numbers of the colour table.
constexpr int kWhite = 15, kBlack = 0, kLightGrey = 3, kGrey = 2, kGreen = 27, kYellow = 4, kOrange = 7, kRed = 8,
              kBlue = 21, kSky = 22;

}  // namespace

TProgressChart::TProgressChart(int l, int t, int r, int b, std::vector<stats::ChartPoint> points)
    : TView(l, t, r, b), points_(std::move(points))
{
}

void TProgressChart::DrawBody()
{
    DrawingState keep;
    FillBox(left, top, right, bottom, kWhite);
    SetPen(kGrey);
    ::DrawFrame(left, top, right, bottom);
    int L = LineHeight();
    int u = std::max(2, theScreen.width / 160);
    int x0 = left + 2 * u, x1 = right - 2 * u, y0 = top + L + u, y1 = bottom - L - u;
    theScreen.hAnchor = 0;
    theScreen.vAnchor = 2;
    SetPen(kBlue);
    DrawText(left + 2 * u, top + u / 2, (std::string(GetString(15, 36)) + " %").c_str());
    theScreen.hAnchor = 2;
    SetPen(kGreen);
    DrawText(right - 2 * u, top + u / 2, GetString(15, 37));
    if (y1 <= y0 || points_.empty())
        return;
    SetPen(kLightGrey);
    for (int q = 0; q <= 4; ++q) {
        int y = y1 - (y1 - y0) * q / 4;
        DrawLine(x0, y, x1, y);
    }
    double fastest = 1;
    for (const stats::ChartPoint& p : points_)
        fastest = std::max(fastest, p.wordsPerMinute);
    int n = static_cast<int>(points_.size());
    int slot = std::max(1, (x1 - x0) / n);
    auto centre = [&](int i) { return x0 + slot * i + slot / 2; };
    for (int i = 0; i < n; ++i) {
        const stats::ChartPoint& p = points_[static_cast<std::size_t>(i)];
        if (p.wordsPerMinute <= 0)
            continue;
        int h = static_cast<int>((y1 - y0) * p.wordsPerMinute / fastest);
        FillBox(centre(i) - slot / 6, y1 - h, centre(i) + slot / 6, y1, kGreen);
    }
    SetPen(kBlue);
    int lastX = -1, lastY = -1;
    for (int i = 0; i < n; ++i) {
        const stats::ChartPoint& p = points_[static_cast<std::size_t>(i)];
        if (p.accuracy < 0)
            continue;
        int x = centre(i), y = y1 - static_cast<int>((y1 - y0) * p.accuracy / 100.0);
        if (lastX >= 0) {
            DrawLine(lastX, lastY, x, y);
            DrawLine(lastX, lastY + 1, x, y + 1);
        }
        FillBox(x - u, y - u, x + u, y + u, kBlue);
        lastX = x;
        lastY = y;
    }
    // As many dates as fit under the chart, the latest always.
    SetPen(kBlack);
    theScreen.hAnchor = 1;
    int every = std::max(1, (TextWidth("00/00") + 2 * u) / slot + 1);
    DrawText(centre(n - 1), y1 + u / 2, points_.back().date.c_str());
    for (int i = 0; n - 1 - i >= every; i += every)
        DrawText(centre(i), y1 + u / 2, points_[static_cast<std::size_t>(i)].date.c_str());
}

TKeyboardPicture::TKeyboardPicture(int l, int t, int r, int b, std::map<char, double> errorRate)
    : TView(l, t, r, b), errorRate_(std::move(errorRate))
{
}

const std::vector<std::string>& TKeyboardPicture::Rows()
{
    static const std::vector<std::string> rows = {"1234567890'\xCC", "QWERTYUIOP\xC8+", "ASDFGHJKL\xD2\xC0\xD9",
                                                  "<ZXCVBNM,.-"};
    return rows;
}

int TKeyboardPicture::KeyColour(double rate)
{
    if (rate < 0)
        return kLightGrey;
    if (rate == 0)
        return kGreen;
    if (rate < 10)
        return kYellow;
    if (rate < 25)
        return kOrange;
    return kRed;
}

void TKeyboardPicture::DrawBody()
{
    DrawingState keep;
    const std::vector<std::string>& rows = Rows();
    int keys = 13;  // the widest row and a half-key step for each row down
    int w = (right - left + 1) * 2 / (2 * keys + 3), h = std::min(w, (bottom - top + 1) / static_cast<int>(rows.size()));
    int gap = std::max(1, w / 10);
    theScreen.hAnchor = 1;
    theScreen.vAnchor = 1;
    for (std::size_t r = 0; r < rows.size(); ++r) {
        int x = left + static_cast<int>(r) * w / 2, y = top + static_cast<int>(r) * h;
        for (char c : rows[r]) {
            auto found = errorRate_.find(c);
            int colour = KeyColour(found == errorRate_.end() ? -1 : found->second);
            FillBox(x + gap, y + gap, x + w - gap, y + h - gap, colour);
            SetPen(kGrey);
            ::DrawFrame(x + gap, y + gap, x + w - gap, y + h - gap);
            SetPen(colour == kRed || colour == kGreen ? kWhite : kBlack);
            char text[2] = {c, 0};
            DrawText(x + w / 2, y + h / 2, text);
            x += w;
        }
    }
}
