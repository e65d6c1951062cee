// The headless show on the demo project: the same run gives the same frames, and
// every motion mode survives long runs at every size of the mode table.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <tuple>

#include "common/io/file_io.h"
#include "viewer/engine/software_display.h"
#include "viewer/host/headless.h"
#include "viewer/host/show.h"

namespace orb::host {
namespace {

const std::string kDemo = ORB_TEST_DEMO_PROJECT;

#ifdef ORB_LONG_SHOW_RUNS
constexpr int kLongRunFrames = 10000;  // the sanitizer build runs them in full
#else
constexpr int kLongRunFrames = 300;
#endif

std::filesystem::path FreshFolder(const std::string& name) {
    const auto path = std::filesystem::temp_directory_path() / ("orb_show_test_" + name);
    std::filesystem::remove_all(path);
    return path;
}

TEST(HeadlessShow, SameRunGivesIdenticalFrames) {
    const auto a = FreshFolder("a"), b = FreshFolder("b");
    HostOptions options;
    options.headless = true;
    options.project = kDemo;
    options.frames = 60;
    options.every = 20;
    options.width = 640;
    options.height = 480;
    options.outDir = a.string();
    ASSERT_EQ(RunHeadless(options), 0);
    options.outDir = b.string();
    ASSERT_EQ(RunHeadless(options), 0);
    int compared = 0;
    for (const char* name : {"frame000020.png", "frame000040.png", "frame000060.png"}) {
        const auto one = ReadWholeFile(a / name), two = ReadWholeFile(b / name);
        ASSERT_TRUE(one && two) << name;
        EXPECT_EQ(*one, *two) << name;
        ++compared;
    }
    EXPECT_EQ(compared, 3);
    // The show moves: frames 20 and 60 differ.
    EXPECT_NE(*ReadWholeFile(a / "frame000020.png"), *ReadWholeFile(a / "frame000060.png"));
    std::filesystem::remove_all(a);
    std::filesystem::remove_all(b);
}

TEST(HeadlessShow, MissingProjectEndsWithoutAShow) {
    SoftwareDisplay display(24);
    NullReportSink reports;
    Platform platform;
    platform.screen = {640, 480, 24};
    platform.display = &display;
    platform.reports = &reports;
    HostOptions options;
    options.project = "/no/such/project.apj";
    const StartedShow show = StartHostShow(options, platform);
    EXPECT_FALSE(show.state);
    EXPECT_EQ(show.exitCode, 0);  // the start-up message was given; the viewer quits 0
}

TEST(HostReports, NameTheFileOnlyWhenThereIsOne) {
    StderrReports reports;
    ::testing::internal::CaptureStderr();
    reports.Error("Errors occurred while loading the screensaver file: program will terminate", "");
    reports.Information("Unable to open file", "/tmp/x.wav");
    EXPECT_EQ(::testing::internal::GetCapturedStderr(),
              "viewer: Error: Errors occurred while loading the screensaver file: program will terminate\n"
              "viewer: Information: Unable to open file (/tmp/x.wav)\n");
}

class EveryModeAndSize : public ::testing::TestWithParam<std::tuple<int, int>> {};

constexpr int kModeSizes[][2] = {{640, 480}, {800, 600}, {1024, 768}, {1152, 882}, {1280, 1024}, {1600, 1200}};

TEST_P(EveryModeAndSize, LongRunWithoutFault) {
    const auto [mode, sizeIndex] = GetParam();
    SoftwareDisplay display(24);
    StderrReports reports;
    Platform platform;
    platform.screen = {kModeSizes[sizeIndex][0], kModeSizes[sizeIndex][1], 24};
    platform.display = &display;
    platform.reports = &reports;
    HostOptions options;
    options.project = kDemo;
    options.mode = mode;
    StartedShow show = StartHostShow(options, platform);
    ASSERT_TRUE(show.state) << "exit code " << show.exitCode;
    for (int frame = 0; frame < kLongRunFrames; ++frame) {
        show.state->Tick();
        ASSERT_FALSE(show.state->QuitCode()) << "frame " << frame;
    }
    const GXDrawingSurface* screen = display.ScreenPicture();
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(screen->Width(), kModeSizes[sizeIndex][0]);
    EXPECT_EQ(screen->Height(), kModeSizes[sizeIndex][1]);
}

INSTANTIATE_TEST_SUITE_P(Modes, EveryModeAndSize,
                         ::testing::Combine(::testing::Range(0, 8), ::testing::Range(0, 6)),
                         [](const auto& info) {
                             return "Mode" + std::to_string(std::get<0>(info.param)) + "_" +
                                    std::to_string(kModeSizes[std::get<1>(info.param)][0]);
                         });

}  // namespace
}  // namespace orb::host
