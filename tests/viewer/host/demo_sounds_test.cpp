#include <gtest/gtest.h>

#include <cstring>

#include "samples/art.h"
#include "samples/sounds.h"

namespace orb::samples {
namespace {

std::uint32_t Le32(const std::vector<std::uint8_t>& b, std::size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24;
}
std::uint32_t Be32(const std::vector<std::uint8_t>& b, std::size_t at) {
    return static_cast<std::uint32_t>(b[at]) << 24 | b[at + 1] << 16 | b[at + 2] << 8 | b[at + 3];
}

TEST(DemoSounds, WaveFileHeader) {
    const std::int16_t samples[3] = {0, 1000, -2};
    const std::vector<std::uint8_t> wav = EncodeWave(samples);
    ASSERT_EQ(wav.size(), 44u + 6);
    EXPECT_EQ(std::memcmp(wav.data(), "RIFF", 4), 0);
    EXPECT_EQ(Le32(wav, 4), 36u + 6);
    EXPECT_EQ(std::memcmp(wav.data() + 8, "WAVEfmt ", 8), 0);
    EXPECT_EQ(Le32(wav, 24), 22050u);
    EXPECT_EQ(Le32(wav, 28), 44100u);  // bytes a second
    EXPECT_EQ(std::memcmp(wav.data() + 36, "data", 4), 0);
    EXPECT_EQ(Le32(wav, 40), 6u);
    EXPECT_EQ(wav[46], 0xE8);  // 1000 = 0x03E8
    EXPECT_EQ(wav[47], 0x03);
    EXPECT_EQ(wav[48], 0xFE);  // -2
    EXPECT_EQ(wav[49], 0xFF);
}

TEST(DemoSounds, EffectsAreShortAndAudible) {
    for (const auto& wav : {BounceEffect(), CreateEffect(), DestroyEffect()}) {
        const std::uint32_t bytes = Le32(wav, 40);
        EXPECT_EQ(wav.size(), 44u + bytes);
        EXPECT_LT(bytes, 22050u * 2);  // under a second
        int loudest = 0;
        for (std::size_t i = 44; i + 1 < wav.size(); i += 2)
            loudest = std::max(loudest, std::abs(static_cast<std::int16_t>(wav[i] | wav[i + 1] << 8)));
        EXPECT_GT(loudest, 8000);
    }
}

TEST(DemoSounds, MidiFileStructure) {
    const std::vector<std::uint8_t> mid = BackingTrack();
    ASSERT_GT(mid.size(), 22u);
    EXPECT_EQ(std::memcmp(mid.data(), "MThd", 4), 0);
    EXPECT_EQ(Be32(mid, 4), 6u);
    EXPECT_EQ(mid[8] << 8 | mid[9], 0);    // format 0
    EXPECT_EQ(mid[10] << 8 | mid[11], 1);  // one track
    EXPECT_EQ(mid[12] << 8 | mid[13], 96); // ticks a beat
    EXPECT_EQ(std::memcmp(mid.data() + 14, "MTrk", 4), 0);
    EXPECT_EQ(Be32(mid, 18), mid.size() - 22);
    // The track ends with the end-of-track event.
    EXPECT_EQ(mid[mid.size() - 3], 0xFF);
    EXPECT_EQ(mid[mid.size() - 2], 0x2F);
    EXPECT_EQ(mid[mid.size() - 1], 0x00);
    // Walk the events: every delta is a valid variable-length number and the notes
    // add up to 8 bars of 4 beats.
    std::size_t at = 22;
    long ticks = 0;
    int noteOns = 0, noteOffs = 0;
    while (at < mid.size()) {
        long delta = 0;
        for (int n = 0;; ++n) {
            ASSERT_LT(n, 4);
            const std::uint8_t b = mid[at++];
            delta = delta << 7 | (b & 0x7F);
            if (!(b & 0x80)) break;
        }
        ticks += delta;
        const std::uint8_t status = mid[at];
        if (status == 0xFF) {
            at += 3 + mid[at + 2];
        } else if ((status & 0xF0) == 0xC0) {
            at += 2;
        } else {
            ASSERT_TRUE((status & 0xF0) == 0x90 || (status & 0xF0) == 0x80);
            ((status & 0xF0) == 0x90 ? noteOns : noteOffs)++;
            at += 3;
        }
    }
    EXPECT_EQ(at, mid.size());
    EXPECT_EQ(noteOns, noteOffs);
    EXPECT_EQ(noteOns, 8 * (3 + 8 + 16));
    EXPECT_LE(ticks, 8 * 4 * 96);
    EXPECT_GT(ticks, 8 * 4 * 96 - 96);
}

TEST(DemoArt, ActorsAreAnimatedOnTheKeyColour) {
    const std::vector<DemoActor> actors = DrawDemoActors();
    ASSERT_GE(actors.size(), 4u);
    for (const DemoActor& actor : actors) {
        ASSERT_GE(actor.frames.size(), 2u) << actor.name;
        const Picture& first = actor.frames[0];
        int keyed = 0, near = 0;
        for (int y = 0; y < first.Height(); ++y)
            for (int x = 0; x < first.Width(); ++x) {
                const Colour c = first.Get(x, y);
                const bool isKey = c.r == kActorKey.r && c.g == kActorKey.g && c.b == kActorKey.b;
                keyed += isKey;
                // Art colours keep clear of the key's tolerance, so nothing else vanishes.
                near += !isKey && std::abs(c.r - kActorKey.r) <= kActorKeyTolerance &&
                        std::abs(c.g - kActorKey.g) <= kActorKeyTolerance &&
                        std::abs(c.b - kActorKey.b) <= kActorKeyTolerance;
            }
        EXPECT_EQ(first.Get(0, 0).g, kActorKey.g) << actor.name;  // corners are background
        EXPECT_GT(keyed, 0) << actor.name;
        EXPECT_LT(keyed, first.Width() * first.Height() * 3 / 4) << actor.name;
        EXPECT_EQ(near, 0) << actor.name;
        // Consecutive frames differ: the actor moves.
        EXPECT_FALSE(std::equal(first.Rgb().begin(), first.Rgb().end(), actor.frames[1].Rgb().begin()))
            << actor.name;
    }
}

TEST(DemoArt, BackdropAndBannerSizes) {
    const Picture backdrop = DrawBackdrop();
    EXPECT_EQ(backdrop.Width(), 640);
    EXPECT_EQ(backdrop.Height(), 480);
    const Picture banner = DrawBanner();
    EXPECT_EQ(banner.Width(), 152);
    EXPECT_EQ(banner.Height(), 112);
}

}  // namespace
}  // namespace orb::samples
