// A display that loses its surfaces or is still busy, as DirectDraw can be: a busy
// copy is tried again, a lost surface starts the recovery (screen, backdrop, back
// buffer, then every sprite surface, each drawn again) and ends that frame's
// copies; the next frame draws normally. Recovery failures end with 995 or are
// reported by name.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "engine_test_support.h"
#include "viewer/engine/display_device.h"

namespace orb {
namespace {

using test::Bgr;
using test::kBlue;
using test::kRed;
using test::PixelAt;

constexpr Bgr kBlack{0, 0, 0};
constexpr std::uint32_t kBlueColour = 200u << 16;

// Surfaces are named by the order the device asks for them: the back buffer at
// open, the backdrop with the first backdrop, then one per sprite.
struct LossyDisplay final : test::ForwardingDisplay {
    std::unique_ptr<DisplaySurface> CreateSurface(int w, int h) override {
        static const char* const kNames[] = {"back buffer", "backdrop", "sprite 1", "sprite 2"};
        auto surface = inner.CreateSurface(w, h);
        if (surface && created < 4) names[surface.get()] = kNames[created++];
        return surface;
    }
    BlitResult Blit(DisplaySurface& target, int x, int y, DisplaySurface& source, const Rect& rect,
                    bool keyed) override {
        ++blits;
        auto scripted = answers.find(blits);
        if (scripted != answers.end()) return scripted->second;
        return inner.Blit(target, x, y, source, rect, keyed);
    }
    // A lost surface comes back empty: black, until the device draws it again.
    bool Restore(DisplaySurface& surface) override {
        const std::string name = NameOf(surface);
        restored.push_back(name);
        if (name == refuseRestore) return false;
        static_cast<SoftwareSurface&>(surface).picture.Fill(0, 0, 0);
        return true;
    }
    bool DrawPicture(DisplaySurface& target, const GXDrawingSurface& picture, int x, int y) override {
        if (refuseDrawing) return false;
        return inner.DrawPicture(target, picture, x, y);
    }
    std::string NameOf(DisplaySurface& surface) {
        if (&surface == &inner.Screen()) return "screen";
        auto found = names.find(&surface);
        return found == names.end() ? "?" : found->second;
    }

    std::map<int, BlitResult> answers;  // by blit number, counted from 1; others copy
    std::map<const DisplaySurface*, std::string> names;
    std::vector<std::string> restored;
    std::string refuseRestore;
    bool refuseDrawing = false;
    int created = 0;
    int blits = 0;
};

// A 16 x 12 screen on a blue backdrop with one red 4 x 4 sprite named "fish.bmp".
// A sprite at (x, y) covers x - 2 .. x + 1 and y - 2 .. y + 1.
struct LossyScreen : ::testing::Test {
    void SetUp() override {
        ASSERT_TRUE(device.DXInit(16, 12, 24));
        ASSERT_TRUE(device.SetBackdrop(nullptr, kBlueColour));
        frame = test::Picture(4, 4, 200, 0, 0);
        frame.squareCanvas = true;
        frame.name = "fish.bmp";
        id = device.AddObject(&frame, nullptr, 4, 4, 4, 4, 0, 0, kDrawTransparent, kWhiteKey, 0, 0);
        ASSERT_NE(id, 0u);
        display.blits = 0;
    }
    void Frame(int x, int y) {
        device.DrawList(dirty, 1);
        device.PlaceObject(id, x, y);
        device.UpdateDrawList(dirty);
        device.BlitAllItems(false);
        device.DrawList(dirty, 2);
    }
    const GXDrawingSurface& Screen() { return *display.inner.ScreenPicture(); }

