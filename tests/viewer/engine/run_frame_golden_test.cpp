// Worked values for the view geometry and for what RunFrame hands the draw list.
// Random values are the generator's sequence from seed 1: 41, 18467, 6334, ...
#include <gtest/gtest.h>

#include "engine_test_support.h"

namespace orb {
namespace {

using test::AddActor;
using test::SetSettings;
using test::TestShow;

// One 10 x 10 actor, one sprite that is born on its first update and never
// stutters, heading along +x at Speed 1 (base speed 200: 200 pixels a frame with
// the test sprite's divisor 1).
void OneSprite(TestShow& show) {
    AddActor(show.state.actors, 10, 10);
    SetSettings(show.state.settings,
                "number=1 numberRange=0 stutter=0 direction=0 directionRange=0 speed=1 quickRotation=0");
    show.state.settings.backgroundKind = kColourBackground;
}

// A 1152 x 864 screen is shown in the table's 1152 x 882 mode. The conversions
// keep the view (8000 / 1152 and 6000 / 864 per pixel); the play area reaches the
// mode's last row: bottom = trunc(6000 / 864 x 882) = 6125, right =
// trunc(8000 / 1152 x 1152) = 8000.
TEST(ViewGeometryGolden, ADisplayModeTallerThanTheScreen) {
    TestShow show(1152, 864);
    OneSprite(show);
    show.state.settings.number = 0;
    ASSERT_TRUE(show.Start());
    const ViewerState& state = show.state;
    EXPECT_EQ(state.display.ModeWidth(), 1152);
    EXPECT_EQ(state.display.ModeHeight(), 882);
    EXPECT_EQ(state.viewRect, (Rect{0, 0, 1152, 864}));
    EXPECT_EQ(state.pixelReference, (Rect{0, 0, 1152, 864}));
    EXPECT_EQ(state.playArea, (Rect{0, 0, 8000, 6125}));
    EXPECT_EQ(state.PixelToWorldXInt(144), 1000);  // 144 x 8000 / 1152
    EXPECT_EQ(state.PixelToWorldYInt(108), 750);   // 108 x 6000 / 864
    // The draw list maps the world onto the view: world (4000, 6125) lands on
    // pixel (4000 x 1152 / 8000 + 0.5, 6125 x 864 / 6000 + 0.5) = (576, 882), the
    // mode's first row past the view.
    DrawItem item;
    item.mapping = &state.mapping;
    item.x = 4000;
    item.y = 6125;
    int x = 0, y = 0;
    state.display.ScreenPosition(item, x, y);
    EXPECT_EQ(x, 576);
    EXPECT_EQ(y, 882);
}

// Screens in the table keep the whole world as the play area; screens outside it
// are shown at their own size.
TEST(ViewGeometryGolden, ScreensMatchingTheirModeSeeTheWholeWorld) {
    for (const auto& [width, height] : {std::pair{640, 480}, {1280, 1024}, {1000, 700}}) {
        TestShow show(width, height);
        OneSprite(show);
        show.state.settings.number = 0;
        ASSERT_TRUE(show.Start());
        EXPECT_EQ(show.state.playArea, (Rect{0, 0, 8000, 6000})) << width << " x " << height;
    }
}

// The sprite is set up from draws 1 and 2 (RandomPosition: a = b = 100 world
// units): x = 41 % 8200 - 100 = -59, y = 18467 % 6200 - 100 = 5967; display angle
// 6334 % 360 = 214. The first frame (inside StartShow) only brings it to life.
// Each later frame places the item where the sprite was before it moved in that
// frame, then moves it 200 pixels = 2000 world units along +x.
TEST(RunFrameGolden, TheDrawListSeesLastFramesPosition) {
    TestShow show(800, 600);
    OneSprite(show);
    ASSERT_TRUE(show.Start());
    ViewerState& state = show.state;
    const Sprite& sprite = *state.sprites[0];
    EXPECT_EQ(sprite.lifeState, kAlive);
    EXPECT_EQ(sprite.drawHandle, 0u);
    EXPECT_EQ(sprite.motion.x, -59.0);
    EXPECT_EQ(sprite.motion.y, 5967.0);
    EXPECT_TRUE(state.forceRedraw);  // no sprite was drawn yet

    const int expectedItemX[] = {-59, 1941, 3941};
    for (int frame = 0; frame < 3; ++frame) {
        state.Tick();
        ASSERT_EQ(state.display.Items().size(), 1u);
        const DrawItem& item = *state.display.Items()[0];
        EXPECT_EQ(item.x, expectedItemX[frame]) << "frame " << frame;
        EXPECT_EQ(item.y, 5967);
        EXPECT_EQ(item.angle, 214.0);
        EXPECT_NEAR(sprite.motion.x, expectedItemX[frame] + 2000, 1e-9);
        EXPECT_FALSE(state.forceRedraw);
    }
}

// The force-redraw flag rebuilds only the first sprite drawn after it is set: with
// the actor's picture repainted green, the first item takes the new picture and
// the second keeps the grey one it had.
TEST(RunFrameGolden, ForceRedrawReachesOnlyTheFirstDrawnSprite) {
    TestShow show(800, 600);
    OneSprite(show);
    show.state.settings.number = 2;
    ASSERT_TRUE(show.Start());
    ViewerState& state = show.state;
    state.Tick();
    ASSERT_EQ(state.display.Items().size(), 2u);
    state.actors.front()->Fill(0, 200, 0);
    state.forceRedraw = true;
    state.Tick();
    EXPECT_FALSE(state.forceRedraw);
    const GXDrawingSurface& first = state.display.Items()[0]->Shown();
    const GXDrawingSurface& second = state.display.Items()[1]->Shown();
    EXPECT_EQ(test::PixelAt(first, 5, 5), (test::Bgr{0, 200, 0}));
    EXPECT_EQ(test::PixelAt(second, 5, 5), (test::Bgr{10, 10, 10}));
}

// Items carry flags 1, or 5 with the Eraser on.
TEST(RunFrameGolden, EraserItemsCarryFlagsFive) {
    for (int eraser : {0, 1}) {
        TestShow show(800, 600);
        OneSprite(show);
        show.state.settings.eraser = eraser;
        ASSERT_TRUE(show.Start());
        show.state.Tick();
        ASSERT_EQ(show.state.display.Items().size(), 1u);
        EXPECT_EQ(show.state.display.Items()[0]->flags, eraser ? 5u : 1u);
        EXPECT_FALSE(show.state.QuitCode());
    }
}

}  // namespace
}  // namespace orb
