// compositor_bench: frames per second of the viewer's dirty-rectangle compositor,
// against a naive baseline that recomposes and presents the whole view every frame
// (the same show with a full refresh forced on every frame), against SDL2's blitter
// doing the same compositing (the peer, where SDL2 is there), and against the
// memory-bandwidth bound for the bytes the dirty frames touch (at the measured
// memcpy speed). Each row runs --repeat times; the table shows medians, the
// dirty runs' spread and the row's peak resident memory. See docs/performance.md.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <new>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "bench/compositor_options.h"
#include "bench/run_statistics.h"
#include "bench/peak_memory.h"
#include "viewer/engine/software_display.h"
#include "viewer/engine/viewer_state.h"
#include "viewer/modes/modes.h"
#ifdef ORB_BENCH_PEER
#include "bench/sdl_peer.h"
#endif

namespace orb::bench {
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
// visible sprite's square is read and written once into the back buffer, and
// once more into the backdrop where the show imprints its sprites.
double BytesTouched(const ViewerState& state) {
    double bytes = 0;
    for (const Rect& r : state.dirty.Working())
        bytes += 4.0 * 3 * std::max(0, r.right - r.left) * std::max(0, r.bottom - r.top);
    const double blits = state.ImprintsSprites() ? 2 : 1;
    for (const auto& item : state.display.Items())
        if (item && item->visible) bytes += blits * 2.0 * 3 * item->surfaceSide * item->surfaceSide;
    return bytes;
}

// The sprites' squares as a share of the view (overlaps counted twice).
double Coverage(const ViewerState& state, const ViewSize& size) {
    double area = 0;
    for (const auto& item : state.display.Items())
        if (item && item->visible) area += double(item->surfaceSide) * item->surfaceSide;
    return area / (double(size.width) * size.height);
}

enum class Measure { Dirty, Naive, Peer };

// One measured dirty-rectangle frame. scripts/bench-instructions counts the
// instructions run inside this function, so it must stay a function of its own.
[[gnu::noinline]] void MeasuredDirtyFrame(ViewerState& state) { state.Tick(); }

struct Show {
    int mode = 0;
    ViewSize size;
    int sprites = 0;
};

struct RunResult {
    double seconds = 0;          // the measured frames' time
    double bytesPerFrame = 0;    // dirty runs
    double coverage = 0;         // dirty runs
    std::size_t cacheBytes = 0;  // scaled pictures kept at the end
};

// One run of a show; none when the engine refused it (the reason went to stderr).
std::optional<RunResult> RunShow(const BenchOptions& options, const Show& show, Measure measure) {
    SoftwareDisplay display(24);
    NullReportSink reports;
    Platform platform{.screen = {show.size.width, show.size.height, 24}, .display = &display, .reports = &reports};
    // The sprite count and immediate births are set after loading, before the scene starts.
    ViewerState state(platform, [](int m) { return CreateModeSprite(m); });
    if (!state.Initialise(options.project)) {
        std::fprintf(stderr, "compositor_bench: cannot load %s\n", options.project.c_str());
        return std::nullopt;
    }
    state.settings.motionMode = show.mode;
    state.settings.number = show.sprites;
    state.settings.numberRange = 0;
    if (options.spriteSize > 0) state.settings.size = options.spriteSize;
    if (!state.StartShow()) {
        std::fprintf(stderr, "compositor_bench: the engine refused a %dx%d view (code %d)\n",
                     show.size.width, show.size.height, state.QuitCode().value_or(-1));
        return std::nullopt;
    }
    for (int warm = 0; warm < 20; ++warm) state.Tick();
#ifdef ORB_BENCH_PEER
    std::optional<SdlPeer> peer;
    if (measure == Measure::Peer) peer.emplace(state, display);
#endif
    RunResult run;
    for (int f = 0; f < options.frames; ++f) {
        if (measure == Measure::Naive) state.startRefresh = true;
        const auto start = Clock::now();
        if (measure == Measure::Dirty) MeasuredDirtyFrame(state);
        else state.Tick();
        const auto stop = Clock::now();
        if (measure == Measure::Peer) {
#ifdef ORB_BENCH_PEER
            run.seconds += peer->Frame(state, state.ImprintsSprites());
#endif
        } else {
            run.seconds += Seconds(start, stop);
        }
        if (measure == Measure::Dirty) {
            run.bytesPerFrame += BytesTouched(state) / options.frames;
            run.coverage += Coverage(state, show.size) / options.frames;
        }
        if (state.QuitCode()) {
            std::fprintf(stderr, "compositor_bench: the show ended with code %d\n", *state.QuitCode());
            return std::nullopt;
        }
    }
    run.cacheBytes = state.display.ScaledPictureBytes();
    return run;
}

struct Row {
    Show show;
    double coverage = 0, dirtyFps = 0, dirtySpread = 0, naiveFps = 0, peerFps = 0;
    double boundFps = 0, bytesPerFrame = 0;
    double peakMegabytes = 0, cacheMegabytes = 0;
};

std::optional<Row> RunRow(const BenchOptions& options, const Show& show, double copySpeed) {
    Row row{show};
    std::vector<double> dirty, naive, peer;
    ResetPeakResident();
    for (int r = 0; r < options.repeat; ++r) {
        const auto d = RunShow(options, show, Measure::Dirty);
        if (!d) return std::nullopt;
        dirty.push_back(options.frames / d->seconds);
        row.coverage = d->coverage;
        row.bytesPerFrame = d->bytesPerFrame;
        row.cacheMegabytes = std::max(row.cacheMegabytes, d->cacheBytes / 1e6);
        if (r == 0) row.peakMegabytes = PeakResidentKilobytes() / 1e3;
        if (!options.baselines) continue;
        const auto n = RunShow(options, show, Measure::Naive);
        if (!n) return std::nullopt;
        naive.push_back(options.frames / n->seconds);
#ifdef ORB_BENCH_PEER
        const auto p = RunShow(options, show, Measure::Peer);
        if (!p) return std::nullopt;
        peer.push_back(options.frames / p->seconds);
#endif
    }
    row.dirtyFps = Median(dirty);
    row.dirtySpread = Spread(dirty);
    row.naiveFps = Median(naive);
    row.peerFps = Median(peer);
    row.boundFps = row.bytesPerFrame > 0 ? copySpeed / row.bytesPerFrame : 0;
    return row;
}

void PrintRow(const Row& row) {
    char size[24], peer[16] = "-", versus[16] = "-", peak[16] = "-";
    std::snprintf(size, sizeof size, "%dx%d", row.show.size.width, row.show.size.height);
    if (row.peerFps > 0) {
        std::snprintf(peer, sizeof peer, "%.1f", row.peerFps);
        std::snprintf(versus, sizeof versus, "%.2fx", row.dirtyFps / row.peerFps);
    }
    if (row.peakMegabytes > 0) std::snprintf(peak, sizeof peak, "%.0f", row.peakMegabytes);
    std::printf("%-12s %-10s %7d %5.0f%% %9.1f %4.0f%% %9.1f %6.1fx %9s %7s %9.1f %6.0f%% %8.2f %7s %6.1f\n",
                std::string(kModeNames[row.show.mode]).c_str(), size, row.show.sprites,
                100 * row.coverage, row.dirtyFps, 100 * row.dirtySpread, row.naiveFps,
                row.naiveFps > 0 ? row.dirtyFps / row.naiveFps : 0, peer, versus, row.boundFps,
                row.boundFps > 0 ? 100 * row.dirtyFps / row.boundFps : 0, row.bytesPerFrame / 1e6,
                peak, row.cacheMegabytes);
    std::fflush(stdout);
}

bool WriteJson(const std::string& path, const std::vector<Row>& rows, double copySpeed, const BenchOptions& o) {
    std::FILE* file = std::fopen(path.c_str(), "w");
    if (!file) return false;
    std::fprintf(file, "{\"memcpy_bytes_per_second\": %.0f, \"frames\": %d, \"repeat\": %d, \"rows\": [",
                 copySpeed, o.frames, o.repeat);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const Row& r = rows[i];
        std::fprintf(file,
                     "%s\n  {\"mode\": \"%s\", \"width\": %d, \"height\": %d, \"sprites\": %d, "
                     "\"cover\": %.4f, \"dirty_fps\": %.2f, \"dirty_spread\": %.4f, \"naive_fps\": %.2f, "
                     "\"peer_fps\": %.2f, \"bound_fps\": %.2f, \"bytes_per_frame\": %.0f, "
                     "\"peak_resident_mb\": %.1f, \"scaled_cache_mb\": %.2f}",
                     i ? "," : "", std::string(kModeNames[r.show.mode]).c_str(), r.show.size.width,
                     r.show.size.height, r.show.sprites, r.coverage, r.dirtyFps, r.dirtySpread,
                     r.naiveFps, r.peerFps, r.boundFps, r.bytesPerFrame, r.peakMegabytes, r.cacheMegabytes);
    }
    std::fprintf(file, "\n]}\n");
    return std::fclose(file) == 0;
}

