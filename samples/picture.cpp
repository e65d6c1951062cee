#include "samples/picture.h"

#include <algorithm>
#include <cmath>

namespace orb::samples {

Colour Mix(Colour a, Colour b, double t) {
    t = std::clamp(t, 0.0, 1.0);
    auto lerp = [t](std::uint8_t p, std::uint8_t q) {
        return static_cast<std::uint8_t>(std::lround(p + (q - p) * t));
    };
    return {lerp(a.r, b.r), lerp(a.g, b.g), lerp(a.b, b.b)};
}

Picture::Picture(int width, int height, Colour fill)
    : width_(std::max(width, 1)), height_(std::max(height, 1)),
      rgb_(static_cast<std::size_t>(width_) * height_ * 3) {
    FillRect(0, 0, width_, height_, fill);
}

Colour Picture::Get(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return {0, 0, 0};
    const std::size_t at = (static_cast<std::size_t>(y) * width_ + x) * 3;
    return {rgb_[at], rgb_[at + 1], rgb_[at + 2]};
}

void Picture::Set(int x, int y, Colour c) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
    const std::size_t at = (static_cast<std::size_t>(y) * width_ + x) * 3;
    rgb_[at] = c.r;
    rgb_[at + 1] = c.g;
    rgb_[at + 2] = c.b;
}

void Picture::FillRect(int x0, int y0, int x1, int y1, Colour c) {
    x0 = std::max(x0, 0);
    y0 = std::max(y0, 0);
    x1 = std::min(x1, width_);
    y1 = std::min(y1, height_);
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) Set(x, y, c);
}

void Picture::FillEllipse(Point centre, double rx, double ry, Colour c) {
    if (rx <= 0 || ry <= 0) return;
    const int y0 = static_cast<int>(std::floor(centre.y - ry));
    const int y1 = static_cast<int>(std::ceil(centre.y + ry));
    for (int y = y0; y <= y1; ++y) {
        const double dy = (y + 0.5 - centre.y) / ry;
        if (dy * dy > 1) continue;
        const double half = rx * std::sqrt(1 - dy * dy);
        const int x0 = static_cast<int>(std::ceil(centre.x - half - 0.5));
        const int x1 = static_cast<int>(std::floor(centre.x + half - 0.5));
        for (int x = x0; x <= x1; ++x) Set(x, y, c);
    }
}

void Picture::FillPolygon(std::span<const Point> corners, Colour c) {
    if (corners.size() < 3) return;
    double top = corners[0].y, bottom = corners[0].y;
    for (const Point& p : corners) {
        top = std::min(top, p.y);
        bottom = std::max(bottom, p.y);
    }
    std::vector<double> crossings;
    for (int y = std::max(0, static_cast<int>(std::floor(top)));
         y <= std::min(height_ - 1, static_cast<int>(std::ceil(bottom))); ++y) {
        const double sy = y + 0.5;
        crossings.clear();
        for (std::size_t i = 0; i < corners.size(); ++i) {
            const Point a = corners[i];
            const Point b = corners[(i + 1) % corners.size()];
            if ((a.y <= sy) == (b.y <= sy)) continue;
            crossings.push_back(a.x + (sy - a.y) * (b.x - a.x) / (b.y - a.y));
        }
        std::sort(crossings.begin(), crossings.end());
        for (std::size_t i = 0; i + 1 < crossings.size(); i += 2) {
            const int x0 = static_cast<int>(std::ceil(crossings[i] - 0.5));
            const int x1 = static_cast<int>(std::floor(crossings[i + 1] - 0.5));
            for (int x = x0; x <= x1; ++x) Set(x, y, c);
        }
    }
}

}  // namespace orb::samples
