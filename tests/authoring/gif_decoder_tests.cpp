// The GIF decoder on files built byte by byte (gif_bytes.h): colours, transparency
// and the composition of animation frames worked out by hand, and the checks made
// before anything is allocated.
#include <gtest/gtest.h>

#include "authoring/import/image_codes.h"
#include "authoring/import/image_decoders.h"
#include "gif_bytes.h"

namespace orb {
namespace {

using test::GifFrame;
using test::MakeGif;

// 0 black, 1 red, 2 green, 3 white
const test::GifColours kColours = {{{0, 0, 0}, {255, 0, 0}, {0, 255, 0}, {255, 255, 255}}};

// A pixel as a letter: K black, R red, G green, W white, '.' transparent.
char Letter(const PackedImage& image, int x, int y) {
    if (image.Alpha(x, y) == 0) return '.';
    const std::uint8_t* p = image.Pixel24(x, y);
    const int b = p[0], g = p[1], r = p[2];
    if (r == 0 && g == 0 && b == 0) return 'K';
    if (r == 255 && g == 0 && b == 0) return 'R';
    if (r == 0 && g == 255 && b == 0) return 'G';
    if (r == 255 && g == 255 && b == 255) return 'W';
    return '?';
}

// Rows from the top, joined by '/'.
std::string Letters(const PackedImage& image) {
    std::string text;
    for (int y = 0; y < image.Height(); ++y) {
        if (y > 0) text += '/';
        for (int x = 0; x < image.Width(); ++x) text += Letter(image, x, y);
    }
    return text;
}

TEST(GifDecoder, StillPictureInItsTableColours) {
    std::vector<PackedImage> frames;
    ASSERT_EQ(DecodeGif(MakeGif(2, 2, kColours, {{0, 0, 2, 2, {1, 2, 3, 0}}}), frames, GifFrames::All), kImageOk);
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0].Width(), 2);
    EXPECT_EQ(frames[0].BitCount(), 24);
    EXPECT_EQ(Letters(frames[0]), "RG/WK");
    EXPECT_TRUE(frames[0].alpha.empty());  // nothing transparent: no opacity plane
}

TEST(GifDecoder, TheTransparentIndexAndUndrawnPixelsAreTransparent) {
    std::vector<PackedImage> frames;
    GifFrame f{0, 0, 2, 1, {0, 1}};
    f.transparent = 0;
    // a 2 x 2 picture whose only frame covers the top row
    ASSERT_EQ(DecodeGif(MakeGif(2, 2, kColours, {f}), frames, GifFrames::All), kImageOk);
    EXPECT_EQ(Letters(frames[0]), ".R/..");
    EXPECT_EQ(frames[0].alpha, (std::vector<std::uint8_t>{0, 255, 0, 0}));
}

TEST(GifDecoder, FramesAreComposedAsTheFileSays) {
    // 3 x 1. Each frame is drawn over what the last one left:
    //   1: RRR everywhere, kept                     -> RRR
    //   2: G at x 1, cleared afterwards             -> RGR, leaves R.R
    //   3: W at x 2, undone afterwards              -> R.W, leaves R.R
    //   4: G at x 0                                 -> G.R
    std::vector<GifFrame> file = {{0, 0, 3, 1, {1, 1, 1}, 1}, {1, 0, 1, 1, {2}, 2}, {2, 0, 1, 1, {3}, 3}, {0, 0, 1, 1, {2}, 0}};
    std::vector<PackedImage> frames;
    ASSERT_EQ(DecodeGif(MakeGif(3, 1, kColours, file), frames, GifFrames::All), kImageOk);
    ASSERT_EQ(frames.size(), 4u);
    const char* expected[] = {"RRR", "RGR", "R.W", "G.R"};
    for (std::size_t i = 0; i < 4; ++i) EXPECT_EQ(Letters(frames[i]), expected[i]) << "frame " << i + 1;
    EXPECT_TRUE(frames[0].alpha.empty());
    EXPECT_FALSE(frames[2].alpha.empty());
}

TEST(GifDecoder, TransparentPixelsLetTheEarlierFrameShowThrough) {
    GifFrame over{0, 0, 2, 1, {0, 3}};
    over.transparent = 0;
    std::vector<PackedImage> frames;
    ASSERT_EQ(DecodeGif(MakeGif(2, 1, kColours, {{0, 0, 2, 1, {1, 2}, 1}, over}), frames, GifFrames::All), kImageOk);
    EXPECT_EQ(Letters(frames[1]), "RW");
}

