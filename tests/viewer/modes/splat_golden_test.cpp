// Worked values for SPLAT: the mark-clearing countdown, the search for a bright
// place, its 5000-try fallback, Factor X's threshold and the rounding of the
// position to a backdrop pixel. Random values are the generator's sequence from
// seed 1 (state := state x 214013 + 2531011 mod 2^32, value (state >> 16) & 0x7FFF):
//
//   draw   1      2      3      4      5      6
//   value 41  18467   6334  26500  19169  15724
//   draw  10001  10002  10003
//   value 19484  22693  17194
//
// An update of a live sprite draws 1 and 2 (the discarded value and the stutter
// chance); each try then draws x and y as RandomPosition does.
#include <gtest/gtest.h>

#include <memory>

#include "tests/viewer/modes/mode_fixture.h"
#include "viewer/modes/splat_sprite.h"

namespace orb::test {
namespace {

// A 1024 x 768 backdrop of one colour.
GXDrawingSurface& UseBackdrop(ModeFixture& fixture, std::uint8_t red, std::uint8_t green,
                              std::uint8_t blue) {
    auto picture = std::make_unique<GXDrawingSurface>();
    picture->Create(24, 1024, 768);
    picture->Fill(red, green, blue);
    fixture.viewer.backdropImage = std::move(picture);
    return *fixture.viewer.backdropImage;
}

// A SPLAT sprite of w x w pixels.
SplatSprite& AddSplat(ModeFixture& fixture, int w) {
    SplatSprite& sprite = fixture.Add<SplatSprite>(0, 0);
    sprite.width = sprite.height = w;
    return sprite;
}

class SplatGolden : public ModeFixture, public ::testing::Test {
protected:
    GXDrawingSurface& Backdrop(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
        return UseBackdrop(*this, red, green, blue);
    }
    SplatSprite& Sprite(int w) { return AddSplat(*this, w); }
};

// Never (-1) with Scene Lifetime 100, 100 frames with 0, else 100 x Scene Lifetime.
TEST_F(SplatGolden, SetUpCountdown) {
    const std::pair<int, int> cases[] = {{100, -1}, {0, 100}, {7, 700}, {1, 100}};
    for (const auto& [sceneLifetime, countdown] : cases) {
        viewer.settings.sceneLifetime = sceneLifetime;
        viewer.modeScene.splatClearCountdown = 12345;
        SplatSprite sprite;
        sprite.Init(viewer);
        EXPECT_EQ(viewer.modeScene.splatClearCountdown, countdown) << sceneLifetime;
    }
}

// Scene Lifetime 0: 100 frames of one live sprite count it down to 0; the next
// frame refreshes the backdrop and starts again at 100.
TEST_F(SplatGolden, TheCountdownRunsOncePerLiveSpritePerFrame) {
    viewer.settings.sceneLifetime = 0;
    SplatSprite& first = Sprite(1);
    SplatSprite& second = Sprite(1);
    viewer.modeScene.splatClearCountdown = 100;
    for (int frame = 0; frame < 50; ++frame) {
        first.Update();
        second.Update();
    }
    EXPECT_EQ(viewer.modeScene.splatClearCountdown, 0);
    first.Update();
    EXPECT_EQ(viewer.modeScene.splatClearCountdown, 100);
    second.Update();
    EXPECT_EQ(viewer.modeScene.splatClearCountdown, 99);
}

// A black backdrop with Factor X 0: brightness 0 is not above 0 x 195075 / 100, so
// every try fails. A 1 x 1 sprite on the 800 x 600 view tries x := rand % 8020 -
// 10 (which maps to pixels 0..801 after rounding) and y := rand % 6020 - 10, never
// off the 1024 x 768 picture. The 5000th try, draws 10001 and 10002, stays:
// (19484 % 8020 - 10, 22693 % 6020 - 10) = (3434, 4623).
TEST_F(SplatGolden, AfterFiveThousandFailedTriesTheLastPlaceStays) {
    Backdrop(0, 0, 0);
    viewer.settings.factorX = 0;
    SplatSprite& sprite = Sprite(1);
    sprite.Update();
    EXPECT_EQ(sprite.motion.x, 3434.0);
    EXPECT_EQ(sprite.motion.y, 4623.0);
    EXPECT_EQ(viewer.random.Next(), 17194);  // draw 10003
}

// Factor X 99: the threshold is 99 x 195075 / 100 = 193124. Grey 254 (3 x 254^2 =
// 193548) is bright enough at the first try (6334 % 8020 - 10, 26500 % 6020 - 10) =
// (6324, 2410); grey 253 (192027) is not, and the 5000th try stays.
TEST(SplatThresholdGolden, FactorXSetsTheBrightnessThreshold) {
    struct Case {
        std::uint8_t grey;
        double x, y;
    };
    for (const Case& c : {Case{254, 6324, 2410}, Case{253, 3434, 4623}}) {
        ModeFixture fixture;
        fixture.viewer.settings.factorX = 99;
        UseBackdrop(fixture, c.grey, c.grey, c.grey);
        SplatSprite& sprite = AddSplat(fixture, 1);
        sprite.Update();
        EXPECT_EQ(sprite.motion.x, c.x) << int(c.grey);
        EXPECT_EQ(sprite.motion.y, c.y) << int(c.grey);
    }
}

// The position becomes a backdrop pixel by (x - left) x (view width / play width) +
// view left, plus 0.5, truncated. On a 1024 x 768 view a 4 x 4 sprite is 31 world
// units (trunc(4 x 8000 / 1024)) each way: the first try is (6334 % 8062 - 31,
// 26500 % 6062 - 31) = (6303, 2221), pixel (806.784 + 0.5, 284.288 + 0.5) =
// (807, 284). Only column 807 is white: the first try is taken. Then the angle:
// Direction 30, Direction Range 10: 19169 % 20 - 10 + 30 = 29.
TEST_F(SplatGolden, PositionsRoundToTheNearestPixel) {
    viewer.pixelReference = viewer.viewRect = {0, 0, 1024, 768};
    viewer.settings.direction = 30;
    viewer.settings.directionRange = 10;
    GXDrawingSurface& backdrop = Backdrop(0, 0, 0);
    for (int row = 0; row < 768; ++row) {
        std::uint8_t* pixel = backdrop.Row(row).data() + 3 * 807;
        pixel[0] = pixel[1] = pixel[2] = 255;
    }
    SplatSprite& sprite = Sprite(4);
    sprite.Update();
    EXPECT_EQ(sprite.motion.x, 6303.0);
    EXPECT_EQ(sprite.motion.y, 2221.0);
    EXPECT_EQ(sprite.displayAngle, 29.0);
    EXPECT_EQ(viewer.random.Next(), 15724);  // draw 6
}

// Without a backdrop picture the first try is taken: a 40 x 40 sprite (400 units
// each way) on the 800 x 600 view: (6334 % 8800 - 400, 26500 % 6800 - 400) =
// (5934, 5700).
TEST_F(SplatGolden, WithoutABackdropTheFirstPlaceIsTaken) {
    SplatSprite& sprite = Sprite(40);
    sprite.Update();
    EXPECT_EQ(sprite.motion.x, 5934.0);
    EXPECT_EQ(sprite.motion.y, 5700.0);
}

// Off the picture counts as a find. On a black picture the same sprite's tries 1
// to 10 (draws 3 to 22) all land on black pixels; try 11, draws 23 and 24, is
// (3902 % 8800 - 400, 153 % 6800 - 400) = (3502, -247), pixel row
// trunc(-24.7 + 0.5) = -24: above the picture, taken.
TEST_F(SplatGolden, APlaceOffThePictureIsTaken) {
    Backdrop(0, 0, 0);
    SplatSprite& sprite = Sprite(40);
    sprite.Update();
    EXPECT_EQ(sprite.motion.x, 3502.0);
    EXPECT_EQ(sprite.motion.y, -247.0);
    EXPECT_EQ(viewer.random.Next(), 292);  // draw 25
}

}  // namespace
}  // namespace orb::test
