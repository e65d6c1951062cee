#include "common/imaging/drawing_surface.h"

#include <gtest/gtest.h>

#include "common/imaging/fixed_palette.h"
#include "tests/common/imaging/test_pictures.h"

namespace orb {
namespace {

using test::Bgr;
using test::PixelAt;
using test::SetPixel;
constexpr Bgr kWhite{255, 255, 255};

// A refused operation leaves exactly one report, in these words.
void ExpectOnlyReport(const ReportLog& log, const std::string& message) {
    ASSERT_EQ(log.reports.size(), 1u);
    EXPECT_EQ(log.reports[0].message, message);
}

TEST(DrawingSurface, StridesPadRowsToWholeWords) {
    EXPECT_EQ(StrideFor(24, 3), 12u);
    EXPECT_EQ(StrideFor(8, 5), 8u);
    EXPECT_EQ(StrideFor(1, 33), 8u);
    EXPECT_EQ(StrideFor(4, 9), 8u);
    EXPECT_EQ(StrideFor(16, 3), 6u);
    EXPECT_EQ(StrideFor(12, 3), 0u);
}

TEST(DrawingSurface, CreateKeepsHeadersConsistent) {
    GXDrawingSurface s;
    s.Create(8, 5, 3);
    EXPECT_EQ(s.Stride(), 8u);
    EXPECT_EQ(s.infoHeader.imageSize, 24u);
    EXPECT_EQ(s.infoHeader.coloursUsed, 0u);
    EXPECT_EQ(s.palette.size(), 256u);
    EXPECT_EQ(s.fileHeader.size, 54u + 1024 + 24);
    EXPECT_EQ(s.fileHeader.pixelOffset, 54u + 1024);
    EXPECT_EQ(s.firstFrame, &s);
    s.Create(4, 3, 1);
    EXPECT_EQ(s.infoHeader.coloursUsed, 16u);
    EXPECT_EQ(s.fileHeader.pixelOffset, 54u + 64);
}

TEST(DrawingSurface, CopiesAreDeepAndSelfLinksFollowTheCopy) {
    GXDrawingSurface s = test::Numbered24(3, 2);
    s.name = "a.bmp";
    s.key = {1, 2, 3, 4};
    GXDrawingSurface copy(s);
    EXPECT_EQ(copy.pixels, s.pixels);
    EXPECT_NE(copy.pixels.data(), s.pixels.data());
    EXPECT_EQ(copy.firstFrame, &copy);
    EXPECT_EQ(copy.key, s.key);
    GXDrawingSurface moved(std::move(copy));
    EXPECT_EQ(moved.firstFrame, &moved);
}

// A frame with every description field away from its default, a rotation set,
// and links to two other frames.
struct LinkedFrame {
    GXDrawingSurface first = test::Numbered24(2, 2);
    GXDrawingSurface next = test::Numbered24(2, 2);
    GXDrawingSurface frame = test::Numbered8(3, 2);

