// The image decoders on pictures built byte by byte, with pixels worked out by hand.
#include <gtest/gtest.h>

#include <vector>

#include <zlib.h>

#include "authoring/import/bmp_import.h"
#include "authoring/import/image_codes.h"
#include "authoring/import/image_decoders.h"
#include "authoring/import/image_file.h"
#include "common/io/byte_writer.h"

namespace orb {
namespace {

struct Bgr {
    int b, g, r;
    bool operator==(const Bgr&) const = default;
};
std::ostream& operator<<(std::ostream& os, const Bgr& c) {
    return os << "(b" << c.b << " g" << c.g << " r" << c.r << ")";
}
Bgr At(const PackedImage& image, int x, int yFromTop) {
    const std::uint8_t* p = image.Pixel24(x, yFromTop);
    return {p[0], p[1], p[2]};
}

// What a damaged file may give: a picture, or an error the caller can report.
bool PictureOrError(std::uint32_t code) {
    return code == kImageOk || code == kImageCorrupt || code == kImageNotRecognized;
}

// ---- PCX ----

std::vector<std::uint8_t> PcxHeader(int bits, int planes, int width, int height, int bytesPerLine, int encoding = 1) {
    ByteWriter w;
    w.U8(0x0A), w.U8(5), w.U8(std::uint8_t(encoding)), w.U8(std::uint8_t(bits));
    w.U16(0), w.U16(0), w.U16(std::uint16_t(width - 1)), w.U16(std::uint16_t(height - 1));
    w.U16(72), w.U16(72);
    for (int i = 0; i < 16; ++i) w.U8(std::uint8_t(i * 16)), w.U8(std::uint8_t(255 - i * 16)), w.U8(std::uint8_t(i));
    w.U8(0), w.U8(std::uint8_t(planes)), w.U16(std::uint16_t(bytesPerLine)), w.U16(1);
    while (w.Size() < 128) w.U8(0);
    return w.bytes;
}

TEST(PcxDecoder, EightBitRleWithTrailingPalette) {
    // 3 x 2, bytes per line 4: row 0 = 1 1 1 0 (a run of four crossing nothing), row 1 = 2 0xC5 0 0
    std::vector<std::uint8_t> f = PcxHeader(8, 1, 3, 2, 4);
    for (std::uint8_t b : {0xC3, 1, 0, 2, 0xC1, 0xC5, 0xC2, 0}) f.push_back(b);
    f.push_back(0x0C);
    for (int i = 0; i < 256; ++i) f.push_back(std::uint8_t(i)), f.push_back(std::uint8_t(i * 2)), f.push_back(7);
    std::optional<PackedImage> image;
    ASSERT_EQ(DecodePcx(f, image), kImageOk);
    EXPECT_EQ(image->Width(), 3);
    EXPECT_EQ(image->Height(), 2);
    EXPECT_EQ(image->BitCount(), 24);
    EXPECT_EQ(At(*image, 0, 0), (Bgr{7, 2, 1}));
    EXPECT_EQ(At(*image, 2, 0), (Bgr{7, 2, 1}));
    EXPECT_EQ(At(*image, 0, 1), (Bgr{7, 4, 2}));
    EXPECT_EQ(At(*image, 1, 1), (Bgr{7, 0x8A, 0xC5}));
}

TEST(PcxDecoder, MonochromeIsBlackAndWhite) {
    std::vector<std::uint8_t> f = PcxHeader(1, 1, 10, 1, 2);
    for (std::uint8_t b : {0xA0, 0xC1, 0xC0}) f.push_back(b);  // 1010 0000 11(000000)
    std::optional<PackedImage> image;
    ASSERT_EQ(DecodePcx(f, image), kImageOk);
    EXPECT_EQ(At(*image, 0, 0), (Bgr{255, 255, 255}));
    EXPECT_EQ(At(*image, 1, 0), (Bgr{0, 0, 0}));
    EXPECT_EQ(At(*image, 2, 0), (Bgr{255, 255, 255}));
    EXPECT_EQ(At(*image, 8, 0), (Bgr{255, 255, 255}));
    EXPECT_EQ(At(*image, 9, 0), (Bgr{255, 255, 255}));
}

TEST(PcxDecoder, SixteenColoursInFourPlanesUseTheHeaderPalette) {
    // 2 pixels; pixel 0 has bits in planes 0 and 2 (index 5), pixel 1 only plane 3 (index 8).
    std::vector<std::uint8_t> f = PcxHeader(1, 4, 2, 1, 2, 0);
    for (std::uint8_t b : {0x80, 0, 0, 0, 0x80, 0, 0x40, 0}) f.push_back(b);
    std::optional<PackedImage> image;
    ASSERT_EQ(DecodePcx(f, image), kImageOk);
    EXPECT_EQ(At(*image, 0, 0), (Bgr{5, 255 - 80, 80}));
    EXPECT_EQ(At(*image, 1, 0), (Bgr{8, 255 - 128, 128}));
}

TEST(PcxDecoder, TrueColourPlanes) {
    std::vector<std::uint8_t> f = PcxHeader(8, 3, 2, 1, 2, 0);
    for (std::uint8_t b : {10, 11, 20, 21, 30, 31}) f.push_back(b);
    std::optional<PackedImage> image;
    ASSERT_EQ(DecodePcx(f, image), kImageOk);
    EXPECT_EQ(At(*image, 0, 0), (Bgr{30, 20, 10}));
    EXPECT_EQ(At(*image, 1, 0), (Bgr{31, 21, 11}));
}

TEST(PcxDecoder, RefusesWhatItCannotRead) {
    std::optional<PackedImage> image;
    std::vector<std::uint8_t> truncated = PcxHeader(8, 3, 4, 4, 4);
    truncated.push_back(0xC5);  // a run header without its value
    EXPECT_EQ(DecodePcx(truncated, image), kImageCorrupt);
    EXPECT_FALSE(image);
    std::vector<std::uint8_t> notPcx = PcxHeader(8, 1, 1, 1, 2);
    notPcx[0] = 'B';
    EXPECT_EQ(DecodePcx(notPcx, image), kImageNotRecognized);
    EXPECT_EQ(DecodePcx(PcxHeader(2, 3, 1, 1, 2), image), kImageUnsupported);
    EXPECT_EQ(DecodePcx(PcxHeader(8, 1, 20, 1, 2), image), kImageCorrupt);  // lines shorter than the width
    EXPECT_EQ(DecodePcx(std::vector<std::uint8_t>(40, 0x0A), image), kImageCorrupt);
}

TEST(PcxDecoder, FileTooShortForItsLinesIsCorruptBeforeAnythingIsAllocated) {
    // Found by fuzzing: a 16384 x 16384 header with a few bytes held 1 GB for a moment.
    std::optional<PackedImage> image;
    std::vector<std::uint8_t> huge = PcxHeader(8, 3, 16384, 16384, 16384);
    for (int i = 0; i < 64; ++i) huge.push_back(0xFF), huge.push_back(7);  // 64 runs of 63
    EXPECT_EQ(DecodePcx(huge, image), kImageCorrupt);
    EXPECT_FALSE(image);
    // Exactly enough runs for a 2 x 1 true-colour picture of 2-byte lines: 6 bytes.
    std::vector<std::uint8_t> tight = PcxHeader(8, 3, 2, 1, 2);
    for (int b : {0xC6, 9}) tight.push_back(std::uint8_t(b));
    ASSERT_EQ(DecodePcx(tight, image), kImageOk);
    EXPECT_EQ(At(*image, 1, 0), (Bgr{9, 9, 9}));
}

// ---- CGM ----

class CgmWriter {
public:
    CgmWriter& Element(int cls, int id, std::vector<std::uint8_t> p) {
        if (p.size() < 31) {
            Word(cls << 12 | id << 5 | int(p.size()));
        } else {
            Word(cls << 12 | id << 5 | 31);
            Word(int(p.size()));
        }
        bytes.insert(bytes.end(), p.begin(), p.end());
        if (p.size() & 1) bytes.push_back(0);
        return *this;
    }
    static std::vector<std::uint8_t> Words(std::initializer_list<int> values) {
        std::vector<std::uint8_t> p;
        for (int v : values) p.push_back(std::uint8_t(v >> 8)), p.push_back(std::uint8_t(v));
        return p;
    }
    std::vector<std::uint8_t> bytes;

private:
    void Word(int v) { bytes.push_back(std::uint8_t(v >> 8)), bytes.push_back(std::uint8_t(v)); }
};

// A 100 x 50 extent; colour 2 red; a solid rectangle over the left half, a blue line along the top row.
CgmWriter SimpleMetafile() {
    CgmWriter w;
    w.Element(0, 1, {3, 'a', 'r', 't'});
    w.Element(0, 3, {0});
    w.Element(2, 6, CgmWriter::Words({0, 0, 100, 50}));
    w.Element(0, 4, {});
    w.Element(5, 34, {2, 255, 0, 0, 0, 0, 255});  // entries 2 red, 3 blue
    w.Element(5, 22, CgmWriter::Words({1}));
    w.Element(5, 23, {2});
    w.Element(4, 11, CgmWriter::Words({0, 0, 50, 50}));
    w.Element(5, 4, {3});
    w.Element(4, 1, CgmWriter::Words({0, 49, 99, 49}));
    return w;
}

TEST(CgmDecoder, DrawsFilledRectanglesAndLinesInTableColours) {
    CgmWriter w = SimpleMetafile();
    w.Element(0, 5, {}).Element(0, 2, {});
    std::optional<PackedImage> image;
    ASSERT_EQ(DecodeCgm(w.bytes, image), kImageOk);
    ASSERT_EQ(image->Width(), 100);
    ASSERT_EQ(image->Height(), 50);
    EXPECT_EQ(At(*image, 10, 30), (Bgr{0, 0, 255}));     // inside the rectangle
    EXPECT_EQ(At(*image, 49, 30), (Bgr{0, 0, 255}));     // last column of it
    EXPECT_EQ(At(*image, 50, 30), (Bgr{255, 255, 255})); // background white
    EXPECT_EQ(At(*image, 75, 0), (Bgr{255, 0, 0}));      // y 49 of 50 is the top row
    EXPECT_EQ(At(*image, 75, 1), (Bgr{255, 255, 255}));
}

TEST(CgmDecoder, DirectColourAndHollowPolygon) {
    CgmWriter w;
    w.Element(0, 1, {0});
    w.Element(2, 2, CgmWriter::Words({1}));  // direct colour
    w.Element(2, 6, CgmWriter::Words({0, 0, 10, 10}));
    w.Element(2, 7, {0, 0, 0});              // black background
    w.Element(0, 4, {});
    w.Element(5, 23, {0, 255, 0});
    w.Element(4, 7, CgmWriter::Words({1, 1, 8, 1, 8, 8, 1, 8}));  // hollow by default
    w.Element(0, 2, {});
    std::optional<PackedImage> image;
    ASSERT_EQ(DecodeCgm(w.bytes, image), kImageOk);
    EXPECT_EQ(At(*image, 0, 0), (Bgr{0, 0, 0}));
    EXPECT_EQ(At(*image, 4, 0), (Bgr{0, 0, 0}));
    EXPECT_EQ(At(*image, 4, 1), (Bgr{0, 255, 0}));    // y 8 covers [8, 9): row 10 - 1 - 8
    EXPECT_EQ(At(*image, 4, 2), (Bgr{0, 0, 0}));
    EXPECT_EQ(At(*image, 4, 8), (Bgr{0, 255, 0}));
    EXPECT_EQ(At(*image, 4, 5), (Bgr{0, 0, 0}));      // the inside stays empty
    EXPECT_EQ(At(*image, 1, 5), (Bgr{0, 255, 0}));
}

TEST(CgmDecoder, PrimitivesWeDoNotDrawAreNotRecognized) {
    CgmWriter text = SimpleMetafile();
    text.Element(4, 4, {0, 1, 0, 1, 0, 1, 2, 'h', 'i'});
    std::optional<PackedImage> image;
    EXPECT_EQ(DecodeCgm(text.bytes, image), kImageNotRecognized);
    EXPECT_FALSE(image);

    CgmWriter real;
    real.Element(0, 1, {0}).Element(1, 3, CgmWriter::Words({1}));
    EXPECT_EQ(DecodeCgm(real.bytes, image), kImageNotRecognized);

    std::vector<std::uint8_t> clearText = {'B', 'E', 'G', 'M', 'F', ' ', '"', 'x', '"', ';'};
    EXPECT_EQ(DecodeCgm(clearText, image), kImageNotRecognized);
    EXPECT_TRUE(IsUnrecognizedImage(kImageNotRecognized));
}

TEST(CgmDecoder, TruncatedElementIsCorrupt) {
    CgmWriter w = SimpleMetafile();
    w.bytes.resize(w.bytes.size() - 3);
    std::optional<PackedImage> image;
    EXPECT_EQ(DecodeCgm(w.bytes, image), kImageCorrupt);
}

TEST(CgmDecoder, MetafileCutOffAfterItsPictureKeepsWhatWasDrawn) {
    // No end-picture or end-metafile element: success must come with the picture.
    CgmWriter w = SimpleMetafile();
    std::optional<PackedImage> image;
    ASSERT_EQ(DecodeCgm(w.bytes, image), kImageOk);
    ASSERT_TRUE(image);
    EXPECT_EQ(At(*image, 10, 30), (Bgr{0, 0, 255}));
    w.bytes.resize(8);  // cut before the picture began
    EXPECT_EQ(DecodeCgm(w.bytes, image), kImageCorrupt);
    EXPECT_FALSE(image);
}

TEST(CgmDecoder, LargeExtentsAreScaledToFourHundredEighty) {
    CgmWriter w;
    w.Element(0, 1, {0}).Element(2, 6, CgmWriter::Words({0, 0, 32000, 16000})).Element(0, 4, {}).Element(0, 2, {});
    std::optional<PackedImage> image;
    ASSERT_EQ(DecodeCgm(w.bytes, image), kImageOk);
    EXPECT_EQ(image->Width(), 480);
    EXPECT_EQ(image->Height(), 240);
}

// ---- lenient BMP ----

std::vector<std::uint8_t> Bmp(int headerSize, int width, int height, int bits, int compression,
                              std::vector<std::uint8_t> extra, std::vector<std::uint8_t> pixels,
                              int coloursUsed = 0) {
    ByteWriter w;
    std::uint32_t offset = std::uint32_t(14 + headerSize + extra.size());
    w.U16(0x4D42), w.U32(std::uint32_t(offset + pixels.size())), w.U32(0), w.U32(offset);
    w.U32(std::uint32_t(headerSize)), w.I32(width), w.I32(height), w.U16(1), w.U16(std::uint16_t(bits));
    w.U32(std::uint32_t(compression)), w.U32(std::uint32_t(pixels.size())), w.U32(0), w.U32(0);
    w.U32(std::uint32_t(coloursUsed)), w.U32(0);
    return w.bytes;
}
std::vector<std::uint8_t> Finish(std::vector<std::uint8_t> header, int headerSize, std::vector<std::uint8_t> masks,
                                 const std::vector<std::uint8_t>& extra, const std::vector<std::uint8_t>& pixels) {
    header.insert(header.end(), masks.begin(), masks.end());
    while (header.size() < std::size_t(14 + headerSize)) header.push_back(0);
    header.insert(header.end(), extra.begin(), extra.end());
    header.insert(header.end(), pixels.begin(), pixels.end());
    return header;
}
std::vector<std::uint8_t> Le32(std::initializer_list<std::uint32_t> values) {
    ByteWriter w;
    for (std::uint32_t v : values) w.U32(v);
    return w.bytes;
}

TEST(LenientBmp, TopDownTwentyFourBit) {
    std::vector<std::uint8_t> px = {1, 2, 3, 0, 9, 8, 7, 0};  // 1 x 2: first stored row is the top
    auto f = Finish(Bmp(40, 1, -2, 24, 0, {}, px), 40, {}, {}, px);
    std::optional<PackedImage> image;
    BmpImport r = DecodeBmpLeniently(f, image);
    ASSERT_EQ(r.code, kImageOk) << r.problem;
    EXPECT_FALSE(r.incomplete);
    EXPECT_EQ(image->Height(), 2);
    EXPECT_EQ(At(*image, 0, 0), (Bgr{1, 2, 3}));
    EXPECT_EQ(At(*image, 0, 1), (Bgr{9, 8, 7}));
}

TEST(LenientBmp, SixteenBitFiveFiveFiveAndFiveSixFive) {
    // 0x7FFF is white in 5-5-5; 0x001F pure blue; bit fields 5-6-5: 0xF800 pure red.
    std::vector<std::uint8_t> px = {0xFF, 0x7F, 0x1F, 0x00};
    std::optional<PackedImage> image;
    ASSERT_EQ(DecodeBmpLeniently(Finish(Bmp(40, 2, 1, 16, 0, {}, px), 40, {}, {}, px), image).code, kImageOk);
    EXPECT_EQ(At(*image, 0, 0), (Bgr{255, 255, 255}));
    EXPECT_EQ(At(*image, 1, 0), (Bgr{255, 0, 0}));
    std::vector<std::uint8_t> px565 = {0x00, 0xF8, 0xE0, 0x07};
    auto f = Finish(Bmp(40, 2, 1, 16, 3, {}, px565), 40, Le32({0xF800, 0x07E0, 0x001F}), {}, px565);
    // masks after a 40-byte header move the pixels: recompute the offset field
    f[10] = std::uint8_t(14 + 40 + 12);
    ASSERT_EQ(DecodeBmpLeniently(f, image).code, kImageOk);
    EXPECT_EQ(At(*image, 0, 0), (Bgr{0, 0, 255}));
    EXPECT_EQ(At(*image, 1, 0), (Bgr{0, 255, 0}));
}

TEST(LenientBmp, V5HeaderWithAlphaBlendsOverWhite) {
    // pixels B G R A: opaque red, fully transparent black, half-transparent black
    std::vector<std::uint8_t> px = {0, 0, 255, 255, 0, 0, 0, 0, 0, 0, 0, 128};
    auto f = Finish(Bmp(124, 3, 1, 32, 3, {}, px), 124, Le32({0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000}), {}, px);
    std::optional<PackedImage> image;
    ASSERT_EQ(DecodeBmpLeniently(f, image).code, kImageOk);
    EXPECT_EQ(At(*image, 0, 0), (Bgr{0, 0, 255}));
    EXPECT_EQ(At(*image, 1, 0), (Bgr{255, 255, 255}));
    EXPECT_EQ(At(*image, 2, 0), (Bgr{127, 127, 127}));  // (255 x 127 + 127) / 255
}

TEST(LenientBmp, ThirtyTwoBitWithAllAlphaZeroIsOpaque) {
    std::vector<std::uint8_t> px = {10, 20, 30, 0};
    auto f = Finish(Bmp(108, 1, 1, 32, 3, {}, px), 108, Le32({0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000}), {}, px);
    std::optional<PackedImage> image;
    ASSERT_EQ(DecodeBmpLeniently(f, image).code, kImageOk);
    EXPECT_EQ(At(*image, 0, 0), (Bgr{10, 20, 30}));
}

TEST(LenientBmp, Rle8WithRunsAbsoluteModeAndDelta) {
    std::vector<std::uint8_t> palette = {0, 0, 0, 0, 0, 0, 255, 0, 0, 255, 0, 0, 255, 0, 0, 0};
    // bottom row: run of 2 x index 1, absolute 3 pixels (2 3 1), end of line;
    // delta (1, 1) then one pixel 2 at x 1 of the top row; end of bitmap.
    std::vector<std::uint8_t> rle = {2, 1, 0, 3, 2, 3, 1, 0, 0, 0, 0, 2, 1, 0, 1, 2, 0, 1};
    auto f = Finish(Bmp(40, 5, 2, 8, 1, palette, rle, 4), 40, {}, palette, rle);
    std::optional<PackedImage> image;
    BmpImport r = DecodeBmpLeniently(f, image);
    ASSERT_EQ(r.code, kImageOk) << r.problem;
    EXPECT_FALSE(r.incomplete);
    Bgr red{0, 0, 255}, green{0, 255, 0}, blue{255, 0, 0}, black{0, 0, 0};
    EXPECT_EQ(At(*image, 0, 1), red);
    EXPECT_EQ(At(*image, 1, 1), red);
    EXPECT_EQ(At(*image, 2, 1), green);
    EXPECT_EQ(At(*image, 3, 1), blue);
    EXPECT_EQ(At(*image, 4, 1), red);
    EXPECT_EQ(At(*image, 0, 0), black);
    EXPECT_EQ(At(*image, 1, 0), green);
    EXPECT_EQ(At(*image, 2, 0), black);
}

TEST(LenientBmp, Rle4Nibbles) {
    std::vector<std::uint8_t> palette = {0, 0, 0, 0, 0, 0, 255, 0, 0, 255, 0, 0};
    std::vector<std::uint8_t> rle = {3, 0x12, 0, 1};  // pixels 1 2 1
    auto f = Finish(Bmp(40, 3, 1, 4, 2, palette, rle, 3), 40, {}, palette, rle);
    std::optional<PackedImage> image;
    ASSERT_EQ(DecodeBmpLeniently(f, image).code, kImageOk);
    EXPECT_EQ(At(*image, 0, 0), (Bgr{0, 0, 255}));
    EXPECT_EQ(At(*image, 1, 0), (Bgr{0, 255, 0}));
    EXPECT_EQ(At(*image, 2, 0), (Bgr{0, 0, 255}));
}

TEST(LenientBmp, TruncatedPixelsLoadAsIncompleteAndBadFilesAreRefused) {
    std::vector<std::uint8_t> px = {1, 2, 3, 0};  // two rows declared, one present
    auto f = Finish(Bmp(40, 1, 2, 24, 0, {}, px), 40, {}, {}, px);
    std::optional<PackedImage> image;
    BmpImport r = DecodeBmpLeniently(f, image);
    EXPECT_EQ(r.code, kImageOk);
    EXPECT_TRUE(r.incomplete);
    EXPECT_EQ(At(*image, 0, 1), (Bgr{1, 2, 3}));

    EXPECT_EQ(DecodeBmpLeniently(std::vector<std::uint8_t>{'B'}, image).problem, "Invalid BMP File (too short)");
    EXPECT_EQ(DecodeBmpLeniently(std::vector<std::uint8_t>{'P', 'K', 0, 0}, image).problem,
              "Invalid BMP File (wrong header)");
    auto twoBit = Finish(Bmp(40, 1, 1, 2, 0, {}, px), 40, {}, {}, px);
    EXPECT_EQ(DecodeBmpLeniently(twoBit, image).problem, "Invalid BMP File (wrong bitcount)");
    auto jpegInside = Finish(Bmp(40, 1, 1, 24, 4, {}, px), 40, {}, {}, px);
    EXPECT_EQ(DecodeBmpLeniently(jpegInside, image).code, kImageUnsupported);
    auto huge = Finish(Bmp(40, 100000, 1, 24, 0, {}, px), 40, {}, {}, px);
    EXPECT_NE(DecodeBmpLeniently(huge, image).code, kImageOk);
    EXPECT_FALSE(image);
}

// ---- dispatch by extension ----

TEST(ReadImageFile, PicksTheDecoderByTheLastExtension) {
    EXPECT_EQ(PathExtension("C:\\pics\\cat.Png"), "Png");
    EXPECT_EQ(PathExtension("C:\\pics.d\\cat"), "");
    EXPECT_EQ(PathExtension("/tmp/pics.d/cat"), "");
    EXPECT_EQ(PathExtension("cat.tar.jpg"), "jpg");
    std::optional<PackedImage> image;
    std::uint32_t code = 0;
    EXPECT_EQ(ReadImageFile("picture.bmp", image, &code), 0);
    EXPECT_EQ(code, kImageUnknownExtension);
    EXPECT_EQ(ReadImageFile("no-such-dir.d/picture", image, &code), 0);
    EXPECT_EQ(code, kImageUnknownExtension);
    EXPECT_EQ(ReadImageFile("no-such-file.JPG", image, &code), 0);
    EXPECT_EQ(code, kImageCannotOpen);
    EXPECT_FALSE(image);
}

TEST(StbDecoders, RefuseBytesOfAnotherFormat) {
    std::vector<std::uint8_t> png = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A, 0, 0};
    std::optional<PackedImage> image;
    EXPECT_EQ(DecodeJpeg(png, image), kImageNotRecognized);
    EXPECT_EQ(DecodePng(png, image), kImageCorrupt);  // the signature alone is no picture
    EXPECT_EQ(DecodeTarga(png, image), kImageNotRecognized);
}

std::vector<std::uint8_t> TargaHeader(int type, int width, int height) {
    ByteWriter w;
    w.U8(0), w.U8(0), w.U8(std::uint8_t(type)), w.U16(0), w.U16(0), w.U8(0);
    w.U16(0), w.U16(0), w.U16(std::uint16_t(width)), w.U16(std::uint16_t(height)), w.U8(24), w.U8(0x20);
    return w.bytes;
}

TEST(StbDecoders, TargaTooShortForItsPixelsIsCorrupt) {
    std::optional<PackedImage> image;
    std::vector<std::uint8_t> plain = TargaHeader(2, 2, 2);
    for (int i = 0; i < 12; ++i) plain.push_back(std::uint8_t(i * 20));
    ASSERT_EQ(DecodeTarga(plain, image), kImageOk);
    EXPECT_EQ(At(*image, 1, 0), (Bgr{60, 80, 100}));
    plain.pop_back();
    EXPECT_EQ(DecodeTarga(plain, image), kImageCorrupt);

    std::vector<std::uint8_t> rle = TargaHeader(10, 2, 1);
    for (int b : {0x81, 1, 2, 3}) rle.push_back(std::uint8_t(b));  // one run of two pixels
    ASSERT_EQ(DecodeTarga(rle, image), kImageOk);
    EXPECT_EQ(At(*image, 1, 0), (Bgr{1, 2, 3}));
    rle.pop_back();
    EXPECT_EQ(DecodeTarga(rle, image), kImageCorrupt);

    // Found by fuzzing: a few bytes claiming 16384 x 16384 took seconds and 2 GB.
    std::vector<std::uint8_t> huge = TargaHeader(10, 16384, 16384);
    for (int b : {0xFF, 0, 0, 0}) huge.push_back(std::uint8_t(b));
    EXPECT_EQ(DecodeTarga(huge, image), kImageCorrupt);
    EXPECT_FALSE(image);
}

TEST(StbDecoders, JpegWithRunawayDcPredictionDecodesWithoutOverflow) {
    // Found by fuzzing: DC differences add up past what an int holds; the decoder
    // is built to wrap there, so the file gives some picture or an error, defined.
    const std::vector<std::uint8_t> file{
        0xff, 0xd8, 0xff, 0xe0, 0x00, 0x10, 0x2d, 0x46, 0x49, 0x46, 0x00, 0x01,
        0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
        0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
        0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
        0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
        0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
        0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
        0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
        0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
        0x00, 0x01, 0x00, 0x3e, 0x01, 0x00, 0x02, 0x02, 0x02, 0x02, 0x02, 0x03,
        0x02, 0x02, 0x02, 0x03, 0x03, 0x03, 0x66, 0x66, 0x66, 0x66, 0x66, 0x66,
        0x10, 0x10, 0x11, 0x10, 0x0a, 0x0c, 0x12, 0x13, 0x12, 0x10, 0x13, 0x0f,
        0x10, 0x10, 0x10, 0xff, 0xc0, 0x00, 0x0b, 0x08, 0x00, 0xff, 0x09, 0x3b,
        0x01, 0x01, 0x11, 0x00, 0xff, 0xc4, 0x00, 0x14, 0x00, 0x01, 0x00, 0x00,
        0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
        0x00, 0x06, 0xff, 0xc4, 0x00, 0x1d, 0x10, 0x00, 0x01, 0x02, 0x07, 0x00,
        0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x01,
        0x00, 0x05, 0x06, 0x07, 0x12, 0x23, 0x41, 0x53, 0xd1, 0xff, 0xda, 0x00,
        0x08, 0x01, 0x01, 0x00, 0x00, 0x3f, 0x00, 0x12, 0xf9, 0x3f, 0xa3, 0x4a,
        0x8d, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0x09, 0xcc, 0xec, 0x3c,
        0x5f, 0xff, 0xd9};
    std::optional<PackedImage> image;
    const auto code = DecodeJpeg(file, image);
    EXPECT_TRUE(PictureOrError(code)) << code;
}

TEST(StbDecoders, JpegWhoseBitReaderRunsDryGivesAPictureOrAnError) {
    // Found by fuzzing: fill bytes inside the entropy-coded data drive the bit
    // count below zero, and the next refill shifts a byte by 32 bits. The decoder
    // is built to let that shift happen as the processor does it, so the file
    // gives some picture or an error, defined.
    const std::vector<std::uint8_t> file{
        0xff, 0xd8, 0xff, 0xe0, 0x00, 0x10, 0x4a, 0x46, 0x49, 0x46, 0x00, 0x01,
        0x01, 0x01, 0xff, 0x00, 0x01, 0x10, 0xaf, 0x0b, 0x09, 0x0b, 0x10, 0x10,
        0x10, 0x10, 0x10, 0x10, 0x10, 0x10, 0x10, 0x10, 0x10, 0x10, 0x10, 0x10,
        0x90, 0x10, 0x10, 0x10, 0x10, 0x10, 0x30, 0x10, 0x10, 0x10, 0x10, 0x10,
        0x10, 0x10, 0x10, 0x10, 0x10, 0x10, 0x10, 0x10, 0x10, 0x10, 0x10, 0x10,
        0x10, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x01, 0xb8, 0x10, 0x10, 0x10,
        0xff, 0xc2, 0x00, 0x11, 0x08, 0x00, 0x05, 0x00, 0x07, 0x03, 0x01, 0x11,
        0x00, 0x02, 0x11, 0x01, 0x03, 0x11, 0x01, 0xff, 0xc4, 0x00, 0x14, 0x00,
        0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
        0x00, 0x00, 0x00, 0x00, 0x05, 0xff, 0xc4, 0x00, 0x14, 0x01, 0x01, 0x00,
        0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
        0x00, 0x00, 0x06, 0xff, 0xda, 0x00, 0x0c, 0x03, 0x01, 0x00, 0x02, 0x10,
        0x03, 0x10, 0x00, 0x00, 0x01, 0x24, 0xf2, 0xcf, 0xff, 0xc4, 0x00, 0x17,
        0x10, 0x00, 0x03, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
        0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x02, 0x03, 0x05, 0xff, 0xda, 0x00,
        0x08, 0x01, 0x01, 0x00, 0x01, 0x05, 0x02, 0x7d, 0x0b, 0x1f, 0xff, 0xc4,
        0x00, 0x19, 0x11, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0x05, 0x00, 0x00,
        0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x05, 0x00, 0x07, 0x11, 0x30,
        0xa1, 0xff, 0xda, 0x00, 0x08, 0x01, 0x03, 0x01, 0x01, 0x3f, 0x01, 0xff,
        0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff,
        0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff,
        0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff,
        0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff,
        0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff,
        0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff,
        0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff,
        0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff,
        0xff, 0x1c, 0xd8, 0x07, 0x8a, 0xc5, 0xff, 0xc4, 0x00, 0x17, 0x11, 0x00,
        0x03, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
        0x00, 0x00, 0x00, 0x00, 0x01, 0x02, 0x02, 0x03, 0xff, 0xff, 0xd9};
    std::optional<PackedImage> image;
    const auto code = DecodeJpeg(file, image);
    EXPECT_TRUE(PictureOrError(code)) << code;
}

TEST(StbDecoders, PngWithEmptyDataChunksGivesAPictureOrAnError) {
    // Found by fuzzing: empty data chunks before any data.
    const std::vector<std::uint8_t> file{
        0x89, 0x50, 0x4e, 0x47, 0x0d, 0x0a, 0x1a, 0x0a, 0x00, 0x00, 0x00, 0x0d,
        0x49, 0x48, 0x44, 0x52, 0x00, 0x00, 0x00, 0x07, 0x00, 0x00, 0x00, 0x05,
        0x08, 0x03, 0x00, 0x00, 0x00, 0xbe, 0x44, 0x06, 0xea, 0x00, 0x00, 0x00,
        0x04, 0x67, 0x41, 0x4d, 0x41, 0x00, 0x00, 0xb1, 0x8f, 0x0b, 0xfc, 0x61,
        0x05, 0x00, 0x00, 0x00, 0x20, 0x63, 0x48, 0x52, 0x4d, 0x00, 0x00, 0x7a,
        0x26, 0x00, 0x00, 0x80, 0x84, 0x00, 0x00, 0xfa, 0x00, 0x00, 0x00, 0x80,
        0xe8, 0x00, 0x00, 0x75, 0x30, 0x00, 0x00, 0xea, 0x60, 0x00, 0x00, 0x3a,
        0x98, 0x00, 0x00, 0x17, 0x70, 0x9c, 0xba, 0x51, 0x3c, 0x00, 0x00, 0x00,
        0x0f, 0x50, 0x4c, 0x54, 0x45, 0x1f, 0xdf, 0x0d, 0x62, 0x9d, 0x2a, 0x8c,
        0x73, 0x3c, 0xab, 0x53, 0x49, 0xd9, 0x26, 0x5d, 0x17, 0xe4, 0xdf, 0x28,
        0x00, 0x00, 0x00, 0x07, 0x74, 0x49, 0x4d, 0x45, 0x07, 0xea, 0x0c, 0x09,
        0x04, 0x1e, 0x21, 0x10, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x49,
        0x44, 0x41, 0x54, 0x08, 0xd7, 0x63, 0x60, 0x40, 0x07, 0x8c, 0x8c, 0x40,
        0xc4, 0xc8, 0xc4, 0xc4, 0x3b, 0xcc, 0xc0, 0xc4, 0x0c, 0x02, 0x2c, 0x0d,
        0x2c, 0xcc, 0x2c, 0x20, 0x00, 0x00, 0x02, 0xa2, 0x00, 0x3f, 0x38, 0x96,
        0x44, 0xb7, 0x00, 0x00, 0x00, 0x25, 0x74, 0x45, 0x58, 0x74, 0x64, 0x61,
        0x74, 0x65, 0x3a, 0x63, 0x72, 0x65, 0x61, 0x74, 0x65, 0x00, 0x32, 0x30,
        0x32, 0x36, 0x2d, 0x31, 0x32, 0x2d, 0x30, 0x39, 0x54, 0x30, 0x34, 0x3a,
        0x33, 0x30, 0x3a, 0x33, 0x32, 0x2b, 0x30, 0x30, 0x3a, 0x30, 0x30, 0xf2,
        0x8e, 0x15, 0x46, 0x00, 0x00, 0x00, 0x25, 0x74, 0x45, 0x58, 0x74, 0x64,
        0x61, 0x74, 0x65, 0x3a, 0x6d, 0x6f, 0x64, 0x69, 0x66, 0x79, 0x00, 0x32,
        0x30, 0x32, 0x36, 0x2d, 0x31, 0x32, 0x2d, 0x30, 0x39, 0x54, 0x30, 0x34,
        0x3a, 0x33, 0x30, 0x3a, 0x33, 0x32, 0x2b, 0x30, 0x30, 0x3a, 0x30, 0x30,
        0x83, 0xd3, 0xad, 0xfa, 0x00, 0x00, 0x00, 0x00, 0x49, 0x45, 0x4e, 0x44,
        0xae, 0x42, 0x60, 0x82};
    std::optional<PackedImage> image;
    const auto code = DecodePng(file, image);
    EXPECT_TRUE(PictureOrError(code)) << code;
}

void AppendBigEndian32(std::vector<std::uint8_t>& bytes, std::uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) bytes.push_back(std::uint8_t(v >> shift));
}

