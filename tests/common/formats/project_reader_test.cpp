#include "common/formats/project_reader.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "common/archive/archive.h"
#include "common/formats/project_writer.h"
#include "common/io/file_io.h"
#include "project_test_data.h"
#include "tests/common/formats/compressed_project.h"
#include "tests/common/test_folder.h"

#ifndef _WIN32
#include <unistd.h>
#endif

namespace orb {
namespace {

namespace fs = std::filesystem;
using test::FullProject;
using test::GreyBmp;
using test::FreshFolder;
using test::Put;
using test::WriteCompressed;

std::vector<std::uint8_t> Get(const fs::path& path) { return ReadWholeFile(path).value_or(std::vector<std::uint8_t>{}); }

FreeSpaceProbe Plenty() {
    return [](const fs::path&) { return std::optional<std::int64_t>(1 << 30); };
}

TEST(ProjectCompressed, RoundTripsAndLeavesNoExtractedFile) {
    fs::path folder = FreshFolder("project_compressed");
    const std::vector<std::uint8_t> plain = SerializeProject(FullProject());
    WriteCompressed(folder / "fish.apj", plain);
    ASSERT_EQ(Get(folder / "fish.apj")[0], 'P');

    ReportLog log;
    ProjectFileRead read = ReadProjectFile(folder / "fish.apj", {}, Program::Authoring, log, Plenty());
    EXPECT_EQ(read.check, ProjectCheck::Ok);
    EXPECT_TRUE(read.compressed);
    EXPECT_EQ(read.project, FullProject());
    EXPECT_TRUE(log.Empty());
    EXPECT_FALSE(fs::exists(folder / "ORBxxx.apj"));
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1);
    fs::remove_all(folder);
}

TEST(ProjectCompressed, UnzipFindsThePlainProjectInside) {
#ifdef _WIN32
    GTEST_SKIP() << "unzip is a native tool";
#else
    if (std::system("command -v unzip >/dev/null 2>&1") != 0) GTEST_SKIP() << "needs unzip";
    fs::path folder = FreshFolder("project_unzip");
    const std::vector<std::uint8_t> plain = SerializeProject(FullProject());
    WriteCompressed(folder / "fish.apj", plain);
    fs::create_directories(folder / "out");
    // unzip warns about the four appended bytes (exit code 1) but extracts.
    int rc = std::system(("unzip -qo '" + (folder / "fish.apj").string() + "' -d '" + (folder / "out").string() +
                          "' 2>/dev/null")
                             .c_str());
    EXPECT_LE(WEXITSTATUS(rc), 1);
    EXPECT_EQ(Get(folder / "out" / "ORBxxx.apj"), plain);
    fs::remove_all(folder);
#endif
}

TEST(ProjectCompressed, TooLittleSpaceStopsBeforeExtracting) {
    fs::path folder = FreshFolder("project_space");
    const std::vector<std::uint8_t> plain = SerializeProject(FullProject());
    WriteCompressed(folder / "fish.apj", plain);
    fs::path asked;
    // Needed: (size + 100000) / 1024 kilobytes; offer one less.
    const std::int64_t required = (static_cast<std::int64_t>(plain.size()) + 100000) / 1024;
    FreeSpaceProbe probe = [&](const fs::path& where) {
        asked = where;
        return std::optional<std::int64_t>(required - 1);
    };
    ReportLog log;
    ProjectFileRead read = ReadProjectFile(folder / "fish.apj", {}, Program::Viewer, log, probe);
    EXPECT_EQ(read.check, ProjectCheck::NotEnoughSpace);
    EXPECT_EQ(asked, folder);  // the receiving folder, not some fixed drive
    ASSERT_EQ(log.reports.size(), 1u);
    EXPECT_EQ(log.reports[0].kind, ReportKind::Notice);  // a plain box: no " ()" after the text
    EXPECT_EQ(log.reports[0].message,
              "There is not enough free disc space to load/decompress your selected Orbellan Screensaver: required: " +
                  std::to_string(plain.size() / 1024) + "k; available: " + std::to_string(required - 1) + "k\n");
    EXPECT_FALSE(fs::exists(folder / "ORBxxx.apj"));

    probe = [&](const fs::path&) { return std::optional<std::int64_t>(required); };
    EXPECT_EQ(ReadProjectFile(folder / "fish.apj", {}, Program::Viewer, log, probe).check, ProjectCheck::Ok);
    fs::remove_all(folder);
}

TEST(ProjectCompressed, ExtractedFileIsRemovedAfterAFailedRead) {
    fs::path folder = FreshFolder("project_failed");
    std::vector<std::uint8_t> plain = SerializeProject(FullProject());
    plain[4] = 2;  // an actor file's kind
    WriteCompressed(folder / "fish.apj", plain);
    ReportLog log;
    ProjectFileRead read = ReadProjectFile(folder / "fish.apj", {}, Program::Viewer, log, Plenty());
    EXPECT_EQ(read.check, ProjectCheck::NotProject);
    ASSERT_EQ(log.reports.size(), 1u);
    EXPECT_EQ(FormatReport(log.reports[0]),
              "File is not valid Orbellan Project file (" + (folder / "fish.apj").string() + ")\n");
    EXPECT_FALSE(fs::exists(folder / "ORBxxx.apj"));
    fs::remove_all(folder);
}

TEST(ProjectCompressed, HostileArchivesAreRefused) {
    fs::path folder = FreshFolder("project_hostile");
    const std::vector<std::uint8_t> plain = SerializeProject(FullProject());
    WriteCompressed(folder / "good.apj", plain);
    const std::vector<std::uint8_t> good = Get(folder / "good.apj");
    ReportLog log;
    auto check = [&](const std::vector<std::uint8_t>& bytes) {
        Put(folder / "x.apj", bytes);
        return ReadProjectFile(folder / "x.apj", {}, Program::Authoring, log, Plenty()).check;
    };
    for (std::uint32_t size : {0xFFFFFFFFu, 0x7FFFFFFFu}) {
        std::vector<std::uint8_t> bad = good;
        for (int i = 0; i < 4; ++i) bad[bad.size() - 4 + i] = static_cast<std::uint8_t>(size >> (8 * i));
        EXPECT_EQ(check(bad), ProjectCheck::BadAppendedSize);
    }
    EXPECT_EQ(check({'P', 'K'}), ProjectCheck::BadAppendedSize);
    EXPECT_EQ(check({'P', 'K', 1, 2, 3, 4, 5, 6, 0, 0, 0, 0}), ProjectCheck::BadArchive);
    // Every cut of the compressed file is refused and leaves nothing behind.
    for (std::size_t length = 2; length < good.size(); length += 7) {
        EXPECT_NE(check(std::vector<std::uint8_t>(good.begin(), good.begin() + static_cast<long>(length))),
                  ProjectCheck::Ok)
            << length;
        EXPECT_FALSE(fs::exists(folder / "ORBxxx.apj")) << length;
    }
    // A member under any other name (here one that would replace the saver
    // program beside the project) is not extracted.
    Put(folder / "Viewer.scr", {'M', 'Z'});
    ASSERT_EQ(CompressFileToArchive((folder / "evil.apj").string(), (folder / "Viewer.scr").string(), true), 0);
    fs::remove(folder / "Viewer.scr");
    std::vector<std::uint8_t> evil = Get(folder / "evil.apj");
    evil.insert(evil.end(), {2, 0, 0, 0});
    EXPECT_EQ(check(evil), ProjectCheck::BadArchive);
    EXPECT_FALSE(fs::exists(folder / "Viewer.scr"));
    EXPECT_EQ(log.reports.back().message, "Compressed project file cannot be unpacked");
    fs::remove_all(folder);
}

TEST(ProjectCompressed, UnwritableProjectFolderUsesTheTemporaryFolder) {
#ifdef _WIN32
    GTEST_SKIP() << "folder permissions are POSIX here";
#else
    if (geteuid() == 0) GTEST_SKIP() << "root writes into read-only folders";
    fs::path folder = FreshFolder("project_readonly");
    WriteCompressed(folder / "fish.apj", SerializeProject(FullProject()));
    fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec);
    fs::path asked;
    FreeSpaceProbe probe = [&](const fs::path& where) {
        asked = where;
        return std::optional<std::int64_t>(1 << 30);
    };
    ReportLog log;
    EXPECT_EQ(ReadProjectFile(folder / "fish.apj", {}, Program::Viewer, log, probe).check, ProjectCheck::Ok);
    EXPECT_EQ(asked, fs::temp_directory_path());
    EXPECT_FALSE(fs::exists(fs::temp_directory_path() / "ORBxxx.apj"));
    fs::permissions(folder, fs::perms::owner_all);
    fs::remove_all(folder);
#endif
}

