#include "viewer/host/headless.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <system_error>
#include <vector>

#include "common/imaging/fixed_palette.h"
#include "viewer/engine/software_display.h"
#include "viewer/host/frame_stats.h"
#include "viewer/host/show.h"

namespace orb::host {

RgbImage ToRgb(const GXDrawingSurface& picture) {
    RgbImage image;
    if (picture.Empty() || (picture.Depth() != 24 && picture.Depth() != 8)) return image;
    image.width = picture.Width();
    image.height = picture.Height();
    image.rgb.resize(static_cast<std::size_t>(image.width) * image.height * 3);
    for (int y = 0; y < image.height; ++y) {
        const auto row = picture.Row(image.height - 1 - y);
        std::uint8_t* out = &image.rgb[static_cast<std::size_t>(y) * image.width * 3];
        for (int x = 0; x < image.width; ++x, out += 3) {
            if (picture.Depth() == 24) {
                out[0] = row[x * 3 + 2];
                out[1] = row[x * 3 + 1];
                out[2] = row[x * 3];
            } else {
                const PaletteEntry& e = picture.palette.size() == 256 ? picture.palette[row[x]]
                                                                        : FixedPalette(Program::Viewer)[row[x]];
                out[0] = e.red;
                out[1] = e.green;
                out[2] = e.blue;
            }
        }
    }
    return image;
}

namespace {
constexpr std::size_t kSheetFrames = 32;  // the first ones written
}  // namespace

int RunHeadless(const HostOptions& options) {
    SoftwareDisplay display(24);
    StderrReports reports;
    Platform platform{.screen = {options.width, options.height, 24}, .display = &display, .reports = &reports};
    StartedShow show = StartHostShow(options, platform);
    if (!show.state) return show.exitCode;
    ViewerState& state = *show.state;

    const bool writing = !options.outDir.empty();
    if (writing) {
        std::error_code ec;
        std::filesystem::create_directories(options.outDir, ec);
        if (ec) {
            std::fprintf(stderr, "viewer: cannot make the folder %s\n", options.outDir.c_str());
            return 2;
        }
    }
    std::vector<RgbImage> kept;  // for the contact sheet
    std::vector<double> frameMs;
    frameMs.reserve(options.frames);
    int exitCode = 0;
    for (int frame = 1; frame <= options.frames; ++frame) {
        const auto start = std::chrono::steady_clock::now();
        state.Tick();
        const auto stop = std::chrono::steady_clock::now();
        frameMs.push_back(std::chrono::duration<double, std::milli>(stop - start).count());
        if (auto code = state.QuitCode()) {
            exitCode = *code;
            break;
        }
        const bool chosen = options.every > 0 ? frame % options.every == 0 : frame == options.frames;
        if (!writing || !chosen) continue;
        const GXDrawingSurface* screen = display.ScreenPicture();
        if (screen == nullptr) continue;
        RgbImage image = ToRgb(*screen);
        char name[32];
        std::snprintf(name, sizeof name, "frame%06d.png", frame);
        const std::string path = (std::filesystem::path(options.outDir) / name).string();
        if (!WritePng(path, image)) {
            std::fprintf(stderr, "viewer: cannot write %s\n", path.c_str());
            return 2;
        }
        if (!options.sheet.empty() && kept.size() < kSheetFrames) kept.push_back(std::move(image));
    }
    std::printf("%s\n", FormatStats(Summarise(frameMs)).c_str());
    if (!options.sheet.empty() && !kept.empty()) {
        if (!WritePng(options.sheet, ContactSheet(kept, 4, 256))) {
            std::fprintf(stderr, "viewer: cannot write %s\n", options.sheet.c_str());
            return 2;
        }
        std::printf("contact sheet: %s (%zu frames)\n", options.sheet.c_str(), kept.size());
    }
    return exitCode;
}

}  // namespace orb::host