    LossyDisplay display;
    test::RecordingQuit quit;
    ReportLog reports;
    DisplayDevice device{display, quit, reports};
    DirtyRectList dirty;
    GXDrawingSurface frame;
    std::uint32_t id = 0;
};

TEST_F(LossyScreen, ABusyCopyIsTriedAgainUntilItIsDone) {
    // The first frame has nothing to restore (no earlier rectangles): blit 1 is the
    // sprite, busy twice, done on the third try (blit 3); blit 4 presents it.
    display.answers = {{1, BlitResult::StillDrawing}, {2, BlitResult::StillDrawing}};
    Frame(8, 6);
    EXPECT_EQ(display.blits, 4);
    EXPECT_EQ(PixelAt(Screen(), 6, 4), kRed);
    EXPECT_EQ(PixelAt(Screen(), 9, 7), kRed);
    EXPECT_TRUE(display.restored.empty());
    EXPECT_TRUE(quit.codes.empty());
}

TEST_F(LossyScreen, ALostScreenIsRecoveredAndTheFrameEndsThere) {
    Frame(8, 6);  // blits 1 (sprite) and 2 (present 6,4 .. 10,8)
    // Frame 2: blit 3 restores the backdrop under (6,4,10,8); the sprite moves to
    // (12, 6) (blit 4); the rectangles to present are (6,4,10,8) and (10,4,14,8),
    // whose box (6,4,14,8) is 32 pixels, not less than 16 + 16, so both stay.
    // Blit 5 presents the first and finds the screen lost.
    display.answers = {{5, BlitResult::SurfaceLost}};
    Frame(12, 6);
    const std::vector<std::string> order{"screen", "backdrop", "back buffer", "sprite 1"};
    EXPECT_EQ(display.restored, order);
    // Recovery copies the backdrop into the back buffer (blit 6); the second
    // rectangle is never presented.
    EXPECT_EQ(display.blits, 6);
    EXPECT_EQ(PixelAt(Screen(), 10, 4), kBlack);
    // The next frame draws normally, from surfaces drawn again: (10,4,14,8) twice
    // is one rectangle, and it shows the red sprite, not a black square.
    Frame(12, 6);
    EXPECT_EQ(PixelAt(Screen(), 10, 4), kRed);
    EXPECT_EQ(PixelAt(Screen(), 13, 7), kRed);
    EXPECT_TRUE(reports.reports.empty());
    EXPECT_TRUE(quit.codes.empty());
}

TEST_F(LossyScreen, ASurfaceLostUnderTheSpriteAbandonsOnlyThatSprite) {
    // Blit 1 is the sprite's: lost. The presenting blit still runs (blit 3, after
    // the recovery's copy, blit 2) and shows the back buffer as recovered: blue.
    display.answers = {{1, BlitResult::SurfaceLost}};
    Frame(8, 6);
    EXPECT_EQ(display.restored.size(), 4u);
    EXPECT_EQ(display.blits, 3);
    EXPECT_EQ(PixelAt(Screen(), 6, 4), kBlue);
    Frame(8, 6);
    EXPECT_EQ(PixelAt(Screen(), 6, 4), kRed);
}

TEST_F(LossyScreen, AnyOtherFailureEndsTheFrameWithoutRecovery) {
    display.answers = {{1, BlitResult::Failed}};
    Frame(8, 6);
    EXPECT_TRUE(display.restored.empty());
    EXPECT_EQ(PixelAt(Screen(), 6, 4), kBlue);
}

// Each of the three full-size surfaces that cannot come back ends the show with
// 995 and stops the recovery there.
TEST_F(LossyScreen, AFullSizeSurfaceThatCannotComeBackEndsWith995) {
    const struct {
        const char* refused;
        std::vector<std::string> tried;
    } cases[] = {
        {"screen", {"screen"}},
        {"backdrop", {"screen", "backdrop"}},
        {"back buffer", {"screen", "backdrop", "back buffer"}},
    };
    for (const auto& c : cases) {
        display.restored.clear();
        quit.codes.clear();
        display.refuseRestore = c.refused;
        EXPECT_TRUE(device.RestoreSurfaces()) << c.refused;
        EXPECT_EQ(display.restored, c.tried) << c.refused;
        EXPECT_EQ(quit.codes, std::vector<int>{995}) << c.refused;
    }
}

TEST_F(LossyScreen, ASpriteSurfaceThatCannotComeBackIsNamedAndSkipped) {
    display.refuseRestore = "sprite 1";
    EXPECT_TRUE(device.RestoreSurfaces());
    ASSERT_EQ(reports.reports.size(), 1u);
    EXPECT_EQ(FormatReport(reports.reports[0]), "Unable to restore out-scoped resource fish.bmp\n ()\n");
    EXPECT_TRUE(quit.codes.empty());
}

TEST_F(LossyScreen, ASpriteThatCannotBeDrawnAgainFailsTheRecovery) {
    display.refuseDrawing = true;
    EXPECT_FALSE(device.RestoreSurfaces());
    ASSERT_EQ(reports.reports.size(), 1u);
    EXPECT_EQ(FormatReport(reports.reports[0]), "Failed in DD to GetDC for Restore ()\n");
}

// Closing hands the display's own failures to the device's reports.
struct FailingClose final : test::ForwardingDisplay {
    void Close(ReportSink& reports) override { reports.Error("Failed to restore DD DisplayMode"); }
};

TEST(DisplayDeviceClose, TheBackEndsFailuresReachTheReports) {
    FailingClose display;
    test::RecordingQuit quit;
    ReportLog reports;
    {
        DisplayDevice device{display, quit, reports};
        ASSERT_TRUE(device.DXInit(16, 12, 24));
        device.DXUninit();
    }
    ASSERT_EQ(reports.reports.size(), 1u);  // once: a closed device does not close again
    EXPECT_EQ(FormatReport(reports.reports[0]), "Failed to restore DD DisplayMode ()\n");
}

}  // namespace
}  // namespace orb
