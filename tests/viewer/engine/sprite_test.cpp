#include <gtest/gtest.h>

#include <cmath>

#include "engine_test_support.h"

namespace orb {
namespace {

using test::AddActor;
using test::StraightSprite;

// Every helper test starts from a fresh show and its one sprite.
class SpriteHelpers : public ::testing::Test {
protected:
    SpriteHelpers() { sprite.viewer = &show.state; }
    test::WorldShow show;
    StraightSprite sprite;
};

TEST(WrapInRange, WrapsOnceAtEachEnd) {
    EXPECT_EQ(WrapInRange(-10, 0, 360), 350);
    EXPECT_EQ(WrapInRange(370, 0, 360), 10);
    EXPECT_EQ(WrapInRange(360, 0, 360), 360);
    EXPECT_EQ(WrapInRange(-370, 0, 360), -10);  // one wrap only
}

TEST(ActorWeights, BiasTiltsTheChoiceAlongTheList) {
    EXPECT_EQ(ActorWeights(4, 0), (std::vector<int>{25, 25, 25, 25}));
    // b starts at 50 and falls by 25 per actor: 25-50, 25-25, 25-0, 25+25.
    EXPECT_EQ(ActorWeights(4, 100), (std::vector<int>{1, 1, 25, 50}));
    // Negative bias: b + weight with b = 50, 25, 0, -25.
    EXPECT_EQ(ActorWeights(4, -100), (std::vector<int>{75, 50, 25, 1}));
    // More actors than 100: each weight would be 0 and becomes 1.
    EXPECT_EQ(ActorWeights(150, 0), std::vector<int>(150, 1));
    EXPECT_TRUE(ActorWeights(0, 0).empty());
}

TEST_F(SpriteHelpers, ActorsAreTakenInListOrderWithAnAnimationCountingOnce) {
    AddActor(show.state.actors, 10, 10, 1, "one");
    AddActor(show.state.actors, 10, 10, 3, "two");
    AddActor(show.state.actors, 10, 10, 1, "three");
    show.state.actorCursor = show.state.actors.front().get();
    std::vector<std::string> names;
    for (int i = 0; i < 5; ++i) {
        sprite.ChooseActor();
        names.push_back(sprite.actor->name);
    }
    EXPECT_EQ(names, (std::vector<std::string>{"one", "two", "three", "one", "two"}));
}

TEST_F(SpriteHelpers, ShuffleDrawsByWeight) {
    for (int i = 0; i < 4; ++i) AddActor(show.state.actors, 10, 10, 1, std::to_string(i));
    show.state.settings.shuffle = 1;
    show.state.settings.actorBias = 100;  // weights 1, 1, 25, 50 (sum 77)
    // Totals 0..1, 1..2, 2..27, 27..77. The draws from seed 1 are 41, 18467, 6334:
    // 41 % 77 = 41 and 18467 % 77 = 64 fall to actor 3; 6334 % 77 = 20 to actor 2.
    const char* expected[] = {"3", "3", "2"};
    for (const char* name : expected) {
        sprite.ChooseActor();
        EXPECT_EQ(sprite.actor->name, name);
        EXPECT_EQ(show.state.actorCursor, sprite.actor);
    }
}

TEST_F(SpriteHelpers, ShuffleGivesTheFirstActorOneExtraValue) {
    for (int i = 0; i < 2; ++i) AddActor(show.state.actors, 10, 10, 1, std::to_string(i));
    show.state.settings.shuffle = 1;
    // Bias 18: b = 9; weights 50 - 9 = 41, then b = 9 - 18 / 2 = 0: 50 (sum 91).
    show.state.settings.actorBias = 18;
    // The first draw from seed 1 is 41, and 41 % 91 = 41 is the upper end of actor
    // 0's range 0..41: it still goes to actor 0.
    sprite.ChooseActor();
    EXPECT_EQ(sprite.actor->name, "0");
}

TEST_F(SpriteHelpers, SpeedIsRaisedToOneAndDoubledByTurbo) {
    show.state.settings.speed = 0;
    show.state.settings.speedVariation = 0;
    sprite.InitSpeed();
    EXPECT_EQ(show.state.settings.speed, 1);
    EXPECT_EQ(sprite.baseSpeed, 200);
    EXPECT_EQ(sprite.motion.speed, 200.0);
    show.state.settings.turbo = 1;
    sprite.InitSpeed();
    EXPECT_EQ(sprite.baseSpeed, 400);
}

TEST_F(SpriteHelpers, SpeedVariationSlowsAndNeverBelowTheMinimum) {
    show.state.settings.speed = 50;  // base 5100
    show.state.settings.speedVariation = -100;
    // 41 % 100 = 41: c = trunc(0.41 x 5100) = 2091, base 3009; the current speed
    // falls by 18467 % 2091 = 1739.
    sprite.InitSpeed();
    EXPECT_EQ(sprite.baseSpeed, 3009);
    EXPECT_EQ(sprite.motion.speed, 3361.0);
    // Speed 1 (base 200): 6334 % 100 = 34, c = trunc(0.34 x 200) = 68, base 132;
    // the speed falls by 26500 % 68 = 48 to 152. Neither reaches the minimum 100.
    show.state.settings.speed = 1;
    sprite.InitSpeed();
    EXPECT_EQ(sprite.baseSpeed, 132);
    EXPECT_EQ(sprite.motion.speed, 152.0);
    // 19169 % 100 = 69: c = trunc(0.69 x 200) = 138, base 62 is raised to 100; the
    // speed 200 - 15724 % 138 = 200 - 130 = 70 is raised to 100.
    sprite.InitSpeed();
    EXPECT_EQ(sprite.baseSpeed, 100);
    EXPECT_EQ(sprite.motion.speed, 100.0);
}

TEST_F(SpriteHelpers, SizeFollowsTheFrameWithAMinimumOfFour) {
    AddActor(show.state.actors, 100, 50);
    sprite.actor = show.state.actors.front().get();
    show.state.settings.size = 1;
    show.state.settings.sizeRange = 0;
    sprite.InitSize();
    EXPECT_EQ(sprite.width, 4);
    EXPECT_EQ(sprite.height, 2);  // 4 / (100 / 50)
    show.state.settings.size = 50;
    sprite.InitSize();
    EXPECT_EQ(sprite.width, 50);
    EXPECT_EQ(sprite.height, 25);
    EXPECT_EQ(sprite.baseWidth, 50.0);
}

TEST_F(SpriteHelpers, AWideSliverStillHasOneRow) {
    AddActor(show.state.actors, 1000, 1);
    sprite.actor = show.state.actors.front().get();
    show.state.settings.size = 0;
    sprite.InitSize();
    EXPECT_EQ(sprite.width, 4);
    EXPECT_EQ(sprite.height, 1);
}

TEST_F(SpriteHelpers, DirectionAddsTheDeviationAndWraps) {
    show.state.settings.direction = 350;
    show.state.settings.directionRange = 0;
    sprite.InitDirection();
    EXPECT_EQ(sprite.motion.direction, 350);

    // Range 40: rand % 80 - 40. 41 % 80 = 41: +1, 351. 18467 % 80 = 67: +27, 377,
    // wrapped once to 17.
    show.state.settings.directionRange = 40;
    sprite.InitDirection();
    EXPECT_EQ(sprite.motion.direction, 351);
    sprite.InitDirection();
    EXPECT_EQ(sprite.motion.direction, 17);
}

TEST_F(SpriteHelpers, LifetimesAndTheSceneTimer) {
    show.state.settings.spriteLifetime = 100;
    sprite.InitLifetime();
    EXPECT_EQ(sprite.motion.life, 1020);
    sprite.CountDownLife();
    EXPECT_EQ(sprite.motion.life, 1020);  // immortal
    show.state.settings.spriteLifetime = 0;
    sprite.InitLifetime();
    EXPECT_EQ(sprite.motion.life, 0);
    sprite.CountDownLife();
    EXPECT_EQ(sprite.motion.life, 0);

    // Scene Lifetime 1 with 20 live sprites: 100 counts, gone after 5 frames.
    show.state.settings.sceneLifetime = 1;
    sprite.ResetSceneTimer();
    EXPECT_EQ(show.state.sceneTimer, 100);
    for (int frame = 0; frame < 5; ++frame)
        for (int s = 0; s < 20; ++s) sprite.CountDownSceneTimer();
    EXPECT_EQ(show.state.sceneTimer, 0);
}

TEST_F(SpriteHelpers, BirthWithoutDelayHappensOnTheFirstUpdate) {
    show.state.settings.numberRange = 0;
    sprite.ScheduleBirth();
    EXPECT_EQ(sprite.lifeState, kAwaitingBirth);
    EXPECT_EQ(sprite.countdown, 0);
    EXPECT_EQ(sprite.StepLifeState(), kAwaitingBirth);
    EXPECT_EQ(sprite.lifeState, kAlive);
    EXPECT_TRUE(show.state.createSoundPending);
}

TEST_F(SpriteHelpers, StutterFreezesForAWhile) {
    sprite.lifeState = kAlive;
    show.state.settings.stutter = 100;  // always
    // Discards 41; 18467 % 100 = 67 < 100; countdown (6334 % 100) / 5 = 34 / 5 = 6.
    EXPECT_EQ(sprite.StepLifeState(), 0);
    EXPECT_EQ(sprite.lifeState, kStuttering);
    EXPECT_EQ(sprite.countdown, 6);
    show.state.settings.stutter = 0;
    sprite.lifeState = kAlive;
    EXPECT_EQ(sprite.StepLifeState(), 0);
    EXPECT_EQ(sprite.lifeState, kAlive);
}

TEST_F(SpriteHelpers, AnimationCyclesThroughItsFrames) {
    AddActor(show.state.actors, 4, 4, 3);
    sprite.actor = show.state.actors.front().get();
    std::vector<int> indices;
    for (int i = 0; i < 4; ++i) {
        sprite.NextAnimationFrame();
        indices.push_back(sprite.actor->frameIndex);
    }
    EXPECT_EQ(indices, (std::vector<int>{1, 2, 0, 1}));
}

TEST_F(SpriteHelpers, MoveStepConvertsPixelsToWorldUnits) {
    sprite.motion = {1000, 1000, 0, 100, 0};
    sprite.MoveStep(true, 1);
    // 100 pixels at 800 pixels per 8000 world units.
    EXPECT_NEAR(sprite.motion.x, 2000, 1e-6);
    EXPECT_NEAR(sprite.motion.y, 1000, 1e-6);
    EXPECT_EQ(sprite.displayAngle, 0);
    sprite.motion.direction = 90;
    sprite.xSign = -1;
    show.state.settings.turbo = 1;
    sprite.MoveStep(true, 2);  // 50 pixels, doubled: 100 pixels down
    EXPECT_NEAR(sprite.motion.y, 2000, 1e-3);
    EXPECT_EQ(sprite.displayAngle, 90);
}

TEST_F(SpriteHelpers, MoveStepFineFacesLeftWhenMovingLeft) {
    sprite.motion = {4000, 3000, 180, 8000, 0};  // 10 pixels a step
    sprite.MoveStepFine(true, sprite.flipVertical);
    EXPECT_NEAR(sprite.motion.x, 3900, 1e-6);
    EXPECT_EQ(sprite.flipVertical, 1);
    // 180 x 0.0174532925 falls just short of pi: the step points a hair below the
    // axis and the truncated angle is 179.
    EXPECT_EQ(sprite.displayAngle, 179);
}

TEST_F(SpriteHelpers, CentreDistanceRatioRunsFromCentreToCorner) {
    sprite.motion.x = 4000;
    sprite.motion.y = 3000;
    EXPECT_NEAR(sprite.CentreDistanceRatio(), 1.0 / 5000, 1e-12);
    sprite.motion.x = 0;
    sprite.motion.y = 0;
    EXPECT_NEAR(sprite.CentreDistanceRatio(), 1.0, 1e-12);
    sprite.motion.x = 7000;
    sprite.motion.y = 7000;  // (3000, 4000) from the centre
    EXPECT_NEAR(sprite.CentreDistanceRatio(), 1.0, 1e-12);
}

TEST_F(SpriteHelpers, OutsideMeansTheMiddleThirdHasLeft) {
    sprite.width = 30;   // a third is 10 pixels = 100 world units
    sprite.height = 30;
    sprite.motion.x = 4000;
    sprite.motion.y = 3000;
    EXPECT_FALSE(sprite.IsOutsidePlayArea());
    sprite.motion.x = -99;
    EXPECT_FALSE(sprite.IsOutsidePlayArea());
    sprite.motion.x = -100;
    EXPECT_TRUE(sprite.IsOutsidePlayArea());
    sprite.motion.x = 4000;
    sprite.motion.y = 6100;
    EXPECT_TRUE(sprite.IsOutsidePlayArea());
}

TEST_F(SpriteHelpers, SpinTurnsTheDisplayAngleAndWraps) {
    show.state.settings.spin = 100;  // 20 degrees a frame
    sprite.displayAngle = 350;
    sprite.TurnDisplayAngle();
    EXPECT_NEAR(sprite.displayAngle, 10, 1e-9);
    show.state.settings.spin = -100;
    sprite.TurnDisplayAngle();
    EXPECT_NEAR(sprite.displayAngle, 350, 1e-9);
}

}  // namespace
}  // namespace orb
