#include "viewer/modes/perspective.h"

#include <cmath>

namespace orb {

std::int32_t PerspectiveSize(double ratio, double base, double factor) {
    constexpr double kLargest = 1 << 16;
    const double size = ratio * base * factor;
    if (!(size < kLargest)) return std::isnan(size) ? 4 : static_cast<std::int32_t>(kLargest);
    const auto whole = static_cast<std::int32_t>(size);
    return whole <= 3 ? 4 : whole;
}

}  // namespace orb
