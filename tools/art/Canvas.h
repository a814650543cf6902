#pragma once
// A supersampled RGBA canvas for the picture tools: shapes are filled with
// hard edges on a grid `kSub` times finer than the picture, and Resolve()
// averages each block into one picture pixel, so edges come out smooth.

#include <cstdint>
#include <vector>

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
};

struct Point {
    double x = 0, y = 0;
};

// One picture pixel after resolving: colour averaged over the covered
// subsamples, and the covered fraction (0..255) as alpha.
struct Pixel {
    Rgb colour;
    std::uint8_t alpha = 0;
};

class Canvas {
public:
    static constexpr int kSub = 4;

    Canvas(int width, int height);

    int Width() const { return width_; }
    int Height() const { return height_; }

    // Fills a closed polygon (non-zero winding), given in picture pixels.
    void FillPolygon(const std::vector<Point>& points, Rgb colour);
    // Several closed outlines filled together (shapes with holes).
    void FillPolygons(const std::vector<std::vector<Point>>& contours, Rgb colour);
    // A thick line with round ends.
    void StrokeLine(Point a, Point b, double width, Rgb colour);
    // A closed or open polyline, round joins.
    void StrokePath(const std::vector<Point>& points, bool closed, double width, Rgb colour);
    // Copies an image with alpha (straight, 0..255) at (x, y) in picture pixels.
    void Blend(int x, int y, int w, int h, const std::vector<Pixel>& image);

    std::vector<Pixel> Resolve() const;

private:
    void FillSpans(const std::vector<std::vector<Point>>& contours, Rgb colour);

    int width_, height_;
    int subWidth_, subHeight_;
    std::vector<Rgb> colour_;
    std::vector<std::uint8_t> covered_;
};

// Points of an ellipse outline, enough for a smooth edge at its size.
std::vector<Point> EllipsePoints(double cx, double cy, double rx, double ry);
// A rectangle with quarter-circle corners.
std::vector<Point> RoundRectPoints(double x0, double y0, double x1, double y1, double radius);
// An elliptical arc from angle a0 to a1 (degrees, clockwise from 3 o'clock).
std::vector<Point> ArcPoints(double cx, double cy, double rx, double ry, double a0, double a1);
