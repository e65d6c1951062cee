// BOUNCE, GRAVIBOUNCE, RAIN and RANDOMDRIFT against values worked out by hand.
// The fixture's world is 10 units per pixel and its 40 x 40 sprites have half
// extents of 190 units, so the right wall of a bouncing sprite is at 7810.
#include <gtest/gtest.h>

#include "tests/viewer/modes/mode_fixture.h"
#include "viewer/modes/bounce_sprite.h"
#include "viewer/modes/gravi_bounce_sprite.h"
#include "viewer/modes/rain_sprite.h"
#include "viewer/modes/random_drift_sprite.h"

namespace orb::test {
namespace {

class BounceTest : public ModeFixture, public ::testing::Test {};

// Speed 800 over divisor 800 moves one pixel (10 units) a frame.
TEST_F(BounceTest, ReflectsAtTheRightEdgeOnlyTheHitAxis) {
    BounceSprite& sprite = Add<BounceSprite>(7990, 3000);
    sprite.entered = 1;
    sprite.Update();
    EXPECT_DOUBLE_EQ(sprite.motion.x, 7810);
    EXPECT_EQ(sprite.xSign, -1.0);
    EXPECT_EQ(sprite.ySign, 1.0);
    EXPECT_TRUE(viewer.bounceSoundPending);
    sprite.Update();
    EXPECT_DOUBLE_EQ(sprite.motion.x, 7800);
}

TEST_F(BounceTest, FactorXHundredFlipsBothAxes) {
    viewer.settings.factorX = 100;
    BounceSprite& sprite = Add<BounceSprite>(7990, 3000);
    sprite.entered = 1;
    sprite.Update();
    EXPECT_EQ(sprite.xSign, -1.0);
    EXPECT_EQ(sprite.ySign, -1.0);
}

TEST_F(BounceTest, ReflectsAtTheTopEdge) {
    BounceSprite& sprite = Add<BounceSprite>(4000, 195, 270);
    sprite.entered = 1;
    sprite.Update();
    EXPECT_DOUBLE_EQ(sprite.motion.y, 190);
    EXPECT_EQ(sprite.ySign, -1.0);
    EXPECT_EQ(sprite.xSign, 1.0);
}

TEST_F(BounceTest, FliesInUnreflectedUntilWhollyInside) {
    BounceSprite& outside = Add<BounceSprite>(-5000, 3000);
    outside.Update();
    EXPECT_DOUBLE_EQ(outside.motion.x, -4990);
    EXPECT_EQ(outside.xSign, 1.0);
    EXPECT_EQ(outside.entered, 0);
    EXPECT_FALSE(viewer.bounceSoundPending);

    BounceSprite& inside = Add<BounceSprite>(4000, 3000);
    inside.Update();
    EXPECT_EQ(inside.entered, 1);
}

// Sprite Lifetime 0: life is 0 at once, so the first alive frame re-creates it
// awaiting birth, with the destruction sound.
TEST_F(BounceTest, ShortLifeRecreatesTheSprite) {
    viewer.settings.spriteLifetime = 0;
    BounceSprite& sprite = Add<BounceSprite>(4000, 3000);
    sprite.motion.life = 0;
    sprite.entered = 1;
    sprite.Update();
    EXPECT_EQ(sprite.lifeState, kAwaitingBirth);
    EXPECT_EQ(sprite.entered, 0);
    EXPECT_TRUE(viewer.destroySoundPending);
}

class GraviBounceTest : public ModeFixture, public ::testing::Test {};

// Base speed 200: gravity adds 20 to the vertical velocity every frame, and the
// position moves by a hundredth of the velocity.
TEST_F(GraviBounceTest, GravityAcceleratesTheFall) {
    GraviBounceSprite& sprite = Add<GraviBounceSprite>(4000, 1000);
    const double expectedY[] = {1000.0, 1000.2, 1000.6, 1001.2};
    for (double y : expectedY) {
        sprite.Update();
        EXPECT_NEAR(sprite.motion.y, y, 1e-9);
    }
    EXPECT_NEAR(sprite.verticalVelocity, 80, 1e-9);
    EXPECT_DOUBLE_EQ(sprite.motion.x, 4000);
}

// Floor at 6000 - 190. 0.3 x 3000 = 900 is no hard bounce; 0.3 x 4000 = 1200 is.
TEST_F(GraviBounceTest, FloorReversesAtSevenTenthsAndSoundsOnlyWhenHard) {
    struct Fall {
        double velocity, reversed;
        bool sounds;
    };
    // The soft fall comes first: the hard one is the first to sound.
    const Fall falls[] = {{3000, -2100 + 20, false}, {4000, -2800 + 20, true}};
    for (const Fall& f : falls) {
        GraviBounceSprite& sprite = Add<GraviBounceSprite>(4000, 5800);
        sprite.verticalVelocity = f.velocity;
        sprite.Update();
        EXPECT_DOUBLE_EQ(sprite.motion.y, 5810);
        EXPECT_NEAR(sprite.verticalVelocity, f.reversed, 1e-9);
        EXPECT_EQ(viewer.bounceSoundPending, f.sounds) << f.velocity;
    }
}

// Damping (x 0.995) comes before the wall: 3000 -> 2985 -> -2089.5.
TEST_F(GraviBounceTest, SideWallDampsAndReverses) {
    GraviBounceSprite& sprite = Add<GraviBounceSprite>(7800, 3000);
    sprite.horizontalVelocity = 3000;
    sprite.Update();
    EXPECT_DOUBLE_EQ(sprite.motion.x, 7810);
    EXPECT_NEAR(sprite.horizontalVelocity, -2089.5, 1e-9);
}

TEST_F(GraviBounceTest, NoSwirlFallsStraightDown) {
    GraviBounceSprite& sprite = Add<GraviBounceSprite>(0, 0, 90);
    sprite.Place();
    EXPECT_EQ(sprite.horizontalVelocity, 0);
    EXPECT_LT(sprite.motion.y, 0);  // starts above the top edge
    sprite.motion.x = 4000;
    for (int i = 0; i < 50; ++i) sprite.Update();
    EXPECT_DOUBLE_EQ(sprite.motion.x, 4000);
}

class RainTest : public ModeFixture, public ::testing::Test {};

// Draws from seed 1: 41 and 18467 (life step), 6334 (wind), then the new position
// 26500 % 8800 - 400 = -300 and 19169 % 6800 - 400 = 5169, set 6000 units back
// along the downward direction: y = -831, above the top.
TEST_F(RainTest, RecreatesAboveTheTop) {
    viewer.settings.spriteLifetime = 0;
    viewer.modeScene.rainOnScreen = 1;
    RainSprite& sprite = Add<RainSprite>(4000, 3000, 90);
    sprite.entered = 1;
    sprite.motion.life = 0;
    sprite.Update();
    EXPECT_EQ(sprite.lifeState, kAwaitingBirth);
    EXPECT_NEAR(sprite.motion.x, -300, 1e-3);
    EXPECT_NEAR(sprite.motion.y, -831, 1e-3);
    EXPECT_EQ(sprite.entered, 0);
    EXPECT_EQ(viewer.modeScene.rainOnScreen, 0);
    EXPECT_TRUE(viewer.destroySoundPending);
}

// e = 400 units (40 pixels): leaving past 8400 comes back at -400.
TEST_F(RainTest, WrapsFromTheRightToTheLeft) {
    RainSprite& sprite = Add<RainSprite>(8395, 3000, 0, 1000);
    sprite.entered = 1;
    sprite.Update();
    EXPECT_DOUBLE_EQ(sprite.motion.x, -400);
}

TEST_F(RainTest, SwirlWaitsUntilEverySpriteIsOnScreen) {
    viewer.settings.swirl = 10;
    RainSprite& first = Add<RainSprite>(-3000, 3000, 90);
    RainSprite& second = Add<RainSprite>(4000, 3000, 90);
    first.Update();
    EXPECT_DOUBLE_EQ(first.motion.direction, 90);
    second.Update();  // enters: now one of two on screen
    EXPECT_EQ(viewer.modeScene.rainOnScreen, 1);
    EXPECT_DOUBLE_EQ(second.motion.direction, 90);

    viewer.modeScene.rainOnScreen = 2;
    first.Update();
    EXPECT_NEAR(first.motion.direction, 90.1, 1e-9);
    EXPECT_NEAR(second.motion.direction, 90.1, 1e-9);
}

class RandomDriftTest : public ModeFixture, public ::testing::Test {
protected:
    // `count` drift sprites `spacing` apart along y = 3000, nobody chasing anybody,
    // then `frames` frames of link changes made through the last of them.
    const ModeScene& LinkFor(int count, double spacing, int frames) {
        for (int i = 0; i < count; ++i) Add<RandomDriftSprite>(spacing * i, 3000);
        viewer.modeScene.followTable.fill(-1);
        for (int frame = 0; frame < frames; ++frame) viewer.sprites[count - 1]->EndFrame();
        return viewer.modeScene;
    }
};

// Sprite 1 chases sprite 0 straight to its right (heading 0): from 180 it turns
// 20 degrees a frame until it heads within 20 degrees of it.
TEST_F(RandomDriftTest, ChaserTurnsTwentyDegreesAFrame) {
    Add<RandomDriftSprite>(4000, 3000);
    RandomDriftSprite& chaser = Add<RandomDriftSprite>(3000, 3000, 180);
    ModeScene& scene = viewer.modeScene;
    scene.followTable.fill(-1);
    scene.followTable[1] = 0;
    scene.linkCount = 1;
    const double expected[] = {160, 140, 120, 100, 80, 60, 40, 20, 20};
    for (double direction : expected) {
        chaser.EndFrame();
        EXPECT_DOUBLE_EQ(chaser.motion.direction, direction);
    }
}

TEST_F(RandomDriftTest, FactorXZeroNeverStartsChasing) {
    const ModeScene& scene = LinkFor(3, 1000.0, 2000);
    EXPECT_EQ(scene.linkCount, 0);
    EXPECT_EQ(scene.followTable[1], -1);
}

// Factor X 100: one frame in ten touches the links and always adds one, until
// every sprite but the first chases its predecessor.
TEST_F(RandomDriftTest, FactorXHundredChainsEverySprite) {
    viewer.settings.factorX = 100;
    const ModeScene& scene = LinkFor(3, 1000.0, 3000);
    EXPECT_EQ(scene.linkCount, 3);
    EXPECT_EQ(scene.followTable[0], -1);
    EXPECT_EQ(scene.followTable[1], 0);
    EXPECT_EQ(scene.followTable[2], 1);
}

// More sprites than the follow table holds: the chain stops at its last entry.
TEST_F(RandomDriftTest, ChainStopsAtTheEndOfTheFollowTable) {
    viewer.settings.factorX = 100;
    const ModeScene& scene = LinkFor(300, 20.0, 6000);
    EXPECT_EQ(scene.linkCount, static_cast<int>(scene.followTable.size()) - 1);
    EXPECT_EQ(scene.followTable[254], 253);
}

// Spin 0 and no Swirl: only the one-in-ten nudge of up to 10 degrees turns it.
TEST_F(RandomDriftTest, WithoutSpinOnlyTheNudgeTurns) {
    RandomDriftSprite& sprite = Add<RandomDriftSprite>(4000, 3000, 180, 100);
    for (int frame = 0; frame < 200; ++frame) {
        const double before = sprite.motion.direction;
        sprite.Update();
        EXPECT_LE(std::abs(sprite.motion.direction - before), 10.0);
        EXPECT_EQ(sprite.turnRate, 0);
    }
}

}  // namespace
}  // namespace orb::test
