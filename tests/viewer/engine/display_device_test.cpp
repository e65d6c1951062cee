#include <gtest/gtest.h>

#include "engine_test_support.h"
#include "viewer/engine/display_device.h"

namespace orb {
namespace {

using test::Bgr;
using test::kBlue;
using test::kRed;
using test::Picture;
using test::PixelAt;

constexpr Bgr kGreen{0, 200, 0};
constexpr Bgr kYellow{0, 200, 200};
constexpr std::uint32_t kBlueColour = 200u << 16;  // red in the low byte
constexpr std::uint32_t kYellowColour = 200u | 200u << 8;

// A compositor over a software screen of `depth` bits, recording what it reports.
struct DeviceRig {
    explicit DeviceRig(int depth) : display{depth} {}
    SoftwareDisplay display;
    test::RecordingQuit quit;
    ReportLog reports;
    DisplayDevice device{display, quit, reports};
};

// A 16 x 12 screen (not a table mode: shown at its own size) on a blue backdrop.
struct SmallScreen : ::testing::Test, DeviceRig {
    SmallScreen() : DeviceRig(24) {}
    void SetUp() override {
        ASSERT_TRUE(device.DXInit(16, 12, 24));
        ASSERT_TRUE(device.SetBackdrop(nullptr, kBlueColour));
        frame = Picture(4, 4, 200, 0, 0);  // red
        frame.squareCanvas = true;
    }
    std::uint32_t Add(const GXDrawingSurface& picture, std::uint32_t flags = kDrawTransparent) {
        return device.AddObject(&picture, nullptr, picture.Width(), picture.Height(),
                                picture.Width(), picture.Height(), 0, 0, flags, kWhiteKey, 0, 0);
    }
    // One frame of the compositor with the item at (x, y) in pixels.
    void Frame(std::uint32_t id, int x, int y, bool imprint = false) {
        device.DrawList(dirty, 1);
        device.PlaceObject(id, x, y);
        device.UpdateDrawList(dirty);
        device.BlitAllItems(imprint);
        device.DrawList(dirty, 2);
    }
    const GXDrawingSurface& Screen() { return *display.ScreenPicture(); }

