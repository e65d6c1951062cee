#include "common/formats/actor_file.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "common/imaging/bmp.h"
#include "tests/common/imaging/test_pictures.h"

namespace orb {
namespace {

// An actor of `count` 24-bit frames, numbered as the programs number them.
FrameList MakeActor(int count) {
    FrameList frames;
    for (int i = 0; i < count; ++i) {
        GXDrawingSurface frame = test::Numbered24(3 + i, 2);
        frame.name = "frame " + std::to_string(i);
        frame.key = {10, 20, 30, 4};
        frame.squareCanvas = true;
        frame.storedAngle = 90;
        frame.frameCount = 0;
        frame.AppendCopy(frames);
    }
    NumberFrames(frames);
    frames.front()->name = "walker.avi";
    return frames;
}

std::vector<std::uint8_t> Written(const GXDrawingSurface& first) {
    ByteWriter w;
    WriteActor(w, first);
    return w.bytes;
}

TEST(ActorFile, WritesTheRecordLayout) {
    const FrameList actor = MakeActor(1);
    const auto bytes = Written(*actor.front());
    ByteReader r(bytes);
    std::uint16_t magic, version, kind;
    std::int32_t fields[7];
    ASSERT_TRUE(r.ReadU16(magic) && r.ReadU16(version) && r.ReadU16(kind));
    for (auto& f : fields) ASSERT_TRUE(r.ReadI32(f));
    EXPECT_EQ(magic, 0x1234);
    EXPECT_EQ(version, 1);
    EXPECT_EQ(kind, 2);
    EXPECT_EQ(fields[0], 1);   // frames
    EXPECT_EQ(fields[1], 1);   // rotated
    EXPECT_EQ(fields[2], 90);  // rotation
    EXPECT_EQ(fields[3], 10);  // blue
    EXPECT_EQ(fields[5], 30);  // red
    EXPECT_EQ(fields[6], 4);
    std::int32_t nameLength;
    ASSERT_TRUE(r.ReadI32(nameLength));
    EXPECT_EQ(nameLength, 11);  // "walker.avi" and its zero byte
    ASSERT_TRUE(r.Skip(11));
    std::int32_t frameNameLength;
    ASSERT_TRUE(r.ReadI32(frameNameLength));
    EXPECT_EQ(frameNameLength, 11);
    ASSERT_TRUE(r.Skip(11));
    // A 24-bit frame has no palette: pixels at 54.
    std::uint32_t pixelOffset;
    ASSERT_TRUE(r.Skip(10) && r.ReadU32(pixelOffset));
    EXPECT_EQ(pixelOffset, 54u);
}

TEST(ActorFile, RoundTripsFramesLinksAndKeys) {
    const FrameList actor = MakeActor(3);
    const auto bytes = Written(*actor.front());
    FrameList list;
    GXDrawingSurface other = test::Numbered24(1, 1);
    GXDrawingSurface* before = other.AppendCopy(list);
    ReportLog log;
    ByteReader r(bytes);
    ActorReadResult result = ReadActor(r, list, Program::Viewer, log);
    ASSERT_TRUE(result);
    EXPECT_TRUE(log.Empty());
    EXPECT_EQ(result.name, "walker.avi");
    EXPECT_EQ(result.frameCount, 3);
    ASSERT_EQ(list.size(), 4u);
    EXPECT_EQ(result.firstFrame, list[1].get());
    EXPECT_EQ(before->nextFrame, result.firstFrame);
    for (int i = 0; i < 3; ++i) {
        const GXDrawingSurface& f = *list[1 + i];
        EXPECT_EQ(f.firstFrame, result.firstFrame);
        EXPECT_EQ(f.frameIndex, i);
        EXPECT_EQ(f.frameCount, 3);
        EXPECT_EQ(f.key, (ColourKey{10, 20, 30, 4}));
        EXPECT_TRUE(f.squareCanvas);
        EXPECT_EQ(f.storedAngle, 90);
        EXPECT_EQ(f.pixels, actor[i]->pixels);
    }
    EXPECT_EQ(list[1]->name, "walker.avi");  // each frame keeps its own frame name
    EXPECT_EQ(list[2]->name, "frame 1");
    EXPECT_EQ(r.Remaining(), 0u);
    EXPECT_EQ(Written(*result.firstFrame), bytes);
}

TEST(ActorFile, EightBitFramesCarryTheirPaletteAndReadAs24Bit) {
    GXDrawingSurface frame = test::Numbered8(5, 2);
    frame.name = "still";
    FrameList one;
    frame.AppendCopy(one);
    NumberFrames(one);
    const auto bytes = Written(*one.front());
    // Header 34 bytes, name 4 + 6, frame name 4 + 6, then the BMP's pixel offset.
    ByteReader r(bytes, 34 + 10 + 10 + 10);
    std::uint32_t pixelOffset;
    ASSERT_TRUE(r.ReadU32(pixelOffset));
    EXPECT_EQ(pixelOffset, 1078u);
    FrameList list;
    ReportLog log;
    ByteReader whole(bytes);
    ASSERT_TRUE(ReadActor(whole, list, Program::Authoring, log));
    EXPECT_EQ(list.front()->Depth(), 24);
}

TEST(ActorFile, HeaderChecksInEachProgramsWords) {
    const auto good = Written(*MakeActor(1).front());
    auto project = good;
    project[4] = 1;
    auto later = good;
    later[2] = 2;
    auto zero = good;
    zero[2] = 0;
    auto notOrb = good;
    notOrb[0] = 0x35;
    struct Case {
        std::vector<std::uint8_t> bytes;
        Program program;
        ActorReadStatus status;
        const char* message;
    };
    const Case cases[] = {
        {notOrb, Program::Viewer, ActorReadStatus::NotAnActor, "File is not valid Orbellan Actor"},
        {project, Program::Authoring, ActorReadStatus::NotAnActor, "File is not valid Orbellan Actor"},
        {later, Program::Viewer, ActorReadStatus::LaterVersion,
         "Version Conflict: This Actor file was created by a later version of Orbellan,\nand "
         "contains features unsupported by release"},
        {later, Program::Authoring, ActorReadStatus::LaterVersion,
         "Version Conflict: This Actor file was created by a later version of Orbellan (2),\nand "
         "contains features unsupported by release 1\n"},
    };
    for (const Case& c : cases) {
        FrameList list;
        ReportLog log;
        ByteReader r(c.bytes);
        const ActorReadResult result = ReadActor(r, list, c.program, log, "a.act");
        EXPECT_EQ(result.status, c.status);
        EXPECT_TRUE(list.empty());
        ASSERT_EQ(log.reports.size(), 1u);
        EXPECT_EQ(log.reports[0].message, c.message);
        EXPECT_EQ(log.reports[0].subject, "a.act");
    }
    FrameList list;
    ReportLog log;
    ByteReader r(zero);
    EXPECT_TRUE(ReadActor(r, list, Program::Viewer, log));  // version 0 passes
}

TEST(ActorFile, NoFramesIsAnEmptyActor) {
    ByteWriter w;
    w.U16(0x1234), w.U16(1), w.U16(2);
    for (int i = 0; i < 7; ++i) w.I32(0);
    w.I32(1), w.U8(0);
    FrameList list;
    ReportLog log;
    ByteReader r(w.bytes);
    const ActorReadResult result = ReadActor(r, list, Program::Viewer, log);
    ASSERT_TRUE(result);
    EXPECT_EQ(result.firstFrame, nullptr);
    EXPECT_TRUE(list.empty());
}

TEST(ActorFile, HostileCountsAndBrokenFramesLeaveTheListAlone) {
    const auto good = Written(*MakeActor(2).front());
    auto patch32 = [](std::vector<std::uint8_t> bytes, std::size_t at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i) bytes[at + i] = std::uint8_t(v >> (8 * i));
        return bytes;
    };
    struct Case {
        const char* what;
        std::vector<std::uint8_t> bytes;
        ActorReadStatus status;
    };
    // Header, actor name, then frame 0: its name ("walker.avi") and a 3 x 2 BMP.
    const std::size_t secondFrame = 34 + (4 + 11) + (4 + 11) + 54 + 2 * 12;
    const std::size_t secondBmp = secondFrame + 4 + 8;  // after "frame 1"
    auto secondBmpType = good;
    ASSERT_EQ(secondBmpType[secondBmp], 'B');
    secondBmpType[secondBmp] = 'X';
    const Case cases[] = {
        {"two billion frames", patch32(good, 6, 2000000000), ActorReadStatus::BadFrameCount},
        {"negative frames", patch32(good, 6, 0xFFFFFFFF), ActorReadStatus::BadFrameCount},
        {"three frames", patch32(good, 6, 3), ActorReadStatus::BadName},  // no third name
        {"name too long", patch32(good, 34, 1u << 30), ActorReadStatus::BadName},
        {"negative name", patch32(good, 34, 0x80000000), ActorReadStatus::BadName},
        {"cut in the header", std::vector<std::uint8_t>(good.begin(), good.begin() + 20),
         ActorReadStatus::Truncated},
        {"second frame not a BMP", secondBmpType, ActorReadStatus::BadFrame},
        {"cut in the second frame's headers",
         std::vector<std::uint8_t>(good.begin(), good.begin() + secondBmp + 30),
         ActorReadStatus::BadFrame},
    };
    for (const Case& c : cases) {
        FrameList list;
        GXDrawingSurface keep = test::Numbered24(1, 1);
        keep.AppendCopy(list);
        ReportLog log;
        ByteReader r(c.bytes);
        const ActorReadResult result = ReadActor(r, list, Program::Viewer, log, "bad.act");
        EXPECT_EQ(result.status, c.status) << c.what;
        EXPECT_EQ(list.size(), 1u) << c.what;
        EXPECT_EQ(list.front()->nextFrame, nullptr) << c.what;
        EXPECT_FALSE(log.Empty()) << c.what;
    }
}

TEST(ActorFile, FilesSaveAtomicallyAndReportInEachProgramsWords) {
    const auto dir = std::filesystem::temp_directory_path() / "orb_actor_file_test";
    std::filesystem::create_directories(dir);
    const FrameList actor = MakeActor(2);
    ReportLog log;
    ASSERT_TRUE(SaveActor(dir / "walker.act", *actor.front(), log));
    FrameList list;
    ASSERT_TRUE(LoadActor(dir / "walker.act", list, Program::Authoring, log));
    EXPECT_EQ(list.size(), 2u);
    EXPECT_TRUE(log.Empty());

    const auto missing = dir / "missing.act";
    EXPECT_EQ(LoadActor(missing, list, Program::Viewer, log).status, ActorReadStatus::CannotOpen);
    EXPECT_EQ(log.reports.at(0).message, "Unable to open actor file: file may be corrupt or in use");
    EXPECT_EQ(log.reports.at(0).subject, missing.string());
    EXPECT_FALSE(LoadActor(missing, list, Program::Authoring, log));
    EXPECT_EQ(log.reports.at(1).message,
              "Unable to open actor file " + missing.string() + " : file may be corrupt or in use\n");
    const auto nowhere = dir / "no" / "such.act";
    EXPECT_FALSE(SaveActor(nowhere, *actor.front(), log));
    EXPECT_EQ(log.reports.at(2).message, "Unable to save actor file " + nowhere.string() +
                                             " : disc may be full, or file may be in use\n");
    std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace orb
