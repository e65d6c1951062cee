// What imports do to decoded pictures: opacity shown over white or turned into the
// key, photos scaled down by block averages, sprite sheets cut into cells; values
// worked out by hand.
#include <gtest/gtest.h>

#include "authoring/import/picture_alpha.h"
#include "authoring/import/picture_shrink.h"
#include "authoring/import/sprite_sheet.h"
#include "common/imaging/picture_size.h"

namespace orb {
namespace {

struct Bgr {
    int b, g, r;
    bool operator==(const Bgr&) const = default;
};
std::ostream& operator<<(std::ostream& os, const Bgr& c) { return os << "(b" << c.b << " g" << c.g << " r" << c.r << ")"; }

Bgr At(const PackedImage& image, int x, int y) {
    const std::uint8_t* p = image.Pixel24(x, y);
    return {p[0], p[1], p[2]};
}
void Set(PackedImage& image, int x, int y, Bgr c) {
    std::uint8_t* p = image.Pixel24(x, y);
    p[0] = std::uint8_t(c.b), p[1] = std::uint8_t(c.g), p[2] = std::uint8_t(c.r);
}

// One row of pixels with their opacities.
PackedImage Row(const std::vector<std::pair<Bgr, int>>& pixels) {
    PackedImage image = *MakePackedImage24(int(pixels.size()), 1);
    for (std::size_t x = 0; x < pixels.size(); ++x) {
        Set(image, int(x), 0, pixels[x].first);
        image.alpha.push_back(std::uint8_t(pixels[x].second));
    }
    return image;
}

TEST(PictureOpacity, HalfOpacityIsTheLineBetweenShownAndTransparent) {
    EXPECT_FALSE(HasTransparentPixels(Row({{{1, 2, 3}, 255}, {{1, 2, 3}, 128}})));
    EXPECT_TRUE(HasTransparentPixels(Row({{{1, 2, 3}, 255}, {{1, 2, 3}, 127}})));
    PackedImage opaque = *MakePackedImage24(2, 2);
    EXPECT_FALSE(HasTransparentPixels(opaque));  // no opacity plane
}

TEST(PictureOpacity, FlattenedOverWhite) {
    // alpha 128: (c x 128 + 255 x 127 + 127) / 255, so 48 -> 151, 32 -> 143, 16 -> 135
    PackedImage image = Row({{{48, 32, 16}, 128}, {{48, 32, 16}, 0}, {{48, 32, 16}, 255}});
    FlattenOverWhite(image);
    EXPECT_TRUE(image.alpha.empty());
    EXPECT_EQ(At(image, 0, 0), (Bgr{151, 143, 135}));
    EXPECT_EQ(At(image, 1, 0), (Bgr{255, 255, 255}));
    EXPECT_EQ(At(image, 2, 0), (Bgr{48, 32, 16}));
}

TEST(PictureOpacity, TransparentPixelsTakeTheKeyAndOpaqueOnesStayClearOfIt) {
    // The key is white with tolerance 1: channels 254..255 in all three are keyed.
    // A keyed opaque pixel has the channel needing the smallest step set to 253
    // (blue first when steps tie).
    struct Case {
        Bgr before;
        int alpha;
        Bgr after;
    } cases[] = {
        {{10, 20, 30}, 0, {255, 255, 255}},     // transparent: the key colour
        {{10, 20, 30}, 127, {255, 255, 255}},   // below half: transparent
        {{10, 20, 30}, 128, {10, 20, 30}},      // half: shown as it is
        {{255, 255, 255}, 255, {253, 255, 255}},  // white: all steps 2, blue moves
        {{255, 254, 255}, 255, {255, 253, 255}},  // green needs 1 step, the others 2
        {{254, 254, 254}, 255, {253, 254, 254}},  // all need 1: blue moves
        {{253, 255, 255}, 255, {253, 255, 255}},  // already outside in blue
        {{255, 255, 200}, 255, {255, 255, 200}},
    };
    for (const Case& c : cases) {
        PackedImage image = Row({{c.before, c.alpha}});
        KeyByOpacity(image);
        EXPECT_EQ(At(image, 0, 0), c.after) << c.before << " alpha " << c.alpha;
        EXPECT_TRUE(image.alpha.empty());
    }
    EXPECT_EQ(kOpacityKey, (ColourKey{255, 255, 255, 1}));
}

TEST(PictureSize, LongerSideBroughtWithinTheLimit) {
    struct Case {
        PictureSize size;
        int largest;
        PictureSize within;
    } cases[] = {
        {{6000, 4000}, 1024, {1024, 683}},  // 4000 x 1024 / 6000 = 682.7
        {{4000, 6000}, 1024, {683, 1024}},
        {{1024, 1024}, 1024, {1024, 1024}},
        {{10, 10000}, 1024, {1, 1024}},  // 1.02
        {{3, 2}, 2, {2, 1}},             // 1.33
        {{5, 3}, 4, {4, 2}},             // 2.4
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SizeWithin(c.size, c.largest), c.within) << c.size.width << "x" << c.size.height;
    }
}

TEST(PictureShrink, EachPixelIsItsBlocksAverageWeightedByOpacity) {
    // 4 x 2 down to 2 x 1: each new pixel covers a 2 x 2 block.
    PackedImage image = *MakePackedImage24(4, 2);
    const int blues[2][4] = {{0, 100, 40, 80}, {0, 60, 200, 0}};
    const int alphas[2][4] = {{255, 255, 255, 255}, {255, 255, 0, 0}};
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 4; ++x) {
            Set(image, x, y, {blues[y][x], 7, 9});
            image.alpha.push_back(std::uint8_t(alphas[y][x]));
        }
    ASSERT_TRUE(ShrinkToFit(image, 2));
    ASSERT_EQ(image.Width(), 2);
    ASSERT_EQ(image.Height(), 1);
    // left block, all opaque: (0 + 100 + 0 + 60) / 4 = 40
    EXPECT_EQ(At(image, 0, 0), (Bgr{40, 7, 9}));
    EXPECT_EQ(image.Alpha(0, 0), 255);
    // right block: the transparent 200 lends nothing: (40 + 80) / 2 = 60; opacity (255 + 255) / 4 = 127.5 -> 128
    EXPECT_EQ(At(image, 1, 0), (Bgr{60, 7, 9}));
    EXPECT_EQ(image.Alpha(1, 0), 128);
    EXPECT_FALSE(ShrinkToFit(image, 2));  // fits already
}

