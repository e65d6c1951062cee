// The command line of compositor_bench:
//   compositor_bench [--frames N] [--repeat K] [--project FILE] [--mode NAME]
//                    [--size WxH]... [--sprites N] [--sprite-size PERCENT] [--json FILE]
//                    [--dirty-only]
#pragma once
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace orb::bench {

struct ViewSize {
    int width = 0;
    int height = 0;
    friend bool operator==(const ViewSize&, const ViewSize&) = default;
};

struct BenchOptions {
    int frames = 200;            // measured frames a run (after 20 unmeasured ones)
    int repeat = 5;              // runs a row; the table shows their median and spread
    std::string project;         // empty: the demo project
    std::vector<int> modes;      // motion modes 0..6 in table order
    std::vector<ViewSize> sizes;
    std::vector<int> sprites;    // sprite counts
    int spriteSize = 0;          // percent of the frame width; 0: the project's own
    std::string json;            // also write the rows here; empty: no file
    bool baselines = true;       // also run the naive refresh and the peer
};

struct BenchParse {
    std::optional<BenchOptions> options;  // none: `error` says why
    std::string error;
};

// Without filters the table runs every mode at 640x480, 1024x768, 1600x1200,
// 1920x1080 and 3840x2160 with 10, 50 and 500 sprites; --mode, --size and
// --sprites each replace one of those lists (--size may be given more than once).
BenchParse ParseBenchOptions(std::span<const std::string_view> args);

std::string BenchUsage();

}  // namespace orb::bench
