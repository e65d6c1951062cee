// Worked values for scene resets, the scene-wide random events and the lifetime
// rules of every mode. The fixture's world is 8000 x 6000 on an 800 x 600 view,
// sprites 40 x 40 with base speed 200, no stutter, no birth delays, Direction
// Range 0. Random values are the generator's sequence from seed 1 (state :=
// state x 214013 + 2531011 mod 2^32, value (state >> 16) & 0x7FFF):
//
//   draw   1      2      3      4      5      6      7      8      9     10
//   value 41  18467   6334  26500  19169  15724  11478  29358  26962  24464
//   draw  11     12     13     14     15
//   value 5705 28145  23281  16827   9961
//   draw  36     37     38     39     40     52     53     54     55     56     57
//   value 19912 25667 26299 17035   9894  27644  32662  32757  20037  12859   8723
//   draw 179    180    181    182    183    184
//   value 19668 24484  8281   4734     53   1999
//
// Every update of a live sprite starts with two draws (the discarded one and the
// stutter chance).
#include <gtest/gtest.h>

#include <functional>

#include "tests/viewer/modes/mode_fixture.h"
#include "viewer/modes/bounce_sprite.h"
#include "viewer/modes/fly_away_sprite.h"
#include "viewer/modes/gravi_bounce_sprite.h"
#include "viewer/modes/rain_sprite.h"
#include "viewer/modes/random_drift_sprite.h"
#include "viewer/modes/splat_sprite.h"
#include "viewer/modes/starburst_sprite.h"

