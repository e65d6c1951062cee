// Pictures exchanged with ImageMagick's BMP coder, natively only: it is not part of
// the Windows test environment.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "common/imaging/bmp.h"
#include "common/io/file_io.h"
#include "tests/common/imaging/test_pictures.h"

namespace orb {
namespace {

namespace fs = std::filesystem;
using test::Bgr;
using test::PixelAt;

constexpr const char* kConvert = "/usr/bin/convert";

// Top-down RGB pixels, as in a PPM file.
struct Rgb {
    int width = 0, height = 0;
    std::vector<std::uint8_t> bytes;
    Bgr At(int x, int topRow) const {
        const std::uint8_t* p = &bytes[3 * (std::size_t(topRow) * width + x)];
        return {p[2], p[1], p[0]};
    }
};

class ImageMagickInterop : public ::testing::Test {
protected:
    void SetUp() override {
#ifdef _WIN32
        GTEST_SKIP() << "ImageMagick is only checked natively";
#endif
        if (!fs::exists(kConvert)) GTEST_SKIP() << kConvert << " is missing";
        dir_ = fs::temp_directory_path() / ("orb_imagemagick_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()));
        fs::create_directories(dir_);
    }
    void TearDown() override {
        if (!dir_.empty()) fs::remove_all(dir_);
    }

    static void WritePpm(const fs::path& path, const Rgb& picture) {
        std::ofstream out(path, std::ios::binary);
        out << "P6\n" << picture.width << " " << picture.height << "\n255\n";
        out.write(reinterpret_cast<const char*>(picture.bytes.data()),
                  static_cast<std::streamsize>(picture.bytes.size()));
    }

    static Rgb ReadPpm(const fs::path& path) {
        std::ifstream in(path, std::ios::binary);
        std::string magic;
        int maxValue = 0;
        Rgb picture;
        in >> magic >> picture.width >> picture.height >> maxValue;
        in.get();
        picture.bytes.resize(std::size_t(3) * picture.width * picture.height);
        in.read(reinterpret_cast<char*>(picture.bytes.data()),
                static_cast<std::streamsize>(picture.bytes.size()));
        EXPECT_EQ(magic, "P6");
        EXPECT_EQ(maxValue, 255);
        return picture;
    }

    static bool Run(const std::string& command) { return std::system(command.c_str()) == 0; }

    fs::path dir_;
};

// `colours` distinct colours over an odd-sized picture, so rows need padding.
Rgb Pattern(int width, int height, int colours, bool blackAndWhite) {
    Rgb p{width, height, {}};
    for (int row = 0; row < height; ++row)
        for (int x = 0; x < width; ++x) {
            const int c = (row * 7 + x * 3) % colours;
            if (blackAndWhite) {
                const std::uint8_t v = c ? 255 : 0;
                p.bytes.insert(p.bytes.end(), {v, v, v});
            } else {
                p.bytes.insert(p.bytes.end(),
                               {std::uint8_t(c * 11), std::uint8_t(200 - c * 5), std::uint8_t(c * 37 % 256)});
            }
        }
    return p;
}

TEST_F(ImageMagickInterop, ReadsBmp3AtEveryDepth) {
    struct Case {
        int bits;
        const char* options;
        int colours;
    };
    const Case cases[] = {{1, "-type bilevel", 2},
                          {4, "-type palette", 12},
                          {8, "-type palette", 40},
                          {24, "-type truecolor", 40}};
    for (const Case& c : cases) {
        const Rgb source = Pattern(13, 5, c.colours, c.bits == 1);
        const fs::path ppm = dir_ / "in.ppm", bmp = dir_ / ("out" + std::to_string(c.bits) + ".bmp");
        WritePpm(ppm, source);
        ASSERT_TRUE(Run(std::string(kConvert) + " " + ppm.string() + " " + c.options + " -compress none BMP3:" +
                        bmp.string()));
        const auto bytes = ReadWholeFile(bmp);
        ASSERT_TRUE(bytes && bytes->size() > 30);
        EXPECT_EQ((*bytes)[28], c.bits) << "ImageMagick wrote another depth";
        FrameList list;
        ReportLog log;
        GXDrawingSurface* read = LoadBmpFile(bmp, list, log);
        ASSERT_NE(read, nullptr) << c.bits << ": " << (log.Empty() ? "" : log.reports[0].message);
        EXPECT_TRUE(log.Empty()) << c.bits;
        ASSERT_EQ(read->Width(), 13);
        ASSERT_EQ(read->Height(), 5);
        for (int row = 0; row < 5; ++row)
            for (int x = 0; x < 13; ++x)
                ASSERT_EQ(PixelAt(*read, x, 4 - row), source.At(x, row))
                    << c.bits << " bits, pixel " << x << "," << row;
    }
}

TEST_F(ImageMagickInterop, ReadsOurBmpsWithTheSamePixels) {
    GXDrawingSurface eight;
    eight.Create(8, 7, 3);
    for (std::size_t i = 0; i < eight.palette.size(); ++i)
        eight.palette[i] = {std::uint8_t(i), std::uint8_t(i ^ 0x55), std::uint8_t(255 - i), 0};
    for (int row = 0; row < 3; ++row)
        for (int x = 0; x < 7; ++x) eight.Row(row)[x] = std::uint8_t(row * 40 + x * 9);
    const GXDrawingSurface pictures[] = {test::Numbered24(7, 3), eight};
    for (const GXDrawingSurface& picture : pictures) {
        const fs::path bmp = dir_ / "ours.bmp", ppm = dir_ / "back.ppm";
        ReportLog log;
        ASSERT_TRUE(SaveBmpFile(picture, bmp, log));
        ASSERT_TRUE(Run(std::string(kConvert) + " " + bmp.string() + " -depth 8 ppm:" + ppm.string()));
        const Rgb back = ReadPpm(ppm);
        ASSERT_EQ(back.width, 7);
        ASSERT_EQ(back.height, 3);
        GXDrawingSurface expected = picture;
        expected.ConvertTo24(Program::Viewer, log);
        for (int row = 0; row < 3; ++row)
            for (int x = 0; x < 7; ++x)
                ASSERT_EQ(back.At(x, row), PixelAt(expected, x, 2 - row))
                    << picture.Depth() << " bits, pixel " << x << "," << row;
    }
}

}  // namespace
}  // namespace orb
