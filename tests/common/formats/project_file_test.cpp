#include "common/formats/project_file.h"

#include <gtest/gtest.h>

#include "common/io/byte_reader.h"
#include "project_test_data.h"

namespace orb {
namespace {

using test::ActorRecord;
using test::FullProject;
using test::GreyBmp;

std::vector<std::uint8_t> Bytes(std::initializer_list<int> values) {
    std::vector<std::uint8_t> out;
    for (int v : values) out.push_back(static_cast<std::uint8_t>(v));
    return out;
}

void Append(std::vector<std::uint8_t>& to, const std::vector<std::uint8_t>& more) {
    to.insert(to.end(), more.begin(), more.end());
}

TEST(ProjectLayout, ProjectWithoutSoundsOrPicturesHasExactlyTheseBytes) {
    ProjectFile p;
    p.bannerPath = "x";
    p.settings.number = 7;
    p.settings.backgroundColour = 0x00332211;
    std::vector<std::uint8_t> expected = Bytes({0x34, 0x12, 1, 0, 1, 0,  // magic, version, kind
                                                1, 0, 0, 0, 0, 0, 0, 0});  // embedded, eraser
    for (int i = 0; i < 4; ++i) Append(expected, Bytes({0, 0, 0, 0}));      // four empty paths
    Append(expected, Bytes({0, 0, 0, 0, 1, 0, 0, 0}));                      // loop, sound block
    for (int i = 0; i < 4; ++i) Append(expected, Bytes({1, 0, 0, 0}));      // four missing sounds
    Append(expected, Bytes({0, 0, 0, 0, 0, 0, 0, 0}));                      // backdrop path, not used
    Append(expected, Bytes({1, 0, 0, 0, 'x', 1, 0, 0, 0}));                 // banner path, missing
    const int settings[22] = {7, 100, 0, 0, 100, 100, 50, 0, 360, 50, 0, 0, 0, 15, 0, 0, 2, 0, 0x00332211, 0, 1, 0};
    for (int v : settings) Append(expected, Bytes({v & 0xFF, (v >> 8) & 0xFF, (v >> 16) & 0xFF, (v >> 24) & 0xFF}));
    Append(expected, Bytes({0, 0, 0, 0}));  // no actors
    EXPECT_EQ(SerializeProject(p), expected);

    ProjectFile back;
    ASSERT_EQ(ParseProject(expected, back), ProjectCheck::Ok);
    EXPECT_EQ(back, p);
}

TEST(ProjectLayout, FullProjectRoundTripsFieldForField) {
    const ProjectFile p = FullProject();
    const std::vector<std::uint8_t> bytes = SerializeProject(p);
    ProjectFile back;
    ASSERT_EQ(ParseProject(bytes, back), ProjectCheck::Ok);
    EXPECT_EQ(back, p);
    EXPECT_EQ(SerializeProject(back), bytes);
}

TEST(ProjectLayout, PathEntriesCarryTheirTerminator) {
    ProjectFile p;
    p.resourcesEmbedded = 0;
    p.sounds[0].missing = 0;  // not embedded: no data follows
    const std::string path = "C:\\actors\\fish.act";
    p.actors.push_back(std::vector<std::uint8_t>(path.begin(), path.end()));
    p.actors.back().push_back(0);
    const std::vector<std::uint8_t> bytes = SerializeProject(p);
    // The last entry: its count 19 (18 characters and the zero) and the bytes.
    ASSERT_GT(bytes.size(), 23u);
    EXPECT_EQ(bytes[bytes.size() - 23], 19);
    EXPECT_EQ(bytes.back(), 0);
    ProjectFile back;
    ASSERT_EQ(ParseProject(bytes, back), ProjectCheck::Ok);
    EXPECT_EQ(back, p);
}

TEST(ProjectChecks, HeaderChecksInOrder) {
    std::vector<std::uint8_t> good = SerializeProject(ProjectFile{});
    ProjectFile out;
    auto with = [&](std::size_t at, std::uint8_t low, std::uint8_t high) {
        std::vector<std::uint8_t> b = good;
        b[at] = low;
        b[at + 1] = high;
        return ParseProject(b, out);
    };
    EXPECT_EQ(with(0, 0x35, 0x12), ProjectCheck::NotOrbellan);
    EXPECT_EQ(with(2, 2, 0), ProjectCheck::LaterVersion);
    EXPECT_EQ(with(2, 0, 0), ProjectCheck::Ok);        // version 0 passes
    EXPECT_EQ(with(2, 0xFF, 0xFF), ProjectCheck::Ok);  // -1 passes
    EXPECT_EQ(with(2, 0x00, 0x80), ProjectCheck::Ok);  // 0x8000 is negative as a signed value
    EXPECT_EQ(with(4, 2, 0), ProjectCheck::NotProject);  // an actor file
    EXPECT_EQ(ParseProject(std::vector<std::uint8_t>{}, out), ProjectCheck::NotOrbellan);
    // A bad magic wins over a bad version.
    std::vector<std::uint8_t> both = good;
    both[0] = 0;
    both[2] = 9;
    EXPECT_EQ(ParseProject(both, out), ProjectCheck::NotOrbellan);
}

TEST(ProjectChecks, BackgroundKindIsCheckedOnlyByTheAuthoringProgram) {
    ProjectFile p;
    for (int kind : {-1, 4}) {
        p.settings.backgroundKind = kind;
        const std::vector<std::uint8_t> bytes = SerializeProject(p);
        ProjectFile out;
        EXPECT_EQ(ParseProject(bytes, out), ProjectCheck::Ok);
        ProjectParseOptions authoring;
        authoring.checkBackgroundKind = true;
        EXPECT_EQ(ParseProject(bytes, out, authoring), ProjectCheck::BadBackgroundKind);
    }
    p.settings.backgroundKind = 3;
    ProjectFile out;
    EXPECT_EQ(ParseProject(SerializeProject(p), out, {false, true}), ProjectCheck::Ok);
}

TEST(ProjectChecks, MessagesOfBothPrograms) {
    EXPECT_EQ(ProjectCheckMessage(ProjectCheck::CannotOpen, Program::Viewer), "");
    EXPECT_EQ(ProjectCheckMessage(ProjectCheck::CannotOpen, Program::Authoring),
              "Unable to open input project file: file may be in use");
    EXPECT_EQ(ProjectCheckMessage(ProjectCheck::NotOrbellan, Program::Viewer), "File is not valid Orbellan file");
    EXPECT_EQ(ProjectCheckMessage(ProjectCheck::NotOrbellan, Program::Authoring), "File is not a valid Orbellan Project");
    EXPECT_EQ(ProjectCheckMessage(ProjectCheck::LaterVersion, Program::Viewer),
              "This project was created by a later edition of Orbellan,\nand contains features unsupported by this "
              "release");
    EXPECT_EQ(ProjectCheckMessage(ProjectCheck::LaterVersion, Program::Authoring),
              "This project was created by a later version of Orbellan, and contains features unsupported by this "
              "release.");
    EXPECT_EQ(ProjectCheckMessage(ProjectCheck::NotProject, Program::Viewer), "File is not valid Orbellan Project file");
    EXPECT_EQ(ProjectCheckMessage(ProjectCheck::NotProject, Program::Authoring),
              "File is not a valid Orbellan project file");
    EXPECT_EQ(ProjectCheckMessage(ProjectCheck::BadBackgroundKind, Program::Viewer), "");
    EXPECT_EQ(ProjectCheckMessage(ProjectCheck::BadBackgroundKind, Program::Authoring), "Corrupt Project file: aborting");

    // How each is delivered: kind and argument.
    ReportLog log;
    ReportProjectCheck(ProjectCheck::CannotOpen, Program::Viewer, "a.apj", log);
    EXPECT_TRUE(log.Empty());
    ReportProjectCheck(ProjectCheck::CannotOpen, Program::Authoring, "a.apj", log);
    ReportProjectCheck(ProjectCheck::LaterVersion, Program::Authoring, "a.apj", log);
    ReportProjectCheck(ProjectCheck::LaterVersion, Program::Viewer, "a.apj", log);
    ReportProjectCheck(ProjectCheck::BadBackgroundKind, Program::Authoring, "a.apj", log);
    ReportProjectCheck(ProjectCheck::NotProject, Program::Authoring, "a.apj", log);
    ASSERT_EQ(log.reports.size(), 5u);
    EXPECT_EQ(log.reports[0].kind, ReportKind::Information);
    EXPECT_EQ(log.reports[0].subject, "a.apj");
    EXPECT_EQ(log.reports[1].kind, ReportKind::Error);
    EXPECT_EQ(log.reports[1].subject, "");
    EXPECT_EQ(log.reports[2].subject, "a.apj");
    EXPECT_EQ(log.reports[3].kind, ReportKind::Information);
    EXPECT_EQ(log.reports[3].subject, "");
    EXPECT_EQ(FormatReport(log.reports[4]), "File is not a valid Orbellan project file (a.apj)\n");
}

TEST(ProjectChecks, PreviewReadsOnlyUpToTheBanner) {
    const std::vector<std::uint8_t> bytes = SerializeProject(FullProject());
    // Cut right after the banner record: the settings begin 23 i32 and the actors before the end.
    std::size_t actorBytes = 4;
    for (const auto& actor : FullProject().actors) actorBytes += actor.size();
    const std::size_t bannerEnd = bytes.size() - actorBytes - 22 * 4;
    std::vector<std::uint8_t> head(bytes.begin(), bytes.begin() + static_cast<long>(bannerEnd));
    ProjectFile out;
    EXPECT_EQ(ParseProject(head, out, {true, false}), ProjectCheck::Ok);
    EXPECT_EQ(out.banner, FullProject().banner);
    EXPECT_EQ(ParseProject(head, out), ProjectCheck::Truncated);
}

TEST(ProjectHostile, TruncationAtEveryByteIsRefused) {
    const std::vector<std::uint8_t> bytes = SerializeProject(FullProject());
    for (std::size_t length = 0; length < bytes.size(); ++length) {
        ProjectFile out;
        ProjectCheck check = ParseProject(std::span(bytes.data(), length), out);
        EXPECT_NE(check, ProjectCheck::Ok) << length;
    }
}

TEST(ProjectHostile, BadCountsAreRefusedWithTheirOwnCheck) {
    ProjectFile base;
    base.soundPaths[0] = "m.mid";
    base.sounds[0] = {0, {1, 2, 3}};
    const std::vector<std::uint8_t> good = SerializeProject(base);
    auto patched = [&](std::size_t at, std::int32_t value) {
        std::vector<std::uint8_t> b = good;
        for (int i = 0; i < 4; ++i) b[at + i] = static_cast<std::uint8_t>(std::uint32_t(value) >> (8 * i));
        ProjectFile out;
        return ParseProject(b, out);
    };
    const std::size_t musicCount = 14;
    EXPECT_EQ(patched(musicCount, 256), ProjectCheck::StringTooLong);
    EXPECT_EQ(patched(musicCount, -1), ProjectCheck::StringTooLong);
    EXPECT_EQ(patched(musicCount, 0x7FFFFFFF), ProjectCheck::StringTooLong);
    // Sound record: after 4 paths (4 + 5 + 4 x 3 bytes), loop and block flags, the missing field.
    const std::size_t soundSize = 14 + 9 + 12 + 8 + 4;
    EXPECT_EQ(patched(soundSize, -5), ProjectCheck::BadSize);
    EXPECT_EQ(patched(soundSize, 0x7FFFFFFF), ProjectCheck::BadSize);
    // Actor count: the last four bytes.
    EXPECT_EQ(patched(good.size() - 4, 1), ProjectCheck::BadActorCount);
    EXPECT_EQ(patched(good.size() - 4, 0x40000000), ProjectCheck::BadActorCount);
    EXPECT_EQ(patched(good.size() - 4, -3), ProjectCheck::Ok);  // below 1: no actors

    // A 255-byte path is the longest that fits.
    ProjectFile longest;
    longest.bannerPath = std::string(255, 'b');
    ProjectFile out;
    EXPECT_EQ(ParseProject(SerializeProject(longest), out), ProjectCheck::Ok);
}

TEST(ProjectHostile, DamagedPicturesAndActorsAreRefused) {
    auto parseWithBanner = [](std::vector<std::uint8_t> bitmap) {
        ProjectFile p;
        p.banner = {0, 0, std::move(bitmap)};
        ProjectFile out;
        return ParseProject(SerializeProject(p), out);
    };
    std::vector<std::uint8_t> bmp = GreyBmp(2, 2, 1);
    EXPECT_EQ(parseWithBanner(bmp), ProjectCheck::Ok);
    std::vector<std::uint8_t> notBm = bmp;
    notBm[0] = 'X';
    EXPECT_EQ(parseWithBanner(notBm), ProjectCheck::BadImage);
    std::vector<std::uint8_t> hugeImage = bmp;
    hugeImage[34] = 0xFF;
    hugeImage[35] = 0xFF;
    hugeImage[36] = 0xFF;
    hugeImage[37] = 0x7F;
    EXPECT_EQ(parseWithBanner(hugeImage), ProjectCheck::BadImage);
    std::vector<std::uint8_t> manyColours = bmp;
    manyColours[28] = 8;    // 8 bits per pixel
    manyColours[46] = 0;    // colours used 257
    manyColours[47] = 1;
    manyColours[46] = 1;
    EXPECT_EQ(parseWithBanner(manyColours), ProjectCheck::BadImage);

    ProjectFile p;
    p.actors = {ActorRecord("a", 2)};
    std::vector<std::uint8_t> bytes = SerializeProject(p);
    ProjectFile out;
    ASSERT_EQ(ParseProject(bytes, out), ProjectCheck::Ok);
    const std::size_t frameCountAt = bytes.size() - p.actors[0].size() + 6;
    bytes[frameCountAt + 3] = 0x10;  // a frame count no file can hold
    EXPECT_EQ(ParseProject(bytes, out), ProjectCheck::BadActor);
    bytes[frameCountAt + 3] = 0x80;  // negative
    EXPECT_EQ(ParseProject(bytes, out), ProjectCheck::BadActor);
}

}  // namespace
}  // namespace orb