TEST(GifDecoder, TheFirstFrameAloneForStillUses) {
    const auto file = MakeGif(1, 1, kColours, {{0, 0, 1, 1, {2}}, {0, 0, 1, 1, {1}}});
    std::optional<PackedImage> still;
    ASSERT_EQ(DecodeGifStill(file, still), kImageOk);
    EXPECT_EQ(Letters(*still), "G");
    std::vector<PackedImage> first;
    ASSERT_EQ(DecodeGif(file, first, GifFrames::First), kImageOk);
    EXPECT_EQ(first.size(), 1u);
}

TEST(GifDecoder, AMissingTrailerAfterACompleteFrameIsTolerated) {
    auto file = MakeGif(1, 1, kColours, {{0, 0, 1, 1, {3}}});
    file.pop_back();
    std::vector<PackedImage> frames;
    ASSERT_EQ(DecodeGif(file, frames, GifFrames::All), kImageOk);
    EXPECT_EQ(Letters(frames[0]), "W");
}

// Sizes, placements and counts are refused while walking the blocks, before any
// pixel is decoded; damaged block chains are corrupt.
TEST(GifDecoder, RefusesWhatItCannotTakeBeforeDecoding) {
    const auto good = MakeGif(3, 1, kColours, {{0, 0, 3, 1, {1, 2, 3}}});
    auto withScreen = [&](int width, int height) {
        auto b = good;
        b[6] = std::uint8_t(width), b[7] = std::uint8_t(width >> 8), b[8] = std::uint8_t(height), b[9] = std::uint8_t(height >> 8);
        return b;
    };
    std::vector<std::uint8_t> unknownBlock = test::GifHeader(3, 1, kColours);
    unknownBlock.push_back(0x99);
    std::vector<GifFrame> tiny(1001, GifFrame{0, 0, 1, 1, {1}});
    const std::vector<std::uint8_t> thousandAndOne = MakeGif(1, 1, kColours, tiny);
    // 8192 x 8192 = 2^26 pixels a frame: a second frame passes the animation's pixels
    const std::vector<std::uint8_t> twoHugeFrames = MakeGif(8192, 8192, kColours, {{0, 0, 1, 1, {1}}, {0, 0, 1, 1, {2}}});
    struct Case {
        const char* what;
        std::vector<std::uint8_t> bytes;
        std::uint32_t code;
    } cases[] = {
        {"five bytes of signature", {'G', 'I', 'F', '8', '9'}, kImageNotRecognized},
        {"a PNG signature", {0x89, 'P', 'N', 'G', 13, 10, 26, 10}, kImageNotRecognized},
        {"cut in the screen descriptor", std::vector<std::uint8_t>(good.begin(), good.begin() + 9), kImageCorrupt},
        {"cut in the colour table", std::vector<std::uint8_t>(good.begin(), good.begin() + 20), kImageCorrupt},
        {"cut in the pixel data", std::vector<std::uint8_t>(good.begin(), good.end() - 4), kImageCorrupt},
        {"no frame at all", [&] { auto b = test::GifHeader(3, 1, kColours); b.push_back(0x3B); return b; }(), kImageCorrupt},
        {"an unknown block", unknownBlock, kImageCorrupt},
        {"a screen 0 pixels wide", withScreen(0, 1), kImageCorrupt},
        {"a frame past the right edge", withScreen(2, 1), kImageCorrupt},
        {"a screen 20000 pixels wide", withScreen(20000, 1), kImageTooLarge},
        {"1001 frames", thousandAndOne, kImageTooManyFrames},
        {"two frames of 8192 x 8192", twoHugeFrames, kImageTooLarge},
    };
    for (const Case& c : cases) {
        std::vector<PackedImage> frames;
        EXPECT_EQ(DecodeGif(c.bytes, frames, GifFrames::All), c.code) << c.what;
        EXPECT_TRUE(frames.empty()) << c.what;
    }
    std::vector<PackedImage> first;  // only the first of the 1001 is wanted: no limit passed
    EXPECT_EQ(DecodeGif(thousandAndOne, first, GifFrames::First), kImageOk);
}

}  // namespace
}  // namespace orb
