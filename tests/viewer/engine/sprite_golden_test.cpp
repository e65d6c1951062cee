// Worked values for a sprite's set-up and its per-frame life steps. Every random
// value below is taken from the generator's sequence from seed 1, worked out with
// state := state x 214013 + 2531011 (mod 2^32), value := (state >> 16) & 0x7FFF:
//
//   draw   1      2      3      4      5      6      7      8      9     10     11
//   value 41  18467   6334  26500  19169  15724  11478  29358  26962  24464   5705
#include <gtest/gtest.h>

#include <string>

#include "engine_test_support.h"

namespace orb {
namespace {

using test::AddActor;
using test::SetSettings;
using test::WorldShow;

// Three actors: "still" 20 x 10, "anim" of three 30 x 20 frames, "wide" 40 x 20.
// Shuffle with Actor Bias 20, Speed 10 with Variation -40, Size 50 with Size Range
// 30, Direction 20 with Direction Range 45, Number Range 10, Sprite Lifetime 30,
// Scene Lifetime 5.
//
//  step            draw  working                                           result
//  ChooseActor       1   weights 33-10, 33-4, 33+2 = 23, 29, 35 (sum 87);   "anim"
//                        41 % 87 = 41 lies in 23..52
//  InitSpeed         2   base 10 x 100 + 100 = 1100; 18467 % 40 = 27;       base 803
//                        c = trunc(27 x 0.01 x 1100) = 297
//                    3   speed 1100 - 6334 % 297 = 1100 - 97                speed 1003
//  InitSize          4   d = 30 x 50 x 0.01 = 15; 26500 % 30 = 10,
//                        l = 10 x 0.005 x 15 = 0.75
//                    5   19169 is odd: d = 15.75                           15 x 10
//                        (height trunc(15 / (30 / 20)) = 10)
//  RandomPosition    6   a = 150, b = 100: 15724 % 8300 - 150               x 7274
//                    7   11478 % 6200 - 100                                 y 5178
//  InitDirection     8   29358 % 90 - 45 + 20 = -7, wrapped                 353
//  RandomAngle       9   26962 % 360                                        322
//  ScheduleBirth    10   24464 % 30                                         countdown 14
//  InitLifetime          30 x 10 + trunc(30 x 0.2)                          306
//  ResetSceneTimer       5 x 100                                            500
TEST(SpriteGolden, BaseSetUpDrawsInOrderFromSeedOne) {
    WorldShow show;
    AddActor(show.state.actors, 20, 10, 1, "still");
    AddActor(show.state.actors, 30, 20, 3, "anim");
    AddActor(show.state.actors, 40, 20, 1, "wide");
    SetSettings(show.state.settings,
                "number=1 shuffle=1 actorBias=20 speed=10 speedVariation=-40 size=50 sizeRange=30 direction=20 "
                "directionRange=45 numberRange=10 spriteLifetime=30 sceneLifetime=5");
    show.state.actorCursor = show.state.actors.front().get();
    show.state.PopulateScene();

    ASSERT_EQ(show.state.spriteCount, 1);
    const Sprite& sprite = *show.state.sprites[0];
    EXPECT_EQ(sprite.actor->name, "anim");
    EXPECT_EQ(sprite.actor->frameIndex, 0);
    EXPECT_EQ(show.state.actorCursor, sprite.actor);
    EXPECT_EQ(sprite.minimumSpeed, 100);
    EXPECT_EQ(sprite.baseSpeed, 803);
    EXPECT_EQ(sprite.motion.speed, 1003.0);
    EXPECT_EQ(sprite.width, 15);
    EXPECT_EQ(sprite.height, 10);
    EXPECT_EQ(sprite.baseWidth, 15.0);
    EXPECT_EQ(sprite.baseHeight, 10.0);
    EXPECT_EQ(sprite.motion.x, 7274.0);
    EXPECT_EQ(sprite.motion.y, 5178.0);
    EXPECT_EQ(sprite.motion.direction, 353.0);
    EXPECT_EQ(sprite.displayAngle, 322.0);
    EXPECT_EQ(sprite.lifeState, kAwaitingBirth);
    EXPECT_EQ(sprite.countdown, 14);
    EXPECT_EQ(sprite.motion.life, 306);
    EXPECT_EQ(show.state.sceneTimer, 500);
    EXPECT_EQ(sprite.xSign, 1.0);
    EXPECT_EQ(sprite.ySign, 1.0);
    EXPECT_EQ(sprite.flipHorizontal, 0);
    EXPECT_EQ(sprite.flipVertical, 0);
    EXPECT_EQ(sprite.drawHandle, 0u);
    // Exactly ten values were drawn: the next one is the eleventh.
    EXPECT_EQ(show.state.random.Next(), 5705);
}

// Variation's two draws: c = trunc((rand % |v|) x 0.01 x base), then the current
// speed moves by rand % c in the same sense; a c of 0 makes no second draw.
TEST(SpriteGolden, SpeedVariationDraws) {
    struct Case {
        int speed, variation, turbo;
        int base;
        double current;
        int nextDraw;  // the value drawn after InitSpeed
    };
    const Case cases[] = {
        // 41 % 40 = 1: c = trunc(1 x 0.01 x 1100) = 11, speed 1100 + 18467 % 11 = 1100 + 9.
        {10, 40, 0, 1111, 1109.0, 6334},
        // 41 % 100 = 41: c = trunc(0.41 x 5100) = 2091; speed 5100 - 18467 % 2091 = 5100 - 1739.
        {50, -100, 0, 3009, 3361.0, 6334},
        // 41 % 1 = 0: c = 0, nothing more is drawn.
        {50, 1, 0, 5100, 5100.0, 18467},
        // Turbo doubles first: base 2200; 41 % 3 = 2, c = trunc(0.02 x 2200) = 44;
        // 2200 - 44 = 2156 and 2200 - 18467 % 44 = 2200 - 31.
        {10, -3, 1, 2156, 2169.0, 6334},
        // Speed 0 is raised to 1: base 200; 41 % 100 = 41, c = trunc(0.41 x 200) = 82;
        // base 118, speed 200 - 18467 % 82 = 200 - 17.
        {0, -100, 0, 118, 183.0, 6334},
    };
    for (const Case& c : cases) {
        WorldShow show;
        test::StraightSprite sprite;
        sprite.viewer = &show.state;
        show.state.settings.speed = c.speed;
        show.state.settings.speedVariation = c.variation;
        show.state.settings.turbo = c.turbo;
        sprite.InitSpeed();
        const std::string label = "speed " + std::to_string(c.speed) + " variation " +
                                  std::to_string(c.variation);
        EXPECT_EQ(sprite.baseSpeed, c.base) << label;
        EXPECT_EQ(sprite.motion.speed, c.current) << label;
        EXPECT_EQ(show.state.random.Next(), c.nextDraw) << label;
    }
}

// Size Range: the first draw sizes the change, the second (even: smaller) picks
// its sense. Size 100 on a 40 x 20 frame: d = 40; Size Range 50: 41 % 50 = 41,
// l = 41 x 0.005 x 40 = 8.2; 18467 is odd: d = 48.2, width 48, height 24.
// Size Range 7: 41 % 7 = 6, l = 6 x 0.005 x 40 = 1.2; with the second draw 18467
// odd again: 41.2, width 41, height trunc(41 / 2) = 20.
// A second sprite from the same generator: 6334 % 50 = 34, l = 6.8; 26500 is
// even: 40 - 6.8 = 33.2, width 33, height 16.
TEST(SpriteGolden, SizeRangeDrawsTheChangeAndThenItsSense) {
    WorldShow show;
    AddActor(show.state.actors, 40, 20);
    test::StraightSprite sprite;
    sprite.viewer = &show.state;
    sprite.actor = show.state.actors.front().get();
    show.state.settings.size = 100;
    show.state.settings.sizeRange = 50;
    sprite.InitSize();
    EXPECT_EQ(sprite.width, 48);
    EXPECT_EQ(sprite.height, 24);
    sprite.InitSize();
    EXPECT_EQ(sprite.width, 33);
    EXPECT_EQ(sprite.height, 16);
    EXPECT_EQ(sprite.baseWidth, 33.0);

    WorldShow other;
    sprite.viewer = &other.state;
    other.state.settings.size = 100;
    other.state.settings.sizeRange = 7;
    sprite.InitSize();
    EXPECT_EQ(sprite.width, 41);
    EXPECT_EQ(sprite.height, 20);
}

// StepLifeState draws one discarded value first; alive sprites then draw the
// stutter chance and, when it hits, the length: (rand % Stutter) / 5.
// Stutter 30: call 1 discards 41, 18467 % 100 = 67 is not below 30: alive.
// Call 2 discards 6334, 26500 % 100 = 0 < 30: stuttering for (19169 % 30) / 5 =
// 29 / 5 = 5 frames. Calls 3 to 7 count 5 down to 0 (one discarded draw each);
// call 8 finds 0 and wakes (still result 1); call 9 is alive again.
TEST(SpriteGolden, StutterChanceAndLength) {
    WorldShow show;
    test::StraightSprite sprite;
    sprite.viewer = &show.state;
    sprite.lifeState = kAlive;
    show.state.settings.stutter = 30;
    EXPECT_EQ(sprite.StepLifeState(), 0);
    EXPECT_EQ(sprite.lifeState, kAlive);
    EXPECT_EQ(sprite.StepLifeState(), 0);
    EXPECT_EQ(sprite.lifeState, kStuttering);
    EXPECT_EQ(sprite.countdown, 5);
    for (int left = 4; left >= 0; --left) {
        EXPECT_EQ(sprite.StepLifeState(), kStuttering);
        EXPECT_EQ(sprite.countdown, left);
    }
    EXPECT_EQ(sprite.StepLifeState(), kStuttering);
    EXPECT_EQ(sprite.lifeState, kAlive);
    // Draws so far: 2 + 3 + 5 + 1 = 11; the twelfth value is 28145.
    EXPECT_EQ(show.state.random.Next(), 28145);
}

// Awaiting birth: one discarded draw per frame, countdown - 1, born at 0 with the
// creation sound. Number Range 2: countdown 41 % 6 = 5.
TEST(SpriteGolden, BirthCountdown) {
    WorldShow show;
    test::StraightSprite sprite;
    sprite.viewer = &show.state;
    show.state.settings.numberRange = 2;
    sprite.ScheduleBirth();
    EXPECT_EQ(sprite.countdown, 5);
    for (int frame = 0; frame < 5; ++frame) EXPECT_EQ(sprite.StepLifeState(), kAwaitingBirth);
    EXPECT_EQ(sprite.lifeState, kAwaitingBirth);
    EXPECT_FALSE(show.state.createSoundPending);
    EXPECT_EQ(sprite.StepLifeState(), kAwaitingBirth);
    EXPECT_EQ(sprite.lifeState, kAlive);
    EXPECT_TRUE(show.state.createSoundPending);
    // 1 + 6 draws: the eighth value is 29358.
    EXPECT_EQ(show.state.random.Next(), 29358);
}

}  // namespace
}  // namespace orb
