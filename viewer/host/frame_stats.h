// Frame-time statistics for the headless host and the benchmark.
#pragma once
#include <span>
#include <string>

namespace orb::host {

struct FrameStats {
    int frames = 0;
    double meanMs = 0;
    double p50Ms = 0;  // nearest-rank percentiles
    double p99Ms = 0;
    double fps = 0;    // frames / total time
};

FrameStats Summarise(std::span<const double> frameMs);

// "frames 300  mean 1.234 ms  p50 1.200 ms  p99 2.500 ms  fps 810.4"
std::string FormatStats(const FrameStats& stats);

}  // namespace orb::host
