// The star field background: 100 stars flying out from the centre of the screen,
// drawn straight onto the screen after each frame is presented.
#pragma once
#include <cstdint>
#include <vector>

#include "viewer/engine/platform.h"
#include "viewer/engine/random.h"

namespace orb {

struct Star {
    double x = 0;  // pixels
    double y = 0;
    std::int32_t size = 1;  // 1, 2 or 3
    double angle = 0;       // degrees
    double speed = 0;
};

class StarField {
public:
    // `count` stars for a display of width x height pixels, placed near the centre.
    StarField(int count, int width, int height, RandomGenerator& random);

    // Erases every star, moves it (faster, larger and whiter away from the centre),
    // re-creates those that left the screen and draws it again. False when the
    // screen could not be drawn on.
    bool Draw(DisplayBackend& display, RandomGenerator& random);

    const std::vector<Star>& Stars() const { return stars_; }

private:
    void Create(Star& star, int speedModulus, RandomGenerator& random) const;

    int width_;
    int height_;
    std::vector<Star> stars_;
    std::vector<ScreenFill> fills_;  // reused each frame
};

}  // namespace orb
