// Worked values for where each mode puts a sprite. The fixture's world is the whole
// 8000 x 6000 play area on an 800 x 600 view; its sprites are 40 x 40 with base
// speed 200. Random values are the generator's sequence from seed 1 (state :=
// state x 214013 + 2531011 mod 2^32, value (state >> 16) & 0x7FFF):
//
//   draw   1      2      3      4      5      6      7      8      9     10
//   value 41  18467   6334  26500  19169  15724  11478  29358  26962  24464
//   draw  11     12     13     14     15     16     17     18     19     20
//   value 5705 28145  23281  16827   9961    491   2995  11942   4827   5436
//   draw  21     22     23     24
//   value 32391 14604  3902    153
#include <gtest/gtest.h>

#include <span>

#include "tests/viewer/modes/mode_fixture.h"
#include "viewer/modes/bounce_sprite.h"
#include "viewer/modes/fly_away_sprite.h"
#include "viewer/modes/gravi_bounce_sprite.h"
#include "viewer/modes/random_drift_sprite.h"

namespace orb::test {
namespace {

class PlacementGolden : public ModeFixture, public ::testing::Test {};

// Where a placement puts the sprite and where it then heads.
struct Placement {
    double x, y, direction;
};

// Places `sprite` once per row with the mode's own `place`, checks each start and
// heading, and hands the sprite to `more` for the mode's other values.
template <class ModeSprite, class More>
void ExpectPlacements(ModeSprite& sprite, void (ModeSprite::*place)(), std::span<const Placement> rows, More more) {
    for (const Placement& e : rows) {
        (sprite.*place)();
        EXPECT_EQ(sprite.motion.x, e.x);
        EXPECT_EQ(sprite.motion.y, e.y);
        EXPECT_EQ(sprite.motion.direction, e.direction) << e.x << "," << e.y;
        more(sprite);
    }
}

// BOUNCE: odd draws give -1 signs; x := rand % 8000, y := rand % 6000; then 8000
// units back along the heading with the signs: x - cos 30 x sx x 8000,
// y - sin 30 x sy x 8000 (cos 30 x 8000 = 6928.2032, sin 30 x 8000 = 4000.0000).
//  1st: 41 odd, 18467 odd: (-1, -1); x 6334 + 6928.2032, y 2500 + 4000.
//  2nd: 19169 odd, 15724 even: (-1, 1); x 3478 + 6928.2032, y 5358 - 4000.
TEST_F(PlacementGolden, BounceSignsAndBackOff) {
    viewer.settings.alignToPath = 1;
    BounceSprite& sprite = Add<BounceSprite>(0, 0, 30);
    sprite.entered = 1;
    sprite.Place();
    EXPECT_EQ(sprite.xSign, -1.0);
    EXPECT_EQ(sprite.ySign, -1.0);
    EXPECT_NEAR(sprite.motion.x, 13262.2032, 1e-3);
    EXPECT_NEAR(sprite.motion.y, 6500.0, 1e-3);
    EXPECT_EQ(sprite.displayAngle, 30.0);  // Align to Path
    EXPECT_EQ(sprite.entered, 0);
    viewer.settings.alignToPath = 0;
    sprite.Place();
    EXPECT_EQ(sprite.xSign, -1.0);
    EXPECT_EQ(sprite.ySign, 1.0);
    EXPECT_NEAR(sprite.motion.x, 10406.2032, 1e-3);
    EXPECT_NEAR(sprite.motion.y, 1358.0, 1e-3);
    EXPECT_EQ(sprite.displayAngle, 0.0);
}

// GRAVIBOUNCE, Swirl 10, heading 60, Spin 7:
//  x := rand % 8000, y := rand % (6000 / 3) - 6000 / 2, speed := rand % (2 x 200),
//  horizontal := 10 + 2 x 10 x cos 60 x (rand % 100), vertical := sin 60 x speed x 0.1.
//  1st: x 41, y 18467 % 2000 - 3000 = -2533, speed 6334 % 400 = 334,
//       26500 % 100 = 0: horizontal 10; vertical 0.8660 x 33.4 = 28.9252.
//  2nd: x 19169 % 8000 = 3169, y 15724 % 2000 - 3000 = -1276, speed 11478 % 400 =
//       278, 29358 % 100 = 58: horizontal 10 + 580 = 590, vertical 24.0755.
TEST_F(PlacementGolden, GraviBounceThrowsWithSwirl) {
    viewer.settings.swirl = 10;
    viewer.settings.spin = 7;
    GraviBounceSprite& sprite = Add<GraviBounceSprite>(0, 0, 60);
    const struct {
        double x, y, speed, horizontal, vertical;
    } throws[] = {{41, -2533, 334, 10, 28.92524}, {3169, -1276, 278, 590, 24.07551}};
    for (const auto& e : throws) {
        sprite.displayAngle = 123;
        sprite.Place();
        EXPECT_EQ(sprite.motion.x, e.x);
        EXPECT_EQ(sprite.motion.y, e.y);
        EXPECT_EQ(sprite.motion.speed, e.speed);
        EXPECT_NEAR(sprite.horizontalVelocity, e.horizontal, 1e-4);
        EXPECT_NEAR(sprite.verticalVelocity, e.vertical, 1e-4);
        EXPECT_EQ(sprite.spinRate, 7.0);
        EXPECT_EQ(sprite.gravityFactor, 1.0);
        EXPECT_EQ(sprite.displayAngle, 0.0);
    }
}

// FLYAWAY without Swirl: side := rand % 4, then the coordinates (base width and
// height 40 added as they are), aimed at the centre (4000, 3000): aim :=
// trunc(atan2(3000 - y, 4000 - x) in degrees), plus 360 when negative.
TEST_F(PlacementGolden, FlyAwayComesInFromEachSide) {
    const Placement placements[] = {
        // 41 % 4 = 1: x 18467 % 100 + 40 + 8000, y 6334 % 6000.
        {8107, 334, 147},
        // 26500 % 4 = 0: x 0 - 40 - 19169 % 100, y 15724 % 6000; atan2 = -9.99: 351.
        {-109, 3724, 351},
        // 11478 % 4 = 2: x 29358 % 8000, y 0 - 40 - 26962 % 100.
        {5358, -102, 113},
        // 24464 % 4 = 0: x -40 - 5705 % 100, y 28145 % 6000.
        {-45, 4145, 345},
        // 23281 % 4 = 1: x 16827 % 100 + 8040, y 9961 % 6000.
        {8067, 3961, 194},
        // 491 % 4 = 3: x 2995 % 8000, y 11942 % 100 + 40 + 6000.
        {2995, 6082, 289},
    };
    ExpectPlacements(Add<FlyAwaySprite>(0, 0), &FlyAwaySprite::Place, placements, [](const FlyAwaySprite& sprite) {
        EXPECT_EQ(sprite.aimDirection, sprite.motion.direction);
        EXPECT_EQ(sprite.displayAngle, 0.0);  // Align to Path off
        EXPECT_EQ(sprite.swirlSense, 0);
    });
}

// With Swirl the target moves: cx += rand % Swirl - Swirl / 2, cy likewise; then
// the second birth delay rand % (3 x Number Range) replaces the set-up's.
//  Swirl 14: side 1 (8107, 334); 26500 % 14 - 7 = 5, 19169 % 14 - 7 = -4: target
//  (4005, 2996), atan2(2662, -4102) = 147.018 (the target (3996, 3005) would give
//  146.987); birth 15724 % 30 = 4.
//  Swirl -7 (Swirl / 2 = -3; the draw's remainder keeps its sign): 11478 % 4 = 2:
//  (5358, -102); 24464 % 7 + 3 = 9, 5705 % 7 + 3 = 3: target (4009, 3003); birth
//  28145 % 30 = 5.
TEST_F(PlacementGolden, FlyAwaySwirlJittersTheTargetAndBirthIsDrawnAgain) {
    viewer.settings.numberRange = 10;
    viewer.settings.swirl = 14;
    FlyAwaySprite& sprite = Add<FlyAwaySprite>(0, 0);
    sprite.Place();
    EXPECT_EQ(sprite.motion.x, 8107.0);
    EXPECT_EQ(sprite.motion.y, 334.0);
    EXPECT_EQ(sprite.aimDirection, 147);
    EXPECT_EQ(sprite.lifeState, kAwaitingBirth);
    EXPECT_EQ(sprite.countdown, 4);
    viewer.settings.swirl = -7;
    sprite.Place();
    EXPECT_EQ(sprite.motion.x, 5358.0);
    EXPECT_EQ(sprite.motion.y, -102.0);
    // atan2(3003 + 102, 4009 - 5358) = atan2(3105, -1349) = 113.48.
    EXPECT_EQ(sprite.aimDirection, 113);
    EXPECT_EQ(sprite.countdown, 5);
    // 12 draws so far.
    EXPECT_EQ(viewer.random.Next(), 23281);
}

// RANDOMDRIFT: side := rand % 4 (only sides 0 and 1 start beyond the edges; y is
// the top, or the bottom for side 3); the aim point tx := rand % 8000 then
// ty := rand % 6000; direction := trunc(atan2(y - ty, x - tx) in degrees) + 180.
TEST_F(PlacementGolden, RandomDriftPlacementAndAim) {
    const Placement placements[] = {
        // side 1: x 67 + 40 + 8000; aim (6334, 2500): trunc(-54.65) + 180.
        {8107, 0, 126},
        // 19169 % 4 = 1: x 15724 % 100 + 8040; aim (3478, 5358): trunc(-49.45) + 180.
        {8064, 0, 131},
        // 26962 % 4 = 2: x 24464 % 8000; aim (5705, 4145): trunc(-141.67) + 180.
        {464, 0, 39},
        // 23281 % 4 = 1: x 16827 % 100 + 8040; aim (1961, 491): trunc(-4.59) + 180.
        {8067, 0, 176},
        // 2995 % 4 = 3: x 11942 % 8000, y 6000; aim (4827, 5436): trunc(147.49) + 180
        // = 327.
        {3942, 6000, 327},
    };
    ExpectPlacements(Add<RandomDriftSprite>(0, 0), &RandomDriftSprite::PlaceDrift, placements,
                     [](const RandomDriftSprite& sprite) {
                         EXPECT_EQ(sprite.turnRate, 0);
                         EXPECT_EQ(sprite.turnCountdown, 0);
                     });
    EXPECT_TRUE(viewer.modeScene.followTableReady);
    EXPECT_EQ(viewer.modeScene.followTable[0], -1);
    EXPECT_EQ(viewer.modeScene.followTable[254], -1);
}

// With Spin the placement also draws the turn: countdown 100 - rand % |Spin|, then
// rate rand % 15 - 7.
//  Spin 30: side 1, (8107, 0), aim (6334, 2500); countdown 100 - 19169 % 30 = 71,
//  rate 15724 % 15 - 7 = -3.
//  Spin -5: 11478 % 4 = 2: x 29358 % 8000 = 5358; aim (2962, 464):
//  trunc(atan2(0 - 464, 5358 - 2962)) + 180 = trunc(-10.96) + 180 = 170;
//  countdown 100 - 5705 % 5 = 100, rate 28145 % 15 - 7 = -2.
TEST_F(PlacementGolden, RandomDriftDrawsItsTurnWithSpin) {
    viewer.settings.spin = 30;
    RandomDriftSprite& sprite = Add<RandomDriftSprite>(0, 0);
    sprite.PlaceDrift();
    EXPECT_EQ(sprite.motion.direction, 126.0);
    EXPECT_EQ(sprite.turnCountdown, 71);
    EXPECT_EQ(sprite.turnRate, -3);
    viewer.settings.spin = -5;
    sprite.PlaceDrift();
    EXPECT_EQ(sprite.motion.x, 5358.0);
    EXPECT_EQ(sprite.motion.direction, 170.0);
    EXPECT_EQ(sprite.turnCountdown, 100);
    EXPECT_EQ(sprite.turnRate, -2);
}

// Re-aiming happens only outside the play area, when rand % 30 is 24. Draws 1-18
// are consumed first. The update then draws 19 and 20 (life step, stutter), 21
// (32391 % 10 = 1: no nudge), 22 (14604 % 30 = 24: re-aim), 23 and 24 (target
// (3902, 153)). The sprite first moved from (-1000, 3000) by 0.8 pixels toward
// 180 degrees to x -1008; direction := trunc(atan2(153 - 3000, 3902 + 1008)) =
// trunc(-30.1) = -30, not wrapped.
TEST_F(PlacementGolden, RandomDriftReAimsFromOutside) {
    RandomDriftSprite& sprite = Add<RandomDriftSprite>(-1000, 3000, 180);
    sprite.turnRate = 5;
    sprite.turnCountdown = 3;
    for (int draw = 0; draw < 18; ++draw) viewer.random.Next();
    sprite.Update();
    EXPECT_NEAR(sprite.motion.x, -1008.0, 1e-6);
    EXPECT_EQ(sprite.motion.direction, -30.0);
    EXPECT_EQ(sprite.turnRate, 0);
    EXPECT_EQ(sprite.turnCountdown, 0);
    EXPECT_EQ(viewer.random.Next(), 292);  // draw 25
}

}  // namespace
}  // namespace orb::test