int Main(int argc, char** argv) {
    std::vector<std::string_view> args(argv + 1, argv + argc);
    BenchParse parse = ParseBenchOptions(args);
    if (!parse.options) {
        std::fprintf(stderr, "compositor_bench: %s\n%s", parse.error.c_str(), BenchUsage().c_str());
        return 2;
    }
    BenchOptions& options = *parse.options;
#ifdef ORB_BENCH_DEMO_PROJECT
    if (options.project.empty()) options.project = ORB_BENCH_DEMO_PROJECT;
#endif
    if (options.project.empty()) {
        std::fprintf(stderr, "compositor_bench: no demo project here; name one with --project\n");
        return 2;
    }
    // Every size is tried once before the table starts, so a refused one never
    // leaves a table half made.
    BenchOptions probe = options;
    probe.frames = 0;
    for (const ViewSize& size : options.sizes)
        if (!RunShow(probe, Show{options.modes.front(), size, 1}, Measure::Dirty)) return 1;

    const double copySpeed = MeasureMemcpy();
    std::printf("memcpy: %.2f GB/s (bytes read + written); %d frames a run, median of %d runs; project %s\n\n",
                copySpeed / 1e9, options.frames, options.repeat, options.project.c_str());
    std::printf("%-12s %-10s %7s %6s %9s %5s %9s %7s %9s %7s %9s %7s %8s %7s %6s\n", "mode", "size",
                "sprites", "cover", "dirty fps", "+-", "naive fps", "speedup", "peer fps", "vs peer",
                "bound fps", "of bound", "MB/frame", "peak MB", "cache");
    std::vector<Row> rows;
    for (int mode : options.modes)
        for (const ViewSize& size : options.sizes)
            for (int count : options.sprites) {
                const auto row = RunRow(options, Show{mode, size, count}, copySpeed);
                if (!row) return 1;
                PrintRow(*row);
                rows.push_back(*row);
            }
    if (!options.json.empty() && !WriteJson(options.json, rows, copySpeed, options)) {
        std::fprintf(stderr, "compositor_bench: cannot write %s\n", options.json.c_str());
        return 1;
    }
    return 0;
}

}  // namespace
}  // namespace orb::bench

int main(int argc, char** argv) {
    try {
        return orb::bench::Main(argc, argv);
    } catch (const std::bad_alloc&) {
        std::fprintf(stderr, "compositor_bench: out of memory; try a smaller --size or fewer --sprites\n");
        return 1;
    }
}
