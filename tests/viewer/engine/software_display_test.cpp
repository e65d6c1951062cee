// Blits from pictures in memory: a keyed blit with the picture's spans of colour
// reads nothing outside them, wherever the source rectangle and clipping put
// the spans' columns; without keying, or without a span for every row, the
// whole rectangle is copied.
#include <gtest/gtest.h>

#include <vector>

#include "engine_test_support.h"
#include "viewer/engine/software_display.h"

namespace orb {
namespace {

using test::Bgr;
using test::kBlue;
using test::kRed;
using test::PixelAt;

struct PictureBlits : ::testing::Test {
    void SetUp() override {
        ReportLog reports;
        ASSERT_TRUE(display.Open(16, 16, 24, reports));
        target = display.CreateSurface(8, 5);
        Target().Fill(0, 0, 200);
    }
    GXDrawingSurface& Target() { return static_cast<SoftwareSurface&>(*target).picture; }
    // The target's red pixels, as (x, y) pairs from the top left.
    std::vector<std::pair<int, int>> Red() {
        std::vector<std::pair<int, int>> red;
        for (int y = 0; y < Target().Height(); ++y)
            for (int x = 0; x < Target().Width(); ++x) {
                const Bgr pixel = PixelAt(Target(), x, y);
                if (pixel == kRed) red.emplace_back(x, y);
                else EXPECT_EQ(pixel, kBlue) << x << ", " << y;
            }
        return red;
    }

    SoftwareDisplay display{24};
    std::unique_ptr<DisplaySurface> target;
    // All red, so only the spans can keep a pixel from being copied.
    GXDrawingSurface picture = test::Picture(6, 3, 200, 0, 0);
    // Top row first: columns 1-2, none, 4-5.
    std::vector<RowSpan> spans{{1, 3}, {0, 0}, {4, 6}};
};

TEST_F(PictureBlits, AKeyedBlitCopiesOnlyWithinTheSpans) {
    // Source columns 1 to 5 land from x = 1: source column c at x = c.
    ASSERT_EQ(display.BlitPicture(*target, 1, 1, picture, spans, Rect{1, 0, 6, 3}, true), BlitResult::Ok);
    EXPECT_EQ(Red(), (std::vector<std::pair<int, int>>{{1, 1}, {2, 1}, {4, 3}, {5, 3}}));
}

TEST_F(PictureBlits, SpansFollowTheSourceWhenTheTargetEdgeCutsIt) {
    // Two columns fall off the left edge: source column c lands at x = c - 2.
    ASSERT_EQ(display.BlitPicture(*target, -2, 0, picture, spans, Rect{0, 0, 6, 3}, true), BlitResult::Ok);
    EXPECT_EQ(Red(), (std::vector<std::pair<int, int>>{{0, 0}, {2, 2}, {3, 2}}));
}

TEST_F(PictureBlits, UnkeyedOrWithoutASpanForEveryRowTheWholeRectangleIsCopied) {
    ASSERT_EQ(display.BlitPicture(*target, 0, 0, picture, spans, Rect{0, 0, 2, 1}, false), BlitResult::Ok);
    spans.pop_back();
    ASSERT_EQ(display.BlitPicture(*target, 0, 3, picture, spans, Rect{0, 0, 3, 2}, true), BlitResult::Ok);
    EXPECT_EQ(Red(), (std::vector<std::pair<int, int>>{{0, 0}, {1, 0}, {0, 3}, {1, 3}, {2, 3}, {0, 4}, {1, 4}, {2, 4}}));
}

}  // namespace
}  // namespace orb
