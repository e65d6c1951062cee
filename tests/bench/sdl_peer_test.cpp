// The peer composites exactly what the engine composites: after the same frames its
// screen holds the same pixels, so the benchmark compares like with like.
#include <gtest/gtest.h>

#include <memory>

#include "bench/sdl_peer.h"
#include "tests/viewer/engine/engine_test_support.h"
#include "viewer/modes/modes.h"

namespace orb::bench {
namespace {

TEST(SdlPeer, DrawsTheSameScreenAsTheEngine) {
    for (int mode : {kBounce, kRain, kSplat}) {
        test::TestShow show(150, 110, CreateModeSprite);
        test::AddPatternedActor(show.state.actors, 24, 16, 3, 1, "anim");
        test::AddPatternedActor(show.state.actors, 13, 17, 1, 7, "odd");
        show.state.backdropImage = std::make_unique<GXDrawingSurface>(test::PatternedPicture(150, 110, 3));
        test::SetSettings(show.state.settings, "number=20 numberRange=0 spin=40 size=150");
        show.state.settings.backgroundKind = kImageBackground;
        show.state.settings.motionMode = mode;
        ASSERT_TRUE(show.Start());
        SdlPeer peer(show.state, show.display);
        ASSERT_TRUE(peer.Ready());
        for (int frame = 0; frame < 80; ++frame) {
            show.state.Tick();
            peer.Frame(show.state, mode == kSplat);
            ASSERT_TRUE(peer.ScreenEquals(show.Screen())) << "mode " << mode << " frame " << frame;
        }
    }
}

}  // namespace
}  // namespace orb::bench