namespace orb::test {
namespace {

// Sprite Lifetime 50 (fresh lives of 50 x 10 + 10 = 510), Scene Lifetime 3 and a
// scene timer about to run out.
class SceneGolden : public ModeFixture, public ::testing::Test {
protected:
    SceneGolden() {
        viewer.settings.spriteLifetime = 50;
        viewer.settings.sceneLifetime = 3;
        viewer.sceneTimer = 1;
    }
    void Skip(int draws) {
        for (int i = 0; i < draws; ++i) viewer.random.Next();
    }
    void ExpectReset(const Sprite& sprite) {
        EXPECT_EQ(sprite.lifeState, kAwaitingBirth);
        EXPECT_EQ(sprite.countdown, 0);
        EXPECT_EQ(sprite.motion.life, 510);
    }
};

// BOUNCE resets the sprites of the draw list in its order (item 1 before item 2)
// and leaves a sprite never drawn alone. Draws 1-2: the update. Item 1 (heading
// 90): 6334 and 26500 even: signs (1, 1); (19169 % 8000, 15724 % 6000) =
// (3169, 3724), then 8000 back along 90 degrees: (3169, -4276). Item 2 (heading
// 0): 11478 and 29358 even; (26962 % 8000, 24464 % 6000) = (2962, 464) - (8000, 0).
TEST_F(SceneGolden, BounceResetsTheDrawnSpritesInDrawListOrder) {
    BounceSprite& first = Add<BounceSprite>(4000, 3000);
    BounceSprite& second = Add<BounceSprite>(1000, 1000, 90);
    BounceSprite& undrawn = Add<BounceSprite>(2000, 2000);
    first.drawHandle = 2;
    second.drawHandle = 1;
    first.Update();
    EXPECT_EQ(viewer.sceneTimer, 300);
    ExpectReset(second);
    EXPECT_NEAR(second.motion.x, 3169, 1e-3);
    EXPECT_NEAR(second.motion.y, -4276, 1e-3);
    ExpectReset(first);
    EXPECT_NEAR(first.motion.x, -5038, 1e-9);
    EXPECT_NEAR(first.motion.y, 464, 1e-9);
    EXPECT_EQ(undrawn.lifeState, kAlive);
    EXPECT_EQ(undrawn.motion.x, 2000.0);
    EXPECT_EQ(viewer.random.Next(), 5705);
}

// GRAVIBOUNCE: for each sprite RandomPosition (a = b = 400 units) and then its
// throw, which replaces the position. First: draws 3-4 (6334 % 8800 - 400 =
// 5934, 26500 % 6800 - 400 = 5700), then x 19169 % 8000 = 3169, y 15724 % 2000 -
// 3000 = -1276, speed 11478 % 400 = 278 (29358 drawn for the swirl term).
// Second: draws 9-10, then x 5705, y 28145 % 2000 - 3000 = -2855, speed
// 23281 % 400 = 81 (16827 drawn).
TEST_F(SceneGolden, GraviBounceResetsEverySpriteWithANewThrow) {
    GraviBounceSprite& first = Add<GraviBounceSprite>(4000, 3000, 60);
    GraviBounceSprite& second = Add<GraviBounceSprite>(1000, 1000, 60);
    first.Update();
    EXPECT_EQ(viewer.sceneTimer, 300);
    EXPECT_TRUE(viewer.destroySoundPending);
    ExpectReset(first);
    EXPECT_EQ(first.motion.x, 3169.0);
    EXPECT_EQ(first.motion.y, -1276.0);
    EXPECT_EQ(first.motion.speed, 278.0);
    EXPECT_NEAR(first.verticalVelocity, 24.07551, 1e-4);  // sin 60 x 27.8
    ExpectReset(second);
    EXPECT_EQ(second.motion.x, 5705.0);
    EXPECT_EQ(second.motion.y, -2855.0);
    EXPECT_EQ(second.motion.speed, 81.0);
    EXPECT_EQ(viewer.random.Next(), 9961);
}

// FLYAWAY: draws 1-2, then 3 for the swirl-sense chance. Each sprite is placed
// again: 26500 % 4 = 0: (-40 - 19169 % 100, 15724 % 6000) = (-109, 3724), aim 351;
// 11478 % 4 = 2: (29358 % 8000, -40 - 26962 % 100) = (5358, -102), aim 113.
TEST_F(SceneGolden, FlyAwayResetsEverySprite) {
    FlyAwaySprite& first = Add<FlyAwaySprite>(1000, 1000);
    FlyAwaySprite& second = Add<FlyAwaySprite>(2000, 2000);
    first.Update();
    EXPECT_EQ(viewer.sceneTimer, 300);
    ExpectReset(first);
    EXPECT_EQ(first.motion.x, -109.0);
    EXPECT_EQ(first.motion.y, 3724.0);
    EXPECT_EQ(first.aimDirection, 351);
    ExpectReset(second);
    EXPECT_EQ(second.motion.x, 5358.0);
    EXPECT_EQ(second.motion.y, -102.0);
    EXPECT_EQ(second.aimDirection, 113);
    EXPECT_EQ(viewer.random.Next(), 24464);
}

// RAIN: draws 1-2, then 3 for the wind chance. Every sprite takes Direction (60,
// no range) and steps 6000 back from where it is, (3000, 5196.15): the first had
// moved 0.8 pixels to x 1008. The on-screen count stays.
TEST_F(SceneGolden, RainResetsInPlaceAndKeepsTheOnScreenCount) {
    viewer.settings.direction = 60;
    RainSprite& first = Add<RainSprite>(1000, 1000);
    RainSprite& second = Add<RainSprite>(2000, 2000);
    first.entered = second.entered = 1;
    viewer.modeScene.rainOnScreen = 2;
    first.Update();
    EXPECT_EQ(viewer.sceneTimer, 300);
    ExpectReset(first);
    EXPECT_NEAR(first.motion.x, -1992, 1e-3);
    EXPECT_NEAR(first.motion.y, -4196.152, 1e-3);
    EXPECT_EQ(first.motion.direction, 60.0);
    EXPECT_EQ(first.entered, 0);
    ExpectReset(second);
    EXPECT_NEAR(second.motion.x, -1000, 1e-3);
    EXPECT_NEAR(second.motion.y, -3196.152, 1e-3);
    EXPECT_EQ(viewer.modeScene.rainOnScreen, 2);
    EXPECT_EQ(viewer.random.Next(), 26500);
}

// RANDOMDRIFT: draws 1-2, 3 (6334 % 10 = 4: no nudge); inside, so no re-aim draw.
// First: 26500 % 4 = 0: (-40 - 19169 % 100, 0), aim (15724 % 8000, 11478 % 6000) =
// (7724, 5478): trunc(atan2(-5478, -7833)) + 180 = -145 + 180 = 35. Second:
// 29358 % 4 = 2: (26962 % 8000, 0) = (2962, 0), aim (464, 5705): trunc(-66.35) +
// 180 = 114. The chase links are then cleared on the next placement.
TEST_F(SceneGolden, RandomDriftResetsAndForgetsTheChase) {
    RandomDriftSprite& first = Add<RandomDriftSprite>(4000, 3000);
    RandomDriftSprite& second = Add<RandomDriftSprite>(2000, 2000);
    viewer.modeScene.followTableReady = true;
    viewer.modeScene.followTable.fill(-1);
    viewer.modeScene.followTable[1] = 0;
    first.Update();
    EXPECT_EQ(viewer.sceneTimer, 300);
    ExpectReset(first);
    EXPECT_EQ(first.motion.x, -109.0);
    EXPECT_EQ(first.motion.y, 0.0);
    EXPECT_EQ(first.motion.direction, 35.0);
    ExpectReset(second);
    EXPECT_EQ(second.motion.x, 2962.0);
    EXPECT_EQ(second.motion.direction, 114.0);
    EXPECT_FALSE(viewer.modeScene.followTableReady);
    EXPECT_EQ(viewer.random.Next(), 28145);
    second.PlaceDrift();
    EXPECT_EQ(viewer.modeScene.followTable[1], -1);
}

// STARBURST: draws 1-2, 3 (discarded by SwirlTurn), 4 (reversal chance). Every
// sprite goes back to the centre at speed 800, 4 x 4, heading Direction 45.
TEST_F(SceneGolden, StarburstResetsToTheCentre) {
    viewer.settings.direction = 45;
    StarburstSprite& first = Add<StarburstSprite>(1000, 1000);
    StarburstSprite& second = Add<StarburstSprite>(2000, 2000);
    first.Update();
    EXPECT_EQ(viewer.sceneTimer, 300);
    for (StarburstSprite* sprite : {&first, &second}) {
        ExpectReset(*sprite);
        EXPECT_EQ(sprite->motion.x, 4000.0);
        EXPECT_EQ(sprite->motion.y, 3000.0);
        EXPECT_EQ(sprite->motion.speed, 800.0);
        EXPECT_EQ(sprite->width, 4);
        EXPECT_EQ(sprite->height, 4);
        EXPECT_EQ(sprite->motion.direction, 45.0);
    }
    EXPECT_EQ(viewer.random.Next(), 19169);
}

// SPLAT never counts the scene timer down and never resets the scene.
TEST_F(SceneGolden, SplatNeverResets) {
    SplatSprite& sprite = Add<SplatSprite>(1000, 1000);
    sprite.Update();
    EXPECT_EQ(viewer.sceneTimer, 1);
    EXPECT_EQ(sprite.lifeState, kAlive);
}

// RAIN's wind: after 52 skipped draws the update draws 53-54, then 55: 20037 %
// 10000 = 37 < Factor X 100. With every sprite on screen draw 56 turns them all
// by 12859 % 360 = 259: 100 -> 359, 300 -> 559 - 360 = 199. With one of the two
// not yet on screen draw 55 is made and the gust is not.
TEST(SceneEventsGolden, RainWindTurnsEverySpriteAlikeOnceAllAreOnScreen) {
    struct Case {
        int onScreen;
        double first, second;
        int nextDraw;
    };
    for (const Case& c : {Case{2, 359, 199, 8723}, Case{1, 100, 300, 12859}}) {
        ModeFixture fixture;
        fixture.viewer.settings.factorX = 100;
        RainSprite& first = fixture.Add<RainSprite>(4000, 3000, 100);
        RainSprite& second = fixture.Add<RainSprite>(2000, 2000, 300);
        first.entered = second.entered = 1;
        fixture.viewer.modeScene.rainOnScreen = c.onScreen;
        for (int i = 0; i < 52; ++i) fixture.viewer.random.Next();
        first.Update();
        EXPECT_EQ(first.motion.direction, c.first) << c.onScreen;
        EXPECT_EQ(second.motion.direction, c.second) << c.onScreen;
        EXPECT_EQ(fixture.viewer.random.Next(), c.nextDraw) << c.onScreen;
    }
}

// STARBURST's reversal: chance rand % 100000 < Factor X, the value itself as it
// is at most 32767. After 179 skipped draws: 180-181 the life step, 182 SwirlTurn,
// 183 is 53 < 100: every sprite turns by 180 (300 + 180 = 480 - 360 = 120).
TEST_F(SceneGolden, StarburstReversesTheWholeBurst) {
    viewer.settings.sceneLifetime = 100;
    viewer.settings.factorX = 100;
    StarburstSprite& first = Add<StarburstSprite>(4000, 3000, 100);
    StarburstSprite& second = Add<StarburstSprite>(4500, 3000, 300);
    Skip(179);
    first.Update();
    EXPECT_EQ(first.motion.direction, 280.0);
    EXPECT_EQ(second.motion.direction, 120.0);
    EXPECT_EQ(viewer.random.Next(), 1999);
}

// FLYAWAY's swirl sense: after 36 skipped draws, 37-38 the life step and 39:
// 17035 % 1000 = 35 < Factor X 100 toggles it. At (6000, 3000): r = 2000 / 5000 =
// 0.4, speed 100 + trunc(0.4 x 100) = 140, k = 1 - 140 x 0.000025 = 0.9965;
// u = 1993, v = 0; Swirl 10 turns by -0.2 degrees once toggled:
// x = trunc(1993 cos 0.2) + 4000 = 5992, y = trunc(1993 sin -0.2) + 3000 = 2994.
// Direction atan2(-6, -8) = -143.13 + 360. With Factor X 30 nothing toggles and
// y = trunc(6.957) + 3000 = 3006.
TEST(SceneEventsGolden, FlyAwaySwirlSenseToggles) {
    for (const auto& [factorX, sense, y] : {std::tuple{100, 1, 2994.0}, {30, 0, 3006.0}}) {
        ModeFixture fresh;
        fresh.viewer.settings.sceneLifetime = 100;
        fresh.viewer.settings.swirl = 10;
        fresh.viewer.settings.factorX = factorX;
        FlyAwaySprite& sprite = fresh.Add<FlyAwaySprite>(6000, 3000);
        for (int i = 0; i < 36; ++i) fresh.viewer.random.Next();
        sprite.Update();
        EXPECT_EQ(sprite.swirlSense, sense) << factorX;
        EXPECT_EQ(sprite.motion.x, 5992.0);
        EXPECT_EQ(sprite.motion.y, y);
        EXPECT_EQ(sprite.motion.speed, 140.0);
        EXPECT_EQ(sprite.width, 22);  // trunc(0.4 x 40 x 1.4)
        if (sense) {
            EXPECT_NEAR(sprite.motion.direction, 216.8699, 1e-4);
        }
        EXPECT_EQ(fresh.viewer.random.Next(), 9894);
    }
}

// GRAVIBOUNCE after a bounce sound in the frame: draw 3 (6334 % 100 = 34) is the
// chance. Factor X 50: the vertical velocity is scaled by 26500 % 100 x 0.01 + 0.5
// = 0.5 and the spin rate restarts at Spin, with no gravity this frame. Factor X
// 30: no change, and gravity adds 200 x 1.0 x 0.1 = 20.
TEST(SceneEventsGolden, GraviBounceRescalesAfterABounce) {
    for (const auto& [factorX, velocity, spinRate] :
         {std::tuple{50, 500.0, 7.0}, {30, 1020.0, 2.985}}) {
        ModeFixture fresh;
        fresh.viewer.settings.factorX = factorX;
        fresh.viewer.settings.spin = 7;
        GraviBounceSprite& sprite = fresh.Add<GraviBounceSprite>(4000, 3000);
        sprite.verticalVelocity = 1000;
        sprite.spinRate = 3;
        fresh.viewer.bounceSoundPending = true;
        sprite.Update();
        EXPECT_NEAR(sprite.verticalVelocity, velocity, 1e-9) << factorX;
        EXPECT_NEAR(sprite.spinRate, spinRate, 1e-9) << factorX;
    }
}

// RANDOMDRIFT's links at the end of a frame: rand % 1000 < Factor X, then
// rand % 100 < Factor X adds one, else one is removed. Factor X 50: 41 < 50, then
// 67 >= 50: remove: the count falls to 1 and entry[1] (not entry[2]) becomes -1,
// so sprite 2 still chases sprite 1 and turns 20 degrees toward it (it heads
// toward 270 from 0: 270 - 20 > 0).
TEST_F(SceneGolden, RandomDriftRemovesTheLinkAtTheNewCount) {
    viewer.settings.sceneLifetime = 100;
    viewer.settings.factorX = 50;
    Add<RandomDriftSprite>(1000, 1000);
    RandomDriftSprite& middle = Add<RandomDriftSprite>(4000, 3000);
    RandomDriftSprite& last = Add<RandomDriftSprite>(4000, 5000);
    ModeScene& scene = viewer.modeScene;
    scene.followTableReady = true;
    scene.followTable.fill(-1);
    scene.followTable[1] = 0;
    scene.followTable[2] = 1;
    scene.linkCount = 2;
    last.EndFrame();
    EXPECT_EQ(scene.linkCount, 1);
    EXPECT_EQ(scene.followTable[0], -1);
    EXPECT_EQ(scene.followTable[1], -1);
    EXPECT_EQ(scene.followTable[2], 1);
    EXPECT_EQ(middle.motion.direction, 0.0);
    EXPECT_EQ(last.motion.direction, 20.0);
}

// Factor X 100: 41 < 100 and 67 < 100 add a link: entry[1] := 0. With as many
// links as sprites nothing changes and nobody chases this frame.
TEST_F(SceneGolden, RandomDriftAddsLinksUpToTheSpriteCount) {
    viewer.settings.sceneLifetime = 100;
    viewer.settings.factorX = 100;
    Add<RandomDriftSprite>(1000, 1000);
    RandomDriftSprite& last = Add<RandomDriftSprite>(4000, 5000);
    ModeScene& scene = viewer.modeScene;
    scene.followTableReady = true;
    scene.followTable.fill(-1);
    last.EndFrame();
    EXPECT_EQ(scene.linkCount, 1);
    EXPECT_EQ(scene.followTable[1], 0);
    // Sprite 1 heads toward sprite 0: atan2(-4000, -3000) = -126.87, trunc -126 +
    // 360 = 234; 234 - 20 > 0: +20.
    EXPECT_EQ(last.motion.direction, 20.0);
    // Draws 3-38 skipped: draw 39 (17035 % 1000 = 35) and draw 40 (9894 % 100 = 94)
    // ask for a link, but every sprite is already linked: nothing changes and
    // nobody chases this frame.
    scene.linkCount = 2;
    for (int i = 0; i < 36; ++i) viewer.random.Next();
    last.EndFrame();
    EXPECT_EQ(scene.linkCount, 2);
    EXPECT_EQ(last.motion.direction, 20.0);
    EXPECT_EQ(viewer.random.Next(), 28703);  // draw 41
}

// Which modes end a sprite's life in this frame (its life runs from 1 to 0, unless
// it starts with more). Positions: centre (4000, 3000) has r about 0; (6500, 3000)
// r 0.5; (4400, 3000) r 0.08; (4150, 3000) r 0.03; (7700, 5700) r 0.92 (still
// wholly inside); (-1000, 3000) and (8300, 3000) outside.
TEST(LifetimeRulesGolden, WhenEachModeRecreatesADyingSprite) {
    struct Case {
        const char* name;
        int mode, spriteLifetime;
        double x, y;
        int life;
        bool recreated;
    };
    const Case cases[] = {
        {"bounce short life", 0, 20, 4000, 3000, 1, true},
        {"bounce long life inside", 0, 50, 4000, 3000, 1, false},
        {"bounce long life near a corner", 0, 50, 7700, 5700, 1, true},
        {"gravibounce", 1, 50, 4000, 3000, 1, true},
        {"flyaway short life", 2, 20, 6500, 3000, 1, true},
        {"flyaway long life far out", 2, 50, 6500, 3000, 1, false},
        {"flyaway long life near the centre", 2, 50, 4400, 3000, 1, true},
        {"flyaway arrived, still alive", 2, 50, 4150, 3000, 5, true},
        {"rain short life", 3, 20, 4000, 3000, 1, true},
        {"rain long life inside", 3, 50, 4000, 3000, 1, false},
        {"rain long life near a corner", 3, 50, 7700, 5700, 1, true},
        {"drift short life", 4, 20, 4000, 3000, 1, true},
        {"drift long life inside", 4, 50, 4000, 3000, 1, false},
        {"drift long life outside", 4, 50, -1000, 3000, 1, true},
        {"starburst short life", 5, 20, 6500, 3000, 1, true},
        {"starburst long life mid-way", 5, 50, 6500, 3000, 1, false},
        {"starburst long life near a corner", 5, 50, 7700, 5700, 1, true},
        {"starburst outside, still alive", 5, 50, 8300, 3000, 5, true},
    };
    using Adder = std::function<Sprite&(ModeFixture&, double, double)>;
    const Adder adders[] = {
        [](ModeFixture& f, double x, double y) -> Sprite& { return f.Add<BounceSprite>(x, y); },
        [](ModeFixture& f, double x, double y) -> Sprite& { return f.Add<GraviBounceSprite>(x, y); },
        [](ModeFixture& f, double x, double y) -> Sprite& { return f.Add<FlyAwaySprite>(x, y); },
        [](ModeFixture& f, double x, double y) -> Sprite& { return f.Add<RainSprite>(x, y); },
        [](ModeFixture& f, double x, double y) -> Sprite& { return f.Add<RandomDriftSprite>(x, y); },
        [](ModeFixture& f, double x, double y) -> Sprite& { return f.Add<StarburstSprite>(x, y); },
    };
    for (const Case& c : cases) {
        ModeFixture fixture;
        fixture.viewer.settings.spriteLifetime = c.spriteLifetime;
        Sprite& sprite = adders[c.mode](fixture, c.x, c.y);
        sprite.motion.life = c.life;
        sprite.Update();
        EXPECT_EQ(sprite.lifeState == kAwaitingBirth, c.recreated) << c.name;
        EXPECT_EQ(fixture.viewer.destroySoundPending, c.recreated) << c.name;
        // Fresh lives: 20 x 10 + trunc(20 x 0.2) = 204, 50 x 10 + 10 = 510.
        if (c.recreated) {
            EXPECT_EQ(sprite.motion.life, c.spriteLifetime == 20 ? 204 : 510) << c.name;
        }
    }
}

}  // namespace
}  // namespace orb::test
