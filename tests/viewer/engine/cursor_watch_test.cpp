#include "viewer/engine/cursor_watch.h"

#include <gtest/gtest.h>

namespace orb {
namespace {

TEST(CursorWatch, OnlyMovementBeyondTheThresholdCounts) {
    CursorWatch watch;
    EXPECT_FALSE(watch.MovedBeyondThreshold(100, 100));  // first sighting
    EXPECT_FALSE(watch.MovedBeyondThreshold(104, 96));
    EXPECT_TRUE(watch.MovedBeyondThreshold(105, 100));
    EXPECT_TRUE(watch.MovedBeyondThreshold(100, 95));
}

}  // namespace
}  // namespace orb