TEST(ProjectPlain, UnopenableFileIsReportedOnlyByTheAuthoringProgram) {
    fs::path folder = FreshFolder("project_missing");
    ReportLog log;
    EXPECT_EQ(LoadViewerProject(folder / "none.apj", false, log, Plenty()).check, ProjectCheck::CannotOpen);
    EXPECT_TRUE(log.Empty());
    EXPECT_EQ(LoadAuthoringProject(folder / "none.apj", log, Plenty()).check, ProjectCheck::CannotOpen);
    ASSERT_EQ(log.reports.size(), 1u);
    EXPECT_EQ(log.reports[0].kind, ReportKind::Information);
    EXPECT_EQ(log.reports[0].message, "Unable to open input project file: file may be in use");
    fs::remove_all(folder);
}

TEST(ProjectPlain, AuthoringKeepsPathsDropsDataAndNamesWhatWasNotEmbedded) {
    fs::path folder = FreshFolder("project_authoring");
    ProjectFile p = FullProject();
    p.actors.clear();
    p.soundPaths = {"C:\\m.mid", " blank.wav", "", "C:\\gone.wav"};
    for (SoundRecord& s : p.sounds) s = SoundRecord{};
    p.backdrop = ImageRecord{};
    Put(folder / "a.apj", SerializeProject(p));
    ReportLog log;
    AuthoringProject a = LoadAuthoringProject(folder / "a.apj", log, Plenty());
    ASSERT_TRUE(a);
    EXPECT_EQ(a.file.soundPaths, p.soundPaths);
    EXPECT_EQ(a.file.settings, p.settings);
    EXPECT_TRUE(a.file.banner.bitmap.empty());
    ASSERT_EQ(log.reports.size(), 3u);
    EXPECT_EQ(log.reports[0].message,
              "Midi backing music has not been embedded in this project, since the .mid path specified was invalid");
    EXPECT_EQ(log.reports[1].message, "Destroy Sprite sound effects have not been embedded in this project, since the "
                                      ".wav path specified was invalid");
    EXPECT_EQ(log.reports[2].message,
              "A backdrop image has not been embedded in this project, since the image path specified was invalid");

    p.settings.backgroundKind = 7;
    Put(folder / "a.apj", SerializeProject(p));
    log.reports.clear();
    EXPECT_EQ(LoadAuthoringProject(folder / "a.apj", log, Plenty()).check, ProjectCheck::BadBackgroundKind);
    EXPECT_EQ(log.reports.back().message, "Corrupt Project file: aborting");
    log.reports.clear();
    EXPECT_TRUE(LoadViewerProject(folder / "a.apj", false, log, Plenty()));
    fs::remove_all(folder);
}

