#include "common/imaging/fixed_palette.h"

#include <gtest/gtest.h>

#include "tests/common/imaging/test_pictures.h"

namespace orb {
namespace {

std::uint32_t Rgb(int i) {
    const auto& t = FixedPaletteRgb();
    return std::uint32_t(t[3 * i]) << 16 | std::uint32_t(t[3 * i + 1]) << 8 | t[3 * i + 2];
}

TEST(FixedPalette, HoldsTheReservedColoursAndRamps) {
    EXPECT_EQ(Rgb(0), 0x000000u);
    EXPECT_EQ(Rgb(7), 0xC0C0C0u);
    EXPECT_EQ(Rgb(8), 0xC0DCC0u);
    EXPECT_EQ(Rgb(9), 0xA4C8F0u);
    EXPECT_EQ(Rgb(30), 0xC00000u);
    EXPECT_EQ(Rgb(128), 0xFFFFF0u);
    EXPECT_EQ(Rgb(187), 0x4088F8u);
    const std::uint32_t last[] = {0xFFFBF0, 0xA0A0A4, 0x808080, 0xFF0000, 0x00FF00,
                                  0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};
    for (int i = 0; i < 10; ++i) EXPECT_EQ(Rgb(246 + i), last[i]) << "entry " << 246 + i;
}

TEST(FixedPalette, ExpandsToBgrEntriesWithEachProgramsEntry255) {
    const auto& viewer = FixedPalette(Program::Viewer);
    EXPECT_EQ(viewer[9], (PaletteEntry{0xF0, 0xC8, 0xA4, 0}));
    EXPECT_EQ(viewer[255], (PaletteEntry{0xFF, 0xFF, 0xFF, 0}));
    const auto& authoring = FixedPalette(Program::Authoring);
    EXPECT_EQ(authoring[255], (PaletteEntry{0x56, 0x34, 0x12, 0}));
    EXPECT_EQ(authoring[254], viewer[254]);
}

TEST(NearestPaletteIndex, LowestIndexWinsTiesAndNeverGives255) {
    // 128 FFFFF0, 151 FFF0FF and 173 F0FFFF are all 225 away from white.
    EXPECT_EQ(NearestPaletteIndex(MakeColour(255, 255, 255)), 128);
    EXPECT_EQ(NearestPaletteIndex(MakeColour(0x80, 0x80, 0x80)), 248);
    EXPECT_EQ(NearestPaletteIndex(MakeColour(0xFF, 0, 0)), 249);
    EXPECT_EQ(NearestPaletteIndex(MakeColour(1, 0, 1)), 0);
}

TEST(NearestPaletteIndex, AuthoringSearchCoversAll256Entries) {
    const auto& viewer = FixedPalette(Program::Viewer);
    EXPECT_EQ(NearestPaletteIndexAllEntries(MakeColour(255, 255, 255), viewer), 255);
    const auto& authoring = FixedPalette(Program::Authoring);
    EXPECT_EQ(NearestPaletteIndexAllEntries(MakeColour(0x12, 0x34, 0x56), authoring), 255);
}

GXDrawingSurface Grey24(std::initializer_list<std::initializer_list<int>> rows) {
    GXDrawingSurface s;
    s.Create(24, static_cast<int>(rows.begin()->size()), static_cast<int>(rows.size()));
    int row = 0;
    for (auto values : rows) {
        int x = 0;
        for (int v : values) test::SetPixel(s, x++, row, {std::uint8_t(v), std::uint8_t(v), std::uint8_t(v)});
        ++row;
    }
    return s;
}

std::vector<int> Dithered(const GXDrawingSurface& source) {
    GXDrawingSurface target;
    target.Create(8, source.Width(), source.Height());
    const auto& fixed = FixedPalette(Program::Viewer);
    target.palette.assign(fixed.begin(), fixed.end());
    DitherTo8(source, target);
    std::vector<int> out;
    for (int row = 0; row < target.Height(); ++row)
        for (int x = 0; x < target.Width(); ++x) out.push_back(target.Row(row)[x]);
    return out;
}

TEST(DitherTo8, UniformGreyNeedsNoError) {
    GXDrawingSurface grey = Grey24({{0x80, 0x80, 0x80}, {0x80, 0x80, 0x80}, {0x80, 0x80, 0x80}});
    for (int index : Dithered(grey)) EXPECT_EQ(index, 248);
}

TEST(DitherTo8, CarriesErrorToTheRightAndBreaksTiesTowardsTheLastEntry) {
    // 28 lies between 0x18 (entry 11) and 0x20 (entry 12), 4 from each: the last wins,
    // leaving an error of -4, of which d = -4 - 0 - 0 - (-1) = -3 goes right.
    // 38 - 3 = 35 is nearer 0x20 than 0x28, so it also becomes 12 (13 undithered).
    EXPECT_EQ(Dithered(Grey24({{28, 38}})), (std::vector<int>{12, 12}));
    EXPECT_EQ(Dithered(Grey24({{38}})), (std::vector<int>{13}));
}

TEST(DitherTo8, PushesErrorDownToTheNextStorageRow) {
    // Row 0: 20 is 4 from 16 (entry 10) and 24 (entry 11): 11 wins, error -4;
    // c = (-4 * 5 + 6) / 12 = -1 goes straight below, d = -3 to the right, so
    // pixel 1 (36) becomes 33 -> 0x20 (entry 12), error 1: b = (1*2+5)/10 = 0,
    // c = (1*5+6)/12 = 0. Row 1 pixel 0: 21 - 1 = 20 -> key of 20 is cached: 11.
    // Pixel 1 of row 1: 44 - 3 (carry) + 0 = 41 -> 0x28 (entry 13).
    EXPECT_EQ(Dithered(Grey24({{20, 36}, {21, 44}})), (std::vector<int>{11, 12, 11, 13}));
}

TEST(DitherTo8, ColoursSharingACacheKeyShareTheFirstAnswer) {
    // 17 alone becomes 10; after 20 it shares 20's key (both >> 3 give 2) and is
    // answered from the cache as 11.
    EXPECT_EQ(Dithered(Grey24({{17}})), (std::vector<int>{10}));
    // 20 -> 11 (error -4, -3 carried); the next 20 - 3 = 17 shares 20's key.
    EXPECT_EQ(Dithered(Grey24({{20, 20}})), (std::vector<int>{11, 11}));
}

}  // namespace
}  // namespace orb
