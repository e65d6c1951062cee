// The windowed host: the show in an SDL2 window of its own, full screen over
// every display (or mirrored on each, or on one with the others black), or drawn
// into an existing X window (--window-id, $XSCREENSAVER_WINDOW) so the viewer
// works as an xscreensaver hack. Only changed rectangles reach the window. It closes on a key, a click or mouse movement
// like a screen saver unless --no-input-exit, and paces frames to the display's
// refresh rate or --fps, so the motion runs at a steady, watchable speed.
#pragma once
#include "viewer/host/options.h"

namespace orb::sdl {

// Returns the process exit code.
int RunWindow(const host::HostOptions& options);

}  // namespace orb::sdl
