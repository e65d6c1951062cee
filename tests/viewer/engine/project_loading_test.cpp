#include <gtest/gtest.h>

#include <filesystem>

#include "common/formats/actor_file.h"
#include "common/formats/project_file.h"
#include "common/imaging/bmp.h"
#include "common/io/byte_writer.h"
#include "common/io/file_io.h"
#include "engine_test_support.h"
#include "tests/common/formats/compressed_project.h"

namespace orb {
namespace {

namespace fs = std::filesystem;
using test::TestShow;

std::vector<std::uint8_t> ActorBytes(const std::string& name, int frames) {
    FrameList list;
    test::AddActor(list, 6, 4, frames, name);
    ByteWriter writer;
    WriteActor(writer, *list.front());
    return writer.bytes;
}

std::vector<std::uint8_t> BmpBytes(int width, int height) {
    ByteWriter writer;
    SaveBmp(test::Picture(width, height, 10, 20, 30), writer);
    return writer.bytes;
}

// A project with two actors (one listed twice), a banner and a bounce sound.
ProjectFile SampleProject() {
    ProjectFile project;
    project.soundPaths = {"", "C:\\SOUNDS\\BOING.WAV", "", ""};
    project.sounds[1].missing = 0;
    project.sounds[1].bytes = {'R', 'I', 'F', 'F'};
    project.banner.missing = 0;
    project.banner.bitmap = BmpBytes(8, 6);
    project.settings.number = 7;
    project.settings.speed = 33;
    project.settings.motionMode = kRain;
    project.settings.quickRotation = 0;
    project.actors = {ActorBytes("fish", 3), ActorBytes("star", 1), ActorBytes("fish", 3)};
    return project;
}

struct ProjectOnDisk : ::testing::Test {
    void SetUp() override {
        folder = fs::temp_directory_path() /
                 ("orb_engine_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::create_directories(folder);
        path = (folder / "SAVER.apj").string();
    }
    void TearDown() override { fs::remove_all(folder); }
    void Write(const ProjectFile& project) {
        const auto bytes = SerializeProject(project);
        ASSERT_TRUE(WriteFileAtomically(path, bytes));
    }
    bool HasReport(const TestShow& show, const std::string& message) const {
        for (const Report& r : show.reports.reports)
            if (r.message == message) return true;
        return false;
    }
    fs::path folder;
    std::string path;
};

TEST_F(ProjectOnDisk, LoadsSettingsSoundsAndActorsOnce) {
    Write(SampleProject());
    TestShow show(64, 48);
    ASSERT_TRUE(show.state.Initialise(path));
    ViewerState& state = show.state;
    EXPECT_EQ(state.settings.number, 7);
    EXPECT_EQ(state.settings.speed, 33);
    EXPECT_EQ(state.settings.motionMode, kRain);
    ASSERT_EQ(state.actors.size(), 4u);  // three frames of "fish", one "star"
    EXPECT_EQ(state.actors[0]->name, "fish");
    EXPECT_EQ(state.actors[3]->name, "star");
    EXPECT_TRUE(HasReport(show, "Actor has already been loaded"));
    EXPECT_TRUE(state.sounds[1]);
    EXPECT_FALSE(state.sounds[0]);
    EXPECT_FALSE(state.bannerImage);  // only the preview keeps it
    for (const auto& frame : state.actors) EXPECT_TRUE(frame->squareCanvas);
    EXPECT_FALSE(state.QuitCode());
    ASSERT_TRUE(state.StartShow());
    for (int i = 0; i < 5; ++i) state.Tick();
    EXPECT_EQ(state.spriteCount, 7);
}

TEST_F(ProjectOnDisk, ThePreviewReadsTheBannerAndNoActors) {
    Write(SampleProject());
    TestShow show(64, 48);
    show.state.isPreview = true;
    ASSERT_TRUE(show.state.Initialise(path));
    EXPECT_TRUE(show.state.actors.empty());
    ASSERT_TRUE(show.state.bannerImage);
    const auto picture = show.state.PreviewPicture(30, 20);
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->Width(), 30);
    EXPECT_EQ(picture->Height(), 20);
}

TEST_F(ProjectOnDisk, AMissingProjectFailsWithTheStartUpMessage) {
    TestShow show;
    EXPECT_FALSE(show.state.Initialise((folder / "NONE.apj").string()));
    EXPECT_TRUE(HasReport(show, "Errors occurred while loading the screensaver file: program will terminate"));
}

TEST_F(ProjectOnDisk, AFileOfAnotherKindIsRefused) {
    ProjectFile project = SampleProject();
    project.magic = 0x4321;
    Write(project);
    TestShow show;
    EXPECT_FALSE(show.state.Initialise(path));
    EXPECT_GE(show.reports.reports.size(), 2u);
    EXPECT_EQ(show.reports.reports.back().message,
              "Errors occurred while loading the screensaver file: program will terminate");
}

TEST_F(ProjectOnDisk, InputWhileLoadingEndsWithCode0AndNoMessage) {
    Write(SampleProject());
    TestShow show;
    show.input.quietChecks = 2;
    EXPECT_FALSE(show.state.Initialise(path));
    EXPECT_EQ(show.state.QuitCode(), 0);
    EXPECT_TRUE(show.state.quitRequested);
    for (const Report& r : show.reports.reports) EXPECT_NE(r.kind, ReportKind::Error) << r.message;
}

// Too little room to unpack a compressed project: one plain box with the sizes,
// no start-up error after it, and the saver ends with 0. The project's plain size
// S gives "required: S / 1024 k"; the check asks for (S + 100000) / 1024 k.
TEST_F(ProjectOnDisk, TooLittleRoomToUnpackShowsOneBoxAndEndsWith0) {
    const std::vector<std::uint8_t> plain = SerializeProject(SampleProject());
    test::WriteCompressed(path, plain);
    TestShow show;
    show.state.freeSpace = [](const fs::path&) { return std::optional<std::int64_t>(7); };
    EXPECT_FALSE(show.state.Initialise(path));
    ASSERT_EQ(show.reports.reports.size(), 1u);
    const Report& box = show.reports.reports[0];
    EXPECT_EQ(box.kind, ReportKind::Notice);
    EXPECT_EQ(FormatReport(box),
              "There is not enough free disc space to load/decompress your selected Orbellan Screensaver: required: " +
                  std::to_string(plain.size() / 1024) + "k; available: 7k\n");
    EXPECT_EQ(show.state.QuitCode(), 0);
}

TEST_F(ProjectOnDisk, AScreenWithoutWidthEndsWithCode145) {
    Write(SampleProject());
    TestShow show(0, 48);
    EXPECT_FALSE(show.state.Initialise(path));
    EXPECT_EQ(show.state.QuitCode(), 145);
    EXPECT_TRUE(HasReport(show, "False rect passed: exiting"));
}

}  // namespace
}  // namespace orb
