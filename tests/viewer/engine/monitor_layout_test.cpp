#include "viewer/engine/monitor_layout.h"

#include <gtest/gtest.h>

#include <vector>

namespace orb {
namespace {

// Two heads side by side: 1280x1024 at the origin and 1024x768 to its right.
const std::vector<Rect> kTwoHeads = {{0, 0, 1280, 1024}, {1280, 0, 2304, 768}};

struct ArrangeCase {
    const char* name;
    std::vector<Rect> monitors;
    MonitorArrangement arrangement;
    int main;
    Rect window;
    int showWidth, showHeight;
    std::vector<Rect> views;
};

TEST(MonitorLayout, EachArrangement) {
    const ArrangeCase cases[] = {
        // The bounding box 2304x1024 is one show; the corner below the small head is never seen.
        {"span", kTwoHeads, MonitorArrangement::Span, 0, {0, 0, 2304, 1024}, 2304, 1024, {{0, 0, 2304, 1024}}},
        // Built at the main head's size, shown on both.
        {"mirror", kTwoHeads, MonitorArrangement::Mirror, 0, {0, 0, 2304, 1024}, 1280, 1024,
         {{0, 0, 1280, 1024}, {1280, 0, 2304, 768}}},
        {"mirror on the small head", kTwoHeads, MonitorArrangement::Mirror, 1, {0, 0, 2304, 1024}, 1024, 768,
         {{0, 0, 1280, 1024}, {1280, 0, 2304, 768}}},
        // The window still covers both heads; only the main head shows the show.
        {"primary", kTwoHeads, MonitorArrangement::Primary, 1, {0, 0, 2304, 1024}, 1024, 768,
         {{1280, 0, 2304, 768}}},
        {"main out of range counts as the first", kTwoHeads, MonitorArrangement::Primary, 7, {0, 0, 2304, 1024},
         1280, 1024, {{0, 0, 1280, 1024}}},
        // A head left of the main one (desktop x negative): views are window coordinates,
        // so the window's left edge -1024 becomes 0 and the main head starts at 1024.
        {"left of the origin", {{-1024, 0, 0, 768}, {0, 0, 1920, 1080}}, MonitorArrangement::Mirror, 1,
         {-1024, 0, 1920, 1080}, 1920, 1080, {{0, 0, 1024, 768}, {1024, 0, 2944, 1080}}},
        // One monitor: every arrangement is the plain full screen.
        {"one monitor, span", {{0, 0, 1920, 1080}}, MonitorArrangement::Span, 0, {0, 0, 1920, 1080}, 1920, 1080,
         {{0, 0, 1920, 1080}}},
        {"one monitor, primary", {{0, 0, 1920, 1080}}, MonitorArrangement::Primary, 0, {0, 0, 1920, 1080}, 1920,
         1080, {{0, 0, 1920, 1080}}},
    };
    for (const ArrangeCase& c : cases) {
        const MonitorLayout layout = ArrangeMonitors(c.monitors, c.arrangement, c.main);
        EXPECT_EQ(layout.window, c.window) << c.name;
        EXPECT_EQ(layout.showWidth, c.showWidth) << c.name;
        EXPECT_EQ(layout.showHeight, c.showHeight) << c.name;
        EXPECT_EQ(layout.views, c.views) << c.name;
    }
}

TEST(MonitorLayout, NoMonitorsGiveNothingToShow) {
    const MonitorLayout layout = ArrangeMonitors({}, MonitorArrangement::Span, 0);
    EXPECT_TRUE(layout.views.empty());
    EXPECT_EQ(layout.showWidth, 0);
}

TEST(MonitorLayout, ArrangementWords) {
    EXPECT_EQ(ArrangementNamed("span"), MonitorArrangement::Span);
    EXPECT_EQ(ArrangementNamed("mirror"), MonitorArrangement::Mirror);
    EXPECT_EQ(ArrangementNamed("primary"), MonitorArrangement::Primary);
    EXPECT_FALSE(ArrangementNamed("Span"));
    EXPECT_FALSE(ArrangementNamed(""));
}

struct ScaleCase {
    const char* name;
    Rect changed;
    int showWidth, showHeight;
    Rect view;
    Rect expected;
};

TEST(MonitorLayout, ChangedRectanglesScaledToAView) {
    const ScaleCase cases[] = {
        // 1280x1024 onto the 1024x768 head at x 1280 (factors 0.8 and 0.75):
        // x 100 -> ceil(80) = 80, 150 -> 120; y 200 -> 150, 260 -> ceil(195) = 195.
        // View x 80 samples floor(80 * 1.25) = 100, the first changed column; 79 samples 98.
        {"shrunk", {100, 200, 150, 260}, 1280, 1024, {1280, 0, 2304, 768}, {1360, 150, 1400, 195}},
        // Unscaled: the rectangle itself, moved by the view's origin.
        {"one to one", {10, 20, 30, 40}, 640, 480, {100, 0, 740, 480}, {110, 20, 130, 40}},
        // 3 wide onto 2: view pixels 0 and 1 sample columns 0 and 1; column 2 is never shown.
        {"column 1 of 3 onto 2", {1, 0, 2, 1}, 3, 1, {0, 0, 2, 1}, {1, 0, 2, 1}},
        {"column 2 of 3 onto 2 is never shown", {2, 0, 3, 1}, 3, 1, {0, 0, 2, 1}, {2, 0, 2, 1}},
        // 2 wide onto 5: column 1 covers view pixels ceil(2.5) = 3 to ceil(5) = 5.
        {"enlarged", {1, 0, 2, 1}, 2, 1, {0, 0, 5, 1}, {3, 0, 5, 1}},
        // Parts outside the show are dropped before scaling.
        {"clipped to the show", {-10, -10, 5, 5}, 10, 10, {0, 0, 20, 20}, {0, 0, 10, 10}},
    };
    for (const ScaleCase& c : cases) {
        const Rect got = ScaledToView(c.changed, c.showWidth, c.showHeight, c.view);
        if (c.expected.IsEmpty())
            EXPECT_TRUE(got.IsEmpty()) << c.name;
        else
            EXPECT_EQ(got, c.expected) << c.name;
    }
    EXPECT_TRUE(ScaledToView({50, 50, 60, 60}, 10, 10, {0, 0, 20, 20}).IsEmpty());
}

TEST(MonitorLayout, SampledSourceIsNearestBelow) {
    EXPECT_EQ(SampledSource(80, 1280, 1024), 100);     // 80 * 1.25
    EXPECT_EQ(SampledSource(1023, 1280, 1024), 1278);  // floor(1278.75)
    EXPECT_EQ(SampledSource(4, 2, 5), 1);              // floor(1.6)
    EXPECT_TRUE(IsUnscaled({5, 5, 15, 25}, 10, 20));
    EXPECT_FALSE(IsUnscaled({5, 5, 15, 25}, 10, 21));
}

}  // namespace
}  // namespace orb
