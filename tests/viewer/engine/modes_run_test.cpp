// Every motion mode through the whole engine: a few hundred frames on a small
// view with extreme and ordinary settings, with no exit code raised, and the same
// frames on a second run.
#include <gtest/gtest.h>

#include <algorithm>

#include "engine_test_support.h"
#include "viewer/modes/modes.h"

namespace orb {
namespace {

using test::AddActor;
using test::Hash;
using test::TestShow;

struct ModeCase {
    int mode;
    bool eraser;
    bool quickRotation;
};

class EveryMode : public ::testing::TestWithParam<ModeCase> {};

std::vector<std::uint64_t> RunShow(const ModeCase& c, int frames) {
    TestShow show(80, 60, CreateModeSprite);
    AddActor(show.state.actors, 12, 8, 3, "anim");
    AddActor(show.state.actors, 10, 10, 1, "still");
    ViewerSettings& s = show.state.settings;
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
    s.backgroundKind = kColourBackground;
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

}  // namespace
}  // namespace orb
