// The headless host: renders the show into memory with no display at all, writes
// chosen frames as PNG and prints frame-time statistics. The same project, size
// and mode give the same frames on every run.
#pragma once
#include "viewer/host/options.h"
#include "viewer/host/png_file.h"

namespace orb {
class GXDrawingSurface;
}

namespace orb::host {

// A 24-bit (or 8-bit fixed-palette) bottom-up picture as top-down RGB.
RgbImage ToRgb(const GXDrawingSurface& picture);

// Returns the process exit code.
int RunHeadless(const HostOptions& options);

}  // namespace orb::host
