// Every motion mode through the whole engine: a few hundred frames on a small
// view with extreme and ordinary settings, with no exit code raised, and the same
// frames on a second run. One run per mode is pinned to the digest of its frames.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "engine_test_support.h"
#include "viewer/modes/modes.h"

namespace orb {
namespace {

using test::AddActor;
using test::AddPatternedActor;
using test::Hash;
using test::TestShow;

struct ModeCase {
    int mode;
    bool eraser;
    bool quickRotation;
};

class EveryMode : public ::testing::TestWithParam<ModeCase> {};

// The view and pictures of a run. Plain actors are flat grey; patterned ones (and
// a patterned backdrop) make every pixel of scaling, rotation and keying count.
struct Scene {
    int width = 80;
    int height = 60;
    int depth = 24;
    bool patterned = false;
    test::SpritePath path = test::SpritePath::Direct;
};

std::vector<std::uint64_t> RunShow(const ModeCase& c, int frames, const Scene& scene = {}) {
    TestShow show(scene.width, scene.height, CreateModeSprite, scene.depth, scene.path);
    ViewerSettings& s = show.state.settings;
    if (scene.patterned) {
        AddPatternedActor(show.state.actors, 24, 16, 3, 1, "anim");
        AddPatternedActor(show.state.actors, 13, 17, 1, 7, "odd");
        show.state.backdropImage = std::make_unique<GXDrawingSurface>(
            test::PatternedPicture(scene.width, scene.height, 3));
        s.size = 120;
        s.sizeRange = 30;
    } else {
        AddActor(show.state.actors, 12, 8, 3, "anim");
        AddActor(show.state.actors, 10, 10, 1, "still");
    }
    s.motionMode = c.mode;
    s.number = 12;
    s.numberRange = 5;
    s.speed = 80;
    s.spin = 40;
    s.swirl = 30;
    s.factorX = 50;
    s.spriteLifetime = 3;
    s.sceneLifetime = 2;
    s.shuffle = 1;
    s.eraser = c.eraser;
    s.quickRotation = c.quickRotation;
    s.alignToPath = 1;
    s.backgroundKind = scene.patterned ? kImageBackground : kColourBackground;
    s.backgroundColour = 0x204060;
    std::vector<std::uint64_t> hashes;
    if (!show.Start()) {
        ADD_FAILURE() << "start failed with code " << show.state.QuitCode().value_or(-1);
        return hashes;
    }
    for (int i = 0; i < frames; ++i) {
        show.state.Tick();
        hashes.push_back(Hash(show.Screen()));
    }
    EXPECT_FALSE(show.state.QuitCode()) << "code " << show.state.QuitCode().value_or(-1);
    return hashes;
}

TEST_P(EveryMode, RunsAndReplays) {
    const auto first = RunShow(GetParam(), 300);
    const auto second = RunShow(GetParam(), 300);
    EXPECT_EQ(first, second);
    // Something moved.
    EXPECT_NE(std::count(first.begin(), first.end(), first.back()), std::ptrdiff_t(first.size()));
}

INSTANTIATE_TEST_SUITE_P(Modes, EveryMode,
                         ::testing::Values(ModeCase{0, false, true}, ModeCase{1, false, false},
                                           ModeCase{2, false, true}, ModeCase{3, true, false},
                                           ModeCase{4, false, true}, ModeCase{5, false, false},
                                           ModeCase{6, false, true}, ModeCase{6, true, false},
                                           ModeCase{0, true, true}));

struct PinnedCase {
    ModeCase mode;
    int depth;
    std::uint64_t digest;
};

class PinnedFrames : public ::testing::TestWithParam<PinnedCase> {};

// The digests were recorded from the engine as it stood before its compositor and
// picture loops were tuned for speed: those changes may not move a single pixel.
TEST_P(PinnedFrames, MatchTheRecordedRun) {
    const PinnedCase& c = GetParam();
    const auto frames = RunShow(c.mode, 200, Scene{150, 110, c.depth, true});
    EXPECT_EQ(test::Digest(frames), c.digest) << "mode " << c.mode.mode << " at " << c.depth << " bits";
}

// A back-end that cannot blit from pictures gets each sprite's picture drawn into
// its surface and blits from there: the same frames.
TEST_P(PinnedFrames, MatchTheRecordedRunThroughSurfaces) {
    const PinnedCase& c = GetParam();
    const auto frames = RunShow(c.mode, 200, Scene{150, 110, c.depth, true, test::SpritePath::ThroughSurfaces});
    EXPECT_EQ(test::Digest(frames), c.digest) << "mode " << c.mode.mode << " at " << c.depth << " bits";
}

// Mode 7 is RANDOM: with the fixed test clock it always picks the same mode.
INSTANTIATE_TEST_SUITE_P(Modes, PinnedFrames,
                         ::testing::Values(
                             PinnedCase{{0, false, true}, 24, 5832734442264227784u},
                             PinnedCase{{1, false, false}, 24, 16879261173735216579u},
                             PinnedCase{{2, false, true}, 24, 15280189207842980136u},
                             PinnedCase{{3, true, false}, 24, 9571229388403198806u},
                             PinnedCase{{4, false, true}, 24, 10066756477590370670u},
                             PinnedCase{{5, false, false}, 24, 9996471783254484723u},
                             PinnedCase{{6, false, true}, 24, 8572540288537438767u},
                             PinnedCase{{6, true, false}, 24, 10284654722922862531u},
                             PinnedCase{{0, true, true}, 24, 17395073141669538909u},
                             PinnedCase{{7, false, true}, 24, 15284064447560775481u},
                             PinnedCase{{0, false, false}, 8, 12860125196162398481u},
                             PinnedCase{{1, false, true}, 8, 3938030700562248478u},
                             PinnedCase{{2, true, false}, 8, 8541054452047974892u},
                             PinnedCase{{3, false, true}, 8, 16247309648339983806u},
                             PinnedCase{{4, true, true}, 8, 2192308603432689187u},
                             PinnedCase{{5, false, true}, 8, 1789364540284046597u},
                             PinnedCase{{6, false, false}, 8, 6470258271707619676u},
                             PinnedCase{{7, false, false}, 8, 718012251014539939u}));

}  // namespace
}  // namespace orb
