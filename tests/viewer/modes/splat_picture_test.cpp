// SPLAT's search for bright places, on real backdrop pictures.
#include <gtest/gtest.h>

#include "tests/viewer/modes/mode_fixture.h"
#include "viewer/modes/splat_sprite.h"

namespace orb::test {
namespace {

class SplatPictureTest : public ModeFixture, public ::testing::Test {
protected:
    // A 1024 x 768 24-bit backdrop: black left half, white right half.
    void MakeHalfWhiteBackdrop() {
        auto picture = std::make_unique<GXDrawingSurface>();
        picture->Create(24, 1024, 768);
        for (int row = 0; row < 768; ++row) {
            auto pixels = picture->Row(row);
            for (int x = 512; x < 1024; ++x) {
                pixels[3 * x] = pixels[3 * x + 1] = pixels[3 * x + 2] = 255;
            }
        }
        viewer.backdropImage = std::move(picture);
    }
};

// Factor X 100 accepts only pure white (or a place off the picture), so every
// accepted place lies on the right half or outside the picture.
TEST_F(SplatPictureTest, JumpsToBrightPlaces) {
    MakeHalfWhiteBackdrop();
    viewer.settings.factorX = 100;
    SplatSprite& sprite = Add<SplatSprite>(0, 0);
    for (int frame = 0; frame < 200; ++frame) {
        sprite.Update();
        const int px = static_cast<int>(sprite.motion.x * 0.1 + 0.5);
        const int py = static_cast<int>(sprite.motion.y * 0.1 + 0.5);
        const bool onPicture = px >= 0 && py >= 0 && px < 1024 && py < 768;
        ASSERT_TRUE(!onPicture || px >= 512) << px << ", " << py;
    }
}

TEST_F(SplatPictureTest, BrightnessReadsTheRowFromTheTop) {
    GXDrawingSurface picture;
    picture.Create(24, 2, 2);
    auto bottom = picture.Row(0);  // storage row 0 is the bottom row
    bottom[0] = 3;                 // blue
    bottom[1] = 2;                 // green
    bottom[2] = 1;                 // red
    bool inside = false;
    EXPECT_EQ(SquaredBrightness(picture, 0, 1, inside), 1 + 4 + 9);
    EXPECT_TRUE(inside);
    EXPECT_EQ(SquaredBrightness(picture, 0, 0, inside), 0);
    SquaredBrightness(picture, 2, 0, inside);
    EXPECT_FALSE(inside);
    SquaredBrightness(picture, 0, -1, inside);
    EXPECT_FALSE(inside);
}

}  // namespace
}  // namespace orb::test
