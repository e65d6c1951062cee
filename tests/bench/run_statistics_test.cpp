#include <gtest/gtest.h>

#include <vector>

#include "bench/run_statistics.h"

namespace orb::bench {
namespace {

TEST(RunStatistics, MedianAndSpread) {
    struct Case {
        std::vector<double> values;
        double median, spread;
    };
    const Case cases[] = {
        {{}, 0, 0},
        {{42}, 42, 0},
        // Sorted 100, 110, 200: median 110; spread (200 - 100) / 110.
        {{200, 100, 110}, 110, 100.0 / 110},
        // Even count: the mean of 20 and 30; spread (40 - 10) / 25 = 1.2.
        {{40, 10, 30, 20}, 25, 1.2},
        {{0, 0, 0}, 0, 0},
    };
    for (const Case& c : cases) {
        EXPECT_DOUBLE_EQ(Median(c.values), c.median);
        EXPECT_DOUBLE_EQ(Spread(c.values), c.spread);
    }
}

}  // namespace
}  // namespace orb::bench
