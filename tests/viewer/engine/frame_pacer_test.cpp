#include "viewer/engine/frame_pacer.h"

#include <gtest/gtest.h>

namespace orb {
namespace {

TEST(FramePacer, FramesFallDueOnePeriodApart) {
    FramePacer pacer(50, 1000.0);  // 20 ms a frame
    EXPECT_DOUBLE_EQ(pacer.PeriodMs(), 20.0);
    EXPECT_DOUBLE_EQ(pacer.MsUntilDue(1000.0), 0.0);  // the first is due at once; next at 1020
    EXPECT_DOUBLE_EQ(pacer.MsUntilDue(1005.0), 15.0);
    EXPECT_DOUBLE_EQ(pacer.MsUntilDue(1021.0), 0.0);  // 1 ms late: the next stays on 1040
    EXPECT_DOUBLE_EQ(pacer.MsUntilDue(1030.0), 10.0);
    EXPECT_DOUBLE_EQ(pacer.MsUntilDue(1040.0), 0.0);  // next at 1060
}

TEST(FramePacer, AStallStartsAfreshInsteadOfRacing) {
    FramePacer pacer(50, 0.0);
    EXPECT_DOUBLE_EQ(pacer.MsUntilDue(0.0), 0.0);    // next at 20
    EXPECT_DOUBLE_EQ(pacer.MsUntilDue(100.0), 0.0);  // 80 ms late: next at 120, not 40
    EXPECT_DOUBLE_EQ(pacer.MsUntilDue(101.0), 19.0);
}

TEST(FramePacer, DefaultRefreshCountsAsSixty) {
    for (int fps : {0, 1, -5}) EXPECT_NEAR(FramePacer(fps, 0).PeriodMs(), 1000.0 / 60, 1e-9) << fps;
    EXPECT_DOUBLE_EQ(FramePacer(2, 0).PeriodMs(), 500.0);
}

}  // namespace
}  // namespace orb
