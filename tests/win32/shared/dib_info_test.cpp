// Pictures described to GDI, and the fixed palette handed to it.
#include <gtest/gtest.h>

#include <windows.h>

#include "common/imaging/fixed_palette.h"
#include "win32/shared/dib_info.h"

namespace orb {
namespace {

GXDrawingSurface Picture(int depth, int width, int height, int paletteEntries = -1) {
    GXDrawingSurface picture;
    picture.Create(depth, width, height);
    if (paletteEntries >= 0) picture.palette.resize(static_cast<std::size_t>(paletteEntries));
    return picture;
}

TEST(DescribeDib, HeaderAndPaletteOfPicturesGdiCanTake) {
    // Rows are padded to four bytes: 3 pixels take 4 bytes at 8 bits, 9 -> 12 at 24.
    struct Case {
        const char* name;
        GXDrawingSurface picture;
        WORD bits;
        DWORD imageBytes, coloursUsed;
    } cases[] = {
        {"8-bit, full palette", Picture(8, 3, 2), 8, 4 * 2, 256},
        {"8-bit, 5 colours", Picture(8, 3, 2, 5), 8, 4 * 2, 5},
        {"8-bit, too many colours", Picture(8, 3, 2, 300), 8, 4 * 2, 256},
        {"24-bit", Picture(24, 3, 2), 24, 12 * 2, 0},
    };
    for (Case& c : cases) {
        DibInfo info;
        ASSERT_TRUE(DescribeDib(c.picture, info)) << c.name;
        EXPECT_EQ(info.header.biSize, sizeof(BITMAPINFOHEADER)) << c.name;
        EXPECT_EQ(info.header.biWidth, 3) << c.name;
        EXPECT_EQ(info.header.biHeight, 2) << c.name;  // positive: rows bottom-up, as stored
        EXPECT_EQ(info.header.biPlanes, 1) << c.name;
        EXPECT_EQ(info.header.biBitCount, c.bits) << c.name;
        EXPECT_EQ(info.header.biCompression, static_cast<DWORD>(BI_RGB)) << c.name;
        EXPECT_EQ(info.header.biSizeImage, c.imageBytes) << c.name;
        EXPECT_EQ(info.header.biClrUsed, c.coloursUsed) << c.name;
    }
}

TEST(DescribeDib, PaletteColoursKeepTheirOrderWithReservedZero) {
    GXDrawingSurface picture = Picture(8, 1, 1, 2);
    picture.palette[0] = {10, 20, 30, 99};  // blue, green, red, reserved
    picture.palette[1] = {1, 2, 3, 4};
    DibInfo info;
    ASSERT_TRUE(DescribeDib(picture, info));
    const RGBQUAD expected[2] = {{10, 20, 30, 0}, {1, 2, 3, 0}};
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(info.colours[i].rgbBlue, expected[i].rgbBlue) << i;
        EXPECT_EQ(info.colours[i].rgbGreen, expected[i].rgbGreen) << i;
        EXPECT_EQ(info.colours[i].rgbRed, expected[i].rgbRed) << i;
        EXPECT_EQ(info.colours[i].rgbReserved, 0) << i;
    }
}

TEST(DescribeDib, RefusesWhatGdiWouldReadPast) {
    GXDrawingSurface shortPixels = Picture(24, 3, 2);
    shortPixels.pixels.resize(23);  // one byte short of 12 x 2
    struct Case {
        const char* name;
        GXDrawingSurface picture;
    } cases[] = {
        {"empty", GXDrawingSurface{}},
        {"16-bit", Picture(16, 3, 2)},
        {"4-bit", Picture(4, 3, 2)},
        {"pixels short of the rows", shortPixels},
    };
    for (Case& c : cases) {
        DibInfo info{};
        info.header.biWidth = 77;
        EXPECT_FALSE(DescribeDib(c.picture, info)) << c.name;
        EXPECT_EQ(info.header.biWidth, 77) << c.name << ": left alone";
    }
}

TEST(Dib24Header, BottomUpTwentyFourBitsOfTheSize) {
    const BITMAPINFOHEADER header = Dib24Header(640, 480);
    EXPECT_EQ(header.biSize, sizeof header);
    EXPECT_EQ(header.biWidth, 640);
    EXPECT_EQ(header.biHeight, 480);
    EXPECT_EQ(header.biPlanes, 1);
    EXPECT_EQ(header.biBitCount, 24);
    EXPECT_EQ(header.biCompression, static_cast<DWORD>(BI_RGB));
}

// The 256 fixed colours in order, each with the flags asked for: the saver marks
// them PC_NOCOLLAPSE so the system gives each an entry of its own.
TEST(FixedPalette, EveryEntryKeepsItsColourAndTheFlagsAskedFor) {
    for (BYTE flags : {BYTE(PC_NOCOLLAPSE), BYTE(0)}) {
        HPALETTE palette = CreateFixedPalette(flags);
        ASSERT_NE(palette, nullptr);
        PALETTEENTRY entries[256] = {};
        ASSERT_EQ(GetPaletteEntries(palette, 0, 256, entries), 256u);
        DeleteObject(palette);
        const auto& rgb = FixedPaletteRgb();
        int wrong = 0;
        for (int i = 0; i < 256; ++i)
            wrong += entries[i].peRed != rgb[i * 3] || entries[i].peGreen != rgb[i * 3 + 1] ||
                     entries[i].peBlue != rgb[i * 3 + 2] || entries[i].peFlags != flags;
        EXPECT_EQ(wrong, 0) << "flags " << int(flags);
    }
}

}  // namespace
}  // namespace orb
