// A small RGB canvas with the few filled shapes the demo art needs. Edges are hard
// (no blending) so keyed sprites get no fringes of mixed key colour.
#pragma once
#include <cstdint>
#include <span>
#include <vector>

namespace orb::samples {

struct Colour {
    std::uint8_t r, g, b;
};

struct Point {
    double x, y;
};

// Linear mix of two colours, t in 0..1.
Colour Mix(Colour a, Colour b, double t);

class Picture {
public:
    Picture(int width, int height, Colour fill);

    int Width() const { return width_; }
    int Height() const { return height_; }
    Colour Get(int x, int y) const;
    void Set(int x, int y, Colour c);  // ignores points outside the canvas

    void FillRect(int x0, int y0, int x1, int y1, Colour c);  // [x0, x1) x [y0, y1)
    void FillEllipse(Point centre, double rx, double ry, Colour c);
    void FillCircle(Point centre, double r, Colour c) { FillEllipse(centre, r, r, c); }
    // Even-odd fill of a closed polygon, sampled at pixel centres.
    void FillPolygon(std::span<const Point> corners, Colour c);

    // Rows top-down, 3 bytes a pixel in red, green, blue order.
    std::span<const std::uint8_t> Rgb() const { return rgb_; }

private:
    int width_, height_;
    std::vector<std::uint8_t> rgb_;
};

}  // namespace orb::samples