    DirtyRectList dirty;
    GXDrawingSurface frame;
};

TEST_F(SmallScreen, TheBackdropFillsTheWholeScreen) {
    EXPECT_EQ(device.ModeWidth(), 16);
    EXPECT_EQ(PixelAt(Screen(), 0, 0), kBlue);
    EXPECT_EQ(PixelAt(Screen(), 15, 11), kBlue);
}

TEST_F(SmallScreen, ASpriteIsDrawnCentredAndItsOldPlaceRestored) {
    const std::uint32_t id = Add(frame);
    ASSERT_EQ(id, 1u);
    Frame(id, 8, 6);
    EXPECT_EQ(PixelAt(Screen(), 6, 4), kRed);
    EXPECT_EQ(PixelAt(Screen(), 9, 7), kRed);
    EXPECT_EQ(PixelAt(Screen(), 5, 4), kBlue);
    EXPECT_EQ(PixelAt(Screen(), 10, 7), kBlue);
    Frame(id, 12, 6);
    EXPECT_EQ(PixelAt(Screen(), 6, 4), kBlue);
    EXPECT_EQ(PixelAt(Screen(), 10, 4), kRed);
    EXPECT_TRUE(quit.codes.empty());
}

TEST_F(SmallScreen, WhiteIsTransparent) {
    GXDrawingSurface ring = Picture(4, 4, 255, 255, 255);
    ring.squareCanvas = true;
    ring.Row(0)[0] = 0, ring.Row(0)[1] = 0, ring.Row(0)[2] = 200;  // bottom-left red
    Frame(Add(ring), 8, 6);
    EXPECT_EQ(PixelAt(Screen(), 6, 7), kRed);
    EXPECT_EQ(PixelAt(Screen(), 7, 5), kBlue);
}

TEST_F(SmallScreen, SpritesCutByTheEdgesShowTheRightPart) {
    // Left half green, right half red.
    GXDrawingSurface halves = Picture(4, 4, 0, 200, 0);
    for (int row = 0; row < 4; ++row)
        for (int x = 2; x < 4; ++x) {
            halves.Row(row)[3 * x] = 0;
            halves.Row(row)[3 * x + 1] = 0;
            halves.Row(row)[3 * x + 2] = 200;
        }
    halves.squareCanvas = true;
    const std::uint32_t id = Add(halves);
    Frame(id, 0, 6);  // half off the left edge: its right half at column 0
    EXPECT_EQ(PixelAt(Screen(), 0, 5), kRed);
    EXPECT_EQ(PixelAt(Screen(), 1, 5), kRed);
    EXPECT_EQ(PixelAt(Screen(), 2, 5), kBlue);
    Frame(id, 16, 6);  // half off the right: its left half, never the last column
    EXPECT_EQ(PixelAt(Screen(), 14, 5), kGreen);
    EXPECT_EQ(PixelAt(Screen(), 15, 5), kBlue);
    EXPECT_EQ(PixelAt(Screen(), 0, 5), kBlue);
    Frame(id, 100, -100);  // wholly off screen
    EXPECT_EQ(PixelAt(Screen(), 14, 5), kBlue);
    EXPECT_TRUE(quit.codes.empty());
}

TEST_F(SmallScreen, HiddenItemsAreNotDrawn) {
    const std::uint32_t id = Add(frame);
    device.ShowObject(id, false);
    Frame(id, 8, 6);
    EXPECT_EQ(PixelAt(Screen(), 7, 5), kBlue);
}

TEST_F(SmallScreen, TheEraserUncoversTheHiddenPicture) {
    ASSERT_TRUE(device.AddXorBuffer(nullptr, kYellowColour));
    const std::uint32_t id = Add(frame, kDrawTransparent | kDrawErase);
    Frame(id, 8, 6);
    EXPECT_EQ(PixelAt(Screen(), 7, 5), kRed);  // the sprite itself shows
    Frame(id, 12, 6);
    EXPECT_EQ(PixelAt(Screen(), 7, 5), kYellow);  // where it was, the hidden picture
    EXPECT_EQ(PixelAt(Screen(), 5, 5), kBlue);    // never touched
    EXPECT_EQ(PixelAt(*device.BackdropPicture(), 5, 5), kBlue);
    // A full refresh brings the backdrop back.
    ASSERT_TRUE(device.RefreshBackdrop());
    EXPECT_EQ(PixelAt(Screen(), 7, 5), kBlue);
}

TEST_F(SmallScreen, AnErasingItemWithoutHiddenPictureEndsTheShow) {
    const std::uint32_t id = Add(frame, kDrawTransparent | kDrawErase);
    Frame(id, 8, 6);
    EXPECT_EQ(quit.codes, std::vector<int>{14});
}

TEST_F(SmallScreen, ImprintsStayUntilTheBackdropIsRefreshed) {
    const std::uint32_t id = Add(frame);
    Frame(id, 8, 6, true);
    Frame(id, 12, 6, true);
    Frame(id, 12, 6, true);
    EXPECT_EQ(PixelAt(Screen(), 7, 5), kRed);
    ASSERT_TRUE(device.RefreshBackdrop());
    EXPECT_EQ(PixelAt(Screen(), 7, 5), kBlue);
}

TEST_F(SmallScreen, APictureThatOutgrowsItsSurfaceGetsALargerOne) {
    GXDrawingSurface tiny = Picture(1, 1, 200, 0, 0);
    tiny.squareCanvas = true;
    // A one-pixel extent would give a zero-sided surface.
    const std::uint32_t id = device.AddObject(&tiny, nullptr, 4, 4, 1, 1, 0, 0, kDrawTransparent,
                                              kWhiteKey, 0, 0);
    ASSERT_NE(id, 0u);
    ASSERT_TRUE(device.UpdateObject(id, 8, 8, 0, 0, false, 0, 0));
    Frame(id, 8, 6);
    EXPECT_EQ(PixelAt(Screen(), 4, 2), kRed);
    EXPECT_EQ(PixelAt(Screen(), 11, 9), kRed);
    EXPECT_TRUE(quit.codes.empty());
}

TEST_F(SmallScreen, FramesAreFoundAlongTheActorsList) {
    FrameList actor;
    for (int i = 0; i < 3; ++i) {
        GXDrawingSurface* f = Picture(4, 4, static_cast<std::uint8_t>(100 + i), 0, 0).AppendCopy(actor);
        f->squareCanvas = true;
    }
    NumberFrames(actor);
    const std::uint32_t id = device.AddObject(actor[0].get(), nullptr, 4, 4, 4, 4, 0, 0,
                                              kDrawTransparent, kWhiteKey, 0, 0);
    ASSERT_TRUE(device.UpdateObject(id, 4, 4, 0, 2, false, 0, 0));
    EXPECT_EQ(PixelAt(device.ItemPicture(id)->picture, 1, 1).r, 102);
    EXPECT_FALSE(device.UpdateObject(id, 4, 4, 0, 5, false, 0, 0));
    EXPECT_EQ(quit.codes, std::vector<int>{84});
    EXPECT_FALSE(device.PlaceObject(99, 0, 0));
    device.BlitItem(99, false);
    EXPECT_EQ(quit.codes, (std::vector<int>{84, 88}));
}

TEST_F(SmallScreen, EveryItemIsFoundByItsIdAndNoOther) {
    const std::uint32_t ids[] = {Add(frame), Add(frame), Add(frame), Add(frame)};
    EXPECT_EQ(ids[0], 1u);
    EXPECT_EQ(ids[3], 4u);
    // Hide them one by one: each call reaches its own item only.
    for (std::uint32_t id : {3u, 1u, 4u, 2u}) {
        EXPECT_TRUE(device.ShowObject(id, false)) << id;
        for (const auto& item : device.Items()) EXPECT_EQ(item->visible, item->id != id) << id;
        EXPECT_TRUE(device.ShowObject(id, true)) << id;
    }
    for (std::uint32_t id : {0u, 5u, 1000u}) EXPECT_FALSE(device.ShowObject(id, false)) << id;
    EXPECT_TRUE(quit.codes.empty());
}

// Through surfaces, a refused surface costs its item the id it was given: the
// items after it are still found by theirs.
TEST(DisplayDevice, ItemsAfterARefusedSurfaceAreFoundByTheirIds) {
    // The back buffer and the backdrop come first: the fourth is the second sprite's.
    struct RefusesFourthSurface final : test::ForwardingDisplay {
        std::unique_ptr<DisplaySurface> CreateSurface(int w, int h) override {
            return ++made == 4 ? nullptr : inner.CreateSurface(w, h);
        }
        int made = 0;
    } display;
    test::RecordingQuit quit;
    ReportLog reports;
    DisplayDevice device{display, quit, reports};
    ASSERT_TRUE(device.DXInit(16, 12, 24));
    ASSERT_TRUE(device.SetBackdrop(nullptr, kBlueColour));
    GXDrawingSurface frame = Picture(4, 4, 200, 0, 0);
    frame.squareCanvas = true;
    auto add = [&] { return device.AddObject(&frame, nullptr, 4, 4, 4, 4, 0, 0, kDrawTransparent, kWhiteKey, 0, 0); };
    const std::uint32_t ids[] = {add(), add(), add(), add()};
    EXPECT_EQ(ids[0], 1u);
    EXPECT_EQ(ids[1], 0u);
    EXPECT_EQ(ids[2], 3u);
    EXPECT_EQ(ids[3], 4u);
    for (std::uint32_t id : {4u, 1u, 3u}) {
        EXPECT_TRUE(device.ShowObject(id, false)) << id;
        for (const auto& item : device.Items()) EXPECT_EQ(item->visible, item->id != id) << id;
        EXPECT_TRUE(device.ShowObject(id, true)) << id;
    }
    EXPECT_FALSE(device.ShowObject(2, false));
    EXPECT_FALSE(device.ShowObject(5, false));
}

TEST_F(SmallScreen, QuickRotationPicksTheCopyForTheAngle) {
    device.SetQuickRotation(true);
    for (int k = 0; k < 16; ++k) {
        frame.rotationSet.push_back(Picture(4, 4, static_cast<std::uint8_t>(k), 0, 0));
    }
    const std::uint32_t id = device.AddObject(&frame, nullptr, 4, 4, 4, 4, 350, 0,
                                              kDrawTransparent, kWhiteKey, 0, 0);
    EXPECT_EQ(PixelAt(device.ItemPicture(id)->picture, 0, 0).r, 15);  // 330 degrees
    ASSERT_TRUE(device.UpdateObject(id, 4, 4, 30, 0, false, 0, 0));
    EXPECT_EQ(PixelAt(device.ItemPicture(id)->picture, 0, 0).r, 1);  // 22.5 .. 45
    ASSERT_TRUE(device.UpdateObject(id, 4, 4, 44, 0, false, 0, 0));
    EXPECT_EQ(PixelAt(device.ItemPicture(id)->picture, 0, 0).r, 1);
    frame.rotationSet.clear();
    ASSERT_TRUE(device.UpdateObject(id, 4, 4, 44.5, 0, false, 0, 0));  // same step: no redraw
    EXPECT_FALSE(device.UpdateObject(id, 4, 4, 90, 0, false, 0, 0));  // copy missing
    EXPECT_EQ(quit.codes, std::vector<int>{977});
}

TEST(DisplayDevice, AScreenInTheTableUsesTheTableMode) {
    DeviceRig rig{24};
    ASSERT_TRUE(rig.device.DXInit(1152, 864, 24));
    EXPECT_EQ(rig.device.ModeWidth(), 1152);
    EXPECT_EQ(rig.device.ModeHeight(), 882);
    ASSERT_TRUE(rig.device.DXInit(1366, 768, 24));  // not in the table: its own size
    EXPECT_EQ(rig.device.ModeWidth(), 1366);
    EXPECT_EQ(rig.device.ModeHeight(), 768);
    EXPECT_TRUE(rig.quit.codes.empty());
}

TEST(DisplayDevice, PaletteDisplaysCompositeInEightBits) {
    DeviceRig rig{8};
    ASSERT_TRUE(rig.device.DXInit(16, 12, 8));
    ASSERT_TRUE(rig.device.SetBackdrop(nullptr, 0xFFFFFF));  // white becomes off-white
    const GXDrawingSurface& screen = *rig.display.ScreenPicture();
    ASSERT_EQ(screen.Depth(), 8);
    const std::uint8_t background = screen.Row(0)[0];
    GXDrawingSurface red = Picture(4, 4, 200, 0, 0);
    red.squareCanvas = true;
    red.ConvertTo8Keyed(Program::Viewer);
    DirtyRectList dirty;
    const std::uint32_t id =
        rig.device.AddObject(&red, nullptr, 4, 4, 4, 4, 0, 0, kDrawTransparent, kWhiteKey, 0, 0);
    rig.device.PlaceObject(id, 8, 6);
    rig.device.UpdateDrawList(dirty);
    rig.device.BlitAllItems(false);
    rig.device.DrawList(dirty, 2);
    EXPECT_NE(screen.Row(12 - 1 - 5)[7], background);
    EXPECT_EQ(screen.Row(12 - 1 - 1)[1], background);
}

}  // namespace
}  // namespace orb
