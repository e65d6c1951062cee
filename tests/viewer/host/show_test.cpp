// The headless show on the demo project: the same run gives the same frames, and
// every motion mode survives long runs at every size of the mode table.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <tuple>

#include "common/io/file_io.h"
#include "tests/viewer/engine/engine_test_support.h"
#include "viewer/engine/software_display.h"
#include "viewer/host/headless.h"
#include "viewer/host/show.h"
#include "viewer/modes/modes.h"

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
    Platform platform{.screen = {640, 480, 24}, .display = &display, .reports = &reports};
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
    Platform platform{.screen = {kModeSizes[sizeIndex][0], kModeSizes[sizeIndex][1], 24},
                      .display = &display, .reports = &reports};
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

// The compositor benchmark's runs on the demo project, pinned to the digest of
// their frames as the engine drew them before it was tuned for speed.
struct PinnedDemoCase {
    int mode;
    int width;
    int height;
    int sprites;
    int frames;
    std::uint64_t digest;
};

class PinnedDemoRun : public ::testing::TestWithParam<PinnedDemoCase> {};

TEST_P(PinnedDemoRun, MatchesTheRecordedFrames) {
    const PinnedDemoCase& c = GetParam();
    SoftwareDisplay display(24);
    NullReportSink reports;
    Platform platform{.screen = {c.width, c.height, 24}, .display = &display, .reports = &reports};
    ViewerState state(platform, [](int mode) { return CreateModeSprite(mode); });
    ASSERT_TRUE(state.Initialise(kDemo));
    state.settings.motionMode = c.mode;
    state.settings.number = c.sprites;
    state.settings.numberRange = 0;
    ASSERT_TRUE(state.StartShow());
    std::vector<std::uint64_t> frames;
    for (int frame = 0; frame < c.frames; ++frame) {
        state.Tick();
        frames.push_back(test::Hash(*display.ScreenPicture()));
    }
    EXPECT_FALSE(state.QuitCode());
    EXPECT_EQ(test::Digest(frames), c.digest) << "mode " << c.mode << " at " << c.width << "x" << c.height;
}

// Mode 7 is RANDOM (the default clock reads 0, so it always picks the same mode).
INSTANTIATE_TEST_SUITE_P(Modes, PinnedDemoRun,
                         ::testing::Values(
                             PinnedDemoCase{0, 640, 480, 50, 60, 2196992467495570995u},
                             PinnedDemoCase{1, 640, 480, 50, 60, 4214931122013398986u},
                             PinnedDemoCase{2, 640, 480, 50, 60, 11981263878767490468u},
                             PinnedDemoCase{3, 640, 480, 50, 60, 8615580006459988829u},
                             PinnedDemoCase{4, 640, 480, 50, 60, 13951775547971951065u},
                             PinnedDemoCase{5, 640, 480, 50, 60, 12168483110519499985u},
                             PinnedDemoCase{6, 640, 480, 50, 60, 9129683451562575339u},
                             PinnedDemoCase{7, 640, 480, 50, 60, 136346687968296374u},
                             PinnedDemoCase{1, 1920, 1080, 500, 20, 11184533405665746952u},
                             PinnedDemoCase{6, 1920, 1080, 500, 20, 13316339788357945257u}));

}  // namespace
}  // namespace orb::host
