#include "viewer/engine/star_field.h"

#include <algorithm>
#include <cmath>

#include "viewer/engine/sprite.h"

namespace orb {

StarField::StarField(int count, int width, int height, RandomGenerator& random)
    : width_(width), height_(height), stars_(std::max(count, 0)) {
    for (Star& star : stars_) Create(star, 50, random);
}

void StarField::Create(Star& star, int speedModulus, RandomGenerator& random) const {
    star.x = random.Below(30) + width_ / 2 - 15;
    star.y = random.Below(30) + height_ / 2 - 15;
    star.size = 1;
    star.angle = random.Below(360);
    star.speed = random.Below(speedModulus);
    const double a = star.angle * kDegreesToRadians;
    star.x += random.Below(width_ / 4) * std::cos(a);
    star.y += random.Below(height_ / 4) * std::sin(a);
}

bool StarField::Draw(DisplayBackend& display, RandomGenerator& random) {
    const double cx = width_ / 2, cy = height_ / 2;
    const double corner = std::hypot(cx, cy);
    fills_.clear();
    for (Star& star : stars_) {
        const double a = star.angle * kDegreesToRadians;
        const double vx = std::cos(a) * star.speed;
        const double vy = std::sin(a) * star.speed;
        auto square = [&star] {
            const int x = static_cast<int>(star.x), y = static_cast<int>(star.y);
            return Rect{x, y, x + star.size, y + star.size};
        };
        fills_.push_back({square(), 0});

        const double r =
            corner > 0 ? std::min(1.0, std::hypot(star.x - cx, star.y - cy) / corner) : 1.0;
        star.size = r < 0.2 ? 1 : r < 0.4 ? 2 : 3;
        star.speed = std::max(star.speed * 1.1, 33.0);
        star.x += vx / 32;
        star.y += vy / 32;
        if (star.x < 0 || star.x > width_) Create(star, 100, random);
        if (star.y < 0 || star.y > height_) Create(star, 100, random);
        const auto colour =
            static_cast<std::uint32_t>(std::min(1.0, 2 * std::max(r, 0.1)) * 16777215.0);
        fills_.push_back({square(), colour});
    }
    return display.FillOnScreen(fills_);
}

}  // namespace orb
