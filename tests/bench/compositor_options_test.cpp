#include <gtest/gtest.h>

#include <string_view>
#include <vector>

#include "bench/compositor_options.h"

namespace orb::bench {
namespace {

BenchParse Parse(std::vector<std::string_view> args) { return ParseBenchOptions(args); }

TEST(CompositorBenchOptions, WithoutFiltersTheTableHasEveryModeFiveSizesAndThreeCounts) {
    const BenchParse r = Parse({});
    ASSERT_TRUE(r.options) << r.error;
    EXPECT_EQ(r.options->modes, (std::vector<int>{0, 1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(r.options->sizes, (std::vector<ViewSize>{{640, 480}, {1024, 768}, {1600, 1200},
                                                       {1920, 1080}, {3840, 2160}}));
    EXPECT_EQ(r.options->sprites, (std::vector<int>{10, 50, 500}));
    EXPECT_EQ(r.options->frames, 200);
    EXPECT_EQ(r.options->repeat, 5);
    EXPECT_TRUE(r.options->json.empty());
    EXPECT_TRUE(r.options->baselines);
}

TEST(CompositorBenchOptions, FiltersReplaceTheirListAndSizesGather) {
    const BenchParse r = Parse({"--mode", "SPLAT", "--size", "1920x1080", "--size", "2560x1440",
                                "--size", "1920x1080", "--sprites", "500", "--repeat", "3",
                                "--frames", "40", "--json", "rows.json", "--sprite-size", "150",
                                "--project", "p.apj", "--dirty-only"});
    ASSERT_TRUE(r.options) << r.error;
    EXPECT_EQ(r.options->modes, std::vector<int>{6});
    // The repeated 1920x1080 is run once.
    EXPECT_EQ(r.options->sizes, (std::vector<ViewSize>{{1920, 1080}, {2560, 1440}}));
    EXPECT_EQ(r.options->sprites, std::vector<int>{500});
    EXPECT_EQ(r.options->repeat, 3);
    EXPECT_EQ(r.options->frames, 40);
    EXPECT_EQ(r.options->json, "rows.json");
    EXPECT_EQ(r.options->spriteSize, 150);
    EXPECT_EQ(r.options->project, "p.apj");
    EXPECT_FALSE(r.options->baselines);
}

TEST(CompositorBenchOptions, MistakesAreErrorsThatSayWhat) {
    struct Case {
        std::vector<std::string_view> args;
        std::string_view error;
    };
    const Case cases[] = {
        {{"--fast"}, "unknown option --fast"},
        {{"--size"}, "--size needs WIDTHxHEIGHT, each 1..8192"},
        {{"--size", "1920"}, "--size needs WIDTHxHEIGHT, each 1..8192"},
        {{"--size", "0x1080"}, "--size needs WIDTHxHEIGHT, each 1..8192"},
        {{"--size", "9000x1080"}, "--size needs WIDTHxHEIGHT, each 1..8192"},
        {{"--mode", "bounce"}, "--mode needs one of BOUNCE, GRAVIBOUNCE, FLYAWAY, RAIN, RANDOMDRIFT, "
                               "STARBURST, SPLAT"},
        {{"--mode", "RANDOM"}, "--mode needs one of BOUNCE, GRAVIBOUNCE, FLYAWAY, RAIN, RANDOMDRIFT, "
                               "STARBURST, SPLAT"},
        {{"--repeat", "0"}, "--repeat needs a number from 1 to 1048576"},
        {{"--frames", "ten"}, "--frames needs a number from 1 to 1048576"},
        {{"--sprites", "513"}, "--sprites needs a number from 1 to 512"},
        {{"--sprite-size", "-5"}, "--sprite-size needs a number from 1 to 1000"},
        {{"--json"}, "--json needs a file name"},
        {{"--project", ""}, "--project needs a file name"},
    };
    for (const Case& c : cases) {
        const BenchParse r = Parse(c.args);
        EXPECT_FALSE(r.options) << c.error;
        EXPECT_EQ(r.error, c.error);
    }
}

}  // namespace
}  // namespace orb::bench