TEST(ProjectPlain, ViewerKeepsTheSoundData) {
    fs::path folder = FreshFolder("project_viewer");
    ProjectFile p = FullProject();
    p.actors.clear();
    p.useBackdropImage = 0;
    Put(folder / "v.apj", SerializeProject(p));
    ReportLog log;
    ViewerProject v = LoadViewerProject(folder / "v.apj", true, log, Plenty());
    ASSERT_TRUE(v);
    EXPECT_EQ(v.file.sounds, p.sounds);
    EXPECT_FALSE(v.actorFailed);
    fs::remove_all(folder);
}

ImageReadStatus TestImages(const std::string& path, std::vector<std::uint8_t>& bitmap) {
    if (path.ends_with(".txt")) return ImageReadStatus::UnknownFormat;
    if (path.ends_with(".bad")) return ImageReadStatus::Corrupt;
    bitmap = GreyBmp(6, 2, 99);
    return ImageReadStatus::Ok;
}

TEST(ProjectWriter, EmbedsWhatExistsAndReportsWhatIsMissing) {
    fs::path folder = FreshFolder("project_writer");
    Put(folder / "tune.mid", {'M', 'T', 'h', 'd'});
    Put(folder / "boing.wav", {'R', 'I', 'F', 'F', 9});
    Put(folder / "sky.bmp", {1});
    Put(folder / "banner.bad", {1});
    fs::create_directories(folder / "folder.wav");
    ProjectContent content;
    content.eraser = 1;
    content.soundPaths = {(folder / "tune.mid").string(), (folder / "boing.wav").string(),
                          (folder / "folder.wav").string(), (folder / "absent.wav").string()};
    content.loopMusic = 1;
    content.backdropPath = (folder / "sky.bmp").string();
    content.useBackdropImage = true;
    content.bannerPath = (folder / "banner.bad").string();
    content.settings.speed = 77;
    ReportLog log;
    ASSERT_TRUE(WriteProject(folder / "p.apj", content, log, TestImages));

    ProjectFile back;
    ASSERT_EQ(ParseProject(Get(folder / "p.apj"), back), ProjectCheck::Ok);
    EXPECT_EQ(back.resourcesEmbedded, 1);
    EXPECT_EQ(back.eraser, 1);
    EXPECT_EQ(back.soundPaths, content.soundPaths);
    EXPECT_EQ(back.sounds[0].bytes, std::vector<std::uint8_t>({'M', 'T', 'h', 'd'}));
    EXPECT_EQ(back.sounds[1].missing, 0);
    EXPECT_EQ(back.sounds[2].missing, 1);  // a folder is no sound
    EXPECT_EQ(back.sounds[3].missing, 1);
    EXPECT_EQ(back.backdrop.bitmap, GreyBmp(6, 2, 99));
    EXPECT_EQ(back.banner.missing, 0);
    EXPECT_EQ(back.banner.unusable, 1);
    EXPECT_EQ(back.settings.speed, 77);
    ASSERT_EQ(log.reports.size(), 3u);
    EXPECT_EQ(log.reports[0].message,
              "The Create-Sprite .wav you have selected does not exist, so cannot be embedded in the project");
    EXPECT_EQ(log.reports[1].message,
              "The Destroy-Sprite .wav you have selected does not exist, so cannot be embedded in the project");
    EXPECT_EQ(log.reports[2].message, "The Control Panel banner image you have selected is corrupt, and cannot be "
                                      "embedded in your project");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 6);  // no temporary left
    fs::remove_all(folder);
}

