#include "viewer/host/png_file.h"

#include <gtest/gtest.h>

#include <filesystem>

#include <stb/stb_image.h>

namespace orb::host {
namespace {

RgbImage Solid(int w, int h, std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    RgbImage image{w, h, {}};
    for (int i = 0; i < w * h; ++i) image.rgb.insert(image.rgb.end(), {r, g, b});
    return image;
}

TEST(PngFile, WrittenPixelsReadBackUnchanged) {
    RgbImage image = Solid(5, 3, 10, 20, 30);
    image.rgb[(1 * 5 + 4) * 3] = 250;  // pixel (4, 1) red
    const std::string path = (std::filesystem::temp_directory_path() / "orb_png_test.png").string();
    ASSERT_TRUE(WritePng(path, image));
    int w = 0, h = 0, n = 0;
    unsigned char* back = stbi_load(path.c_str(), &w, &h, &n, 3);
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(w, 5);
    EXPECT_EQ(h, 3);
    EXPECT_TRUE(std::equal(image.rgb.begin(), image.rgb.end(), back));
    stbi_image_free(back);
    std::filesystem::remove(path);
}

TEST(PngFile, RefusesInconsistentImages) {
    RgbImage image = Solid(4, 4, 0, 0, 0);
    image.rgb.pop_back();
    EXPECT_FALSE(WritePng("/tmp/never.png", image));
    EXPECT_FALSE(WritePng("/tmp/never.png", RgbImage{}));
    EXPECT_FALSE(WritePng("/no/such/folder/x.png", Solid(1, 1, 0, 0, 0)));
}

TEST(ContactSheet, GridOfScaledThumbnails) {
    // Three 8 x 4 frames at 4 pixels wide in two columns: thumbnails 4 x 2,
    // sheet 4 + 2 x (4 + 4) = 20 wide and 4 + 2 x (2 + 4) = 16 high.
    std::vector<RgbImage> frames{Solid(8, 4, 255, 0, 0), Solid(8, 4, 0, 255, 0), Solid(8, 4, 0, 0, 255)};
    frames[0].rgb[0] = 7;  // the top-left source pixel lands on the thumbnail's top-left
    const RgbImage sheet = ContactSheet(frames, 2, 4);
    ASSERT_EQ(sheet.width, 20);
    ASSERT_EQ(sheet.height, 16);
    auto at = [&](int x, int y) { return &sheet.rgb[(static_cast<std::size_t>(y) * sheet.width + x) * 3]; };
    EXPECT_EQ(at(4, 4)[0], 7);
    EXPECT_EQ(at(5, 4)[0], 255);
    EXPECT_EQ(at(12, 4)[1], 255);   // second column
    EXPECT_EQ(at(4, 10)[2], 255);   // second row
    EXPECT_EQ(at(12, 10)[0], 32);   // empty cell keeps the gap colour
    EXPECT_EQ(at(0, 0)[0], 32);
}

TEST(ContactSheet, NothingToShow) {
    EXPECT_EQ(ContactSheet({}, 4, 64).width, 0);
}

}  // namespace
}  // namespace orb::host
