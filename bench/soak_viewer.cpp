// soak_viewer [--frames N] [--project FILE] [--size WxH]
// Runs the headless show for every motion mode for N frames (default 200,000) at
// one screen size (default 640x480) and prints resident memory after the first
// frame, at the middle and at the end, with the growth from middle to end, which
// must stay flat. Ends with 1 when a show fails to start or ends by itself.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "bench/soak_memory.h"
#include "viewer/engine/software_display.h"
#include "viewer/host/show.h"

using namespace orb;

int main(int argc, char** argv) {
    long frames = 200000;
    int width = 640, height = 480;
    host::HostOptions options;
    options.project = host::DemoProjectPath();
    for (int i = 1; i + 1 < argc; i += 2) {
        if (!std::strcmp(argv[i], "--frames")) frames = std::atol(argv[i + 1]);
        else if (!std::strcmp(argv[i], "--project")) options.project = argv[i + 1];
        else if (!std::strcmp(argv[i], "--size")) std::sscanf(argv[i + 1], "%dx%d", &width, &height);
    }
    if (frames < 2 || width < 1 || height < 1) {
        std::fprintf(stderr, "usage: soak_viewer [--frames N>=2] [--project FILE] [--size WxH]\n");
        return 2;
    }
    std::printf("soak: %ld frames per mode at %dx%d on %s\n", frames, width, height, options.project.c_str());
    std::printf("mode  start kB  middle kB  end kB  middle->end kB  seconds\n");
    int status = 0;
    for (int mode = 0; mode < 8; ++mode) {
        SoftwareDisplay display(24);
        NullReportSink reports;
        Platform platform{.screen = {width, height, 24}, .display = &display, .reports = &reports};
        options.mode = mode;
        host::StartedShow show = host::StartHostShow(options, platform);
        if (!show.state) {
            std::printf("%4d  show did not start (exit code %d)\n", mode, show.exitCode);
            status = 1;
            continue;
        }
        const auto start = std::chrono::steady_clock::now();
        std::int64_t first = 0, middle = 0;
        long frame = 0;
        for (; frame < frames && !show.state->QuitCode(); ++frame) {
            show.state->Tick();
            if (frame == 0) first = soak::ResidentKilobytes();
            if (frame == frames / 2) middle = soak::ResidentKilobytes();
        }
        const std::int64_t end = soak::ResidentKilobytes();
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        if (frame < frames) {
            std::printf("%4d  the show ended by itself at frame %ld\n", mode, frame);
            status = 1;
            continue;
        }
        std::printf("%4d  %8lld  %9lld  %6lld  %14lld  %7.1f\n", mode, (long long)first, (long long)middle,
                    (long long)end, (long long)(end - middle), seconds);
    }
    if (!soak::kResidentSizeMeaningful) std::printf("(sanitizer build: resident sizes include its quarantine)\n");
    return status;
}
