#include "viewer/host/frame_stats.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numeric>
#include <vector>

namespace orb::host {
namespace {

// Nearest rank: the smallest value with at least p percent of the values at or below it.
double Percentile(const std::vector<double>& sorted, double p) {
    const auto rank = static_cast<std::size_t>(std::ceil(p / 100 * static_cast<double>(sorted.size())));
    return sorted[std::clamp<std::size_t>(rank, 1, sorted.size()) - 1];
}

}  // namespace

FrameStats Summarise(std::span<const double> frameMs) {
    FrameStats s;
    if (frameMs.empty()) return s;
    std::vector<double> sorted(frameMs.begin(), frameMs.end());
    std::sort(sorted.begin(), sorted.end());
    const double total = std::accumulate(sorted.begin(), sorted.end(), 0.0);
    s.frames = static_cast<int>(sorted.size());
    s.meanMs = total / static_cast<double>(sorted.size());
    s.p50Ms = Percentile(sorted, 50);
    s.p99Ms = Percentile(sorted, 99);
    s.fps = total > 0 ? 1000.0 * static_cast<double>(sorted.size()) / total : 0;
    return s;
}

std::string FormatStats(const FrameStats& s) {
    char line[160];
    std::snprintf(line, sizeof line, "frames %d  mean %.3f ms  p50 %.3f ms  p99 %.3f ms  fps %.1f",
                  s.frames, s.meanMs, s.p50Ms, s.p99Ms, s.fps);
    return line;
}

}  // namespace orb::host