// A PNG of one data chunk: `rows` are the filtered rows, each with its filter byte.
std::vector<std::uint8_t> PngFile(std::uint32_t width, std::uint32_t height, int depth, int colourType,
                                  const std::vector<std::uint8_t>& rows) {
    uLongf packedSize = compressBound(uLong(rows.size()));
    std::vector<std::uint8_t> packed(packedSize);
    EXPECT_EQ(compress2(packed.data(), &packedSize, rows.data(), uLong(rows.size()), 9), Z_OK);
    packed.resize(packedSize);
    std::vector<std::uint8_t> file = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    auto chunk = [&file](const char* type, const std::vector<std::uint8_t>& body) {
        AppendBigEndian32(file, std::uint32_t(body.size()));
        const std::size_t typeAt = file.size();
        file.insert(file.end(), type, type + 4);
        file.insert(file.end(), body.begin(), body.end());
        AppendBigEndian32(file, std::uint32_t(crc32(0, file.data() + typeAt, uInt(file.size() - typeAt))));
    };
    std::vector<std::uint8_t> header;
    AppendBigEndian32(header, width);
    AppendBigEndian32(header, height);
    for (int v : {depth, colourType, 0, 0, 0}) header.push_back(std::uint8_t(v));
    chunk("IHDR", header);
    chunk("IDAT", packed);
    chunk("IEND", {});
    return file;
}

