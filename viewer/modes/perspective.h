// Drawn size of the perspective modes (FLYAWAY, STARBURST).
#pragma once
#include <cstdint>

namespace orb {

// trunc(ratio x base x factor), at least 4. The ratio grows without bound on a
// degenerate play area, so the size is also capped far above any real screen
// instead of overflowing.
std::int32_t PerspectiveSize(double ratio, double base, double factor);

}  // namespace orb
