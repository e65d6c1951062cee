// Every mode through the whole show: the engine's scene, draw list and software
// compositor on a small screen. No mode may end the show, and SPLAT's sprites
// must leave their marks in the backdrop.
#include <gtest/gtest.h>

#include <memory>

#include "tests/viewer/modes/extreme_settings.h"
#include "viewer/engine/software_display.h"
#include "viewer/engine/viewer_state.h"
#include "viewer/modes/modes.h"

namespace orb::test {
namespace {

// A show on a `width` x `height` 24-bit screen with a red 24 x 12 still actor and
// a two-frame blue 10 x 20 animation.
class Show {
public:
    Show(int width, int height, const ViewerSettings& settings) : viewer_(MakePlatform(width, height), CreateModeSprite) {
        viewer_.screen = {width, height, 24};
        viewer_.viewRect = {0, 0, width, height};
        viewer_.settings = settings;
        AddActor(24, 12, 1, 255, 0, 0);
        AddActor(10, 20, 2, 0, 0, 255);
    }

    ViewerState& viewer() { return viewer_; }
    const GXDrawingSurface& Screen() const { return *display_.ScreenPicture(); }

    // A 1024 x 768 picture of one colour as the Image background.
    void UseBackdrop(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
        auto picture = std::make_unique<GXDrawingSurface>();
        picture->Create(24, 1024, 768);
        picture->Fill(red, green, blue);
        viewer_.backdropImage = std::move(picture);
        viewer_.settings.backgroundKind = kImageBackground;
    }

    bool Start() { return viewer_.PrepareActorImages() && viewer_.StartShow(); }

    // Counts screen pixels of one colour.
    int CountPixels(std::uint8_t red, std::uint8_t green, std::uint8_t blue) const {
        const GXDrawingSurface& screen = Screen();
        int count = 0;
        for (int row = 0; row < screen.Height(); ++row) {
            const auto pixels = screen.Row(row);
            for (int x = 0; x < screen.Width(); ++x) {
                if (pixels[3 * x] == blue && pixels[3 * x + 1] == green && pixels[3 * x + 2] == red) ++count;
            }
        }
        return count;
    }

private:
    Platform MakePlatform(int width, int height) {
        Platform platform;
        platform.screen = {width, height, 24};
        platform.display = &display_;
        return platform;
    }

    void AddActor(int width, int height, int frames, std::uint8_t red, std::uint8_t green,
                  std::uint8_t blue) {
        GXDrawingSurface* first = nullptr;
        for (int i = 0; i < frames; ++i) {
            auto frame = std::make_unique<GXDrawingSurface>();
            frame->Create(24, width, height);
            frame->Fill(red, green, blue);
            if (i == 0) first = frame.get();
            frame->firstFrame = first;
            frame->frameIndex = i;
            frame->frameCount = frames;
            if (!viewer_.actors.empty()) viewer_.actors.back()->nextFrame = frame.get();
            viewer_.actors.push_back(std::move(frame));
        }
    }

    SoftwareDisplay display_;
    ViewerState viewer_;
};

ViewerSettings Extreme(bool high, int mode) {
    ViewerSettings s = ExtremeSettings(high);
    s.motionMode = mode;
    s.number = high ? 50 : 10;
    s.backgroundKind = high ? kStarfieldBackground : kColourBackground;
    s.backgroundColour = 0x203040;
    return s;
}

TEST(ModeShows, EveryModeRunsThousandsOfFramesWithExtremeSettings) {
    for (int mode = 0; mode <= 7; ++mode) {
        for (bool high : {false, true}) {
            Show show(64, 48, Extreme(high, mode));
            ASSERT_TRUE(show.Start()) << "mode " << mode;
            for (int frame = 0; frame < 2000; ++frame) show.viewer().Tick();
            EXPECT_FALSE(show.viewer().QuitCode().has_value())
                << "mode " << mode << (high ? " high" : " low") << " ended with "
                << show.viewer().QuitCode().value_or(0);
        }
    }
}

// One red sprite jumping about a grey backdrop: without the eraser every place
// it visits stays red; with the eraser nothing is stamped, so no red piles up.
TEST(ModeShows, SplatImprintsItsSpritesIntoTheBackdrop) {
    ViewerSettings settings;
    settings.motionMode = kSplat;
    settings.number = 1;
    settings.numberRange = 0;
    settings.stutter = 0;
    settings.size = 100;
    settings.directionRange = 0;
    settings.quickRotation = 0;
    int redAfter[2] = {};
    for (int eraser : {0, 1}) {
        settings.eraser = eraser;
        Show show(320, 240, settings);
        show.UseBackdrop(128, 128, 128);
        ASSERT_TRUE(show.Start());
        for (int frame = 0; frame < 40; ++frame) show.viewer().Tick();
        redAfter[eraser] = show.CountPixels(255, 0, 0);
    }
    const int oneSprite = 24 * 12;
    EXPECT_GT(redAfter[0], 10 * oneSprite);
    EXPECT_LE(redAfter[1], oneSprite);
}

}  // namespace
}  // namespace orb::test
