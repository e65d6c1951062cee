#include "viewer/host/options.h"

#include <gtest/gtest.h>

namespace orb::host {
namespace {

ParseResult Parse(std::vector<std::string_view> args, const char* env = nullptr) {
    return ParseOptions(args, env);
}

TEST(HostOptions, DefaultsPlayTheDemoInAWindow) {
    const ParseResult r = Parse({});
    ASSERT_TRUE(r.options);
    EXPECT_TRUE(r.options->project.empty());
    EXPECT_FALSE(r.options->headless);
    EXPECT_TRUE(r.options->inputExit);
    EXPECT_EQ(r.options->fps, 0);
    EXPECT_EQ(r.options->mode, -1);
}

TEST(HostOptions, HeadlessRunWithEveryValue) {
    const ParseResult r = Parse({"--headless", "--frames", "50", "--size", "640x480", "--out", "d",
                                 "--every", "10", "--sheet", "s.png", "--mode", "6", "fish.apj"});
    ASSERT_TRUE(r.options) << r.error;
    const HostOptions& o = *r.options;
    EXPECT_TRUE(o.headless);
    EXPECT_EQ(o.frames, 50);
    EXPECT_EQ(o.width, 640);
    EXPECT_EQ(o.height, 480);
    EXPECT_EQ(o.outDir, "d");
    EXPECT_EQ(o.every, 10);
    EXPECT_EQ(o.sheet, "s.png");
    EXPECT_EQ(o.mode, 6);
    EXPECT_EQ(o.project, "fish.apj");
}

TEST(HostOptions, WindowIdInDecimalHexOrFromTheEnvironment) {
    EXPECT_EQ(Parse({"--window-id", "4194311"}).options->windowId, 4194311u);
    EXPECT_EQ(Parse({"--window-id", "0x400007"}).options->windowId, 0x400007u);
    // xscreensaver hands the window over in the environment, with -root on the command line.
    EXPECT_EQ(Parse({"-root"}, "0x2a00003").options->windowId, 0x2a00003u);
    EXPECT_EQ(Parse({"--root"}, "0x2a00003").options->windowId, 0x2a00003u);
    // The command line wins over the environment.
    EXPECT_EQ(Parse({"--window-id", "17"}, "0x2a00003").options->windowId, 17u);
    EXPECT_FALSE(Parse({}, "window").options);
    EXPECT_EQ(Parse({}, "").options->windowId, 0u);
}

TEST(HostOptions, RefusesBadValuesWithAReason) {
    for (std::vector<std::string_view> bad : std::vector<std::vector<std::string_view>>{
             {"--frames"}, {"--frames", "0"}, {"--frames", "12x"}, {"--size", "640"},
             {"--size", "0x480"}, {"--size", "99999x480"}, {"--every", "-1"}, {"--fps", "0"},
             {"--mode", "8"}, {"--mode", "-1"}, {"--window-id", "0"}, {"--bogus"},
             {"a.apj", "b.apj"}, {"--headless", "--fullscreen"}, {"--monitors"}, {"--monitors", "both"},
             {"--monitors", "Span"}, {"--display", "-1"}, {"--display", "64"}, {"--display", "x"},
             {"--headless", "--monitors", "span"}, {"--headless", "--display", "0"},
             {"--window-id", "5", "--display", "0"}, {"--window-id", "5", "--monitors", "mirror"}}) {
        const ParseResult r = Parse(bad);
        EXPECT_FALSE(r.options) << bad[0];
        EXPECT_FALSE(r.error.empty()) << bad[0];
    }
}

struct MonitorCase {
    std::vector<std::string_view> args;
    bool fullscreen;
    MonitorArrangement monitors;
    int display;
};

TEST(HostOptions, MonitorsAndDisplay) {
    const MonitorCase cases[] = {
        // Full screen spans every display unless told otherwise.
        {{"--fullscreen"}, true, MonitorArrangement::Span, -1},
        {{}, false, MonitorArrangement::Span, -1},
        // Choosing an arrangement or a display means full screen.
        {{"--monitors", "mirror"}, true, MonitorArrangement::Mirror, -1},
        {{"--monitors", "primary"}, true, MonitorArrangement::Primary, -1},
        // A display named alone is the only one shown ...
        {{"--display", "1"}, true, MonitorArrangement::Primary, 1},
        // ... and with an arrangement, the main one (whose size a mirror takes), in either order.
        {{"--display", "1", "--monitors", "mirror"}, true, MonitorArrangement::Mirror, 1},
        {{"--monitors", "span", "--display", "0"}, true, MonitorArrangement::Span, 0},
        {{"--display", "63"}, true, MonitorArrangement::Primary, 63},
    };
    for (const MonitorCase& c : cases) {
        const ParseResult r = Parse(c.args);
        ASSERT_TRUE(r.options) << r.error;
        EXPECT_EQ(r.options->fullscreen, c.fullscreen) << c.args.size();
        EXPECT_EQ(r.options->monitors, c.monitors) << c.args.size();
        EXPECT_EQ(r.options->display, c.display) << c.args.size();
    }
}

TEST(HostOptions, StatsAreAskedFor) {
    EXPECT_FALSE(Parse({}).options->stats);
    EXPECT_TRUE(Parse({"--stats"}).options->stats);
    EXPECT_TRUE(Parse({"--fullscreen", "--stats"}).options->stats);
}

TEST(HostOptions, HelpIsNotAnError) {
    const ParseResult r = Parse({"--help"});
    EXPECT_TRUE(r.help);
    EXPECT_FALSE(r.options);
    EXPECT_NE(Usage().find("--headless"), std::string::npos);
    EXPECT_NE(Usage().find("--monitors span|mirror|primary"), std::string::npos);
}

TEST(HostOptions, HeadlessIgnoresTheScreensaverWindow) {
    const ParseResult r = Parse({"--headless"}, "0x2a00003");
    ASSERT_TRUE(r.options);
    EXPECT_EQ(r.options->windowId, 0u);
}

}  // namespace
}  // namespace orb::host
