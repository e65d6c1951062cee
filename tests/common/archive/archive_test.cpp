#include "common/archive/archive.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>

#include "common/archive/member_name.h"
#include "common/io/file_io.h"
#include "tests/common/test_folder.h"
#include "zip_builder.h"

namespace orb {
namespace {

namespace fs = std::filesystem;
using test::BuildZip;
using test::TestMember;
using test::FreshFolder;
using test::Put;

std::string Get(const fs::path& path) {
    auto bytes = ReadWholeFile(path);
    return bytes ? std::string(bytes->begin(), bytes->end()) : std::string("<missing>");
}

// Varied text that deflates well but not trivially.
std::string SampleText(std::size_t size, unsigned seed) {
    std::mt19937 random(seed);
    std::string text;
    const char* words[] = {"orbit ", "sprite ", "bounce ", "star ", "field\n", "\x01\xff", "splat "};
    while (text.size() < size) text += (random() % 5 == 0) ? std::string(1, char(random())) : words[random() % 7];
    text.resize(size);
    return text;
}

bool HostTools() {
#ifdef _WIN32
    return false;  // Info-ZIP and Python are native tools; under Wine they are not there.
#else
    return std::system("command -v unzip >/dev/null 2>&1 && command -v zip >/dev/null 2>&1 && "
                       "command -v python3 >/dev/null 2>&1") == 0;
#endif
}

// Runs beside the native Info-ZIP and Python, where they are installed.
class ArchiveInterop : public ::testing::Test {
protected:
    void SetUp() override {
        if (!HostTools()) GTEST_SKIP() << "needs native zip, unzip and python3";
    }
};

struct Extracted {
    int count = 0;
    int status = 0;
    int result = 0;
};

Extracted ExtractInto(const fs::path& archive, const fs::path& folder) {
    Extracted e;
    auto listing = ReadArchiveDirectory(archive.string(), e.count, e.status);
    if (!listing) return e;
    e.result = ExtractAll(*listing, folder);
    FreeArchiveDirectory(listing);
    return e;
}

TEST(ArchivePercent, FollowsTheTwoFormulasAndUnknownTotals) {
    EXPECT_EQ(ProgressPercent(0, 50, 200), 25);
    EXPECT_EQ(ProgressPercent(100, 150, 200), 25);
    EXPECT_EQ(ProgressPercent(0, 999999, 999999), 100);
    // Above 999999: 1500000 / (2000000 / 100) = 75.
    EXPECT_EQ(ProgressPercent(0, 1500000, 2000000), 75);
    // 1000001 / 100 = 10000 (integer), so 333333 / 10000 = 33.
    EXPECT_EQ(ProgressPercent(0, 333333, 1000001), 33);
    EXPECT_EQ(ProgressPercent(0, 10, 0), -1);
    EXPECT_EQ(ProgressPercent(0, 10, -1), -1);
}

TEST(ArchiveStatus, TextsForNoErrorMissingDetailAndLongDetail) {
    ALStatus s;
    EXPECT_EQ(s.Text(), "No errors");
    EXPECT_EQ(s.Set(AL_READ_ERROR, ""), -1193);
    EXPECT_EQ(s.Text(), "Unable to allocate memory for error detail message");
    s.Set(AL_READ_ERROR, std::string(5000, 'x'));
    EXPECT_EQ(s.Text().size(), ALStatus::kDetailCapacity);
}

TEST(ArchiveDosTime, SplitsFieldsByBitWidths) {
    // 13:45:58 -> 13 << 11 | 45 << 5 | 29; 2026-12-08 -> 46 << 9 | 12 << 5 | 8.
    ALTimeDate td = TimeDateFromDos((13 << 11) | (45 << 5) | 29, (46 << 9) | (12 << 5) | 8);
    EXPECT_EQ(td.hour, 13);
    EXPECT_EQ(td.minute, 45);
    EXPECT_EQ(td.second, 58);
    EXPECT_EQ(td.year, 2026);
    EXPECT_EQ(td.month, 12);
    EXPECT_EQ(td.day, 8);
    EXPECT_EQ(DosTime(td), (13 << 11) | (45 << 5) | 29);
    EXPECT_EQ(DosDate(td), (46 << 9) | (12 << 5) | 8);
}

TEST(ArchiveNames, StripAndStoredNames) {
    EXPECT_EQ(StripPath("C:\\Savers\\ORBxxx.apj"), "ORBxxx.apj");
    EXPECT_EQ(StripPath("/tmp/dir/ORBxxx.apj"), "ORBxxx.apj");
    EXPECT_EQ(StripPath("a/b\\c"), "c");  // the last backslash wins over a later slash
    EXPECT_EQ(StripPath("D:file.txt"), "file.txt");
    EXPECT_EQ(StripPath("plain"), "plain");
    EXPECT_EQ(MemberNameForFile("C:\\Savers\\fish.apj", false), "Savers/fish.apj");
    EXPECT_EQ(MemberNameForFile("\\\\top.txt", false), "top.txt");
    EXPECT_EQ(MemberNameForFile("C:\\Savers\\fish.apj", true), "fish.apj");
}

TEST(ArchiveNames, UnsafeMemberNamesAreRefused) {
    for (const char* bad : {"", "/etc/passwd", "\\windows\\x", "C:\\x.txt", "C:x.txt", "../x", "a/../../x",
                            "a\\..\\..\\x", "..\\x", "a/..", "...", "a/.. /b", "a/.../b", "file.txt:stream",
                            "a\x01b", "./", "/"})
        EXPECT_FALSE(SafeMemberPath(bad).has_value()) << bad;
    auto nested = SafeMemberPath("a\\b.txt");
    ASSERT_TRUE(nested);
    EXPECT_EQ(nested->relative, fs::path("a") / "b.txt");
    EXPECT_FALSE(nested->directory);
    auto folder = SafeMemberPath("dir/");
    ASSERT_TRUE(folder);
    EXPECT_TRUE(folder->directory);
    EXPECT_EQ(SafeMemberPath("./a//b..c")->relative, fs::path("a") / "b..c");
}

TEST(ArchiveRoundTrip, CompressListAndExtractKeepEveryByte) {
    fs::path folder = FreshFolder("archive_roundtrip");
    const std::string text = SampleText(300000, 7);
    Put(folder / "ORBxxx.apj", text);
    std::vector<int> percents;
    ALProgress progress = [&](const std::string&, int percent) { percents.push_back(percent); };
    ASSERT_EQ(CompressFileToArchive((folder / "fish.apj").string(), (folder / "ORBxxx.apj").string(), true, progress),
              0);
    ASSERT_FALSE(percents.empty());
    EXPECT_EQ(percents.back(), 100);
    EXPECT_TRUE(std::is_sorted(percents.begin(), percents.end()));
    EXPECT_FALSE(fs::exists(folder / "fish.apj.tmp~"));

    int count = 0, status = 0;
    auto listing = ReadArchiveDirectory((folder / "fish.apj").string(), count, status);
    ASSERT_TRUE(listing);
    ASSERT_EQ(count, 1);
    EXPECT_EQ(status, 0);
    const ArchiveListingEntry& entry = listing->entries[0];
    EXPECT_EQ(entry.name, "ORBxxx.apj");
    EXPECT_EQ(entry.size, 300000);
    EXPECT_LT(entry.compressedSize, 300000);
    EXPECT_EQ(entry.engine, 1);  // deflate, option 0 ("normal")
    EXPECT_GE(entry.timeDate.year, 1980);
    EXPECT_EQ(listing->archiveName, (folder / "fish.apj").string());

    fs::path out = folder / "out";
    EXPECT_EQ(ExtractAll(*listing, out), 1);
    EXPECT_EQ(Get(out / "ORBxxx.apj"), text);
    FreeArchiveDirectory(listing);
    EXPECT_FALSE(listing);
    fs::remove_all(folder);
}

TEST(ArchiveRoundTrip, EmptyFileAndFailedCompressionKeepsTheOldArchive) {
    fs::path folder = FreshFolder("archive_empty");
    Put(folder / "empty.txt", std::string());
    ASSERT_EQ(CompressFileToArchive((folder / "e.zip").string(), (folder / "empty.txt").string(), true), 0);
    EXPECT_EQ(ExtractInto(folder / "e.zip", folder / "out").result, 1);
    EXPECT_EQ(Get(folder / "out" / "empty.txt"), "");

    const std::string before = Get(folder / "e.zip");
    EXPECT_EQ(CompressFileToArchive((folder / "e.zip").string(), (folder / "absent.txt").string(), true), AL_OPEN_ERROR);
    EXPECT_EQ(Get(folder / "e.zip"), before);
    fs::remove_all(folder);
}

TEST(ArchiveRead, TrailingBytesAfterTheEndRecordAreAllowed) {
    fs::path folder = FreshFolder("archive_trailing");
    std::vector<std::uint8_t> zip = BuildZip({{"a.txt", "alpha"}});
    for (std::uint8_t b : {0x10, 0x20, 0x30, 0x40}) zip.push_back(b);
    Put(folder / "t.zip", zip);
    Extracted e = ExtractInto(folder / "t.zip", folder);
    EXPECT_EQ(e.count, 1);
    EXPECT_EQ(e.result, 1);
    EXPECT_EQ(Get(folder / "a.txt"), "alpha");
    fs::remove_all(folder);
}

TEST(ArchiveRead, EndRecordBeyondTheSearchSpanIsNotFound) {
    fs::path folder = FreshFolder("archive_span");
    std::vector<std::uint8_t> zip = BuildZip({{"a.txt", "alpha"}});
    std::vector<std::uint8_t> padded = zip;
    padded.resize(zip.size() + 66000 - 21, 0);  // the record's first byte lies 66000 + 1 bytes from the end
    Put(folder / "far.zip", padded);
    int count = 0, status = 0;
    std::string detail;
    EXPECT_FALSE(ReadArchiveDirectory((folder / "far.zip").string(), count, status, &detail));
    EXPECT_EQ(status, AL_NOT_A_ZIP);
    EXPECT_EQ(detail, "Can't locate end of central directory in ZIP file " + (folder / "far.zip").string());

    padded.resize(zip.size() + 66000 - 22, 0);  // now exactly the last 66000 bytes
    Put(folder / "near.zip", padded);
    EXPECT_TRUE(ReadArchiveDirectory((folder / "near.zip").string(), count, status));
    fs::remove_all(folder);
}

TEST(ArchiveRead, SignatureStraddlingTwoSearchBlocksIsFound) {
    fs::path folder = FreshFolder("archive_straddle");
    std::vector<std::uint8_t> zip = BuildZip({{"a.txt", "alpha"}});
    // Place the end record so that its signature starts 2 bytes before a 256-byte block boundary.
    for (std::size_t tail = 0; tail < 260; ++tail) {
        std::vector<std::uint8_t> bytes = zip;
        bytes.resize(zip.size() + tail, 0);
        Put(folder / "s.zip", bytes);
        int count = 0, status = 0;
        EXPECT_TRUE(ReadArchiveDirectory((folder / "s.zip").string(), count, status)) << tail;
    }
    fs::remove_all(folder);
}

TEST(ArchiveExtract, MemberInAFolderCreatesTheFolder) {
    fs::path folder = FreshFolder("archive_folder");
    Put(folder / "f.zip", BuildZip({{"a\\b.txt", "inside", true}, {"c/d/e.txt", "deeper"}}));
    EXPECT_EQ(ExtractInto(folder / "f.zip", folder / "out").result, 2);
    EXPECT_EQ(Get(folder / "out" / "a" / "b.txt"), "inside");
    EXPECT_EQ(Get(folder / "out" / "c" / "d" / "e.txt"), "deeper");
    fs::remove_all(folder);
}

TEST(ArchiveExtract, CrcMismatchIsReportedAndTheNextMemberStillExtracts) {
    fs::path folder = FreshFolder("archive_crc");
    Put(folder / "c.zip", BuildZip({{"bad.txt", "corrupt me", true, -1, -1, 0x12345678}, {"good.txt", "fine"}}));
    int count = 0, status = 0;
    auto listing = ReadArchiveDirectory((folder / "c.zip").string(), count, status);
    ASSERT_TRUE(listing);
    EXPECT_EQ(ExtractAll(*listing, folder), AL_CRC_ERROR);
    EXPECT_EQ(Get(folder / "bad.txt"), "corrupt me");  // still written out
    EXPECT_EQ(Get(folder / "good.txt"), "fine");
    const std::uint32_t actual = static_cast<std::uint32_t>(crc32(0, reinterpret_cast<const Bytef*>("corrupt me"), 10));
    char expected[128];
    std::snprintf(expected, sizeof expected, "bad.txt: CRC32 was supposed to be 12345678, was %08lx",
                  static_cast<unsigned long>(actual));
    EXPECT_EQ(listing->archive->status.Text(), expected);
    FreeArchiveDirectory(listing);  // Windows will not remove an open file
    fs::remove_all(folder);
}

TEST(ArchiveHostile, ZipSlipNamesNeverLeaveTheTargetFolder) {
    fs::path folder = FreshFolder("archive_slip");
    fs::path target = folder / "target";
    fs::create_directories(target);
    Put(folder / "z.zip", BuildZip({{"../escaped.txt", "x"},
                                    {"sub\\..\\..\\escaped2.txt", "x"},
                                    {(folder / "abs.txt").string(), "x"},
                                    {"C:\\drive.txt", "x"},
                                    {"...\\dots.txt", "x"},
                                    {"ok.txt", "kept"}}));
    Extracted e = ExtractInto(folder / "z.zip", target);
    EXPECT_EQ(e.count, 6);
    EXPECT_EQ(e.result, AL_OPEN_ERROR);
    EXPECT_EQ(Get(target / "ok.txt"), "kept");
    // Only the target folder and the archive exist beside each other; nothing else was written.
    std::vector<fs::path> outside;
    for (const auto& item : fs::directory_iterator(folder)) outside.push_back(item.path().filename());
    std::sort(outside.begin(), outside.end());
    EXPECT_EQ(outside, (std::vector<fs::path>{"target", "z.zip"}));
    std::size_t inside = 0;
    for ([[maybe_unused]] const auto& item : fs::recursive_directory_iterator(target)) ++inside;
    EXPECT_EQ(inside, 1u);
    fs::remove_all(folder);
}

TEST(ArchiveHostile, BogusSizesAreRefusedBeforeAnythingIsWritten) {
    fs::path folder = FreshFolder("archive_sizes");
    // A compressed size reaching past the directory: refused while reading the directory.
    Put(folder / "big.zip", BuildZip({{"a.txt", "alpha", false, 0x7FFFFFF0}}));
    int count = 0, status = 0;
    EXPECT_FALSE(ReadArchiveDirectory((folder / "big.zip").string(), count, status));
    EXPECT_EQ(status, AL_NOT_A_ZIP);
    // A deflated member that expands beyond its recorded size is cut off with an error.
    Put(folder / "bomb.zip", BuildZip({{"b.txt", std::string(100000, 'z'), true, -1, 10}}));
    Extracted e = ExtractInto(folder / "bomb.zip", folder / "out");
    EXPECT_EQ(e.result, AL_CRC_ERROR);
    EXPECT_LE(fs::file_size(folder / "out" / "b.txt"), 10u);
    // Stored data that claims fewer bytes than it is still extracts the claimed part only.
    Put(folder / "short.zip", BuildZip({{"c.txt", "abcdef", false, 3}}));
    e = ExtractInto(folder / "short.zip", folder / "out");
    EXPECT_EQ(e.result, AL_CRC_ERROR);
    EXPECT_EQ(Get(folder / "out" / "c.txt"), "abc");
    // Unknown compression methods have no decompressor.
    std::vector<std::uint8_t> method = BuildZip({{"d.txt", "delta"}});
    const std::size_t central = method.size() - 22 - 46 - 5;
    method[central + 10] = 12;  // bzip2
    Put(folder / "method.zip", method);
    EXPECT_EQ(ExtractInto(folder / "method.zip", folder / "out").result, AL_MISSING_ENGINE);
    fs::remove_all(folder);
}

TEST(ArchiveHostile, TruncationAtEveryLengthIsAnErrorNotACrash) {
    fs::path folder = FreshFolder("archive_truncate");
    const std::vector<std::uint8_t> zip =
        BuildZip({{"one.txt", SampleText(3000, 1), true}, {"two.txt", "second member"}});
    for (std::size_t length = 0; length < zip.size(); ++length) {
        Put(folder / "cut.zip", std::span(zip.data(), length));
        fs::remove_all(folder / "out");
        Extracted e = ExtractInto(folder / "cut.zip", folder / "out");
        // Cutting anywhere removes (part of) the end record, so the archive never opens.
        EXPECT_TRUE(e.status < 0) << length;
    }
    // Garbage in every byte of the directory: never a crash, always a result.
    for (std::size_t at = zip.size() - 22 - 2 * 46 - 14; at < zip.size(); ++at) {
        std::vector<std::uint8_t> bytes = zip;
        bytes[at] ^= 0xA5;
        Put(folder / "bent.zip", bytes);
        fs::remove_all(folder / "out");
        ExtractInto(folder / "bent.zip", folder / "out");
    }
    fs::remove_all(folder);
}

TEST_F(ArchiveInterop, OurArchivesPassUnzipAndPython) {
    fs::path folder = FreshFolder("archive_interop_out");
    const std::string text = SampleText(123457, 3);
    Put(folder / "ORBxxx.apj", text);
    const fs::path archive = folder / "built.apj";
    ASSERT_EQ(CompressFileToArchive(archive.string(), (folder / "ORBxxx.apj").string(), true), 0);
    EXPECT_EQ(std::system(("unzip -tq '" + archive.string() + "' >/dev/null").c_str()), 0);
    const std::string python = "python3 -c \"import sys,zipfile; z=zipfile.ZipFile(sys.argv[1]); "
                               "assert z.testzip() is None; assert z.namelist()==['ORBxxx.apj']; "
                               "assert z.read('ORBxxx.apj')==open(sys.argv[2],'rb').read()\" '" +
                               archive.string() + "' '" + (folder / "ORBxxx.apj").string() + "'";
    EXPECT_EQ(std::system(python.c_str()), 0);
    fs::remove_all(folder);
}

TEST_F(ArchiveInterop, ArchivesMadeByZipExtractByteForByte) {
    fs::path folder = FreshFolder("archive_interop_in");
    const std::string text = SampleText(200003, 5);
    Put(folder / "member.bin", text);
    for (const char* level : {"-6", "-0"}) {
        const fs::path archive = folder / (std::string("made") + level + ".zip");
        ASSERT_EQ(std::system(("cd '" + folder.string() + "' && zip -q " + level + " '" + archive.string() +
                               "' member.bin")
                                  .c_str()),
                  0);
        int count = 0, status = 0;
        auto listing = ReadArchiveDirectory(archive.string(), count, status);
        ASSERT_TRUE(listing) << level;
        EXPECT_EQ(listing->entries[0].engine, level[1] == '0' ? 0 : 1);
        fs::path out = folder / (std::string("out") + level);
        EXPECT_EQ(ExtractAll(*listing, out), 1) << level;
        EXPECT_EQ(Get(out / "member.bin"), text) << level;
    }
    fs::remove_all(folder);
}

}  // namespace
}  // namespace orb
