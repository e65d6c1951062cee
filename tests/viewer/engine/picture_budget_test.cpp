// How much the viewer prepares of huge pictures, with sizes and bytes worked out by hand.
#include "viewer/engine/picture_budget.h"

#include <gtest/gtest.h>

#include <vector>

namespace orb {
namespace {

TEST(PictureBudget, BytesAreWholePaddedRows) {
    EXPECT_EQ(PictureBytes({100, 100}, 24), 30000u);  // 300 bytes a row
    EXPECT_EQ(PictureBytes({5, 2}, 24), 32u);         // 15 padded to 16
    EXPECT_EQ(PictureBytes({5, 2}, 8), 16u);          // 5 padded to 8
}

TEST(PictureBudget, CopiesShrinkOnlyWhenTheFullSizeWouldPassTheBudget) {
    // One 100 x 100 frame at 24 bits: 30000 bytes, and 16 copies of 30000.
    const std::vector<PictureSize> frames = {{100, 100}};
    struct Case {
        std::uint64_t budget;
        bool copies;
        bool fits;
        int copySide;
        std::uint64_t bytes;
    } cases[] = {
        {510000, true, true, 0, 510000},  // 30000 + 16 x 30000 exactly
        {510000, false, true, 0, 30000},
        // 30000 + 16 x copy <= 200000 gives copy <= 10625 bytes: a side of 59 takes
        // 180 x 59 = 10620, a side of 60 takes 180 x 60 = 10800
        {200000, true, true, 59, 30000 + 16 * 10620},
        // the smallest copies (16 x 16, 48 x 16 = 768 bytes) do not fit 30000 + 16 x 768
        {42000, true, false, 0, 30000 + 16 * 768},
        {29999, false, false, 0, 30000},
    };
    for (const Case& c : cases) {
        const PicturePlan plan = PlanPreparedPictures(frames, 24, c.copies, c.budget);
        EXPECT_EQ(plan.fits, c.fits) << c.budget;
        if (c.fits) {
            EXPECT_EQ(plan.copySide, c.copySide) << c.budget;
        }
        EXPECT_EQ(plan.bytes, c.bytes) << c.budget;
    }
}

TEST(PictureBudget, CopiesOfWideFramesAreSquaresOfTheirScaledWidth) {
    // 200 x 50 at 8 bits: 10000 bytes. Within a side of 40 it is 40 x 10, turned on
    // a 40 x 40 canvas: 1600 bytes a copy.
    const std::vector<PictureSize> frames = {{200, 50}};
    const PicturePlan plan = PlanPreparedPictures(frames, 8, true, 10000 + 16 * 1600);
    EXPECT_TRUE(plan.fits);
    EXPECT_EQ(plan.copySide, 40);
}

}  // namespace
}  // namespace orb
