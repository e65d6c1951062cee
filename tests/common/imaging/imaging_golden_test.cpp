// Worked values for the fixed palette, rotation by the 16.16 formula and 2-bit
// pictures.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "common/imaging/fixed_palette.h"
#include "tests/common/imaging/test_pictures.h"

namespace orb {
namespace {

// The whole table, 16 entries a row, as red, green, blue in hexadecimal.
const char* const kPaletteRows[16] = {
        "000000 800000 008000 808000 000080 800080 008080 C0C0C0 C0DCC0 A4C8F0 101010 181818 202020 282828 383838 404040",  // 0-15
        "484848 505050 606060 686868 707070 989898 A0A0A0 B0B0B0 B8B8B8 C8C8C8 D8D8D8 E0E0E0 E8E8E8 F0F0F0 C00000 180808",  // 16-31
        "280808 400C0C 501010 681818 801818 981C1C A02020 B82424 C82828 E02C2C F03030 FF4040 FF5050 FF6060 FF7070 FF8080",  // 32-47
        "FF9898 FFA0A0 FFB0B0 FFC0C0 FFD0D0 FFE0E0 FFF0F0 00C000 081808 082808 0C400C 105010 186818 188018 1C981C 20A020",  // 48-63
        "24B824 28C828 2CE02C 30F030 40FF40 50FF50 60FF60 70FF70 80FF80 98FF98 A0FFA0 B0FFB0 C0FFC0 D0FFD0 E0FFE0 F0FFF0",  // 64-79
        "0000C0 080818 080828 0C0C40 101050 181868 181880 1C1C98 2020A0 2424B8 2828C8 2C2CE0 3030F0 4040FF 5050FF 6060FF",  // 80-95
        "7070FF 8080FF 9898FF A0A0FF B0B0FF C0C0FF D0D0FF E0E0FF F0F0FF 081818 E0FFFF C0C000 282808 40400C 505010 686818",  // 96-111
        "808018 98981C A0A020 B8B824 C8C828 E0E02C F0F030 FFFF40 FFFF50 FFFF60 FFFF70 FFFF98 FFFFA0 FFFFB0 FFFFC0 FFFFD0",  // 112-127
        "FFFFF0 C000C0 180818 280828 400C40 501050 681868 801880 981C98 A020A0 B824B8 C828C8 E02CE0 F030F0 FF40FF FF50FF",  // 128-143
        "FF60FF FF70FF FF80FF FFA0FF FFB0FF FFC0FF FFE0FF FFF0FF 00C0C0 082828 0C4040 105050 186868 188080 1C9898 20A0A0",  // 144-159
        "24B8B8 28C8C8 2CE0E0 30F0F0 40FFFF 50FFFF 60FFFF 70FFFF 80FFFF 98FFFF A0FFFF B0FFFF C0FFFF F0FFFF 081018 081828",  // 160-175
        "0C2040 102850 183868 184080 1C4898 2050A0 2460B8 2868C8 2C70E0 3080F0 FF98FF 4088F8 5098F3 6098F4 FFD0FF 70A0F8",  // 176-191
        "80B0F8 98B8F7 A0BEF8 B0C8F9 D0FFFF C0D8FF D0E0FF E0E8FF 101828 182440 203050 284068 304880 385498 4060A0 486CB8",  // 192-207
        "5080C8 5C84D9 6898E0 749CDF 80A8E3 98B8E8 98C0E9 A4CCF0 B0D8EF BCE4F8 C8F0F8 D4F8F8 E0F4FF F0F8FF 805050 886060",  // 208-223
        "986868 987070 A08080 B08888 BE9898 C89898 D8A0A0 E0B0B0 E8B8B8 508050 608860 689868 709870 80A080 88B088 98BE98",  // 224-239
        "98C898 A0D8A0 FFFF80 B0E0B0 B8E8B8 F08000 FFFBF0 A0A0A4 808080 FF0000 00FF00 FFFF00 0000FF FF00FF 00FFFF FFFFFF",  // 240-255
};

TEST(PaletteGolden, EveryEntryOfBothPrograms) {
    const auto& viewer = FixedPalette(Program::Viewer);
    const auto& authoring = FixedPalette(Program::Authoring);
    for (int row = 0; row < 16; ++row) {
        std::istringstream colours(kPaletteRows[row]);
        for (int column = 0; column < 16; ++column) {
            const int index = 16 * row + column;
            std::string hex;
            ASSERT_TRUE(colours >> hex);
            const unsigned long rgb = std::stoul(hex, nullptr, 16);
            const PaletteEntry expected{static_cast<std::uint8_t>(rgb & 0xFF),
                                        static_cast<std::uint8_t>((rgb >> 8) & 0xFF),
                                        static_cast<std::uint8_t>(rgb >> 16), 0};
            EXPECT_EQ(viewer[index], expected) << "entry " << index;
            if (index != 255) {
                EXPECT_EQ(authoring[index], expected) << "entry " << index;
            }
        }
    }
    // The authoring program's entry 255 is red 0x12, green 0x34, blue 0x56.
    EXPECT_EQ(authoring[255], (PaletteEntry{0x56, 0x34, 0x12, 0}));
}

// A 6 x 4 8-bit picture numbered 1..24 (storage row r, column x: 6r + x + 1) turns
// on a canvas of 2 x floor(sqrt(floor((36 + 16) / 4))) = 6, pasted at (0, 1).
// h = 3; destination (i, j) takes canvas (x, y) with
//   x = h + (((i - h) c - (j - h) s + 0x8000) >> 16),
//   y = h + (((i - h) s + (j - h) c + 0x8000) >> 16),
// 255 where that falls off the canvas (and on the canvas's empty rows 0 and 5).
// 30 degrees: c = trunc(cos(30 x 0.0174532925) x 65536) = 56755, s = 32767. For
// example (0, 2): x = 3 + ((-170265 + 32767 + 32768) >> 16) = 3 + (-104730 >> 16)
// = 1 and y = 3 + ((-98301 - 56755 + 32768) >> 16) = 3 - 2 = 1: canvas row 1 is
// picture row 0, so the value is 2.
// 200 degrees: c = -61583, s = -22414.
TEST(RotateGolden, ArbitraryAnglesByTheFixedPointFormula) {
    struct Case {
        int angle;
        int cosine, sine;
        std::uint8_t rows[6][6];  // storage rows 0..5
    };
    const Case cases[] = {
        {30, 56755, 32767,
         {{255, 255, 255, 255, 6, 255},
          {255, 255, 4, 5, 12, 255},
          {2, 3, 10, 10, 17, 18},
          {7, 8, 15, 16, 17, 24},
          {7, 14, 15, 22, 22, 255},
          {255, 19, 20, 255, 255, 255}}},
        {200, -61583, -22414,
         {{255, 255, 255, 255, 255, 255},
          {255, 255, 255, 255, 255, 19},
          {255, 255, 23, 22, 21, 14},
          {255, 24, 17, 16, 15, 8},
          {255, 18, 11, 10, 9, 2},
          {255, 255, 6, 5, 4, 255}}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FixedCos(c.angle), c.cosine);
        EXPECT_EQ(FixedSin(c.angle), c.sine);
        GXDrawingSurface s = test::Numbered8(6, 4);
        s.Rotate(c.angle, Program::Viewer);
        ASSERT_EQ(s.Width(), 6);
        ASSERT_EQ(s.Height(), 6);
        for (int row = 0; row < 6; ++row)
            for (int x = 0; x < 6; ++x)
                EXPECT_EQ(s.Row(row)[x], c.rows[row][x])
                    << c.angle << " degrees, column " << x << ", row " << row;
    }
}

// The same 30-degree turn on a 24-bit picture moves whole pixels: destination
// (0, 2) shows picture pixel (1, 0) and (5, 3) pixel (5, 3), as the table above.
TEST(RotateGolden, TwentyFourBitPicturesMoveWholePixels) {
    const GXDrawingSurface original = test::Numbered24(6, 4);
    GXDrawingSurface s = original;
    s.Rotate(30, Program::Viewer);
    EXPECT_EQ(test::PixelAt(s, 0, 2), test::PixelAt(original, 1, 0));  // value 2
    EXPECT_EQ(test::PixelAt(s, 5, 3), test::PixelAt(original, 5, 3));  // value 24
    EXPECT_EQ(test::PixelAt(s, 0, 0), (test::Bgr{255, 255, 255}));
}

// 2 bits a pixel: 16 pixels a 32-bit word, so 33 pixels take 3 words (12 bytes)
// and 5 pixels one word. Pixels unpack from the most significant bits first.
TEST(TwoBitGolden, StrideAndUnpacking) {
    EXPECT_EQ(StrideFor(2, 1), 4u);
    EXPECT_EQ(StrideFor(2, 16), 4u);
    EXPECT_EQ(StrideFor(2, 17), 8u);
    EXPECT_EQ(StrideFor(2, 33), 12u);

    // A packed 5 x 2 picture: 40-byte header, 4 palette entries, 2 rows of 4 bytes.
    // Storage row 0 holds indices 0 1 2 3 0 (bytes 0x1B 0x00), row 1 3 3 2 1 1
    // (bytes 0xF9 0x40).
    std::vector<std::uint8_t> block(40 + 16 + 8, 0);
    block[0] = 40;
    block[4] = 5;
    block[8] = 2;
    block[12] = 1;
    block[14] = 2;
    const std::uint8_t palette[16] = {0, 0, 0, 0,  255, 0, 0, 0,  0, 255, 0, 0,  0, 0, 255, 0};
    std::copy(palette, palette + 16, block.begin() + 40);
    const std::uint8_t pixels[8] = {0x1B, 0x00, 0, 0, 0xF9, 0x40, 0, 0};
    std::copy(pixels, pixels + 8, block.begin() + 56);

    GXDrawingSurface s;
    ASSERT_TRUE(s.FromPackedDib(block, "two.bmp"));
    EXPECT_EQ(s.Depth(), 2);
    EXPECT_EQ(s.Stride(), 4u);
    EXPECT_EQ(s.infoHeader.imageSize, 8u);
    ReportLog log;
    ASSERT_TRUE(s.ConvertTo24(Program::Authoring, log));
    EXPECT_TRUE(log.reports.empty());
    const test::Bgr black{0, 0, 0}, blue{255, 0, 0}, green{0, 255, 0}, red{0, 0, 255};
    const test::Bgr expected[2][5] = {{black, blue, green, red, black},
                                      {red, red, green, blue, blue}};
    for (int row = 0; row < 2; ++row)
        for (int x = 0; x < 5; ++x)
            EXPECT_EQ(test::PixelAt(s, x, row), expected[row][x]) << x << "," << row;
}

}  // namespace
}  // namespace orb