TEST(ProjectWriter, EmptyAndShortPathsAndUnknownFormats) {
    fs::path folder = FreshFolder("project_writer_edges");
    Put(folder / "note.txt", {1});
    ProjectContent content;
    content.useBackdropImage = true;  // with an empty path
    content.bannerPath = "b";         // one character: no message
    ReportLog log;
    ASSERT_TRUE(WriteProject(folder / "p.apj", content, log, TestImages));
    ProjectFile back;
    ASSERT_EQ(ParseProject(Get(folder / "p.apj"), back), ProjectCheck::Ok);
    EXPECT_EQ(back.useBackdropImage, 1);
    EXPECT_EQ(back.backdrop.missing, 1);
    EXPECT_EQ(back.banner.missing, 1);
    for (const SoundRecord& s : back.sounds) EXPECT_EQ(s.missing, 1);
    ASSERT_EQ(log.reports.size(), 1u);
    EXPECT_EQ(log.reports[0].message,
              "The backdrop image you have selected cannot be found, so a coloured backdrop will be used instead");

    content.backdropPath = (folder / "note.txt").string();
    content.bannerPath = (folder / "note.txt").string();
    log.reports.clear();
    ASSERT_TRUE(WriteProject(folder / "p.apj", content, log, TestImages));
    ASSERT_EQ(log.reports.size(), 2u);
    EXPECT_EQ(log.reports[0].message, "The backdrop image you have selected is not a recognized graphics format, so a "
                                      "coloured backdrop will be used instead");
    EXPECT_EQ(log.reports[1].message, "The Control Panel banner you have selected is not a recognized graphics format, "
                                      "and cannot be embedded in your project");
    ASSERT_EQ(ParseProject(Get(folder / "p.apj"), back), ProjectCheck::Ok);
    EXPECT_EQ(back.backdrop.unusable, 1);

    // Overlong paths are cut to what readers hold, so the project still loads.
    content.soundPaths[0] = std::string(300, 'm');
    ASSERT_TRUE(WriteProject(folder / "p.apj", content, log, TestImages));
    ASSERT_EQ(ParseProject(Get(folder / "p.apj"), back), ProjectCheck::Ok);
    EXPECT_EQ(back.soundPaths[0].size(), 255u);
    fs::remove_all(folder);
}

TEST(ProjectWriter, FailedSaveKeepsThePreviousProject) {
    fs::path folder = FreshFolder("project_writer_fail");
    ReportLog log;
    ProjectContent content;
    EXPECT_FALSE(WriteProject(folder / "no-such-folder" / "p.apj", content, log, TestImages));
    ASSERT_FALSE(log.Empty());
    EXPECT_EQ(log.reports.back().message, "Unable to open output project file");
    EXPECT_EQ(log.reports.back().subject, (folder / "no-such-folder" / "p.apj").string());
    fs::remove_all(folder);
}

}  // namespace
}  // namespace orb
