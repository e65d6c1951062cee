// The colour-keyed row copy of the software display: white source pixels are
// skipped, every other pixel is copied. With SSE2 it takes 16 pixels at once,
// copying, skipping or blending them whole; without, it goes pixel by pixel. Both
// give the same bytes.
#pragma once
#include <cstdint>

namespace orb {

// Copies `count` pixels of `bytesPerPixel` bytes (1: index 255 is white; 3: white
// is 255, 255, 255) from `in` to `out`, leaving `out` as it was under white ones.
void CopyKeyedRow(std::uint8_t* out, const std::uint8_t* in, int count, int bytesPerPixel);

}  // namespace orb