TEST(SpriteSheet, CellsLeftToRightThenTopToBottom) {
    // 7 x 4 in 3 x 2 cells of 2 x 2; column 6 belongs to no cell. Pixel (x, y) has
    // blue 10x, green 10y and opacity x + 7y.
    PackedImage sheet = *MakePackedImage24(7, 4);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 7; ++x) {
            Set(sheet, x, y, {10 * x, 10 * y, 0});
            sheet.alpha.push_back(std::uint8_t(x + 7 * y));
        }
    std::vector<PackedImage> cells = CutIntoCells(sheet, 3, 2, 5);
    ASSERT_EQ(cells.size(), 5u);
    // cell i starts at ((i % 3) x 2, (i / 3) x 2)
    const int lefts[] = {0, 2, 4, 0, 2}, tops[] = {0, 0, 0, 2, 2};
    for (int i = 0; i < 5; ++i) {
        ASSERT_EQ(cells[i].Width(), 2);
        ASSERT_EQ(cells[i].Height(), 2);
        EXPECT_EQ(At(cells[i], 1, 1), (Bgr{10 * (lefts[i] + 1), 10 * (tops[i] + 1), 0})) << "cell " << i;
        EXPECT_EQ(cells[i].Alpha(1, 0), lefts[i] + 1 + 7 * tops[i]) << "cell " << i;
    }
    EXPECT_TRUE(CutIntoCells(sheet, 8, 1, 1).empty());  // a cell 0 pixels wide
    EXPECT_TRUE(CutIntoCells(sheet, 3, 2, 7).empty());  // more cells than the grid has
    EXPECT_TRUE(CutIntoCells(sheet, 3, 2, 0).empty());
    EXPECT_TRUE(CutIntoCells(*MakePackedImage24(4, 2), 2, 1, 2)[1].alpha.empty());  // no plane, none given
}

}  // namespace
}  // namespace orb
