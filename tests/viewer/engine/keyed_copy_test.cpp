// The keyed row copy: white source pixels leave the target alone, all others are
// copied, whether they sit in whole blocks of 16 or in the tail of a row.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

#include "viewer/engine/keyed_copy.h"

namespace orb {
namespace {

struct Bgr {
    std::uint8_t b, g, r;
};

TEST(KeyedCopy, TwentyFourBitRowsOfWhiteOpaqueAndMixedBlocks) {
    // 45 pixels: 0-15 all white (skipped), 16-31 all opaque (copied), 32-44 a tail
    // that mixes white with colours one byte short of white (copied).
    std::vector<Bgr> in(45);
    for (int i = 0; i < 45; ++i) {
        if (i < 16) in[i] = {255, 255, 255};
        else if (i < 32) in[i] = {std::uint8_t(i), 0, 7};
        else in[i] = i % 3 == 0 ? Bgr{255, 255, 255} : i % 3 == 1 ? Bgr{255, 255, 254} : Bgr{0, 255, 255};
    }
    std::vector<Bgr> out(45, Bgr{0x11, 0x22, 0x33});
    CopyKeyedRow(&out[0].b, &in[0].b, 45, 3);
    for (int i = 0; i < 45; ++i) {
        const bool white = i < 16 || (i >= 32 && i % 3 == 0);
        const Bgr expected = white ? Bgr{0x11, 0x22, 0x33} : in[i];
        EXPECT_EQ(out[i].b, expected.b) << i;
        EXPECT_EQ(out[i].g, expected.g) << i;
        EXPECT_EQ(out[i].r, expected.r) << i;
    }
}

TEST(KeyedCopy, APartlyWhiteBlockCopiesOnlyItsColours) {
    // One block of 16: pixels 2, 9 and 15 white; a pixel white in two bytes only
    // (255, 255, 0) is a colour.
    std::vector<Bgr> in(16, Bgr{255, 255, 0});
    in[2] = in[9] = in[15] = {255, 255, 255};
    std::vector<Bgr> out(16, Bgr{1, 2, 3});
    CopyKeyedRow(&out[0].b, &in[0].b, 16, 3);
    for (int i = 0; i < 16; ++i) {
        const bool white = i == 2 || i == 9 || i == 15;
        EXPECT_EQ(out[i].r, white ? 3 : 0) << i;
        EXPECT_EQ(out[i].b, white ? 1 : 255) << i;
    }
}

TEST(KeyedCopy, EightBitRows) {
    // 37 indices: a white block, an opaque block with index 254, and a tail of 5
    // alternating 255 and 0.
    std::vector<std::uint8_t> in(37);
    for (int i = 0; i < 37; ++i) in[i] = i < 16 ? 255 : i < 32 ? 254 : (i % 2 ? 255 : 0);
    std::vector<std::uint8_t> out(37, 9);
    CopyKeyedRow(out.data(), in.data(), 37, 1);
    for (int i = 0; i < 37; ++i) {
        const int expected = i < 16 ? 9 : i < 32 ? 254 : (i % 2 ? 9 : 0);
        EXPECT_EQ(out[i], expected) << i;
    }
    CopyKeyedRow(out.data(), in.data(), 0, 1);  // nothing to do
    EXPECT_EQ(out[0], 9);
}

TEST(KeyedCopy, EveryRowLengthMatchesPixelByPixel) {
    // Rows of 1 to 70 pixels at both depths, white pixels in runs and alone among
    // colours that are white in all but one byte; the bytes after the row stay.
    std::mt19937 random(1210);
    for (int bytes : {1, 3}) {
        for (int count = 1; count <= 70; ++count) {
            const std::size_t size = static_cast<std::size_t>(count) * bytes;
            std::vector<std::uint8_t> in(size), out(size + 16), expected;
            bool white = false;
            for (int p = 0; p < count; ++p) {
                if (random() % 5 == 0) white = !white;
                for (int b = 0; b < bytes; ++b) in[p * bytes + b] = white ? 255 : static_cast<std::uint8_t>(random() % 2 ? 255 : random());
                if (!white && bytes == 3) in[p * 3 + random() % 3] = 254;  // one byte short of white
                if (!white && bytes == 1) in[p] = static_cast<std::uint8_t>(random() % 255);
            }
            for (auto& b : out) b = static_cast<std::uint8_t>(random());
            expected = out;
            for (int p = 0; p < count; ++p) {
                const std::uint8_t* pixel = &in[p * bytes];
                const bool key = bytes == 1 ? pixel[0] == 255 : (pixel[0] & pixel[1] & pixel[2]) == 255;
                if (!key) std::copy(pixel, pixel + bytes, &expected[p * bytes]);
            }
            CopyKeyedRow(out.data(), in.data(), count, bytes);
            ASSERT_EQ(out, expected) << count << " pixels of " << bytes << " bytes";
        }
    }
}

// Spans worked out by hand. A pixel has colour when any of its bytes is not 255,
// so a colour's first or last byte alone must still count its whole pixel.
TEST(FindColourRows, GivesEachRowsFirstAndLastPixelsWithColour) {
    GXDrawingSurface picture;
    picture.Create(24, 20, 4);  // 60 bytes a row: the scan crosses 8-byte words
    picture.Fill(255, 255, 255);
    auto set = [&](int x, int top, Bgr colour) {
        std::uint8_t* p = picture.Row(picture.Height() - 1 - top).data() + 3 * x;  // stored bottom-up
        p[0] = colour.b, p[1] = colour.g, p[2] = colour.r;
    };
    set(11, 1, {255, 255, 0});
    set(0, 2, {0, 255, 255});
    set(19, 2, {255, 254, 255});
    set(7, 3, {1, 2, 3});
    set(8, 3, {255, 255, 254});
    EXPECT_EQ(FindColourRows(picture), (std::vector<RowSpan>{{0, 0}, {11, 12}, {0, 20}, {7, 9}}));

    GXDrawingSurface indexed;
    indexed.Create(8, 17, 2);
    std::fill(indexed.pixels.begin(), indexed.pixels.end(), 255);
    indexed.Row(1)[9] = 254;  // the top row
    EXPECT_EQ(FindColourRows(indexed), (std::vector<RowSpan>{{9, 10}, {0, 0}}));

    GXDrawingSurface sixteen;
    sixteen.Create(16, 5, 2);  // not keyed: colour throughout
    EXPECT_EQ(FindColourRows(sixteen), (std::vector<RowSpan>{{0, 5}, {0, 5}}));
}

}  // namespace
}  // namespace orb
