#include "viewer/host/frame_stats.h"

#include <gtest/gtest.h>

#include <vector>

namespace orb::host {
namespace {

TEST(FrameStats, NearestRankPercentilesAndRate) {
    // 1..100 ms in shuffled order: mean 50.5, p50 the 50th value, p99 the 99th,
    // 100 frames in 5050 ms = 19.80 fps.
    std::vector<double> ms;
    for (int i = 0; i < 100; ++i) ms.push_back((i * 37) % 100 + 1);
    const FrameStats s = Summarise(ms);
    EXPECT_EQ(s.frames, 100);
    EXPECT_DOUBLE_EQ(s.meanMs, 50.5);
    EXPECT_DOUBLE_EQ(s.p50Ms, 50);
    EXPECT_DOUBLE_EQ(s.p99Ms, 99);
    EXPECT_NEAR(s.fps, 100 * 1000.0 / 5050, 1e-9);
}

TEST(FrameStats, SmallAndEmptyRuns) {
    const std::vector<double> one{4};
    const FrameStats s = Summarise(one);
    EXPECT_DOUBLE_EQ(s.p50Ms, 4);
    EXPECT_DOUBLE_EQ(s.p99Ms, 4);
    EXPECT_DOUBLE_EQ(s.fps, 250);
    EXPECT_EQ(Summarise({}).frames, 0);
    const std::vector<double> zero{0, 0};
    EXPECT_DOUBLE_EQ(Summarise(zero).fps, 0);  // no division by zero
}

TEST(FrameStats, OneLineReport) {
    const std::vector<double> ms{1, 2, 3};
    EXPECT_EQ(FormatStats(Summarise(ms)),
              "frames 3  mean 2.000 ms  p50 2.000 ms  p99 3.000 ms  fps 500.0");
}

}  // namespace
}  // namespace orb::host
