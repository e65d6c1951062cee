#include "viewer/host/show_stats.h"

#include <gtest/gtest.h>

namespace orb::host {
namespace {

TEST(ShowStats, FramesWorkAndCpuShare) {
    FrameStats work;
    work.meanMs = 0.412;
    work.p50Ms = 0.38;
    work.p99Ms = 1.2;
    // 0.2 s user + 0.1 s system over 10 s of show: 3% of one core; 600 frames in 10 s: 60 fps.
    EXPECT_EQ(FormatShowStats(600, work, {1.0, 0.5, 100.0}, {1.2, 0.6, 110.0}),
              "shown 600 frames in 10.00 s (60.0 fps); work per frame mean 0.412 ms, p50 0.380 ms, p99 1.200 ms\n"
              "cpu 3.0% of one core (user 0.200 s + system 0.100 s over 10.00 s)");
    // A whole core busy for the show's 2 s (1.5 s user + 0.5 s system): 100%.
    EXPECT_NE(FormatShowStats(120, work, {0, 0, 5}, {1.5, 0.5, 7}).find("cpu 100.0% of one core"), std::string::npos);
}

TEST(ShowStats, NoTimeNoDivisionByZero) {
    const std::string text = FormatShowStats(0, FrameStats{}, {1, 1, 3}, {1, 1, 3});
    EXPECT_NE(text.find("shown 0 frames in 0.00 s (0.0 fps)"), std::string::npos) << text;
    EXPECT_NE(text.find("cpu 0.0% of one core"), std::string::npos) << text;
}

TEST(ShowStats, ProcessTimesOnlyGrow) {
    const CpuTimes first = ProcessCpuTimes();
    volatile double sink = 0;
    for (int i = 0; i < 1000000; ++i) sink = sink + i;
    const CpuTimes second = ProcessCpuTimes();
    EXPECT_GE(second.userSeconds + second.systemSeconds, first.userSeconds + first.systemSeconds);
    EXPECT_GT(second.wallSeconds, first.wallSeconds);
}

}  // namespace
}  // namespace orb::host
