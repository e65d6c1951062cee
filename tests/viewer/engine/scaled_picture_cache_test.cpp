// The scaled-picture cache must give exactly what scaling gives, reuse what it
// made, keep to its memory budget, and never pull a picture from under a sprite
// that shows it.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "viewer/engine/scaled_picture_cache.h"

namespace orb {
namespace {

// A 24-bit picture with a diagonal gradient, so a wrong scale shows.
GXDrawingSurface Gradient(int width, int height) {
    GXDrawingSurface picture;
    picture.Create(24, width, height);
    for (int y = 0; y < height; ++y) {
        auto row = picture.Row(y);
        for (int x = 0; x < width; ++x) {
            row[x * 3] = std::uint8_t(x * 7);
            row[x * 3 + 1] = std::uint8_t(y * 5);
            row[x * 3 + 2] = std::uint8_t(x + y);
        }
    }
    return picture;
}

std::vector<std::uint8_t> PixelsOf(const GXDrawingSurface& picture) {
    return {picture.Pixels().begin(), picture.Pixels().end()};
}

TEST(ScaledPictureCache, GivesWhatScalingGivesAndReusesIt) {
    const GXDrawingSurface source = Gradient(40, 30);
    NullReportSink reports;
    ScaledPictureCache cache(1u << 20);
    GXDrawingSurface expected = source;
    expected.Scale(17, 23, reports);

    const GXDrawingSurface& first = cache.Get(source, 17, 23, reports)->picture;
    EXPECT_EQ(first.Width(), 17);
    EXPECT_EQ(first.Height(), 23);
    EXPECT_EQ(PixelsOf(first), PixelsOf(expected));
    EXPECT_EQ(&cache.Get(source, 17, 23, reports)->picture, &first);
    EXPECT_EQ(cache.Count(), 1u);

    // Another size, another source: new entries; sizes below one pixel mean one.
    const GXDrawingSurface other = Gradient(8, 8);
    EXPECT_NE(&cache.Get(source, 23, 17, reports)->picture, &first);
    EXPECT_EQ(cache.Get(other, 0, -4, reports)->picture.Width(), 1);
    EXPECT_EQ(cache.Count(), 3u);
    cache.Clear();
    EXPECT_EQ(cache.Count(), 0u);
    EXPECT_EQ(cache.Bytes(), 0u);
}

TEST(ScaledPictureCache, KeepsToItsBudgetDroppingTheLeastRecentlyUsed) {
    const GXDrawingSurface source = Gradient(16, 16);
    NullReportSink reports;
    // 10 x 10 at 24 bits: rows padded to 32 bytes, 320 bytes a picture.
    ScaledPictureCache cache(3 * 320);
    const GXDrawingSurface* a = &cache.Get(source, 10, 10, reports)->picture;
    cache.Get(source, 10, 9, reports);
    cache.Get(source, 9, 10, reports);
    ASSERT_LE(cache.Bytes(), 3u * 320);
    EXPECT_EQ(&cache.Get(source, 10, 10, reports)->picture, a);  // now the most recent
    cache.Get(source, 8, 8, reports);                        // pushes out 10 x 9
    EXPECT_LE(cache.Bytes(), 3u * 320);
    EXPECT_EQ(&cache.Get(source, 10, 10, reports)->picture, a);

    // A picture larger than the whole budget is still given, alone.
    EXPECT_EQ(cache.Get(source, 100, 100, reports)->picture.Width(), 100);
    EXPECT_EQ(cache.Count(), 1u);
}

// A sprite keeps the picture it was handed after the cache has let it go, or has
// been cleared, and its pixels stay as they were.
TEST(ScaledPictureCache, APictureInUseOutlivesItsEntry) {
    const GXDrawingSurface source = Gradient(16, 16);
    NullReportSink reports;
    ScaledPictureCache cache(320);  // room for one 10 x 10 picture
    const std::shared_ptr<const SpritePicture> shown = cache.Get(source, 10, 10, reports);
    const std::vector<std::uint8_t> pixels = PixelsOf(shown->picture);
    cache.Get(source, 10, 9, reports);  // evicts 10 x 10
    EXPECT_EQ(cache.Count(), 1u);
    EXPECT_EQ(cache.Bytes(), 9u * 32);  // 10 x 9: nine rows of 32 bytes; the one still shown is not counted
    cache.Clear();
    EXPECT_EQ(shown->picture.Width(), 10);
    EXPECT_EQ(PixelsOf(shown->picture), pixels);
    // Asked again, the cache makes a new picture with the same pixels.
    const auto again = cache.Get(source, 10, 10, reports);
    EXPECT_NE(again.get(), shown.get());
    EXPECT_EQ(PixelsOf(again->picture), pixels);
}

// An 8 x 8 picture, white but for the block of columns and rows 2 to 5, halved:
// the accumulator rule keeps inputs 1, 3, 5 and 7 of each axis, so the colour
// lands on outputs 1 and 2, and the bounds say so once the cache has made it.
TEST(ScaledPictureCache, FindsTheOpaqueBoundsOfWhatItMakes) {
    GXDrawingSurface source;
    source.Create(24, 8, 8);
    source.Fill(255, 255, 255);
    for (int y = 2; y <= 5; ++y)
        for (int x = 2; x <= 5; ++x) source.Row(y)[x * 3 + 1] = 90;
    NullReportSink reports;
    ScaledPictureCache cache(1u << 20);
    EXPECT_EQ(cache.Get(source, 4, 4, reports)->opaque, (OpaqueBounds{1, 1, 2, 2}));
    EXPECT_EQ(cache.Get(source, 4, 4, reports)->opaque, (OpaqueBounds{1, 1, 2, 2}));  // kept with it
    // Not halved, the block spans 2 to 5.
    EXPECT_EQ(cache.Get(source, 8, 8, reports)->opaque, (OpaqueBounds{2, 2, 5, 5}));
}

}  // namespace
}  // namespace orb
