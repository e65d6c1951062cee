#include "bench/run_statistics.h"

#include <algorithm>
#include <vector>

namespace orb::bench {

double Median(std::span<const double> values) {
    if (values.empty()) return 0;
    std::vector<double> sorted(values.begin(), values.end());
    std::sort(sorted.begin(), sorted.end());
    const std::size_t half = sorted.size() / 2;
    return sorted.size() % 2 ? sorted[half] : (sorted[half - 1] + sorted[half]) / 2;
}

double Spread(std::span<const double> values) {
    const double middle = Median(values);
    if (middle == 0) return 0;
    const auto [low, high] = std::minmax_element(values.begin(), values.end());
    return (*high - *low) / middle;
}

}  // namespace orb::bench
