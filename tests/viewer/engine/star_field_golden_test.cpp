// Worked values for the star field. Random values are the generator's sequence from
// seed 1 (state := state x 214013 + 2531011 mod 2^32, value (state >> 16) & 0x7FFF):
//
//   draw   1      2      3      4      5      6      7      8      9     10     11
//   value 41  18467   6334  26500  19169  15724  11478  29358  26962  24464   5705
//   draw  12     13     14     15     16     17     18     19
//   value 28145 23281 16827   9961    491   2995  11942   4827
//
// A star is made from six draws: x := rand % 30 + width / 2 - 15, y likewise, angle
// rand % 360, speed rand % 50 (rand % 100 when re-created), then x += (rand %
// (width / 4)) x cos(angle) and y += (rand % (height / 4)) x sin(angle), angles in
// radians by 0.0174532925.
#include <gtest/gtest.h>

#include <vector>

#include "viewer/engine/star_field.h"

namespace orb {
namespace {

struct NoSurface final : DisplaySurface {
    int Width() const override { return 0; }
    int Height() const override { return 0; }
};

// Records the squares the star field puts on the screen.
struct FillRecorder final : DisplayBackend {
    bool Open(int, int, int, ReportSink&) override { return true; }
    void Close(ReportSink&) override {}
    int DrawingDepth() const override { return 24; }
    DisplaySurface& Screen() override { return screen; }
    std::unique_ptr<DisplaySurface> CreateSurface(int, int) override { return nullptr; }
    bool DrawPicture(DisplaySurface&, const GXDrawingSurface&, int, int) override { return true; }
    BlitResult Blit(DisplaySurface&, int, int, DisplaySurface&, const Rect&, bool) override {
        return BlitResult::Ok;
    }
    void SetColourKey(DisplaySurface&) override {}
    bool Restore(DisplaySurface&) override { return true; }
    bool FillOnScreen(std::span<const ScreenFill> list) override {
        fills.assign(list.begin(), list.end());
        return true;
    }
    NoSurface screen;
    std::vector<ScreenFill> fills;
};

bool SameFill(const ScreenFill& a, const ScreenFill& b) {
    return a.rect == b.rect && a.colour == b.colour;
}

// 640 x 480, two stars.
//  star 1: x 41 % 30 + 305 = 316, y 18467 % 30 + 225 = 242, angle 6334 % 360 = 214,
//          speed 26500 % 50 = 0; x += (19169 % 160 = 129) x cos 214 = -106.9458...,
//          y += (15724 % 120 = 4) x sin 214 = -2.2368...: (209.0542, 239.7632).
//  star 2: x 11478 % 30 + 305 = 323, y 29358 % 30 + 225 = 243, angle 322, speed
//          24464 % 50 = 14; x += (5705 % 160 = 105) x cos 322 = 82.7411...,
//          y += (28145 % 120 = 65) x sin 322 = -40.0180...: (405.7411, 202.9820).
// First frame (centre (320, 240), corner distance 400):
//  star 1: speed 0 does not move it; r = 110.9461 / 400 = 0.2774: size 2, colour
//          trunc(0.5547 x 16777215) = 0x8E02D0; speed max(0 x 1.1, 33) = 33.
//  star 2: moves by (cos 322, sin 322) x 14 / 32 = (0.3448, -0.2694) to
//          (406.0859, 202.7127); r = 0.2335: size 2, colour 0x778A59; speed 33.
// Each star is first erased as it was drawn before (1 x 1 at the truncated place).
TEST(StarFieldGolden, CreationAndTheFirstFrame) {
    RandomGenerator random;
    StarField field(2, 640, 480, random);
    const auto& stars = field.Stars();
    ASSERT_EQ(stars.size(), 2u);
    EXPECT_NEAR(stars[0].x, 209.05415283, 1e-6);
    EXPECT_NEAR(stars[0].y, 239.76322840, 1e-6);
    EXPECT_EQ(stars[0].angle, 214.0);
    EXPECT_EQ(stars[0].speed, 0.0);
    EXPECT_EQ(stars[0].size, 1);
    EXPECT_NEAR(stars[1].x, 405.74112871, 1e-6);
    EXPECT_NEAR(stars[1].y, 202.98200377, 1e-6);
    EXPECT_EQ(stars[1].angle, 322.0);
    EXPECT_EQ(stars[1].speed, 14.0);

    FillRecorder screen;
    ASSERT_TRUE(field.Draw(screen, random));
    const std::vector<ScreenFill> expected = {
        {{209, 239, 210, 240}, 0},
        {{209, 239, 211, 241}, 0x8E02D0},
        {{405, 202, 406, 203}, 0},
        {{406, 202, 408, 204}, 0x778A59},
    };
    ASSERT_EQ(screen.fills.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i)
        EXPECT_TRUE(SameFill(screen.fills[i], expected[i])) << "fill " << i;
    EXPECT_NEAR(stars[1].x, 406.08588342, 1e-6);
    EXPECT_NEAR(stars[1].y, 202.71265188, 1e-6);
    EXPECT_EQ(stars[0].speed, 33.0);
    EXPECT_EQ(stars[1].speed, 33.0);
    // The second frame: 33 x 1.1 = 36.3.
    ASSERT_TRUE(field.Draw(screen, random));
    EXPECT_NEAR(stars[0].speed, 36.3, 1e-12);
    // Twelve draws made the field; moving inside the screen draws nothing.
    EXPECT_EQ(random.Next(), 23281);
}

// One star on screens of several sizes; its first frame's size and colour follow
// r, the distance from the centre over the corner distance: size 1 below 0.2, 2
// below 0.4, else 3; colour trunc(min(1, 2 x max(r, 0.1)) x 16777215).
TEST(StarFieldGolden, SizeAndColourThresholds) {
    struct Case {
        int width, height;
        Rect square;  // where it is drawn
        std::uint32_t colour;
    };
    const Case cases[] = {
        // x 11 + 32 - 15 + (19169 % 16 = 1) x cos 214 = 27.17; y 17 + 225 + 4 sin 214 =
        // 239.76; r = 4.83 / 242.1 = 0.020: size 1, r raised to 0.1: 0.2 x 16777215.
        {64, 480, {27, 239, 28, 240}, 0x333333},
        // The first star of the 640 x 480 field: r = 0.2774, size 2.
        {640, 480, {209, 239, 211, 241}, 0x8E02D0},
        // x 16 + (19169 % 10 = 9) x cos 214 = 8.54, y 22 + (15724 % 10 = 4) x sin 214 =
        // 19.76; r = 11.46 / 28.28 = 0.4053: size 3, trunc(0.8106 x 16777215).
        {40, 40, {8, 19, 11, 22}, 0xCF8442},
    };
    for (const Case& c : cases) {
        RandomGenerator random;
        StarField field(1, c.width, c.height, random);
        FillRecorder screen;
        ASSERT_TRUE(field.Draw(screen, random));
        ASSERT_EQ(screen.fills.size(), 2u);
        EXPECT_TRUE(SameFill(screen.fills[1], {c.square, c.colour}))
            << c.width << " x " << c.height << ": " << screen.fills[1].rect.left << ","
            << screen.fills[1].rect.top << " size " << screen.fills[1].rect.Width() << " colour "
            << std::hex << screen.fills[1].colour;
    }
}

// A 4 x 4 screen: quarter sizes are 1, so the offsets are rand % 1 = 0 (still drawn).
// Made from draws 1-6: x 11 + 2 - 15 = -2, y 17 + 2 - 15 = 4, speed 0.
// First frame: it stands still at x -2 < 0: re-created from draws 7-12 with speed
// rand % 100: x 18 - 13 = 5, y 18 - 13 = 5, angle 322, speed 24464 % 100 = 64.
// Its y 5 > 4: re-created again from draws 13-18: x 23281 % 30 - 13 = -12, y
// 16827 % 30 - 13 = 14, angle 9961 % 360 = 241, speed 491 % 100 = 91, size 1.
// r was measured before the move: (-2, 4) is 4.47 from (2, 2), over the corner
// distance 2.83, limited to 1: white.
TEST(StarFieldGolden, StarsLeavingTheScreenAreMadeAgainOncePerAxis) {
    RandomGenerator random;
    StarField field(1, 4, 4, random);
    FillRecorder screen;
    ASSERT_TRUE(field.Draw(screen, random));
    const Star& star = field.Stars()[0];
    EXPECT_EQ(star.x, -12.0);
    EXPECT_EQ(star.y, 14.0);
    EXPECT_EQ(star.angle, 241.0);
    EXPECT_EQ(star.speed, 91.0);
    EXPECT_EQ(star.size, 1);
    ASSERT_EQ(screen.fills.size(), 2u);
    EXPECT_TRUE(SameFill(screen.fills[0], {{-2, 4, -1, 5}, 0}));
    EXPECT_TRUE(SameFill(screen.fills[1], {{-12, 14, -11, 15}, 0xFFFFFF}));
    EXPECT_EQ(random.Next(), 4827);  // the nineteenth value
}

}  // namespace
}  // namespace orb