    LinkedFrame() {
        frame.name = "walker";
        frame.nextFrame = &next;
        frame.firstFrame = &first;
        frame.frameIndex = 1;
        frame.frameCount = 3;
        frame.key = {1, 2, 3, 4};
        frame.squareCanvas = true;
        frame.storedAngle = 90;
        frame.rotationSet.resize(2);
    }
};

TEST(DrawingSurface, CopiesHoldTheWholeDescriptionButNoRotationSet) {
    const LinkedFrame linked;
    const GXDrawingSurface& frame = linked.frame;
    GXDrawingSurface assigned = test::Numbered24(1, 1);
    assigned.rotationSet.resize(16);
    assigned = frame;
    GXDrawingSurface constructed(frame);
    for (const GXDrawingSurface* copy : {&assigned, &constructed}) {
        EXPECT_EQ(copy->name, "walker");
        EXPECT_EQ(copy->infoHeader.bitCount, 8);
        EXPECT_EQ(copy->fileHeader.size, frame.fileHeader.size);
        EXPECT_EQ(copy->palette, frame.palette);
        EXPECT_EQ(copy->pixels, frame.pixels);
        EXPECT_EQ(copy->nextFrame, &linked.next);  // links to other frames stay as they are
        EXPECT_EQ(copy->firstFrame, &linked.first);
        EXPECT_EQ(copy->frameIndex, 1);
        EXPECT_EQ(copy->frameCount, 3);
        EXPECT_EQ(copy->key, (ColourKey{1, 2, 3, 4}));
        EXPECT_TRUE(copy->squareCanvas);
        EXPECT_EQ(copy->storedAngle, 90);
        EXPECT_TRUE(copy->rotationSet.empty());
    }
}

TEST(DrawingSurface, MovesTakeTheRotationSetAlong) {
    LinkedFrame linked;
    GXDrawingSurface moved(std::move(linked.frame));
    EXPECT_EQ(moved.rotationSet.size(), 2u);
    EXPECT_EQ(moved.firstFrame, &linked.first);
    GXDrawingSurface assigned;
    assigned = std::move(moved);
    EXPECT_EQ(assigned.rotationSet.size(), 2u);
    EXPECT_EQ(assigned.storedAngle, 90);
}

TEST(DrawingSurface, AScaledCopyIsACopyScaled) {
    LinkedFrame linked;
    linked.frame.firstFrame = &linked.frame;
    ReportLog log;
    GXDrawingSurface expected = linked.frame;
    ASSERT_TRUE(expected.Scale(6, 1, log));
    const GXDrawingSurface scaled = linked.frame.ScaledCopy(6, 1, log);
    EXPECT_EQ(scaled.pixels, expected.pixels);
    EXPECT_EQ(scaled.fileHeader.size, expected.fileHeader.size);
    EXPECT_EQ(scaled.infoHeader.imageSize, 8u);  // 6 bytes padded to 8, one row
    EXPECT_EQ(scaled.name, "walker");
    EXPECT_EQ(scaled.storedAngle, 90);
    EXPECT_EQ(scaled.firstFrame, &scaled);
    EXPECT_TRUE(scaled.rotationSet.empty());
    // Sizes below one pixel become one; a depth that cannot be scaled is copied as is.
    EXPECT_EQ(linked.frame.ScaledCopy(0, -3, log).Width(), 1);
    GXDrawingSurface sixteen;
    sixteen.Create(16, 2, 2);
    const GXDrawingSurface unscaled = sixteen.ScaledCopy(1, 1, log);
    EXPECT_EQ(unscaled.Width(), 2);
    EXPECT_EQ(unscaled.pixels, sixteen.pixels);
    EXPECT_EQ(log.reports.size(), 1u);
}

TEST(FrameList, AppendLinksNumbersAndFinds) {
    FrameList list;
    GXDrawingSurface frame = test::Numbered24(2, 2);
    frame.name = "one";
    GXDrawingSurface* a = frame.AppendCopy(list);
    frame.name = "two";
    GXDrawingSurface* b = frame.AppendCopy(list);
    for (auto& s : list) s->frameCount = 0;
    EXPECT_EQ(a->nextFrame, b);
    EXPECT_EQ(b->nextFrame, nullptr);
    NumberFrames(list);
    EXPECT_EQ(b->firstFrame, a);
    EXPECT_EQ(b->frameIndex, 1);
    EXPECT_EQ(a->frameCount, 2);
    EXPECT_EQ(ActorFrames(*a).size(), 2u);
    EXPECT_EQ(FindByName(list, "two"), b);
    EXPECT_EQ(FindByName(list, "tw"), nullptr);
    // A second actor appended later is numbered on its own.
    frame.name = "three";
    frame.frameCount = 0;
    GXDrawingSurface* c = frame.AppendCopy(list);
    NumberFrames(list);
    EXPECT_EQ(c->firstFrame, c);
    EXPECT_EQ(c->frameCount, 1);
    EXPECT_EQ(a->frameCount, 2);
    EXPECT_EQ(ActorFrames(*a).size(), 2u);
    FreeList(list);
    EXPECT_TRUE(list.empty());
}

TEST(ConvertTo24, UnpacksIndicesMostSignificantBitsFirst) {
    GXDrawingSurface s;
    s.Create(1, 9, 1);
    s.palette[0] = {1, 2, 3, 0};
    s.palette[1] = {4, 5, 6, 0};
    s.pixels[0] = 0b10100000;
    s.pixels[1] = 0b10000000;
    NullReportSink sink;
    ASSERT_TRUE(s.ConvertTo24(Program::Viewer, sink));
    EXPECT_EQ(s.Depth(), 24);
    EXPECT_EQ(s.Stride(), 28u);
    EXPECT_EQ(PixelAt(s, 0, 0), (Bgr{4, 5, 6}));
    EXPECT_EQ(PixelAt(s, 1, 0), (Bgr{1, 2, 3}));
    EXPECT_EQ(PixelAt(s, 2, 0), (Bgr{4, 5, 6}));
    EXPECT_EQ(PixelAt(s, 8, 0), (Bgr{4, 5, 6}));
    EXPECT_EQ(s.pixels[27], 0);
    EXPECT_EQ(s.fileHeader.pixelOffset, 54u);
    EXPECT_EQ(s.fileHeader.size, 54u + 28);
    EXPECT_TRUE(s.palette.empty());

    GXDrawingSurface four;
    four.Create(4, 3, 1);
    four.palette[0xA] = {10, 11, 12, 0};
    four.palette[0x3] = {3, 4, 5, 0};
    four.pixels[0] = 0xA3;
    four.pixels[1] = 0x30;
    four.ConvertTo24(Program::Viewer, sink);
    EXPECT_EQ(PixelAt(four, 0, 0), (Bgr{10, 11, 12}));
    EXPECT_EQ(PixelAt(four, 1, 0), (Bgr{3, 4, 5}));
    EXPECT_EQ(PixelAt(four, 2, 0), (Bgr{3, 4, 5}));

    // Two bits: indices 3, 1, 2, 0, then 1 from the next byte's top bits; 2 and 3
    // are beyond a two-entry palette and read as black.
    GXDrawingSurface two;
    two.Create(2, 5, 1);
    two.palette.resize(2);
    two.palette[1] = {7, 8, 9, 0};
    two.palette[0] = {1, 1, 1, 0};
    two.pixels[0] = 0b11011000;
    two.pixels[1] = 0b01000000;
    two.ConvertTo24(Program::Viewer, sink);
    EXPECT_EQ(PixelAt(two, 0, 0), (Bgr{0, 0, 0}));
    EXPECT_EQ(PixelAt(two, 1, 0), (Bgr{7, 8, 9}));
    EXPECT_EQ(PixelAt(two, 2, 0), (Bgr{0, 0, 0}));
    EXPECT_EQ(PixelAt(two, 3, 0), (Bgr{1, 1, 1}));
    EXPECT_EQ(PixelAt(two, 4, 0), (Bgr{7, 8, 9}));
}

TEST(ConvertTo24, Reads16BitAs555AndRefusesOtherDepths) {
    GXDrawingSurface s;
    s.Create(16, 1, 1);
    const unsigned word = 1u << 15 | 31u << 10 | 2u << 5 | 3u;  // top bit ignored
    s.pixels[0] = std::uint8_t(word);
    s.pixels[1] = std::uint8_t(word >> 8);
    ReportLog log;
    ASSERT_TRUE(s.ConvertTo24(Program::Viewer, log));
    EXPECT_EQ(PixelAt(s, 0, 0), (Bgr{24, 16, 248}));

    GXDrawingSurface deep;
    deep.Create(32, 2, 2);
    EXPECT_FALSE(deep.ConvertTo24(Program::Authoring, log));
    EXPECT_TRUE(log.Empty());
    EXPECT_FALSE(deep.ConvertTo24(Program::Viewer, log));
    ExpectOnlyReport(log, "32 bit bitmaps unsupported");
    EXPECT_EQ(deep.Depth(), 32);
}

TEST(ConvertTo24, IndicesBeyondAShortPaletteBecomeBlack) {
    GXDrawingSurface s;
    s.Create(8, 2, 1);
    s.infoHeader.coloursUsed = 2;
    s.palette.assign(2, PaletteEntry{9, 9, 9, 0});
    s.pixels[0] = 1;
    s.pixels[1] = 200;
    NullReportSink sink;
    s.ConvertTo24(Program::Viewer, sink);
    EXPECT_EQ(PixelAt(s, 0, 0), (Bgr{9, 9, 9}));
    EXPECT_EQ(PixelAt(s, 1, 0), (Bgr{0, 0, 0}));
}

TEST(ConvertTo8Keyed, WhiteAndKeyedPixelsAloneGetIndex255) {
    GXDrawingSurface s;
    s.Create(24, 4, 1);
    SetPixel(s, 0, 0, kWhite);
    SetPixel(s, 1, 0, {250, 250, 250});      // opaque near-white
    SetPixel(s, 2, 0, {100, 50, 20});         // within tolerance 2 of the key
    SetPixel(s, 3, 0, {254, 254, 254});
    s.key = {101, 51, 21, 2};
    s.name = "frame";
    s.squareCanvas = true;
    s.ConvertTo8Keyed(Program::Viewer);
    ASSERT_EQ(s.Depth(), 8);
    EXPECT_EQ(s.Row(0)[0], 255);
    EXPECT_NE(s.Row(0)[1], 255);
    EXPECT_EQ(s.Row(0)[2], 255);
    EXPECT_NE(s.Row(0)[3], 255);
    EXPECT_EQ(s.palette[255], (PaletteEntry{255, 255, 255, 0}));
    EXPECT_EQ(s.name, "frame");
    EXPECT_TRUE(s.squareCanvas);

    GXDrawingSurface plain = s;
    plain.Create(24, 1, 1);
    SetPixel(plain, 0, 0, {0x80, 0x80, 0x80});
    plain.name = "backdrop";
    plain.ConvertTo8(Program::Viewer);
    EXPECT_EQ(plain.Row(0)[0], 248);
    EXPECT_TRUE(plain.name.empty());
}

TEST(ApplyColourKey, ModesOfBothPrograms) {
    GXDrawingSurface s;
    s.Create(24, 4, 1);
    SetPixel(s, 0, 0, {10, 20, 30});
    SetPixel(s, 1, 0, {10, 20, 31});
    SetPixel(s, 2, 0, {254, 254, 254});
    SetPixel(s, 3, 0, {247, 250, 253});
    s.key = {10, 20, 30, 0};
    GXDrawingSurface authoring = s;
    s.ApplyColourKey(0, Program::Viewer);
    EXPECT_EQ(PixelAt(s, 0, 0), kWhite);
    EXPECT_EQ(PixelAt(s, 1, 0), (Bgr{10, 20, 31}));
    s.ApplyColourKey(1, Program::Viewer);
    EXPECT_EQ(PixelAt(s, 0, 0), (Bgr{253, 253, 253}));
    EXPECT_EQ(PixelAt(s, 2, 0), (Bgr{253, 253, 253}));
    EXPECT_EQ(PixelAt(s, 3, 0), (Bgr{247, 250, 253}));

    authoring.ApplyColourKey(1, Program::Authoring);
    EXPECT_EQ(PixelAt(authoring, 2, 0), (Bgr{247, 247, 247}));
    EXPECT_EQ(PixelAt(authoring, 3, 0), (Bgr{247, 247, 247}));
    SetPixel(authoring, 1, 0, kWhite);
    authoring.ApplyColourKey(0, Program::Authoring);
    EXPECT_EQ(PixelAt(authoring, 1, 0), (Bgr{10, 20, 30}));
}

TEST(Fill, UsesTheNearestEntryAndZeroesPadding) {
    GXDrawingSurface s;
    s.Create(8, 5, 2);
    std::fill(s.pixels.begin(), s.pixels.end(), 7);
    s.Fill(255, 255, 255);
    EXPECT_EQ(s.Row(1)[4], 128);
    EXPECT_EQ(s.Row(1)[5], 0);
    GXDrawingSurface t;
    t.Create(24, 3, 1);
    t.Fill(1, 2, 3);
    EXPECT_EQ(PixelAt(t, 2, 0), (Bgr{3, 2, 1}));
}

TEST(PaintTransparent, PaintsMatchWhiteAndKeyedPixels) {
    GXDrawingSurface s;
    s.Create(24, 4, 1);
    SetPixel(s, 0, 0, {0xA0, 0xA0, 0xA0});
    SetPixel(s, 1, 0, kWhite);
    SetPixel(s, 2, 0, {50, 60, 70});
    SetPixel(s, 3, 0, {1, 2, 3});
    s.key = {51, 61, 71, 1};
    s.PaintTransparent(0xA0A0A0, 0x102030);
    for (int x = 0; x < 3; ++x) EXPECT_EQ(PixelAt(s, x, 0), (Bgr{0x30, 0x20, 0x10}));
    EXPECT_EQ(PixelAt(s, 3, 0), (Bgr{1, 2, 3}));

    GXDrawingSurface eight;
    eight.Create(8, 2, 1);
    const auto& fixed = FixedPalette(Program::Viewer);
    eight.palette.assign(fixed.begin(), fixed.end());
    eight.Row(0)[0] = 255;
    eight.Row(0)[1] = 3;
    eight.PaintTransparent(0xA0A0A0, 0xF0F0F0);
    EXPECT_EQ(eight.Row(0)[0], 29);  // F0F0F0
    EXPECT_EQ(eight.Row(0)[1], 3);
}

TEST(FindOpaqueBounds, ProbesTheMiddleRowAndColumn) {
    GXDrawingSurface s;
    s.Create(24, 7, 5);
    std::fill(s.pixels.begin(), s.pixels.end(), 0xFF);
    SetPixel(s, 2, 2, {0, 0, 0});
    SetPixel(s, 5, 2, {0, 0, 0});
    SetPixel(s, 3, 1, {0, 0, 0});
    SetPixel(s, 3, 3, {0, 0, 0});
    EXPECT_EQ(s.FindOpaqueBounds(), (OpaqueBounds{2, 1, 5, 3}));
    std::fill(s.pixels.begin(), s.pixels.end(), 0xFF);
    EXPECT_EQ(s.FindOpaqueBounds(), (OpaqueBounds{0, 0, 6, 4}));
}

TEST(Scale, DownKeepsEverySecondPixelUpDoublesThem) {
    GXDrawingSurface s = test::Numbered8(4, 4);
    ReportLog log;
    ASSERT_TRUE(s.Scale(2, 2, log));
    EXPECT_EQ(s.Width(), 2);
    EXPECT_EQ(s.infoHeader.imageSize, 8u);
    // Source pixels 1 and 3 of rows 1 and 3: index row * 4 + x + 1.
    EXPECT_EQ(s.Row(0)[0], 1 * 4 + 1 + 1);
    EXPECT_EQ(s.Row(0)[1], 1 * 4 + 3 + 1);
    EXPECT_EQ(s.Row(1)[0], 3 * 4 + 1 + 1);
    EXPECT_EQ(s.Row(1)[1], 3 * 4 + 3 + 1);
    EXPECT_EQ(s.fileHeader.size, 8u + 1024 + 54);

    GXDrawingSurface t = test::Numbered24(2, 2);
    ASSERT_TRUE(t.Scale(4, 4, log));
    for (int row = 0; row < 4; ++row)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(PixelAt(t, x, row), PixelAt(test::Numbered24(2, 2), x / 2, row / 2));
    EXPECT_EQ(t.Stride(), 12u);
    EXPECT_TRUE(log.Empty());
}

TEST(Scale, ThreeToTwoFollowsTheAccumulator) {
    // Width 3 to 2: acc 2 (<3), 4 -> copy pixel 1, 1+2=3 -> copy pixel 2.
    GXDrawingSurface s = test::Numbered8(3, 1);
    NullReportSink sink;
    s.Scale(2, 1, sink);
    EXPECT_EQ(s.Row(0)[0], 2);
    EXPECT_EQ(s.Row(0)[1], 3);
}

TEST(Scale, UnevenRatiosEachWay) {
    // Columns 5 to 3: sums 3, 6 -> input 1 (1 left), 4, 7 -> input 3 (2), 5 -> input 4.
    // Rows 3 to 5: sums 5 -> row 0 (2 left), 7 -> row 1 twice (1), 6 -> row 2 twice.
    constexpr int kColumns[] = {1, 3, 4};
    constexpr int kRows[] = {0, 1, 1, 2, 2};
    GXDrawingSurface eight = test::Numbered8(5, 3);
    GXDrawingSurface twentyFour = test::Numbered24(5, 3);
    NullReportSink sink;
    ASSERT_TRUE(eight.Scale(3, 5, sink));
    ASSERT_TRUE(twentyFour.Scale(3, 5, sink));
    for (int row = 0; row < 5; ++row) {
        for (int x = 0; x < 3; ++x) {
            EXPECT_EQ(eight.Row(row)[x], kRows[row] * 5 + kColumns[x] + 1) << row << "," << x;
            EXPECT_EQ(PixelAt(twentyFour, x, row), PixelAt(test::Numbered24(5, 3), kColumns[x], kRows[row]))
                << row << "," << x;
        }
        // Each row is padded to 4 bytes with zeros: 3 of 8 bits, 3 of 12 at 24.
        EXPECT_EQ(eight.Row(row)[3], 0);
        for (int pad = 9; pad < 12; ++pad) EXPECT_EQ(twentyFour.Row(row)[pad], 0);
    }
}

TEST(Scale, TheLastInputPixelIsReachedAndTheOutputPaddingStaysZero) {
    // 4 x 2 at 24 bits fills its 12-byte rows exactly. Columns 4 to 7: sums 7 ->
    // input 0 (3 left), 10 -> input 1 twice (2), 9 -> input 2 twice (1), 8 ->
    // input 3 twice. Rows 2 to 3: 3 -> row 0 (1 left), 4 -> row 1 twice.
    constexpr int kColumns[] = {0, 1, 1, 2, 2, 3, 3};
    constexpr int kRows[] = {0, 1, 1};
    const GXDrawingSurface source = test::Numbered24(4, 2);
    ASSERT_EQ(source.Stride(), 12u);
    NullReportSink sink;
    const GXDrawingSurface wide = source.ScaledCopy(7, 3, sink);
    ASSERT_EQ(wide.Width(), 7);
    ASSERT_EQ(wide.Stride(), 24u);
    for (int row = 0; row < 3; ++row) {
        for (int x = 0; x < 7; ++x)
            EXPECT_EQ(PixelAt(wide, x, row), PixelAt(source, kColumns[x], kRows[row])) << row << "," << x;
        for (int pad = 21; pad < 24; ++pad) EXPECT_EQ(wide.Row(row)[pad], 0) << row;
    }

    // Whatever an input row's padding holds stays out of the output: 5 to 3 wide
    // shows columns 1, 3 and 4 (as in UnevenRatiosEachWay) followed by zeros.
    GXDrawingSurface padded = test::Numbered24(5, 1);
    padded.Row(0)[15] = 0xEE;
    const GXDrawingSurface narrow = padded.ScaledCopy(3, 1, sink);
    EXPECT_EQ(PixelAt(narrow, 2, 0), PixelAt(padded, 4, 0));
    for (int pad = 9; pad < 12; ++pad) EXPECT_EQ(narrow.Row(0)[pad], 0) << pad;
}

// Every pair of widths up to 23, so pixels go in fours, in ones and last: each
// output pixel is the input the accumulator rule picks, and the padding is zero.
TEST(Scale, EveryWidthPairFollowsTheAccumulator) {
    NullReportSink sink;
    for (int from = 1; from <= 23; ++from) {
        const GXDrawingSurface source = test::Numbered24(from, 1);
        for (int to = 1; to <= 23; ++to) {
            std::vector<int> picked;
            for (int input = 0, sum = 0; input < from; ++input)
                for (sum += to; sum >= from; sum -= from) picked.push_back(input);
            const GXDrawingSurface scaled = source.ScaledCopy(to, 1, sink);
            ASSERT_EQ(scaled.Width(), to);
            for (int x = 0; x < to; ++x)
                EXPECT_EQ(PixelAt(scaled, x, 0), PixelAt(source, picked[x], 0)) << from << " to " << to << " at " << x;
            for (std::size_t pad = std::size_t(to) * 3; pad < scaled.Stride(); ++pad)
                EXPECT_EQ(scaled.Row(0)[pad], 0) << from << " to " << to;
        }
    }
}

TEST(Scale, FromAnotherSurfaceLeavesThatOneAlone) {
    const GXDrawingSurface source = test::Numbered8(4, 4);
    GXDrawingSurface target = test::Numbered8(1, 1);
    target.name = "target";
    ReportLog log;
    ASSERT_TRUE(target.ScaleFrom(source, 2, 2, log));
    // As Scale would: source pixels 1 and 3 of rows 1 and 3 (index row * 4 + x + 1).
    EXPECT_EQ(target.Row(0)[0], 6);
    EXPECT_EQ(target.Row(0)[1], 8);
    EXPECT_EQ(target.Row(1)[0], 14);
    EXPECT_EQ(target.Row(1)[1], 16);
    EXPECT_EQ(target.Width(), 2);
    EXPECT_EQ(target.infoHeader.imageSize, 8u);
    EXPECT_EQ(target.name, "target");
    EXPECT_EQ(source.Width(), 4);
    EXPECT_EQ(source.Row(0)[0], 1);

    // At the source's own size the pixels come over as they are.
    ASSERT_TRUE(target.ScaleFrom(source, 4, 4, log));
    EXPECT_EQ(target.pixels, source.pixels);
    EXPECT_EQ(target.infoHeader.imageSize, 16u);

    GXDrawingSurface sixteen;
    sixteen.Create(16, 2, 2);
    EXPECT_FALSE(target.ScaleFrom(sixteen, 1, 1, log));
    ASSERT_EQ(log.reports.size(), 1u);
    EXPECT_EQ(log.reports[0].subject, "target");
    EXPECT_EQ(target.Width(), 4);
}

TEST(Scale, RefusesOtherDepthsAndIgnoresTheSameSize) {
    GXDrawingSurface s;
    s.Create(16, 2, 2);
    ReportLog log;
    EXPECT_FALSE(s.Scale(4, 4, log));
    ExpectOnlyReport(log, "Can only scale 8/24bit resources");
    EXPECT_EQ(s.Width(), 2);
    log.reports.clear();
    EXPECT_TRUE(s.Scale(2, 2, log));
    EXPECT_TRUE(log.Empty());
}

TEST(Flip, SwapsPixelsAndRows) {
    GXDrawingSurface s = test::Numbered24(3, 2);
    const GXDrawingSurface original = s;
    NullReportSink sink;
    ASSERT_TRUE(s.FlipHorizontal(Program::Viewer, sink));
    EXPECT_EQ(PixelAt(s, 0, 1), PixelAt(original, 2, 1));
    EXPECT_EQ(PixelAt(s, 1, 1), PixelAt(original, 1, 1));
    ASSERT_TRUE(s.FlipVertical(Program::Viewer, sink));
    EXPECT_EQ(PixelAt(s, 2, 0), PixelAt(original, 0, 1));
    GXDrawingSurface odd;
    odd.Create(4, 2, 2);
    ReportLog log;
    EXPECT_FALSE(odd.FlipHorizontal(Program::Authoring, log));
    ExpectOnlyReport(log, "Can't flip in non-24bit mode");
}

TEST(Rotate, TablesAreTruncated16Point16) {
    EXPECT_EQ(FixedSin(0), 0);
    EXPECT_EQ(FixedCos(0), 65536);
    // 90 x 0.0174532925 is 1.8e-9 short of pi / 2: its sine rounds to exactly 1.0
    // in double precision, its cosine (1.8e-9) truncates to 0.
    EXPECT_EQ(FixedSin(90), 65536);
    EXPECT_EQ(FixedCos(90), 0);
    // 30 x 0.0174532925 = 0.523598775 is a little under pi / 6.
    EXPECT_EQ(FixedSin(30), 32767);
    EXPECT_EQ(FixedSin(-90), FixedSin(270));
}

TEST(Rotate, CanvasIsTheDiagonalOrTheWidth) {
    GXDrawingSurface s = test::Numbered24(10, 10);
    s.Rotate(45, Program::Viewer);
    EXPECT_EQ(s.Width(), 14);  // 2 x floor(sqrt(50))
    EXPECT_EQ(s.Height(), 14);
    GXDrawingSurface a = test::Numbered24(10, 10);
    a.Rotate(45, Program::Authoring);
    EXPECT_EQ(a.Width(), 16);

    GXDrawingSurface square = test::Numbered24(10, 10);
    square.squareCanvas = true;
    square.Rotate(45, Program::Viewer);
    EXPECT_EQ(square.Width(), 10);
    EXPECT_EQ(PixelAt(square, 0, 0), kWhite);
    EXPECT_EQ(PixelAt(square, 9, 9), kWhite);
    EXPECT_TRUE(square.squareCanvas);
}

TEST(Rotate, ZeroDegreesCentresThePicture) {
    const GXDrawingSurface original = test::Numbered24(4, 2);
    GXDrawingSurface s = original;
    s.Rotate(0, Program::Viewer);
    ASSERT_EQ(s.Width(), 4);  // 2 x floor(sqrt(20 / 4))
    for (int row = 0; row < 4; ++row)
        for (int x = 0; x < 4; ++x) {
            const bool inside = row >= 1 && row <= 2;
            EXPECT_EQ(PixelAt(s, x, row), inside ? PixelAt(original, x, row - 1) : kWhite);
        }
}

TEST(Rotate, NinetyDegreesByTheFixedPointFormula) {
    // S = 4, h = 2, c = 0, s = 65536: x = 2 + ((2 - j) * 65536 + 0x8000) >> 16 = 4 - j,
    // y = 2 + ((i - 2) * 65536 + 0x8000) >> 16 = i. So destination (i, j) takes source
    // (4 - j, i); row j = 0 asks for column 4, outside the canvas: white.
    const GXDrawingSurface original = test::Numbered24(4, 4);
    GXDrawingSurface s = original;
    s.squareCanvas = true;
    s.Rotate(90, Program::Viewer);
    for (int j = 0; j < 4; ++j)
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(PixelAt(s, i, j), j == 0 ? kWhite : PixelAt(original, 4 - j, i))
                << i << "," << j;
}

TEST(Rotate, EightBitResultHasTheFixedPaletteAndRotationSetHas16Copies) {
    GXDrawingSurface s = test::Numbered8(3, 3);
    s.Rotate(10, Program::Viewer);
    EXPECT_EQ(s.palette[249], (PaletteEntry{0, 0, 0xFF, 0}));
    GXDrawingSurface frame = test::Numbered24(6, 6);
    frame.squareCanvas = true;
    frame.MakeRotationSet();
    ASSERT_EQ(frame.rotationSet.size(), 16u);
    GXDrawingSurface turned = frame;
    turned.Rotate(22 * 3, Program::Viewer);
    EXPECT_EQ(frame.rotationSet[3].pixels, turned.pixels);
    for (int row = 0; row < 6; ++row)  // row padding of a rotated picture is 0xFF
        for (int x = 0; x < 6; ++x)
            EXPECT_EQ(PixelAt(frame.rotationSet[0], x, row), PixelAt(frame, x, row));
}

TEST(Rotate, ARotationSetWithinALargestSideIsMadeFromTheScaledPicture) {
    // 8 x 4 within 4: scaled to 4 x 2 (every second pixel and row, the odd ones),
    // then turned on a canvas as wide as that: 4 x 4 copies.
    GXDrawingSurface frame = test::Numbered24(8, 4);
    frame.squareCanvas = true;
    frame.MakeRotationSet(4);
    ASSERT_EQ(frame.rotationSet.size(), 16u);
    for (const GXDrawingSurface& copy : frame.rotationSet) {
        EXPECT_EQ(copy.Width(), 4);
        EXPECT_EQ(copy.Height(), 4);
    }
    // turned by 0 the 4 x 2 picture sits in storage rows 1 and 2 of the canvas
    for (int row = 0; row < 2; ++row)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(PixelAt(frame.rotationSet[0], x, row + 1), PixelAt(frame, 2 * x + 1, 2 * row + 1));
    EXPECT_EQ(frame.Width(), 8);  // the frame itself is kept
    GXDrawingSurface small = test::Numbered24(4, 4);
    small.squareCanvas = true;
    small.MakeRotationSet(4);  // within the side already: copies as without a limit
    GXDrawingSurface plain = small;
    plain.MakeRotationSet();
    EXPECT_EQ(small.rotationSet[5].pixels, plain.rotationSet[5].pixels);
}

TEST(Blt, ClampsTheRectangleOnePixelShort) {
    GXDrawingSurface dest;
    dest.Create(24, 3, 3);
    const GXDrawingSurface blank = dest;
    GXDrawingSurface source = test::Numbered24(3, 3);
    ReportLog log;
    // Whole picture asked for: right and bottom become 2, so 2 x 2 pixels are copied.
    ASSERT_TRUE(dest.Blt(source, -5, -5, 10, 10, 0, 0, kBltCopy, log));
    // Top-down row 0 is storage row 2.
    EXPECT_EQ(PixelAt(dest, 0, 2), PixelAt(source, 0, 2));
    EXPECT_EQ(PixelAt(dest, 1, 1), PixelAt(source, 1, 1));
    EXPECT_EQ(PixelAt(dest, 2, 2), (Bgr{0, 0, 0}));
    EXPECT_EQ(PixelAt(dest, 0, 0), (Bgr{0, 0, 0}));
    GXDrawingSurface untouched = blank;
    EXPECT_FALSE(untouched.Blt(source, 1, 1, 1, 2, 0, 0, kBltCopy, log));
    EXPECT_EQ(untouched.pixels, blank.pixels);
    // A source origin that would read outside the source does nothing.
    EXPECT_FALSE(untouched.Blt(source, 0, 0, 2, 2, 2, 0, kBltCopy, log));
    EXPECT_TRUE(log.Empty());
}

TEST(Blt, TransparentSkipsWhiteAndUnknownCodesAreRefused) {
    GXDrawingSurface dest;
    dest.Create(8, 3, 2);
    GXDrawingSurface source;
    source.Create(8, 3, 2);
    source.Row(1)[0] = 255;
    source.Row(1)[1] = 9;
    ReportLog log;
    ASSERT_TRUE(dest.Blt(source, 0, 0, 2, 1, 0, 0, kBltTransparent, log));
    EXPECT_EQ(dest.Row(1)[0], 0);
    EXPECT_EQ(dest.Row(1)[1], 9);
    EXPECT_FALSE(dest.Blt(source, 0, 0, 2, 1, 0, 0, -3, log));
    ExpectOnlyReport(log, "Unsupported Blt code passed to GXDrawingSurface8Bit");
}

TEST(Blt, EraseCaptureCutsTheDestinationOutInTheSpritesShape) {
    GXDrawingSurface dest;
    dest.Create(8, 3, 3);
    for (int row = 0; row < 3; ++row)
        for (int x = 0; x < 3; ++x) dest.Row(row)[x] = std::uint8_t(10 + row * 3 + x);
    dest.Row(1)[1] = 7;
    GXDrawingSurface sprite;
    sprite.Create(8, 3, 3);
    std::fill(sprite.pixels.begin(), sprite.pixels.end(), 255);
    ReportLog log;
    GXDrawingSurface allWhite = sprite;
    ASSERT_TRUE(dest.Blt(allWhite, 0, 0, 2, 2, 0, 0, kBltEraseCapture, log));
    EXPECT_EQ(allWhite.pixels, sprite.pixels);

    sprite.Row(2)[0] = 1;  // top-left, becomes the destination's pixel
    sprite.Row(1)[1] = 7;  // already equal to the destination: stays transparent
    const auto before = dest.pixels;
    ASSERT_TRUE(dest.Blt(sprite, 0, 0, 2, 2, 0, 0, kBltEraseCapture, log));
    EXPECT_EQ(sprite.Row(2)[0], 16);
    EXPECT_EQ(sprite.Row(1)[1], 255);
    EXPECT_EQ(sprite.Row(0)[0], 255);
    EXPECT_EQ(dest.pixels, before);
}

TEST(Paste, ClipsToTheTarget) {
    GXDrawingSurface target;
    target.Create(24, 3, 3);
    const GXDrawingSurface piece = test::Numbered24(2, 2);
    ASSERT_TRUE(piece.Paste(target, 2, -1));
    EXPECT_EQ(PixelAt(target, 2, 0), PixelAt(piece, 0, 1));
    EXPECT_EQ(PixelAt(target, 1, 0), (Bgr{0, 0, 0}));
    EXPECT_FALSE(piece.Paste(target, 3, 0));
}

TEST(FromPackedDib, CopiesAValidBlockAndRefusesShortOnes) {
    std::vector<std::uint8_t> block(40 + 8 + 8, 0);
    auto put32 = [&](std::size_t at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i) block[at + i] = std::uint8_t(v >> (8 * i));
    };
    put32(0, 40);
    put32(4, 3);
    put32(8, 2);
    block[12] = 1;
    block[14] = 1;  // 1 bit
    put32(32, 2);
    block[40] = 0x11;      // palette entry 0 blue
    block[48] = 0x80;      // row 0: first pixel index 1
    GXDrawingSurface s;
    ASSERT_TRUE(s.FromPackedDib(block, "clip.avi"));
    EXPECT_EQ(s.Width(), 3);
    EXPECT_EQ(s.palette.size(), 2u);
    EXPECT_EQ(s.palette[0].blue, 0x11);
    EXPECT_EQ(s.pixels[0], 0x80);
    EXPECT_EQ(s.name, "clip.avi");
    EXPECT_EQ(s.fileHeader.pixelOffset, 54u + 8);
    block.pop_back();
    GXDrawingSurface t;
    EXPECT_FALSE(t.FromPackedDib(block, "short"));
    EXPECT_TRUE(t.Empty());
}

}  // namespace
}  // namespace orb
