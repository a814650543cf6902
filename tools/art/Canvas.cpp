#include "Canvas.h"

#include <algorithm>
#include <cmath>

Canvas::Canvas(int width, int height)
    : width_(width), height_(height), subWidth_(width * kSub), subHeight_(height * kSub),
      colour_(static_cast<std::size_t>(subWidth_) * subHeight_),
      covered_(static_cast<std::size_t>(subWidth_) * subHeight_, 0)
{
}

void Canvas::FillPolygon(const std::vector<Point>& points, Rgb colour)
{
    FillSpans({points}, colour);
}

void Canvas::FillPolygons(const std::vector<std::vector<Point>>& contours, Rgb colour)
{
    FillSpans(contours, colour);
}

void Canvas::FillSpans(const std::vector<std::vector<Point>>& contours, Rgb colour)
{
    struct Edge {
        double x0, y0, x1, y1;
        int dir;
    };
    std::vector<Edge> edges;
    double minY = 1e18, maxY = -1e18;
    for (const auto& contour : contours) {
        std::size_t n = contour.size();
        for (std::size_t i = 0; i < n; ++i) {
            Point a = contour[i], b = contour[(i + 1) % n];
            a.x *= kSub; a.y *= kSub; b.x *= kSub; b.y *= kSub;
            if (a.y == b.y)
                continue;
            edges.push_back(a.y < b.y ? Edge{a.x, a.y, b.x, b.y, 1} : Edge{b.x, b.y, a.x, a.y, -1});
            minY = std::min({minY, a.y, b.y});
            maxY = std::max({maxY, a.y, b.y});
        }
    }
    if (edges.empty())
        return;
    int rowStart = std::max(0, static_cast<int>(std::floor(minY)));
    int rowEnd = std::min(subHeight_ - 1, static_cast<int>(std::ceil(maxY)));
    std::vector<std::pair<double, int>> crossings;
    for (int row = rowStart; row <= rowEnd; ++row) {
        double y = row + 0.5;
        crossings.clear();
        for (const Edge& e : edges)
            if (y >= e.y0 && y < e.y1)
                crossings.push_back({e.x0 + (y - e.y0) * (e.x1 - e.x0) / (e.y1 - e.y0), e.dir});
        std::sort(crossings.begin(), crossings.end());
        int winding = 0;
        for (std::size_t i = 0; i + 1 < crossings.size(); ++i) {
            winding += crossings[i].second;
            if (winding == 0)
                continue;
            int from = std::max(0, static_cast<int>(std::ceil(crossings[i].first - 0.5)));
            int to = std::min(subWidth_ - 1, static_cast<int>(std::ceil(crossings[i + 1].first - 0.5)) - 1);
            std::size_t base = static_cast<std::size_t>(row) * subWidth_;
            for (int x = from; x <= to; ++x) {
                colour_[base + x] = colour;
                covered_[base + x] = 1;
            }
        }
    }
}

void Canvas::StrokeLine(Point a, Point b, double width, Rgb colour)
{
    double dx = b.x - a.x, dy = b.y - a.y;
    double length = std::sqrt(dx * dx + dy * dy);
    double h = width / 2;
    if (length > 0) {
        double nx = -dy / length * h, ny = dx / length * h;
        FillPolygon({{a.x + nx, a.y + ny}, {b.x + nx, b.y + ny}, {b.x - nx, b.y - ny}, {a.x - nx, a.y - ny}}, colour);
    }
    FillPolygon(EllipsePoints(a.x, a.y, h, h), colour);
    FillPolygon(EllipsePoints(b.x, b.y, h, h), colour);
}

void Canvas::StrokePath(const std::vector<Point>& points, bool closed, double width, Rgb colour)
{
    if (points.size() < 2)
        return;
    for (std::size_t i = 0; i + 1 < points.size(); ++i)
        StrokeLine(points[i], points[i + 1], width, colour);
    if (closed)
        StrokeLine(points.back(), points.front(), width, colour);
}

void Canvas::Blend(int x, int y, int w, int h, const std::vector<Pixel>& image)
{
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i) {
            const Pixel& p = image[static_cast<std::size_t>(j) * w + i];
            if (p.alpha == 0)
                continue;
            // Alpha decides how many subsamples of the block take the colour,
            // in an ordered pattern, so blended text resolves to smooth edges.
            int take = (p.alpha * kSub * kSub + 127) / 255;
            for (int s = 0; s < take; ++s) {
                static const int order[16] = {0, 10, 2, 8, 5, 15, 7, 13, 1, 11, 3, 9, 4, 14, 6, 12};
                int cell = order[s % 16];
                int sx = (x + i) * kSub + cell % kSub;
                int sy = (y + j) * kSub + cell / kSub;
                if (sx < 0 || sy < 0 || sx >= subWidth_ || sy >= subHeight_)
                    continue;
                std::size_t at = static_cast<std::size_t>(sy) * subWidth_ + sx;
                colour_[at] = p.colour;
                covered_[at] = 1;
            }
        }
}

std::vector<Pixel> Canvas::Resolve() const
{
    std::vector<Pixel> out(static_cast<std::size_t>(width_) * height_);
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x) {
            int r = 0, g = 0, b = 0, n = 0;
            for (int j = 0; j < kSub; ++j)
                for (int i = 0; i < kSub; ++i) {
                    std::size_t at = static_cast<std::size_t>(y * kSub + j) * subWidth_ + x * kSub + i;
                    if (!covered_[at])
                        continue;
                    r += colour_[at].r;
                    g += colour_[at].g;
                    b += colour_[at].b;
                    ++n;
                }
            Pixel& p = out[static_cast<std::size_t>(y) * width_ + x];
            if (n) {
                p.colour = {static_cast<std::uint8_t>(r / n), static_cast<std::uint8_t>(g / n),
                            static_cast<std::uint8_t>(b / n)};
                p.alpha = static_cast<std::uint8_t>(n * 255 / (kSub * kSub));
            }
        }
    return out;
}

std::vector<Point> EllipsePoints(double cx, double cy, double rx, double ry)
{
    return ArcPoints(cx, cy, rx, ry, 0, 360);
}

std::vector<Point> ArcPoints(double cx, double cy, double rx, double ry, double a0, double a1)
{
    int steps = std::max(12, static_cast<int>(std::max(rx, ry) * std::fabs(a1 - a0) / 30));
    std::vector<Point> points;
    for (int i = 0; i <= steps; ++i) {
        if (i == steps && std::fabs(a1 - a0) >= 360)
            break;
        double a = (a0 + (a1 - a0) * i / steps) * M_PI / 180;
        points.push_back({cx + rx * std::cos(a), cy + ry * std::sin(a)});
    }
    return points;
}

std::vector<Point> RoundRectPoints(double x0, double y0, double x1, double y1, double radius)
{
    radius = std::min({radius, (x1 - x0) / 2, (y1 - y0) / 2});
    std::vector<Point> points;
    auto corner = [&](double cx, double cy, double from) {
        auto arc = ArcPoints(cx, cy, radius, radius, from, from + 90);
        points.insert(points.end(), arc.begin(), arc.end());
    };
    corner(x1 - radius, y1 - radius, 0);
    corner(x0 + radius, y1 - radius, 90);
    corner(x0 + radius, y0 + radius, 180);
    corner(x1 - radius, y0 + radius, 270);
    return points;
}
