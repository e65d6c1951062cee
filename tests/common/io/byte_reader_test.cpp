#include "common/io/byte_reader.h"
#include "common/io/byte_writer.h"

#include <gtest/gtest.h>

namespace orb {
namespace {

TEST(ByteReader, ReadsLittleEndianAndStopsAtTheEnd) {
    const std::uint8_t data[] = {0x34, 0x12, 0xff, 0xff, 0xff, 0xff, 0x01};
    ByteReader reader(data);
    std::uint16_t magic = 0;
    std::int32_t minus_one = 0;
    ASSERT_TRUE(reader.ReadU16(magic));
    EXPECT_EQ(magic, 0x1234);
    ASSERT_TRUE(reader.ReadI32(minus_one));
    EXPECT_EQ(minus_one, -1);
    std::int32_t too_far = 7;
    EXPECT_FALSE(reader.ReadI32(too_far));
    EXPECT_EQ(too_far, 7);
    EXPECT_EQ(reader.Position(), 6u);
    std::uint8_t last = 0;
    EXPECT_TRUE(reader.ReadU8(last));
    EXPECT_EQ(reader.Remaining(), 0u);
}

TEST(ByteReader, RefusesSeeksAndSpansBeyondTheData) {
    const std::uint8_t data[4] = {1, 2, 3, 4};
    ByteReader reader(data);
    EXPECT_FALSE(reader.Seek(5));
    EXPECT_TRUE(reader.Seek(4));
    EXPECT_TRUE(reader.Seek(1));
    std::span<const std::uint8_t> view;
    EXPECT_FALSE(reader.ReadSpan(4, view));
    ASSERT_TRUE(reader.ReadSpan(3, view));
    EXPECT_EQ(view[2], 4);
    EXPECT_FALSE(reader.Skip(1));
    // A huge count never wraps around into a valid range.
    EXPECT_FALSE(reader.Skip(static_cast<std::size_t>(-1)));
}

TEST(ByteWriter, WritesWhatTheReaderReads) {
    ByteWriter writer;
    writer.U16(0x1234);
    writer.I32(-5);
    writer.U32(0);
    writer.PatchU32(6, 0xdeadbeef);
    ByteReader reader(writer.bytes);
    std::uint16_t a;
    std::int32_t b;
    std::uint32_t c;
    ASSERT_TRUE(reader.ReadU16(a) && reader.ReadI32(b) && reader.ReadU32(c));
    EXPECT_EQ(a, 0x1234);
    EXPECT_EQ(b, -5);
    EXPECT_EQ(c, 0xdeadbeefu);
}

}  // namespace
}  // namespace orb
