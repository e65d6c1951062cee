// Whole scenes of every mode, moved by the modes alone (no compositor): the
// factory, repeatability from the same seed, and long runs on a small view with
// settings at their extremes.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "tests/viewer/modes/extreme_settings.h"
#include "viewer/engine/viewer_state.h"
#include "viewer/modes/modes.h"
#include "viewer/modes/rain_sprite.h"
#include "viewer/modes/splat_sprite.h"

namespace orb::test {
namespace {

// A still 60 x 30 actor and a three-frame 20 x 40 animation.
void AddActors(ViewerState& viewer) {
    auto addFrame = [&](int width, int height) {
        auto frame = std::make_unique<GXDrawingSurface>();
        frame->infoHeader.width = width;
        frame->infoHeader.height = height;
        if (!viewer.actors.empty()) viewer.actors.back()->nextFrame = frame.get();
        viewer.actors.push_back(std::move(frame));
        return viewer.actors.back().get();
    };
    GXDrawingSurface* still = addFrame(60, 30);
    still->firstFrame = still;
    still->frameCount = 1;
    GXDrawingSurface* first = nullptr;
    for (int i = 0; i < 3; ++i) {
        GXDrawingSurface* frame = addFrame(20, 40);
        if (i == 0) first = frame;
        frame->firstFrame = first;
        frame->frameIndex = i;
        frame->frameCount = 3;
    }
    viewer.actorCursor = viewer.actors.front().get();
}

// Makes `count` sprites of `mode` as the scene does and returns them set up.
void Populate(ViewerState& viewer, int mode, int count) {
    for (int i = 0; i < count; ++i) {
        viewer.sprites[i] = CreateModeSprite(mode);
        ASSERT_NE(viewer.sprites[i], nullptr);
        viewer.spriteCount = i + 1;
        viewer.sprites[i]->Init(viewer);
    }
}

// One frame of motion: every sprite's update in table order, then the last
// sprite's end of frame.
void MoveAll(ViewerState& viewer) {
    for (int i = 0; i < viewer.spriteCount; ++i) viewer.sprites[i]->Update();
    if (viewer.spriteCount > 0) viewer.sprites[viewer.spriteCount - 1]->EndFrame();
}

struct Snapshot {
    double x, y, direction, angle;
    int width, height, lifeState;
    friend bool operator==(const Snapshot&, const Snapshot&) = default;
};

std::vector<Snapshot> Take(const ViewerState& viewer) {
    std::vector<Snapshot> result;
    for (int i = 0; i < viewer.spriteCount; ++i) {
        const Sprite& s = *viewer.sprites[i];
        result.push_back({s.motion.x, s.motion.y, s.motion.direction, s.displayAngle, s.width,
                          s.height, s.lifeState});
    }
    return result;
}

class Scene {
public:
    Scene(int pixelWidth, int pixelHeight) : viewer(Platform{}, CreateModeSprite) {
        viewer.playArea = {0, 0, 8000, 6000};
        viewer.pixelReference = {0, 0, pixelWidth, pixelHeight};
        viewer.viewRect = viewer.pixelReference;
        AddActors(viewer);
    }
    ViewerState viewer;
};

TEST(ModeFactory, MakesOneClassPerModeAndNothingElse) {
    for (int mode = 0; mode <= 6; ++mode) EXPECT_NE(CreateModeSprite(mode), nullptr) << mode;
    EXPECT_EQ(CreateModeSprite(7), nullptr);  // RANDOM is resolved before
    EXPECT_EQ(CreateModeSprite(-1), nullptr);
    EXPECT_EQ(CreateModeSprite(99), nullptr);
}

class FixedClock final : public Clock {
public:
    explicit FixedClock(std::uint32_t seconds) : seconds_(seconds) {}
    std::uint32_t NowSeconds() override { return seconds_; }

private:
    std::uint32_t seconds_;
};

// RANDOM seeds the generator with the clock and draws the mode once for the whole
// scene: from seed 0 the first draw is 38 (38 % 7 = 3, RAIN), from seed 1 it is
// 41 (41 % 7 = 6, SPLAT).
TEST(ModeScenes, RandomModeDrawsOneModeFromTheClock) {
    struct Case {
        std::uint32_t seconds;
        int mode;
    };
    for (const Case& c : {Case{0, kRain}, Case{1, kSplat}}) {
        FixedClock clock(c.seconds);
        Platform platform;
        platform.clock = &clock;
        ViewerState viewer(platform, CreateModeSprite);
        viewer.playArea = {0, 0, 8000, 6000};
        viewer.pixelReference = {0, 0, 640, 480};
        AddActors(viewer);
        viewer.settings.motionMode = kRandomMode;
        viewer.settings.number = 6;
        viewer.PopulateScene();
        EXPECT_EQ(viewer.settings.motionMode, c.mode);
        ASSERT_EQ(viewer.spriteCount, 6);
        for (int i = 0; i < viewer.spriteCount; ++i) {
            const Sprite* sprite = viewer.sprites[i].get();
            const bool expectedClass = c.mode == kRain ? dynamic_cast<const RainSprite*>(sprite) != nullptr
                                                       : dynamic_cast<const SplatSprite*>(sprite) != nullptr;
            EXPECT_TRUE(expectedClass) << "sprite " << i;
        }
    }
}

TEST(ModeScenes, SameSeedSameShow) {
    for (int mode = 0; mode <= 6; ++mode) {
        std::vector<Snapshot> runs[2];
        for (auto& run : runs) {
            Scene scene(640, 480);
            scene.viewer.settings.number = 8;
            scene.viewer.settings.factorX = 30;
            scene.viewer.settings.swirl = 20;
            scene.viewer.settings.spriteLifetime = 20;
            scene.viewer.settings.sceneLifetime = 5;
            Populate(scene.viewer, mode, 8);
            for (int frame = 0; frame < 600; ++frame) MoveAll(scene.viewer);
            run = Take(scene.viewer);
        }
        EXPECT_EQ(runs[0], runs[1]) << "mode " << mode;
    }
}

ViewerSettings Extreme(bool high) {
    ViewerSettings s = ExtremeSettings(high);
    s.number = 60;
    return s;
}

bool Finite(const Sprite& s) {
    return std::isfinite(s.motion.x) && std::isfinite(s.motion.y) &&
           std::isfinite(s.motion.direction) && std::isfinite(s.displayAngle) && s.width > 0 &&
           s.height > 0;
}

// A view of 16 x 12 pixels turns every pixel into 500 world units, so sprites
// are larger than the play area and every edge rule is hit all the time.
TEST(ModeScenes, EveryModeSurvivesExtremeSettingsOnATinyView) {
    for (int mode = 0; mode <= 6; ++mode) {
        for (bool high : {false, true}) {
            Scene scene(16, 12);
            scene.viewer.settings = Extreme(high);
            Populate(scene.viewer, mode, scene.viewer.settings.number);
            for (int frame = 0; frame < 3000; ++frame) MoveAll(scene.viewer);
            for (int i = 0; i < scene.viewer.spriteCount; ++i) {
                ASSERT_TRUE(Finite(*scene.viewer.sprites[i]))
                    << "mode " << mode << (high ? " high" : " low") << " sprite " << i;
            }
        }
    }
}

// A play area squeezed to nothing: every range of a random draw is 0.
TEST(ModeScenes, EveryModeSurvivesAnEmptyPlayArea) {
    for (int mode = 0; mode <= 6; ++mode) {
        Scene scene(4, 3);
        scene.viewer.playArea = {0, 0, 0, 0};
        scene.viewer.settings = Extreme(true);
        Populate(scene.viewer, mode, 10);
        for (int frame = 0; frame < 500; ++frame) MoveAll(scene.viewer);
        SUCCEED();
    }
}

}  // namespace
}  // namespace orb::test
