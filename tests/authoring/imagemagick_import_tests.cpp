// Our decoders against pictures that ImageMagick wrote from known pixels.
#include <gtest/gtest.h>

#include <cstdlib>

#include "authoring/import/bmp_import.h"
#include "authoring/import/image_codes.h"
#include "authoring/import/image_file.h"
#include "test_files.h"

namespace orb {
namespace {

using test::Rgb;

// 32 x 16 in eight 8 x 8 blocks of distinct colours, so JPEG block centres stay close.
const Rgb kBlocks[8] = {{255, 0, 0}, {0, 160, 0}, {0, 0, 255}, {200, 100, 50},
                        {255, 255, 255}, {0, 0, 0}, {10, 20, 30}, {250, 250, 250}};
Rgb Expected(int x, int y) { return kBlocks[(y / 8) * 4 + x / 8]; }

std::filesystem::path MakeSource(const std::filesystem::path& dir) {
    std::vector<Rgb> pixels;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 32; ++x) pixels.push_back(Expected(x, y));
    auto path = dir / "source.ppm";
    test::WritePpm(path, 32, 16, pixels);
    return path;
}

void ExpectBlocks(const PackedImage& image, int tolerance, const std::string& what) {
    ASSERT_EQ(image.Width(), 32) << what;
    ASSERT_EQ(image.Height(), 16) << what;
    ASSERT_EQ(image.BitCount(), 24) << what;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 32; ++x) {
            if (tolerance > 0 && (x % 8 == 0 || x % 8 == 7 || y % 8 == 0 || y % 8 == 7)) continue;
            const std::uint8_t* p = image.Pixel24(x, y);
            Rgb want = Expected(x, y);
            ASSERT_LE(std::abs(p[2] - want.r), tolerance) << what << " at " << x << "," << y;
            ASSERT_LE(std::abs(p[1] - want.g), tolerance) << what << " at " << x << "," << y;
            ASSERT_LE(std::abs(p[0] - want.b), tolerance) << what << " at " << x << "," << y;
        }
}

TEST(ImageMagickPictures, JpegPngTargaAndPcxDecodeToTheSourcePixels) {
    auto dir = test::ScratchFolder();
    auto source = MakeSource(dir).string();
    struct Case {
        std::string options, name;
        int tolerance;
    } cases[] = {
        {"", "plain.png", 0},
        {"-type Palette", "palette.png", 0},
        // This ImageMagick writes top rows first whatever origin it declares unless told.
        {"-define tga:image-origin=TopLeft", "plain.tga", 0},
        {"-define tga:image-origin=TopLeft -compress RLE", "rle.tga", 0},
        {"-type truecolor", "true.pcx", 0},
        {"-type Palette", "palette.pcx", 0},
        {"-quality 95", "photo.jpg", 12},
        {"-quality 95 -interlace JPEG", "progressive.JPG", 12},
    };
    for (const Case& c : cases) {
        auto target = (dir / c.name).string();
        ASSERT_TRUE(test::Convert(source + " " + c.options + " " + target)) << c.name;
        std::optional<PackedImage> image;
        std::uint32_t code = 99;
        ASSERT_EQ(ReadImageFile(target, image, &code), 1) << c.name << " code " << code;
        ExpectBlocks(*image, c.tolerance, c.name);
    }
}

TEST(ImageMagickPictures, TransparentPngPixelsBecomeWhite) {
    auto dir = test::ScratchFolder();
    auto target = (dir / "alpha.png").string();
    ASSERT_TRUE(test::Convert("-size 4x2 xc:none -fill '#102030' -draw 'point 1,0' " + target));
    std::optional<PackedImage> image;
    ASSERT_EQ(ReadImageFile(target, image), 1);
    const std::uint8_t* opaque = image->Pixel24(1, 0);
    const std::uint8_t* clear = image->Pixel24(0, 0);
    EXPECT_EQ((std::vector<int>{opaque[0], opaque[1], opaque[2]}), (std::vector<int>{0x30, 0x20, 0x10}));
    EXPECT_EQ((std::vector<int>{clear[0], clear[1], clear[2]}), (std::vector<int>{255, 255, 255}));
}

TEST(ImageMagickPictures, BitmapsOfEveryKindImportAsTheSourcePixels) {
    auto dir = test::ScratchFolder();
    auto source = MakeSource(dir).string();
    struct Case {
        std::string options, name;
    } cases[] = {
        {"", "BMP3:" + (dir / "v3.bmp").string()},
        {"", (dir / "v5.bmp").string()},
        {"-alpha on", (dir / "alpha32.bmp").string()},
        {"-type Palette -compress RLE", "BMP3:" + (dir / "rle8.bmp").string()},
        {"-type Palette", "BMP3:" + (dir / "pal8.bmp").string()},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(test::Convert(source + " " + c.options + " " + c.name)) << c.name;
        std::string path = c.name.rfind("BMP3:", 0) == 0 ? c.name.substr(5) : c.name;
        std::optional<PackedImage> image;
        BmpImport result = DecodeBmpLeniently(test::FileBytes(path), image);
        ASSERT_EQ(result.code, kImageOk) << c.name << ": " << result.problem;
        EXPECT_FALSE(result.incomplete) << c.name;
        ExpectBlocks(*image, 0, c.name);
    }
}

TEST(ImageMagickPictures, SixteenBitBitmapKeepsFiveBitsPerChannel) {
    auto dir = test::ScratchFolder();
    auto source = MakeSource(dir).string();
    auto target = (dir / "rgb565.bmp").string();
    ASSERT_TRUE(test::Convert(source + " -define bmp:subtype=RGB565 " + target));
    std::optional<PackedImage> image;
    ASSERT_EQ(DecodeBmpLeniently(test::FileBytes(target), image).code, kImageOk);
    ExpectBlocks(*image, 8, "rgb565");
}

}  // namespace
}  // namespace orb