constexpr std::size_t kPngDataLengthAt = 8 + 25;  // after the signature and the header chunk

// Each damaged file is refused by the check before the library sees it; the
// library alone would refuse it too, but only after setting aside what it states.
TEST(StbDecoders, PngChunkReachingPastTheFileIsCorrupt) {
    std::optional<PackedImage> image;
    const std::vector<std::uint8_t> png = PngFile(2, 1, 8, 2, {0, 10, 20, 30, 40, 50, 60});
    EXPECT_TRUE(PngHoldsItsPixels(png));
    ASSERT_EQ(DecodePng(png, image), kImageOk);
    EXPECT_EQ(At(*image, 0, 0), (Bgr{30, 20, 10}));
    EXPECT_EQ(At(*image, 1, 0), (Bgr{60, 50, 40}));

    // The end marker's checksum is never read, and a file without it still loads.
    const std::vector<std::uint8_t> noEndChecksum(png.begin(), png.end() - 4);
    EXPECT_TRUE(PngHoldsItsPixels(noEndChecksum));
    EXPECT_EQ(DecodePng(noEndChecksum, image), kImageOk);

    // Found by fuzzing: a data chunk stating 721 MB in a file of 450 bytes.
    std::vector<std::uint8_t> longChunk = png;
    for (int i = 0; i < 4; ++i) longChunk[kPngDataLengthAt + i] = std::uint8_t(0x2B000035u >> (24 - 8 * i));
    const std::vector<std::uint8_t> cutInData(png.begin(), png.begin() + kPngDataLengthAt + 10);
    const std::vector<std::uint8_t> cutBeforeEnd(png.begin(), png.end() - 12);
    const std::vector<std::uint8_t> cutInChecksum(png.begin(), png.end() - 13);
    using Bytes = std::vector<std::uint8_t>;
    for (const Bytes* damaged : std::initializer_list<const Bytes*>{&longChunk, &cutInData, &cutBeforeEnd, &cutInChecksum}) {
        EXPECT_FALSE(PngHoldsItsPixels(*damaged)) << damaged->size();
        EXPECT_EQ(DecodePng(*damaged, image), kImageCorrupt) << damaged->size();
        EXPECT_FALSE(image);
    }
}

