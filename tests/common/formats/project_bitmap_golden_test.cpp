// Embedded pictures whose pixels do not follow the palette directly: the project
// reader must step over exactly what the bitmap reader reads, image size bytes
// from the picture's own pixel offset.
#include <gtest/gtest.h>

#include "common/formats/project_file.h"
#include "common/imaging/bmp.h"
#include "common/io/byte_reader.h"
#include "project_test_data.h"

namespace orb {
namespace {

// An 8-bit 2 x 2 picture with a 2-entry palette (black, white) and a 6-byte gap
// before its pixels: pixel offset 54 + 2 x 4 + 6 = 68, image size 2 rows x 4 =
// 8 bytes, 76 bytes in all (a reader going by 54 + palette + image size would stop
// at 70). Bottom row: white, black; top row: black, white. The gap holds 0xEE.
std::vector<std::uint8_t> GappedBmp() {
    ByteWriter w;
    w.U16(0x4D42);
    w.U32(76);
    w.U16(0);
    w.U16(0);
    w.U32(68);
    w.U32(40);
    w.I32(2);
    w.I32(2);
    w.U16(1);
    w.U16(8);
    w.U32(0);
    w.U32(8);
    w.I32(0);
    w.I32(0);
    w.U32(2);
    w.U32(0);
    w.U32(0x00000000);  // entry 0 black
    w.U32(0x00FFFFFF);  // entry 1 white
    for (int i = 0; i < 6; ++i) w.U8(0xEE);
    const std::uint8_t rows[8] = {1, 0, 0, 0, 0, 1, 0, 0};
    for (std::uint8_t b : rows) w.U8(b);
    return w.bytes;
}

// The same picture as an actor's only frame.
std::vector<std::uint8_t> GappedActor() { return test::ActorRecordOf("gapped", {GappedBmp()}); }

TEST(ProjectBitmapGolden, PicturesEndImageSizeBytesAfterTheirPixelOffset) {
    ASSERT_EQ(GappedBmp().size(), 76u);
    ProjectFile p;
    p.useBackdropImage = 1;
    p.backdrop = {0, 0, GappedBmp()};
    p.bannerPath = "banner after the gap";
    p.banner = {0, 0, GappedBmp()};
    p.settings.number = 17;
    p.settings.alignToPath = 1;
    p.actors = {GappedActor(), test::ActorRecord("plain", 1)};

    ProjectFile back;
    ASSERT_EQ(ParseProject(SerializeProject(p), back), ProjectCheck::Ok);
    EXPECT_EQ(back.backdrop.bitmap.size(), 76u);
    EXPECT_EQ(back.bannerPath, "banner after the gap");
    EXPECT_EQ(back.banner.bitmap.size(), 76u);
    EXPECT_EQ(back.settings.number, 17);
    EXPECT_EQ(back.settings.alignToPath, 1);
    ASSERT_EQ(back.actors.size(), 2u);
    EXPECT_EQ(back.actors[0].size(), GappedActor().size());
    EXPECT_EQ(back, p);

    // The picture read from the record shows the pixels, not the gap.
    ByteReader reader(back.backdrop.bitmap);
    FrameList list;
    ReportLog log;
    GXDrawingSurface* picture = LoadBmp(reader, list, "EmbeddedBackdropResource", log, Program::Viewer);
    ASSERT_NE(picture, nullptr);
    EXPECT_TRUE(log.reports.empty());
    EXPECT_EQ(picture->Row(0)[0], 255);  // bottom row, left: white
    EXPECT_EQ(picture->Row(0)[3], 0);
    EXPECT_EQ(picture->Row(1)[0], 0);    // top row, left: black
    EXPECT_EQ(picture->Row(1)[3], 255);
    EXPECT_EQ(reader.Remaining(), 0u);
}

// A pixel offset pointing into the headers or the palette is refused.
TEST(ProjectBitmapGolden, PixelOffsetsInsideTheHeadersAreRefused) {
    std::vector<std::uint8_t> bmp = GappedBmp();
    bmp[10] = 61;  // one byte short of the end of the palette (54 + 8 = 62)
    ProjectFile p;
    p.useBackdropImage = 1;
    p.backdrop = {0, 0, bmp};
    ProjectFile back;
    EXPECT_EQ(ParseProject(SerializeProject(p), back), ProjectCheck::BadImage);
}

}  // namespace
}  // namespace orb
