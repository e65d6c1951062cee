// The viewer's command line on Linux:
//   viewer [PROJECT.apj] [--fullscreen] [--monitors span|mirror|primary] [--display N]
//          [--window-id ID] [--no-input-exit] [--fps N] [--stats]
//   viewer --headless --frames N --size WxH [--out DIR] [--every K] [--sheet FILE] [PROJECT.apj]
// and, for both, --mode M to override the project's motion mode (0..7).
// $XSCREENSAVER_WINDOW stands for --window-id when no id is given, so the viewer
// works as an xscreensaver hack.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "viewer/engine/monitor_layout.h"

namespace orb::host {

struct HostOptions {
    std::string project;  // empty: the bundled demo project
    bool headless = false;
    int frames = 300;
    int width = 1024;
    int height = 768;
    std::string outDir;  // headless: where frames go as PNG; empty: none written
    int every = 0;       // headless: write every K-th frame (0: only the last one)
    std::string sheet;   // headless: contact sheet of the written frames
    bool fullscreen = false;
    MonitorArrangement monitors = MonitorArrangement::Span;  // full screen over several displays
    int display = -1;            // the main display (0-based); -1: the first
    bool stats = false;          // frames shown, frame times and CPU share at the end
    std::uint64_t windowId = 0;  // an existing X window to draw into; 0: a window of our own
    bool inputExit = true;       // close on key, click or mouse movement
    int fps = 0;                 // 0: pace to the display's refresh
    int mode = -1;               // -1: the project's motion mode
};

struct ParseResult {
    std::optional<HostOptions> options;  // none: `error` says why, or help was asked for
    std::string error;
    bool help = false;
};

// `screensaverWindow` is the value of $XSCREENSAVER_WINDOW, or null when unset.
ParseResult ParseOptions(const std::vector<std::string_view>& args, const char* screensaverWindow);

std::string Usage();

}  // namespace orb::host