TEST(StbDecoders, PngDataTooShortToInflateToItsPixelsIsCorrupt) {
    // 2048 black rows of 2048 grey bytes pack at about 1026 to 1: just inside
    // deflate's limit of 1032, so a picture this well packed still loads.
    const std::vector<std::uint8_t> rows(2048 * 2049, 0);
    const std::vector<std::uint8_t> black = PngFile(2048, 2048, 8, 0, rows);
    EXPECT_TRUE(PngHoldsItsPixels(black));
    std::optional<PackedImage> image;
    ASSERT_EQ(DecodePng(black, image), kImageOk);
    EXPECT_EQ(image->Width(), 2048);
    EXPECT_EQ(At(*image, 2047, 2047), (Bgr{0, 0, 0}));

    // The same data under headers that promise more: twice the rows; RGB, three
    // times the bytes; 16384 x 16384 in RGBA, a gigabyte the library would set aside
    // before inflating anything.
    struct Header {
        std::uint32_t width, height;
        int colourType;
    };
    for (const Header h : {Header{2048, 4096, 0}, Header{2048, 2048, 2}, Header{16384, 16384, 6}}) {
        const std::vector<std::uint8_t> promising = PngFile(h.width, h.height, 8, h.colourType, rows);
        EXPECT_FALSE(PngHoldsItsPixels(promising)) << h.width << "x" << h.height;
        EXPECT_EQ(DecodePng(promising, image), kImageCorrupt);
        EXPECT_FALSE(image);
    }
}

