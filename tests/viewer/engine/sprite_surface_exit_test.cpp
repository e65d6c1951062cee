// The draw list's exit codes for a sprite surface that is not square: 11 when the
// item's picture is updated, 14 when it is blitted, and 14 as well for an erasing
// item without a hidden picture; and a display that gives no back buffer.
#include <gtest/gtest.h>

#include "engine_test_support.h"
#include "viewer/engine/display_device.h"

namespace orb {
namespace {

// A memory display whose square off-screen surfaces come out one row taller, as a
// display driver that rounds sizes might hand them out; or, refusing, none at all.
struct SkewedDisplay final : test::ForwardingDisplay {
    std::unique_ptr<DisplaySurface> CreateSurface(int w, int h) override {
        if (refuseOffScreen) return nullptr;
        return inner.CreateSurface(w, w == h ? h + 1 : h);
    }
    bool refuseOffScreen = false;
};

TEST(NoBackBuffer, OpeningSaysSoAndFails) {
    SkewedDisplay display;
    display.refuseOffScreen = true;
    test::RecordingQuit quit;
    ReportLog reports;
    DisplayDevice device{display, quit, reports};
    EXPECT_FALSE(device.DXInit(16, 12, 24));
    ASSERT_EQ(reports.reports.size(), 1u);
    EXPECT_EQ(FormatReport(reports.reports[0]), "Failed to create DD BackSurface ()\n");
    EXPECT_EQ(reports.reports[0].kind, ReportKind::Error);
}

struct SkewedScreen : ::testing::Test {
    void SetUp() override {
        ASSERT_TRUE(device.DXInit(16, 12, 24));
        ASSERT_TRUE(device.SetBackdrop(nullptr, 0));
        frame = test::Picture(4, 4, 200, 0, 0);
        id = device.AddObject(&frame, nullptr, 4, 4, 4, 4, 0, 0, kDrawTransparent, kWhiteKey, 0, 0);
        ASSERT_NE(id, 0u);
        device.PlaceObject(id, 8, 6);
    }
    SkewedDisplay display;
    test::RecordingQuit quit;
    ReportLog reports;
    DisplayDevice device{display, quit, reports};
    GXDrawingSurface frame;
    std::uint32_t id = 0;
};

TEST_F(SkewedScreen, UpdatingTheItemEndsWithCode11) {
    EXPECT_FALSE(device.UpdateObject(id, 4, 4, 90, 0, false, 0, 0));
    EXPECT_EQ(quit.codes, std::vector<int>{11});
}

TEST_F(SkewedScreen, BlittingTheItemEndsWithCode14) {
    EXPECT_FALSE(device.BlitItem(id, false));
    EXPECT_EQ(quit.codes, std::vector<int>{14});
}

}  // namespace
}  // namespace orb
