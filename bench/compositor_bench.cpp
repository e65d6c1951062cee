// compositor_bench [--frames N] [--project FILE] [--mode NAME] [--size WxH] [--sprites N]
//                  [--sprite-size PERCENT]
// For each motion mode, at 640x480, 1024x768 and 1600x1200, with 10, 50 and 500
// sprites: frames per second of the dirty-rectangle compositor, of a naive
// baseline that recomposes and presents the whole frame every time (the same show
// with a full refresh forced on every frame), and the memory-bandwidth bound for
// the bytes the dirty-rectangle frames actually touched (at the measured memcpy
// speed). Also how much of the view the sprites cover: the dirty rectangles can
// save at most what the sprites leave uncovered. Prints one table; the filters
// pick single rows (for profiling), --sprite-size overrides the project's size.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "viewer/engine/software_display.h"
#include "viewer/engine/viewer_state.h"
#include "viewer/host/show.h"
#include "viewer/modes/modes.h"

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point a, Clock::time_point b) {
    return std::chrono::duration<double>(b - a).count();
}

// Copy speed in bytes moved per second (a copy reads and writes each byte: both count).
double MeasureMemcpy() {
    constexpr std::size_t kBytes = 64u << 20;
    std::vector<unsigned char> from(kBytes, 1), to(kBytes, 0);
    std::memcpy(to.data(), from.data(), kBytes);  // fault the pages in
    double best = 1e30;
    for (int round = 0; round < 5; ++round) {
        const auto start = Clock::now();
        std::memcpy(to.data(), from.data(), kBytes);
        best = std::min(best, Seconds(start, Clock::now()));
        from[round] = to[kBytes - 1 - round];  // keep the copies observable
    }
    return 2.0 * kBytes / best;
}

// Bytes one frame moves: each working rectangle is read from the backdrop and
// written to the back buffer, then read again and written to the screen; each
// visible sprite's square is read and written once into the back buffer.
double BytesTouched(const orb::ViewerState& state) {
    double bytes = 0;
    for (const orb::Rect& r : state.dirty.Working())
        bytes += 4.0 * 3 * std::max(0, r.right - r.left) * std::max(0, r.bottom - r.top);
    for (const auto& item : state.display.Items())
        if (item && item->visible) bytes += 2.0 * 3 * item->surfaceSide * item->surfaceSide;
    return bytes;
}

// The sprites' squares as a share of the view (overlaps counted twice).
double Coverage(const orb::ViewerState& state, int width, int height) {
    double area = 0;
    for (const auto& item : state.display.Items())
        if (item && item->visible) area += double(item->surfaceSide) * item->surfaceSide;
    return area / (double(width) * height);
}

struct Run {
    double fps = 0;
    double bytesPerFrame = 0;
    double coverage = 0;
};

Run RunShow(const std::string& project, int mode, int width, int height, int sprites, int spriteSize,
            int frames, bool fullRefresh) {
    orb::SoftwareDisplay display(24);
    orb::NullReportSink reports;
    orb::Platform platform;
    platform.screen = {width, height, 24};
    platform.display = &display;
    platform.reports = &reports;
    // The sprite count and immediate births are set after loading, before the scene starts.
    orb::ViewerState state(platform, [](int m) { return orb::CreateModeSprite(m); });
    Run run;
    if (!state.Initialise(project)) return run;
    state.settings.motionMode = mode;
    state.settings.number = sprites;
    state.settings.numberRange = 0;
    if (spriteSize > 0) state.settings.size = spriteSize;
    if (!state.StartShow()) return run;
    for (int warm = 0; warm < 20; ++warm) state.Tick();
    double total = 0, bytes = 0;
    for (int f = 0; f < frames; ++f) {
        if (fullRefresh) state.startRefresh = true;
        const auto start = Clock::now();
        state.Tick();
        total += Seconds(start, Clock::now());
        if (!fullRefresh) {
            bytes += BytesTouched(state);
            run.coverage += Coverage(state, width, height);
        }
        if (state.QuitCode()) break;
    }
    run.fps = total > 0 ? frames / total : 0;
    run.bytesPerFrame = bytes / frames;
    run.coverage /= frames;
    return run;
}

const char* const kModeNames[] = {"BOUNCE", "GRAVIBOUNCE", "FLYAWAY", "RAIN", "RANDOMDRIFT", "STARBURST", "SPLAT"};

}  // namespace

int main(int argc, char** argv) {
    int frames = 200;
    std::string project = orb::host::DemoProjectPath();
    std::string onlyMode, onlySize;
    int onlySprites = 0, spriteSize = 0;
    for (int i = 1; i < argc; ++i) {
        const std::string_view a = argv[i];
        if (a == "--frames" && i + 1 < argc) frames = std::max(1, std::atoi(argv[++i]));
        else if (a == "--project" && i + 1 < argc) project = argv[++i];
        else if (a == "--mode" && i + 1 < argc) onlyMode = argv[++i];
        else if (a == "--size" && i + 1 < argc) onlySize = argv[++i];
        else if (a == "--sprites" && i + 1 < argc) onlySprites = std::atoi(argv[++i]);
        else if (a == "--sprite-size" && i + 1 < argc) spriteSize = std::atoi(argv[++i]);
        else {
            std::fprintf(stderr, "usage: compositor_bench [--frames N] [--project FILE] [--mode NAME] "
                                 "[--size WxH] [--sprites N] [--sprite-size PERCENT]\n");
            return 2;
        }
    }
    if (project.empty()) {
        std::fprintf(stderr, "compositor_bench: the demo project was not found; use --project\n");
        return 2;
    }
    const double copySpeed = MeasureMemcpy();
    std::printf("memcpy: %.2f GB/s (bytes read + written); %d frames a run; project %s\n\n",
                copySpeed / 1e9, frames, project.c_str());
    std::printf("%-12s %-10s %7s %6s %10s %10s %8s %10s %8s %10s\n", "mode", "size", "sprites", "cover",
                "dirty fps", "naive fps", "speedup", "bound fps", "of bound", "MB/frame");
    constexpr int kSizes[][2] = {{640, 480}, {1024, 768}, {1600, 1200}};
    constexpr int kCounts[] = {10, 50, 500};
    for (int mode = 0; mode < 7; ++mode)
        for (const auto& size : kSizes)
            for (int count : kCounts) {
                char sizeText[16];
                std::snprintf(sizeText, sizeof sizeText, "%dx%d", size[0], size[1]);
                if ((!onlyMode.empty() && onlyMode != kModeNames[mode]) ||
                    (!onlySize.empty() && onlySize != sizeText) || (onlySprites && onlySprites != count))
                    continue;
                const Run dirty = RunShow(project, mode, size[0], size[1], count, spriteSize, frames, false);
                const Run naive = RunShow(project, mode, size[0], size[1], count, spriteSize, frames, true);
                const double bound = dirty.bytesPerFrame > 0 ? copySpeed / dirty.bytesPerFrame : 0;
                std::printf("%-12s %-10s %7d %5.0f%% %10.1f %10.1f %7.1fx %10.1f %7.0f%% %10.2f\n",
                            kModeNames[mode], sizeText, count, 100 * dirty.coverage, dirty.fps, naive.fps, naive.fps > 0 ? dirty.fps / naive.fps : 0,
                            bound, bound > 0 ? 100 * dirty.fps / bound : 0, dirty.bytesPerFrame / 1e6);
                std::fflush(stdout);
            }
    return 0;
}