// A grey JPEG whose one DC code (difference 0) and one AC code (end of block) are
// each a single 0 bit: every block is two bits and decodes to flat grey 128.
// `scanData` follows the scan header; no scan at all when it is empty.
std::vector<std::uint8_t> FlatGreyJpeg(std::uint16_t width, std::uint16_t height, std::uint8_t frameMarker,
                                       const std::vector<std::uint8_t>& scanData) {
    ByteWriter w;
    auto segment = [&w](std::uint8_t marker, std::initializer_list<std::uint8_t> body, std::size_t repeatLast = 0) {
        w.U8(0xFF), w.U8(marker);
        const std::size_t length = 2 + body.size() + repeatLast;
        w.U8(std::uint8_t(length >> 8)), w.U8(std::uint8_t(length));
        for (std::uint8_t byte : body) w.U8(byte);
        for (std::size_t i = 0; i < repeatLast; ++i) w.U8(*(body.end() - 1));
    };
    w.U8(0xFF), w.U8(0xD8);
    segment(0xDB, {0, 1}, 63);  // every quantiser 1
    segment(frameMarker, {8, std::uint8_t(height >> 8), std::uint8_t(height), std::uint8_t(width >> 8),
                          std::uint8_t(width), 1, 1, 0x11, 0});
    for (std::uint8_t table : {0x00, 0x10})  // DC 0, AC 0: one code of length 1, for symbol 0
        segment(0xC4, {table, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
    if (!scanData.empty()) {
        segment(0xDA, {1, 1, 0x00, 0, 63, 0});
        for (std::uint8_t byte : scanData) w.U8(byte);
    }
    w.U8(0xFF), w.U8(0xD9);
    return w.bytes;
}

TEST(StbDecoders, JpegWithLessScanDataThanItsFrameNeedsIsCorrupt) {
    std::optional<PackedImage> image;
    // 128 x 8: sixteen blocks of two 0 bits fill four bytes.
    ASSERT_EQ(DecodeJpeg(FlatGreyJpeg(128, 8, 0xC0, {0, 0, 0, 0}), image), kImageOk);
    EXPECT_EQ(image->Width(), 128);
    EXPECT_EQ(At(*image, 127, 7), (Bgr{128, 128, 128}));
    // Two bytes are enough for the sixteen bits the check asks of it; stb reads
    // the rest as zeros, as it does for any file cut short.
    EXPECT_EQ(DecodeJpeg(FlatGreyJpeg(128, 8, 0xC0, {0, 0}), image), kImageOk);

    // One byte for 16384 x 16384, and a progressive frame of that size without
    // any scan (which took 2 GB before failing): stb would set the planes aside.
    for (const auto& file : {FlatGreyJpeg(128, 8, 0xC0, {0}), FlatGreyJpeg(16384, 16384, 0xC0, {0}),
                             FlatGreyJpeg(16384, 16384, 0xC2, {})}) {
        EXPECT_EQ(DecodeJpeg(file, image), kImageCorrupt) << file.size();
        EXPECT_FALSE(image);
    }
}

TEST(StbDecoders, JpegScanUsingATableNeverDefinedIsCorrupt) {
    // Found by fuzzing: the decoder would read such a table from uninitialised memory.
    auto jpeg = [](bool defineAc) {
        ByteWriter w;
        w.U8(0xFF), w.U8(0xD8);
        for (int b : {0xFF, 0xC0, 0, 11, 8, 0, 8, 0, 8, 1, 1, 0x11, 0}) w.U8(std::uint8_t(b));  // 8x8, one component
        for (int table = 0; table < (defineAc ? 2 : 1); ++table) {
            w.U8(0xFF), w.U8(0xC4), w.U8(0), w.U8(20), w.U8(std::uint8_t(table << 4));
            w.U8(1);
            for (int i = 0; i < 15; ++i) w.U8(0);
            w.U8(0);  // one code of length 1: symbol 0
        }
        for (int b : {0xFF, 0xDA, 0, 8, 1, 1, 0x00, 0, 63, 0}) w.U8(std::uint8_t(b));
        w.U8(0x00), w.U8(0xFF), w.U8(0xD9);
        return w.bytes;
    };
    std::optional<PackedImage> image;
    EXPECT_EQ(DecodeJpeg(jpeg(false), image), kImageCorrupt);
    EXPECT_FALSE(image);
    // With both tables the same scan passes the check and reaches the decoder.
    const auto withBoth = DecodeJpeg(jpeg(true), image);
    EXPECT_TRUE(withBoth == kImageOk || withBoth == kImageCorrupt) << withBoth;
}

TEST(StbDecoders, JpegHuffmanTableOfMoreThan256CodesIsCorrupt) {
    // Found by fuzzing: stb fills its 256-entry tables from the counts unchecked.
    ByteWriter w;
    w.U8(0xFF), w.U8(0xD8), w.U8(0xFF), w.U8(0xE0), w.U8(0), w.U8(4), w.U8(0), w.U8(0);  // an APP0 to walk over
    w.U8(0xFF), w.U8(0xC4), w.U8(0x01), w.U8(0x23), w.U8(0x00);
    for (int i = 0; i < 16; ++i) w.U8(17);  // 272 codes
    for (int i = 0; i < 272; ++i) w.U8(std::uint8_t(i));
    w.U8(0xFF), w.U8(0xD9);
    std::optional<PackedImage> image;
    EXPECT_EQ(DecodeJpeg(w.bytes, image), kImageCorrupt);
    EXPECT_FALSE(image);

    // A second table that begins inside the segment takes its counts from past its end.
    ByteWriter v;
    v.U8(0xFF), v.U8(0xD8), v.U8(0xFF), v.U8(0xC4), v.U8(0), v.U8(23), v.U8(0x00), v.U8(3);
    for (int i = 0; i < 15; ++i) v.U8(0);
    v.U8(1), v.U8(2), v.U8(3), v.U8(0x00);  // three codes, then the next table's class byte
    for (int i = 0; i < 16; ++i) v.U8(0x20);  // 512 codes
    v.U8(0xFF), v.U8(0xD9);
    EXPECT_EQ(DecodeJpeg(v.bytes, image), kImageCorrupt);
}

}  // namespace
}  // namespace orb
