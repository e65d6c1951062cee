#include "common/imaging/bmp.h"

#include <gtest/gtest.h>

#include "common/imaging/fixed_palette.h"
#include "tests/common/imaging/test_pictures.h"

namespace orb {
namespace {

using test::Bgr;
using test::PixelAt;

// A BMP built field by field, so tests can spoil any one of them.
struct BmpLayout {
    std::uint16_t type = kBitmapType;
    std::uint32_t headerSize = 40;
    std::int32_t width = 3, height = 2;
    std::uint16_t bitCount = 8;
    std::uint32_t compression = 0;
    std::int64_t imageSize = -1;     // -1: stride x height
    std::uint32_t coloursUsed = 0;
    std::int64_t pixelOffset = -1;   // -1: right after the palette
    std::uint32_t paletteEntries = 256;
    std::int64_t pixelBytes = -1;    // -1: image size; pixel i is i + 1
    bool padToOffset = true;
};

std::vector<std::uint8_t> MakeBmp(const BmpLayout& s) {
    const std::uint32_t stride = StrideFor(s.bitCount, s.width);
    const std::uint32_t image = s.imageSize >= 0 ? std::uint32_t(s.imageSize) : stride * s.height;
    const std::uint32_t offset =
        s.pixelOffset >= 0 ? std::uint32_t(s.pixelOffset) : 54 + 4 * s.paletteEntries;
    ByteWriter w;
    w.U16(s.type);
    w.U32(offset + image);
    w.U32(0);
    w.U32(offset);
    w.U32(s.headerSize);
    w.I32(s.width);
    w.I32(s.height);
    w.U16(1);
    w.U16(s.bitCount);
    w.U32(s.compression);
    w.U32(image);
    w.U32(0);
    w.U32(0);
    w.U32(s.coloursUsed);
    w.U32(0);
    for (std::uint32_t i = 0; i < s.paletteEntries; ++i) w.U32(i * 0x010101u);  // grey ramp
    while (s.padToOffset && w.Size() < offset) w.U8(0xEE);
    const std::int64_t count = s.pixelBytes >= 0 ? s.pixelBytes : image;
    for (std::int64_t i = 0; i < count; ++i) w.U8(std::uint8_t(i + 1));
    return w.bytes;
}

struct Loaded {
    FrameList list;
    ReportLog log;
    GXDrawingSurface* surface = nullptr;
    std::size_t position = 0;
};

Loaded Load(const std::vector<std::uint8_t>& bytes, std::size_t at = 0) {
    Loaded l;
    ByteReader reader(bytes, at);
    l.surface = LoadBmp(reader, l.list, "pic.bmp", l.log);
    l.position = reader.Position();
    return l;
}

std::string Only(const Loaded& l) {
    if (l.log.reports.size() != 1) return "reports: " + std::to_string(l.log.reports.size());
    return l.log.reports[0].message;
}

TEST(LoadBmp, ReadsAn8BitPictureAndConvertsItTo24) {
    const auto bytes = MakeBmp({});
    Loaded l = Load(bytes);
    ASSERT_NE(l.surface, nullptr);
    EXPECT_TRUE(l.log.Empty());
    EXPECT_EQ(l.surface->name, "pic.bmp");
    EXPECT_EQ(l.surface->Depth(), 24);
    // Pixel bytes are 1, 2, 3 then padding 4; the palette is a grey ramp.
    EXPECT_EQ(PixelAt(*l.surface, 0, 0), (Bgr{1, 1, 1}));
    EXPECT_EQ(PixelAt(*l.surface, 2, 0), (Bgr{3, 3, 3}));
    EXPECT_EQ(PixelAt(*l.surface, 0, 1), (Bgr{5, 5, 5}));
    EXPECT_EQ(l.position, bytes.size());
    EXPECT_EQ(l.list.size(), 1u);
}

TEST(LoadBmp, RefusesWhatItCannotRead) {
    struct Case {
        const char* what;
        std::vector<std::uint8_t> bytes;
        ReportKind kind;
        const char* message;
    };
    BmpLayout os2, odd, sixteen, thirtyTwo, rle;
    os2.headerSize = 12;
    odd.headerSize = 108;
    sixteen.bitCount = 16;
    sixteen.paletteEntries = 0;
    thirtyTwo.bitCount = 32;
    thirtyTwo.paletteEntries = 0;
    rle.compression = 1;
    auto wrongType = MakeBmp({});
    const auto whole = MakeBmp({});
    const std::vector<std::uint8_t> cut(whole.begin(), whole.begin() + 40);
    wrongType[1] = 'A';
    const Case cases[] = {
        {"one byte", {0x42}, ReportKind::Error, "Invalid BMP File (too short)"},
        {"wrong type", wrongType, ReportKind::Error, "Invalid BMP File (wrong header)"},
        {"no header size", {0x42, 0x4D, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 40},
         ReportKind::Error, "Invalid BMP File (too short)"},
        {"OS/2", MakeBmp(os2), ReportKind::Information,
         "Orbellan does not support OS/2-style bitmaps; please convert this file to Windows "
         "Bitmap format"},
        {"header 108", MakeBmp(odd), ReportKind::Error,
         "Invalid BMP File (neither OS/2 nor Windows)"},
        {"16 bit", MakeBmp(sixteen), ReportKind::Error, "Invalid BMP File (wrong bitcount)"},
        {"32 bit", MakeBmp(thirtyTwo), ReportKind::Error, "Invalid BMP File (wrong bitcount)"},
        {"RLE", MakeBmp(rle), ReportKind::Information,
         "Orbellan does not support compressed bitmaps; please decompress this file"},
        {"headers cut", cut,
         ReportKind::Error, "Invalid BMP File (too short)"},
    };
    for (const Case& c : cases) {
        Loaded l = Load(c.bytes);
        EXPECT_EQ(l.surface, nullptr) << c.what;
        EXPECT_TRUE(l.list.empty()) << c.what;
        ASSERT_EQ(l.log.reports.size(), 1u) << c.what;
        EXPECT_EQ(l.log.reports[0].kind, c.kind) << c.what;
        EXPECT_EQ(l.log.reports[0].message, c.message) << c.what;
        EXPECT_EQ(l.log.reports[0].subject, "pic.bmp") << c.what;
    }
}

TEST(LoadBmp, PaletteLengthComesFromColoursUsed) {
    BmpLayout twelve;
    twelve.coloursUsed = 12;
    twelve.paletteEntries = 12;
    twelve.width = 1;
    twelve.height = 1;
    Loaded l = Load(MakeBmp(twelve));
    ASSERT_NE(l.surface, nullptr);
    // Pixel index 1 of the 12-entry grey ramp; pixels start at 54 + 48.
    EXPECT_EQ(PixelAt(*l.surface, 0, 0), (Bgr{1, 1, 1}));
    EXPECT_EQ(l.position, 54u + 48 + 4);
}

TEST(LoadBmp, TruncatedPixelsLoadWithAWarning) {
    BmpLayout cut;
    cut.pixelBytes = 5;
    Loaded l = Load(MakeBmp(cut));
    ASSERT_NE(l.surface, nullptr);
    EXPECT_EQ(Only(l), "BMP file may be incomplete (loaded it anyway)");
    EXPECT_EQ(l.log.reports[0].kind, ReportKind::Information);
    EXPECT_EQ(PixelAt(*l.surface, 0, 1), (Bgr{5, 5, 5}));
    EXPECT_EQ(PixelAt(*l.surface, 1, 1), (Bgr{0, 0, 0}));
}

TEST(LoadBmp, EmbeddedOffsetsCountFromTheStartOfThePicture) {
    BmpLayout layout;
    layout.pixelOffset = 1078;
    std::vector<std::uint8_t> file(1000, 0xAB);
    const auto bmp = MakeBmp(layout);
    file.insert(file.end(), bmp.begin(), bmp.end());
    file.push_back(0x77);  // the next record
    Loaded l = Load(file, 1000);
    ASSERT_NE(l.surface, nullptr);
    EXPECT_EQ(file[2078], 1);
    EXPECT_EQ(PixelAt(*l.surface, 0, 0), (Bgr{1, 1, 1}));
    EXPECT_EQ(l.position, file.size() - 1);
}

TEST(LoadBmp, ImageSizeZeroMeansAllRowsAndExtraBytesAreSkipped) {
    BmpLayout zero;
    zero.imageSize = 0;
    zero.pixelBytes = 16;
    Loaded l = Load(MakeBmp(zero));
    ASSERT_NE(l.surface, nullptr);
    EXPECT_TRUE(l.log.Empty());
    EXPECT_EQ(PixelAt(*l.surface, 0, 1), (Bgr{5, 5, 5}));

    BmpLayout extra;
    extra.imageSize = 12;  // four bytes more than the two rows of 4 need
    auto bytes = MakeBmp(extra);
    Loaded m = Load(bytes);
    ASSERT_NE(m.surface, nullptr);
    EXPECT_EQ(m.position, bytes.size());
}

TEST(LoadBmp, HostileSizesAreRefusedWithoutReadingOutOfBounds) {
    struct Case {
        const char* what;
        BmpLayout layout;
        const char* message;
    };
    Case cases[] = {
        {"huge", {}, "Invalid BMP File (picture too large)"},
        {"overflowing", {}, "Invalid BMP File (picture too large)"},
        {"huge once in 24 bits", {}, "Invalid BMP File (picture too large)"},
        {"negative height", {}, "Invalid BMP File (width or height not positive)"},
        {"zero width", {}, "Invalid BMP File (width or height not positive)"},
        {"palette 300", {}, "Invalid BMP File (too many palette entries)"},
        {"palette cut", {}, "Invalid BMP File (too short)"},
        {"offset past the end", {}, "Invalid BMP File (pixel offset outside the file)"},
    };
    cases[0].layout.width = 30000, cases[0].layout.height = 30000, cases[0].layout.pixelBytes = 10;
    cases[1].layout.width = 0x7FFFFFFF, cases[1].layout.height = 0x7FFFFFFF, cases[1].layout.imageSize = 16;
    // Found by fuzzing: 1 bit of 5889 x 16641 is 12 MB stored but 294 MB held.
    cases[2].layout.width = 5889, cases[2].layout.height = 16641, cases[2].layout.bitCount = 1;
    cases[2].layout.paletteEntries = 2, cases[2].layout.pixelBytes = 10;
    cases[3].layout.height = -2, cases[3].layout.imageSize = 16;
    cases[4].layout.width = 0, cases[4].layout.imageSize = 16;
    cases[5].layout.coloursUsed = 300, cases[5].layout.paletteEntries = 300;
    cases[6].layout.paletteEntries = 10, cases[6].layout.pixelBytes = 0, cases[6].layout.pixelOffset = 94;
    cases[7].layout.pixelOffset = 5000;
    cases[7].layout.pixelBytes = 0;
    cases[7].layout.padToOffset = false;
    for (const Case& c : cases) {
        Loaded l = Load(MakeBmp(c.layout));
        EXPECT_EQ(l.surface, nullptr) << c.what;
        EXPECT_EQ(Only(l), c.message) << c.what;
        EXPECT_EQ(l.log.reports[0].subject, "pic.bmp") << c.what;
    }
}

TEST(SaveBmp, RoundTripsEveryDepthByteForByte) {
    for (int depth : {1, 4, 8, 24}) {
        GXDrawingSurface s;
        s.Create(depth, 5, 3);
        for (std::size_t i = 0; i < s.palette.size(); ++i)
            s.palette[i] = {std::uint8_t(i), std::uint8_t(2 * i), std::uint8_t(255 - i), 0};
        for (std::size_t i = 0; i < s.pixels.size(); ++i) s.pixels[i] = std::uint8_t(i * 37 + 11);
        for (int row = 0; row < 3; ++row) {  // padding bytes are zero in a well-formed file
            auto r = s.Row(row);
            const std::size_t used = (std::size_t(5) * depth + 7) / 8;
            std::fill(r.begin() + used, r.end(), 0);
        }
        ByteWriter w;
        SaveBmp(s, w);
        ASSERT_EQ(w.Size(), s.fileHeader.size) << depth;
        FrameList list;
        ReportLog log;
        ByteReader reader(w.bytes);
        const auto bytes = w.bytes;
        ASSERT_TRUE(SkipBmp(reader, "x", log)) << depth;
        EXPECT_EQ(reader.Position(), bytes.size());
        ByteReader again(bytes);
        GXDrawingSurface* read = LoadBmp(again, list, "x", log);
        ASSERT_NE(read, nullptr);
        EXPECT_TRUE(log.Empty());
        GXDrawingSurface expected = s;
        expected.ConvertTo24(Program::Viewer, log);
        EXPECT_EQ(read->pixels, expected.pixels) << depth;
        if (depth == 24) {
            ByteWriter back;
            SaveBmp(*read, back);
            EXPECT_EQ(back.bytes, bytes);
        }
    }
}

TEST(SaveBmp, EmbeddedFormCarriesTheNameWithItsZeroByte) {
    GXDrawingSurface s = test::Numbered24(3, 3);
    ByteWriter w;
    SaveEmbeddedBmp(s, w, "frame7");
    EXPECT_EQ(w.bytes[0], 7);
    EXPECT_EQ(w.bytes[4 + 6], 0);
    w.U8(0x55);
    FrameList list;
    ReportLog log;
    ByteReader reader(w.bytes);
    GXDrawingSurface* read = LoadEmbeddedBmp(reader, list, log);
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(read->name, "frame7");
    EXPECT_EQ(read->pixels, s.pixels);
    EXPECT_EQ(reader.Remaining(), 1u);

    ByteWriter bad;
    bad.I32(1 << 30);
    bad.Text("abc");
    ByteReader badReader(bad.bytes);
    EXPECT_EQ(LoadEmbeddedBmp(badReader, list, log), nullptr);
    EXPECT_EQ(log.reports.size(), 1u);
}

TEST(BmpFiles, SaveLoadAndDuplicateNames) {
    const auto dir = std::filesystem::temp_directory_path() / "orb_bmp_files_test";
    std::filesystem::create_directories(dir);
    const auto path = dir / "pic.bmp";
    GXDrawingSurface s = test::Numbered24(4, 2);
    ReportLog log;
    ASSERT_TRUE(SaveBmpFile(s, path, log));
    FrameList list;
    GXDrawingSurface* first = LoadBmpFile(path, list, log);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->pixels, s.pixels);
    EXPECT_EQ(LoadBmpFile(path, list, log), first);
    ASSERT_EQ(log.reports.size(), 1u);
    EXPECT_EQ(log.reports[0].message, "This object has already been loaded");
    log.reports.clear();
    EXPECT_EQ(LoadBmpFile(dir / "missing.bmp", list, log), nullptr);
    ASSERT_EQ(log.reports.size(), 1u);
    EXPECT_EQ(log.reports[0].message,
              "Unable to open file: file may be corrupt or in use by another application");
    log.reports.clear();
    EXPECT_FALSE(SaveBmpFile(s, dir / "no" / "such" / "dir.bmp", log));
    ASSERT_EQ(log.reports.size(), 1u);
    EXPECT_EQ(log.reports[0].message, "Unable to open output file");
    std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace orb
