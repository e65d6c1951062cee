// FLYAWAY, STARBURST and SPLAT against values worked out by hand. The fixture's
// play area centre is (4000, 3000) and its half diagonal 5000.
#include <gtest/gtest.h>

#include <cmath>

#include "tests/viewer/modes/mode_fixture.h"
#include "viewer/modes/fly_away_sprite.h"
#include "viewer/modes/splat_sprite.h"
#include "viewer/modes/starburst_sprite.h"

namespace orb::test {
namespace {

class FlyAwayTest : public ModeFixture, public ::testing::Test {};

// 3990 units left of the centre: r = 0.798, speed 100 + trunc(79.8) = 179,
// closing factor 1 - 179 x 0.000025 = 0.995525, so x = trunc(-3972.14) + 4000.
TEST_F(FlyAwayTest, ClosesInAndShrinksWithDistance) {
    FlyAwaySprite& far = Add<FlyAwaySprite>(10, 3000);
    far.baseHeight = 20;
    far.Update();
    EXPECT_DOUBLE_EQ(far.motion.x, 28);
    EXPECT_DOUBLE_EQ(far.motion.y, 3000);
    EXPECT_DOUBLE_EQ(far.motion.speed, 179);
    EXPECT_EQ(far.width, 44);   // trunc(0.798 x 40 x 1.4) = trunc(44.69)
    EXPECT_EQ(far.height, 22);  // trunc(0.798 x 20 x 1.4) = trunc(22.34)
    EXPECT_DOUBLE_EQ(far.motion.direction, 0);

    FlyAwaySprite& near = Add<FlyAwaySprite>(3000, 3000);
    near.Update();
    EXPECT_EQ(near.width, 11);  // trunc(0.2 x 40 x 1.4)
}

TEST_F(FlyAwayTest, SmallSizesBecomeFour) {
    FlyAwaySprite& sprite = Add<FlyAwaySprite>(3500, 3000);
    sprite.Update();  // r = 0.1: trunc(5.6) = 5, height likewise
    EXPECT_EQ(sprite.width, 5);
    FlyAwaySprite& closer = Add<FlyAwaySprite>(3700, 3000);
    closer.Update();  // r = 0.06: trunc(3.36) is below 4
    EXPECT_EQ(closer.width, 4);
    EXPECT_EQ(closer.height, 4);
}

// Swirl 10 turns the sprite about the centre by 0.2 degrees a frame:
// (u, v) = (-3972.14, 0) turned by 0.2 degrees is (-3972.14, -13.87).
TEST_F(FlyAwayTest, SwirlRotatesAboutTheCentre) {
    viewer.settings.swirl = 10;
    FlyAwaySprite& sprite = Add<FlyAwaySprite>(10, 3000);
    sprite.Update();
    EXPECT_DOUBLE_EQ(sprite.motion.x, 28);
    EXPECT_DOUBLE_EQ(sprite.motion.y, 2987);

    FlyAwaySprite& reversed = Add<FlyAwaySprite>(10, 3000);
    reversed.swirlSense = 1;
    reversed.Update();
    EXPECT_DOUBLE_EQ(reversed.motion.y, 3013);
}

TEST_F(FlyAwayTest, RecreatedOnArrivalAtTheCentre) {
    FlyAwaySprite& sprite = Add<FlyAwaySprite>(4100, 3000);  // r = 0.02
    sprite.Update();
    EXPECT_EQ(sprite.lifeState, kAwaitingBirth);
    EXPECT_TRUE(viewer.destroySoundPending);
    const double x = sprite.motion.x;
    const double y = sprite.motion.y;
    EXPECT_TRUE(x < 0 || x > 8000 || y < 0 || y > 6000) << x << ", " << y;
}

class StarburstTest : public ModeFixture, public ::testing::Test {};

// Speed 800 over divisor 800: ten units a frame outward, r = k / 500 after k
// frames; the base speed (400) never lifts the speed above its floor of 800.
TEST_F(StarburstTest, LeavesTheCentreGrowingAndIsRecreatedOutside) {
    StarburstSprite& sprite = Add<StarburstSprite>(0, 0);
    sprite.baseSpeed = 400;
    sprite.Place();
    EXPECT_DOUBLE_EQ(sprite.motion.x, 4000);
    EXPECT_DOUBLE_EQ(sprite.motion.y, 3000);
    EXPECT_EQ(sprite.width, 4);
    EXPECT_DOUBLE_EQ(sprite.motion.speed, 800);

    for (int frame = 1; frame <= 260; ++frame) sprite.Update();
    EXPECT_DOUBLE_EQ(sprite.motion.x, 6600);
    EXPECT_EQ(sprite.width, 24);  // trunc(0.52 x 40 x 1.2) = trunc(24.96)
    EXPECT_DOUBLE_EQ(sprite.motion.speed, 800);

    // Frame 413: x = 8130, width trunc(0.826 x 48) = 39, so x - 130 reaches the edge.
    for (int frame = 261; frame <= 412; ++frame) sprite.Update();
    EXPECT_EQ(sprite.lifeState, kAlive);
    sprite.Update();
    EXPECT_EQ(sprite.lifeState, kAwaitingBirth);
    EXPECT_DOUBLE_EQ(sprite.motion.x, 4000);
    EXPECT_EQ(sprite.width, 4);
    EXPECT_TRUE(viewer.destroySoundPending);
}

class SplatTest : public ModeFixture, public ::testing::Test {};

// Each live sprite counts the marks' countdown down once a frame; at 0 the marks
// clear and it starts again (Scene Lifetime 0: 100).
TEST_F(SplatTest, MarksClearWhenTheCountdownRunsOut) {
    viewer.settings.sceneLifetime = 0;
    viewer.modeScene.splatClearCountdown = 2;
    SplatSprite& sprite = Add<SplatSprite>(0, 0);
    for (int expected : {1, 0, 100}) {
        sprite.Update();
        EXPECT_EQ(viewer.modeScene.splatClearCountdown, expected);
    }
}

TEST_F(SplatTest, SpinTurnsOneRunningAngleForAll) {
    viewer.settings.direction = 30;
    viewer.settings.spin = 20;
    SplatSprite& first = Add<SplatSprite>(0, 0);
    SplatSprite& second = Add<SplatSprite>(0, 0);
    first.Update();
    EXPECT_DOUBLE_EQ(first.displayAngle, 30);
    second.Update();
    EXPECT_DOUBLE_EQ(second.displayAngle, 31);  // + 20 x 0.05
    first.Update();
    EXPECT_DOUBLE_EQ(first.displayAngle, 32);

    viewer.settings.spin = 0;
    second.Update();
    EXPECT_DOUBLE_EQ(second.displayAngle, 30);
}

}  // namespace
}  // namespace orb::test
